// Three helpers built on the primitives: counting occurrences, a plain byte search from a
// position (which may land on the second byte of a two-byte character), and up to five
// search/replacement pairs applied one after the other.
#pragma once

#include "text/ansi_text.h"

#include <optional>

namespace vexlo {

/// Non-overlapping occurrences of sub, found with findText; caseSensitive false (or omitted)
/// folds A-Z. 0 when text or sub is empty.
int countOccurrences(std::string_view text, std::string_view sub, bool caseSensitive = false);

/// First place at or after start (omitted or 0: 1) where the bytes of sub occur, at any byte
/// offset; -1 when none or when text or sub is empty. A start outside 0..length+1 is clamped
/// into that range.
BytePos findTextFrom(std::string_view text, std::string_view sub,
                     std::optional<BytePos> start = std::nullopt, bool ignoreCase = false);

/// One search/replacement pair of replacePairs; an empty search changes nothing.
struct ReplacePair {
    std::string_view search;
    std::string_view replacement;
};

/// Applies up to five pairs in order with replaceText, each over the result of the one
/// before. count limits each pair separately and is passed on only when given.
AnsiText replacePairs(std::string_view text, std::optional<int> count,
                      std::optional<BytePos> start, bool caseSensitive,
                      std::initializer_list<ReplacePair> pairs);

} // namespace vexlo
