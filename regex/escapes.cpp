// The engine's ASCII sets, its character escapes, and PCRE2 spellings of characters and
// classes, as the translator uses them.
#include "regex/escapes.h"

namespace vexlo::escapes {
namespace {

bool isAsciiLetter(char16_t c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}
bool isAsciiAlnum(char16_t c) {
    return isAsciiLetter(c) || isDigit(c);
}

int hexValue(char16_t c) {
    if (isDigit(c))
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

void appendHexEscape(std::u16string& out, char16_t c) {
    static constexpr char kDigits[] = "0123456789abcdef";
    appendAscii(out, "\\x{");
    bool started = false;
    for (int shift = 12; shift >= 0; shift -= 4) {
        const int d = (c >> shift) & 0xF;
        if (d != 0 || started || shift == 0) {
            out += char16_t(kDigits[d]);
            started = true;
        }
    }
    out += u'}';
}

/// A character inside a PCRE2 class, where [ ] \ ^ - and POSIX brackets would be special.
void appendClassChar(std::u16string& out, char16_t c) {
    if (isAsciiAlnum(c) || c == u'_' || c >= 0x80)
        out += c;
    else
        appendHexEscape(out, c);
}

} // namespace

const Ranges& digitSet() {
    static const Ranges set{{u'0', u'9'}};
    return set;
}

const Ranges& wordSet() {
    static const Ranges set{{u'0', u'9'}, {u'A', u'Z'}, {u'_', u'_'}, {u'a', u'z'}};
    return set;
}

const Ranges& spaceSet() {
    static const Ranges set{{0x09, 0x0D}, {0x20, 0x20}}; // tab LF VT FF CR, blank
    return set;
}

Ranges complement(const Ranges& sorted) {
    Ranges out;
    unsigned next = 0;
    for (const Range& r : sorted) {
        if (r.first > next)
            out.push_back({char16_t(next), char16_t(r.first - 1)});
        next = r.last + 1u;
    }
    if (next <= 0xFFFF)
        out.push_back({char16_t(next), char16_t(0xFFFF)});
    return out;
}

bool setOfEscape(char16_t letter, const Ranges*& set, bool& negated) {
    switch (letter) {
    case u'd':
    case u'D':
        set = &digitSet();
        break;
    case u'w':
    case u'W':
        set = &wordSet();
        break;
    case u's':
    case u'S':
        set = &spaceSet();
        break;
    default:
        return false;
    }
    negated = letter < u'a';
    return true;
}

char16_t characterEscape(std::u16string_view p, std::size_t& i) {
    const char16_t c = p[i];
    switch (c) {
    case u'f':
        ++i;
        return 0x0C;
    case u'n':
        ++i;
        return 0x0A;
    case u'r':
        ++i;
        return 0x0D;
    case u't':
        ++i;
        return 0x09;
    case u'v':
        ++i;
        return 0x0B;
    case u'x':
    case u'u': {
        const std::size_t digits = c == u'x' ? 2 : 4;
        unsigned value = 0;
        for (std::size_t k = 1; k <= digits; ++k) {
            const int d = i + k < p.size() ? hexValue(p[i + k]) : -1;
            if (d < 0) {
                ++i;
                return c; // not exactly that many hex digits: the letter itself
            }
            value = value * 16 + unsigned(d);
        }
        i += digits + 1;
        return char16_t(value);
    }
    case u'c':
        if (i + 1 < p.size() && isAsciiLetter(p[i + 1])) {
            i += 2;
            return char16_t(p[i - 1] % 32);
        }
        ++i;
        return c;
    default:
        ++i;
        return c;
    }
}

char16_t octalEscape(std::u16string_view p, std::size_t& i) {
    std::size_t digits = 1;
    if (i + 1 < p.size() && isOctal(p[i + 1])) {
        digits = 2;
        if (p[i] <= u'3' && i + 2 < p.size() && isOctal(p[i + 2]))
            digits = 3;
    }
    unsigned value = 0;
    for (std::size_t k = 0; k < digits; ++k)
        value = value * 8 + unsigned(p[i + k] - u'0');
    i += digits;
    return char16_t(value);
}

void appendAscii(std::u16string& out, std::string_view ascii) {
    out.append(ascii.begin(), ascii.end());
}

void appendNumber(std::u16string& out, int n) {
    appendAscii(out, std::to_string(n));
}

void appendLiteral(std::u16string& out, char16_t c) {
    if (isAsciiAlnum(c) || c >= 0x80) {
        out += c;
    } else if (c > 0x20 && c < 0x7F) {
        out += u'\\';
        out += c;
    } else {
        appendHexEscape(out, c);
    }
}

void appendClass(std::u16string& out, const Ranges& ranges, bool negated) {
    out += u'[';
    if (negated)
        out += u'^';
    for (const Range& r : ranges) {
        appendClassChar(out, r.first);
        if (r.last != r.first) {
            out += u'-';
            appendClassChar(out, r.last);
        }
    }
    out += u']';
}

} // namespace vexlo::escapes
