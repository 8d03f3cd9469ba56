// The translator's output for the escapes, classes and anchors where the engine's language
// and PCRE2's part ways, and the kind and offset of every rejection.
#include "regex/translate.h"

#include <gtest/gtest.h>

namespace vexlo {
namespace {

using Kind = CompileError::Kind;

std::string narrow(const std::u16string& s) {
    std::string out;
    for (const char16_t c : s)
        out += c < 0x80 ? char(c) : '?';
    return out;
}

struct OutputCase {
    const char16_t* pattern;
    bool ignoreCase;
    bool multiline;
    const char* expected;
};

TEST(Translator, WritesTrickyConstructsAsPcre2) {
    const OutputCase cases[] = {
        // \x and \u take exactly two and four hex digits, else the letter is literal.
        {u"\\x41\\x4", false, false, "Ax4"},
        {u"\\u0042\\u004", false, false, "Bu004"},
        {u"\\x{41}", false, false, "x{41}"}, // a literal x, repeated 41 times
        // \c with a letter is a control character; with anything else a literal c.
        {u"\\cJ\\cj\\c1", false, false, "\\x{a}\\x{a}c1"},
        {u"\\v\\f", false, false, "\\x{b}\\x{c}"},
        // Octal, back-references by the count of groups before, 8 and 9 as themselves.
        {u"\\0\\101\\400", false, false, "\\x{0}A\\x{20}0"},
        {u"\\12", false, false, "\\x{a}"},
        {u"(a)\\12", false, false, "(a)\\g{1}2"},
        {u"\\1(a)", false, false, "\\x{1}(a)"},
        {u"\\8\\9", false, false, "89"},
        // Every other escaped character stands for itself, PCRE-only escapes included.
        {u"\\k\\A\\z\\Q\\E\\p\\h\\e\\/", false, false, "kAzQEphe\\/"},
        // Braces that do not make a quantifier are literal; counts are normalised.
        {u"a{,2}b{x}c{", false, false, "a\\{\\,2\\}b\\{x\\}c\\{"},
        {u"a{02,3}b{3,3}c{1,}?", false, false, "a{2,3}b{3}c{1,}?"},
        {u"]}", false, false, "\\]\\}"},
        // Dot, anchors and the ASCII sets.
        {u".", false, false, "[^\\n]"},
        {u"^$", false, false, "\\A\\z"},
        {u"^$", false, true, "(?<![^\\n\\r])(?![^\\n\\r])"},
        {u"\\d\\D\\s", false, false, "[0-9][^0-9][\\x{9}-\\x{d}\\x{20}]"},
        {u"\\w\\W", false, false, "[0-9A-Z_a-z][^0-9A-Z_a-z]"},
        {u"\\w\\W\\d", true, false, "(?-i:[0-9A-Z_a-z])(?-i:[^0-9A-Z_a-z])[0-9]"},
        {u"\\b", false, false,
         "(?:(?<=[0-9A-Z_a-z])(?![0-9A-Z_a-z])|(?<![0-9A-Z_a-z])(?=[0-9A-Z_a-z]))"},
        {u"\\B", true, false,
         "(?-i:(?<=[0-9A-Z_a-z])(?=[0-9A-Z_a-z])|(?<![0-9A-Z_a-z])(?![0-9A-Z_a-z]))"},
        // Classes: leading ], backspace, octal, set next to a dash, POSIX brackets as text.
        {u"[]a]", false, false, "[\\x{5d}a]"},
        {u"[^]a]", false, false, "[^\\x{5d}a]"},
        {u"[\\b\\1\\B]", false, false, "[\\x{8}\\x{1}B]"},
        {u"[\\d-z]", false, false, "[0-9\\x{2d}z]"},
        {u"[[:a:]]", false, false, "[\\x{5b}\\x{3a}a\\x{3a}]\\]"},
        {u"[\\x41-\\u0043]", false, false, "[A-C]"},
        // \w and \W inside a class leave CASELESS; the rest of the class keeps it.
        {u"[\\wé]", true, false, "(?:[?]|(?-i:[0-9A-Z_a-z]))"},
        {u"[^\\wé]", true, false, "(?:(?!(?-i:[0-9A-Z_a-z]))[^?])"},
        {u"[^\\W]", true, false,
         "(?-i:[^\\x{0}-\\x{2f}\\x{3a}-\\x{40}\\x{5b}-\\x{5e}\\x{60}"
         "\\x{7b}-?])"},
        {u"[\\w]", false, false, "[0-9A-Z_a-z]"},
        // Groups: only the engine's three kinds; lookaheads may be repeated.
        {u"(?:a)(?=b)(?!c)*", false, false, "(?:a)(?=b)(?!c)*"},
        {u"中文{2}", false, false, "??{2}"},
    };
    for (const OutputCase& c : cases) {
        RegexOptions options;
        options.ignoreCase = c.ignoreCase;
        options.multiline = c.multiline;
        const Translation t = translatePattern(c.pattern, options);
        EXPECT_EQ(t.error.kind, Kind::none) << c.expected;
        EXPECT_EQ(narrow(t.pattern), c.expected);
    }
}

TEST(Translator, KeepsNonAsciiLiteralsAsUnits) {
    const Translation t = translatePattern(u"中\xD800.", {});
    EXPECT_EQ(t.pattern, u"中\xD800[^\\n]");
}

struct ErrorCase {
    const char16_t* pattern;
    Kind kind;
    int offset;
};

TEST(Translator, RejectsWhatTheEngineRejectsWithKindAndOffset) {
    const ErrorCase cases[] = {
        {u"(a", Kind::unbalancedParenthesis, 0},
        {u"a(b(c)", Kind::unbalancedParenthesis, 1},
        {u"a)", Kind::unbalancedParenthesis, 1},
        {u"[abc", Kind::unterminatedClass, 0},
        {u"x[]", Kind::unterminatedClass, 1},
        {u"[^]", Kind::unterminatedClass, 0},
        {u"a\\", Kind::trailingBackslash, 1},
        {u"[a\\", Kind::trailingBackslash, 2},
        {u"x[z-a]", Kind::badRange, 2},
        {u"[\\x42-\\x41]", Kind::badRange, 1},
        {u"a{2,1}", Kind::badQuantifier, 1},
        {u"a{65536}", Kind::badQuantifier, 1},
        {u"a{0,65536}", Kind::badQuantifier, 1},
        {u"*a", Kind::nothingToRepeat, 0},
        {u"a**", Kind::nothingToRepeat, 2},
        {u"a*+", Kind::nothingToRepeat, 2},
        {u"a{2}{3}", Kind::nothingToRepeat, 4},
        {u"a|*", Kind::nothingToRepeat, 2},
        {u"(+)", Kind::nothingToRepeat, 1},
        {u"^*", Kind::nothingToRepeat, 1},
        {u"$?", Kind::nothingToRepeat, 1},
        {u"\\b+", Kind::nothingToRepeat, 2},
        {u"\\B{2}", Kind::nothingToRepeat, 2},
        {u"{1}", Kind::nothingToRepeat, 0},
        {u"(?<=a)b", Kind::unsupportedSyntax, 0},
        {u"(?<!a)b", Kind::unsupportedSyntax, 0},
        {u"x(?<n>a)", Kind::unsupportedSyntax, 1},
        {u"(?P<n>a)", Kind::unsupportedSyntax, 0},
        {u"(?i)a", Kind::unsupportedSyntax, 0},
        {u"(?>a)", Kind::unsupportedSyntax, 0},
        {u"(?#x)", Kind::unsupportedSyntax, 0},
        {u"(?", Kind::unsupportedSyntax, 0},
        {u"(*ACCEPT)", Kind::unsupportedSyntax, 0},
        {u"(*a)", Kind::nothingToRepeat, 1},
    };
    for (const ErrorCase& c : cases) {
        const Translation t = translatePattern(c.pattern, {});
        EXPECT_EQ(int(t.error.kind), int(c.kind)) << narrow(c.pattern);
        EXPECT_EQ(t.error.offset, c.offset) << narrow(c.pattern);
        EXPECT_TRUE(t.pattern.empty());
    }
}

TEST(Translator, CountsCapturingGroupsByOpeningParenthesis) {
    EXPECT_EQ(translatePattern(u"(a)(?:b)((c))(?=(d))", {}).groupCount, 4);
    EXPECT_EQ(translatePattern(u"[(](?:)", {}).groupCount, 0);
}

TEST(Translator, PutsCalloutsOnlyBeforeOpenEndedRepeats) {
    const Translation t = translatePattern(u"a*b{2}c{1,17}d{1,18}(ef)+?g?", {}, true);
    EXPECT_EQ(narrow(t.pattern), "(?C2)a*b{2}c{1,17}(?C2)d{1,18}(?C2)(ef)+?g?");
}

TEST(Translator, HandlesDeepNestingWithoutRecursion) {
    const std::u16string deep = std::u16string(100000, u'(') + std::u16string(100000, u')');
    const Translation t = translatePattern(deep, {});
    EXPECT_EQ(t.error.kind, Kind::none);
    EXPECT_EQ(t.groupCount, 100000);
    const Translation open = translatePattern(std::u16string(100000, u'('), {});
    EXPECT_EQ(open.error.kind, Kind::unbalancedParenthesis);
    EXPECT_EQ(open.error.offset, 99999);
}

} // namespace
} // namespace vexlo
