// Tests of regexReplace: flags, the format syntax the pattern commands rely on, and failures
// reported as std::nullopt instead of an empty text.
#include "regex/regex_replace.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace vexlo {
namespace {

struct ReplaceCase {
    const char* name;
    std::string text;
    std::string pattern;
    std::string replacement;
    bool replaceAll;
    EmptyMatches empty;
    std::optional<std::string> expected;
};

void PrintTo(const ReplaceCase& c, std::ostream* os) {
    *os << c.name;
}

class RegexReplaceTest : public ::testing::TestWithParam<ReplaceCase> {};

TEST_P(RegexReplaceTest, GivesTheExpectedText) {
    const ReplaceCase& c = GetParam();
    EXPECT_EQ(regexReplace(c.text, c.pattern, c.replacement, c.replaceAll, c.empty), c.expected);
}

constexpr auto kReplaced = EmptyMatches::replaced;
constexpr auto kSkipped = EmptyMatches::skipped;

INSTANTIATE_TEST_SUITE_P(
    Flags, RegexReplaceTest,
    ::testing::Values(
        ReplaceCase{"EmptyPatternCopiesText", "a(b", "", "x", true, kReplaced, "a(b"},
        ReplaceCase{"EmptyTextStaysEmpty", "", "\\d", "#", true, kReplaced, ""},
        ReplaceCase{"FirstOnly", "a1b2", "\\d", "#", false, kReplaced, "a#b2"},
        ReplaceCase{"All", "a1b2", "\\d", "#", true, kReplaced, "a#b#"},
        ReplaceCase{"NoMatchCopiesText", "abc", "\\d", "#", true, kReplaced, "abc"},
        ReplaceCase{"CaseSensitive", "abc", "ABC", "#", true, kReplaced, "abc"},
        ReplaceCase{"DotMatchesLineBreak", "a\r\nb", "a.", "#", false, kReplaced, "#\nb"},
        ReplaceCase{"CaretAtEveryLine", "a\r\nb\nc", "^", "#", true, kReplaced, "#a\r\n#b\n#c"},
        // An empty match is replaced unless skipped: after "1111111" there is one at the end.
        ReplaceCase{"EmptyMatchReplaced", "1111111", "1*", "1\\*", true, kReplaced, "1*1*"},
        ReplaceCase{"EmptyMatchSkipped", "1111111", "1*", "1\\*", true, kSkipped, "1*"},
        ReplaceCase{"EmptyMatchesBetweenBlanksSkipped", "1 1 1", "1*", "1\\*", true, kSkipped,
                    "1* 1* 1*"},
        ReplaceCase{"EmptyMatchesBetweenBlanksReplaced", "1 1", "1*", "1\\*", true, kReplaced,
                    "1*1* 1*1*"},
        ReplaceCase{"OnlyEmptyMatchesSkipped", "xyz", "q*", "#", true, kSkipped, "xyz"}));

INSTANTIATE_TEST_SUITE_P(
    Format, RegexReplaceTest,
    ::testing::Values(
        ReplaceCase{"CountedEscapeToStar", "x\\s{3}y", "\\\\s\\{\\d*\\}", "\\\\s*", false,
                    kReplaced, "x\\s*y"},
        ReplaceCase{"EscapedStar", "ab", "ab", "ab\\*", false, kReplaced, "ab*"},
        ReplaceCase{"EscapedLetterIsBare", "ab", "ab", "\\d*", false, kReplaced, "d*"},
        ReplaceCase{"ParenthesesGroupTheFormat", "ab", "ab", "f(x)", false, kReplaced, "fx"},
        ReplaceCase{"LoneCloseParenthesisEndsFormat", "ab", "ab", "x)y", false, kReplaced, "x"},
        ReplaceCase{"EscapedParentheses", "ab", "ab", "\\(x\\)", false, kReplaced, "(x)"},
        ReplaceCase{"GroupsAndWholeMatch", "k=v", "(\\w)=(\\w)", "$2\\1[$&]$$", false, kReplaced,
                    "vk[k=v]$"},
        ReplaceCase{"Conditional", "ab", "(x)?(a)", "?1yes:no", false, kReplaced, "nob"}));

// The regex sees one byte as one character: the bytes of a two-byte character are two
// characters to it, and every byte the replace does not touch is copied as it was.
INSTANTIATE_TEST_SUITE_P(
    Bytes, RegexReplaceTest,
    ::testing::Values(
        ReplaceCase{"TwoByteCharacterIsTwoCharacters", "\xB0\xA1", ".", "#", true, kReplaced, "##"},
        ReplaceCase{"HighBytesCopiedThrough", "\xD5\x5C\xFF\x80z9", "\\d", "#", true, kReplaced,
                    "\xD5\x5C\xFF\x80z#"},
        ReplaceCase{"TrailByteBackslashMatches", "\xD5\x5C", "\\\\", "/", true, kReplaced, "\xD5/"},
        ReplaceCase{"LoneLeadByteAtEnd", "a\xB0", "a", "b", true, kReplaced, "b\xB0"}));

INSTANTIATE_TEST_SUITE_P(
    Failures, RegexReplaceTest,
    ::testing::Values(
        ReplaceCase{"UnclosedGroup", "ab", "(ab", "x", true, kReplaced, std::nullopt},
        ReplaceCase{"UnclosedGroupOverEmptyText", "", "(ab", "x", false, kReplaced, std::nullopt},
        ReplaceCase{"NothingToRepeat", "((((((", "(*", "(\\*", true, kSkipped, std::nullopt},
        ReplaceCase{"BadCountedRepeat", "a", "a{2,1}", "x", true, kReplaced, std::nullopt}));

// A pattern that backtracks without end stops at the library's complexity limit.
TEST(RegexReplaceLimits, RunawayBacktrackingIsAFailure) {
    const std::string text(40, 'x');
    EXPECT_EQ(regexReplace(text, "(x+x+)+y", "#", true), std::nullopt);
}

TEST(RegexReplaceLimits, LongTextIsReplacedWhole) {
    const std::string text(1 << 20, 'a');
    const auto result = regexReplace(text, "a", "bb", true);
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(*result, std::string(2 << 20, 'b'));
}

} // namespace
} // namespace vexlo
