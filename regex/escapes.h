// Pieces the translator shares between patterns and classes: the engine's ASCII character
// sets, reading its character escapes, and writing characters and classes in PCRE2 syntax.
// Internal to regex/.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vexlo::escapes {

struct Range {
    char16_t first;
    char16_t last;
};
using Ranges = std::vector<Range>;

/// The engine's \d \w \s (ASCII only) and their complements over all UTF-16 units.
const Ranges& digitSet();
const Ranges& wordSet();
const Ranges& spaceSet();
/// The complement of sorted, non-overlapping ranges over 0..0xFFFF.
Ranges complement(const Ranges& sorted);

/// For d D w W s S: the set (positive form) and whether the letter negates it; false for
/// any other letter.
bool setOfEscape(char16_t letter, const Ranges*& set, bool& negated);

inline bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}
inline bool isOctal(char16_t c) {
    return c >= u'0' && c <= u'7';
}

/// The character an escape stands for, with p[i] the character after the backslash:
/// f n r t v, \xhh (exactly two hex digits), \uhhhh (exactly four), \cX (X a letter), and
/// otherwise the character itself (so \x4 is "x" and the 4 is read next). Advances i.
/// Requires i < p.size().
char16_t characterEscape(std::u16string_view p, std::size_t& i);

/// The octal escape \nml (n 0-3), \nm or \n whose first digit is p[i]. Advances i.
/// Requires isOctal(p[i]).
char16_t octalEscape(std::u16string_view p, std::size_t& i);

void appendAscii(std::u16string& out, std::string_view ascii);
void appendNumber(std::u16string& out, int n);
/// One literal character outside a class, escaped so PCRE2 reads it as itself.
void appendLiteral(std::u16string& out, char16_t c);
/// A PCRE2 class of ranges, [..] or [^..].
void appendClass(std::u16string& out, const Ranges& ranges, bool negated);

} // namespace vexlo::escapes
