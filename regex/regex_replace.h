// One-shot regular-expression replace over the bytes of a text, with Boost.Regex (Perl
// syntax, case-sensitive, one byte one character). Used by the pattern commands.
#pragma once

#include "text/ansi_text.h"

#include <optional>

namespace vexlo {

/// Whether a match of the empty text may be replaced.
enum class EmptyMatches { replaced, skipped };

/// Replaces the first match of pattern in text (every match when replaceAll) by the format
/// replacement (Boost's format_all syntax). An empty pattern gives a copy of text.
/// Returns std::nullopt when the pattern does not compile or the replace throws (the
/// library's complexity limit); regexReplace(...).value_or("") is the classic contract.
std::optional<AnsiText> regexReplace(std::string_view text, std::string_view pattern,
                                     std::string_view replacement, bool replaceAll = false,
                                     EmptyMatches empty = EmptyMatches::replaced);

} // namespace vexlo
