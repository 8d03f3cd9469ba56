// The text and byte-array primitives every command is written in. Positions are BytePos
// (1-based); out-of-range positions and counts are clamped, never an error. A byte 0x80-0xFF
// starts a two-byte character wherever the searches step; case folding folds A-Z only.
#pragma once

#include "text/ansi_text.h"

#include <initializer_list>
#include <optional>

namespace vexlo {

/// Number of bytes of text.
int textLength(std::string_view text);
/// The first count bytes (count <= 0: empty).
AnsiText textLeft(std::string_view text, int count);
/// count bytes from start; empty when start < 1, start > length or count <= 0.
AnsiText textMid(std::string_view text, BytePos start, int count);
/// The byte at position (first byte when omitted) as a signed value; 0 outside 1..n.
int charCode(std::string_view text, std::optional<BytePos> position = std::nullopt);
/// A text of the low 8 bits of code; empty when those are 0.
AnsiText charFromCode(int code);

/// First occurrence of sub at or after start that begins on a character; -1 when none.
/// An empty sub gives 1 when the searched region is not empty.
BytePos findText(std::string_view text, std::string_view sub,
                 std::optional<BytePos> start = std::nullopt, bool ignoreCase = false);
/// Last occurrence of sub lying wholly in bytes 1..start-1 (the whole text when start is
/// omitted), counting character starts from byte 1; -1 when none.
BytePos findTextReverse(std::string_view text, std::string_view sub,
                        std::optional<BytePos> start = std::nullopt, bool ignoreCase = false);
/// Replaces non-overlapping occurrences of sub from start (default 1), at most count of them
/// (omitted or < 0: all). An omitted replacement deletes. Nothing is ever lost: a trailing
/// lone lead byte is copied through.
AnsiText replaceText(std::string_view text, std::string_view sub,
                     std::optional<std::string_view> replacement = std::nullopt,
                     std::optional<BytePos> start = std::nullopt,
                     std::optional<int> count = std::nullopt, bool caseSensitive = false);

/// Leading blanks, one sign, decimal digits (full-width forms read as ASCII); wraps at 32 bits.
int toInt(std::string_view text);
/// Decimal form of value.
AnsiText toText(int value);
/// "真" or "假".
AnsiText toText(bool value);
/// The bytes up to the first zero byte.
AnsiText toText(const ByteArray& bytes);
// Any other argument type would silently pick one of the overloads above.
template <typename T> AnsiText toText(T) = delete;

/// count blanks (count <= 0: empty).
AnsiText blankText(int count);
/// The texts joined in order.
AnsiText concatText(std::initializer_list<std::string_view> parts);
template <typename... Texts> AnsiText concatText(std::string_view a, std::string_view b, Texts... rest) {
    static_assert(sizeof...(rest) <= 3, "concatText joins two to five texts");
    return concatText({a, b, std::string_view(rest)...});
}
/// -1, 0 or 1, comparing bytes as unsigned values.
int compareText(std::string_view a, std::string_view b);

/// The bytes of text.
ByteArray toBytes(std::string_view text);
int bytesLength(const ByteArray& bytes);
/// The first count bytes, count clamped to 0..length.
ByteArray bytesLeft(const ByteArray& bytes, int count);
/// count bytes from start, start clamped to 1..length+1, a negative count read as 0.
ByteArray bytesMid(const ByteArray& bytes, BytePos start, int count);

} // namespace vexlo
