// Tests of the one-click rewrites: line breaks, blanks, quotes, escaping and smartOptimise,
// with two-byte characters whose trail byte looks like a metacharacter.
#include "text/codepage.h"
#include "workbench/commands.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace vexlo {
namespace {

// Two-byte characters whose trail bytes are "\", "[", "|" and "s".
const std::string kTrailBackslash = "\x81\x5C";
const std::string kTrailBracket = "\x81\x5B";
const std::string kTrailBar = "\x81\x7C";
const std::string kTrailS = "\x81\x73";

struct RewriteCase {
    const char* name;
    AnsiText (*command)(std::string_view);
    std::string pattern;
    std::string expected;
};

void PrintTo(const RewriteCase& c, std::ostream* os) {
    *os << c.name;
}

// Each case is named after its name field.
constexpr auto kCaseName = [](const auto& info) { return std::string(info.param.name); };

class RewriteTest : public ::testing::TestWithParam<RewriteCase> {};

TEST_P(RewriteTest, GivesTheExpectedPattern) {
    const RewriteCase& c = GetParam();
    EXPECT_EQ(c.command(c.pattern), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    LineBreaksBlanksQuotes, RewriteTest,
    ::testing::Values(
        RewriteCase{"LineBreak", replaceLineBreaks, "a\r\nb", "a\\s\\sb"},
        RewriteCase{"LoneCrAndLfStay", replaceLineBreaks, "a\rb\nc\n\r", "a\rb\nc\n\r"},
        RewriteCase{"EmptyLineBreaks", replaceLineBreaks, "", ""},
        RewriteCase{"Blanks", replaceBlanks, " a  b", "\\sa\\s\\sb"},
        // A tab and the full-width blank are not the ASCII blank.
        RewriteCase{"TabAndFullWidthBlankStay", replaceBlanks, "\t\xA1\xA1", "\t\xA1\xA1"},
        RewriteCase{"Quotes", replaceQuotes, "a\"b\"",
                    "a#\xD2\xFD\xBA\xC5"
                    "b#\xD2\xFD\xBA\xC5"},
        RewriteCase{"QuotesTwiceChangesNothingMore", replaceQuotes, "a#\xD2\xFD\xBA\xC5",
                    "a#\xD2\xFD\xBA\xC5"},
        // A two-byte character whose trail byte is a blank-like or quote-like byte is whole.
        RewriteCase{"TrailByteNotRewritten", replaceBlanks, kTrailS + " ", kTrailS + "\\s"}),
    kCaseName);

INSTANTIATE_TEST_SUITE_P(
    Escaping, RewriteTest,
    ::testing::Values(RewriteCase{"Mixed", escapeMetachars, "a.b\\c(1)", "a\\.b\\\\c\\(1\\)"},
                      RewriteCase{"NotIdempotent", escapeMetachars, "a\\.b\\\\c\\(1\\)",
                                  "a\\\\\\.b\\\\\\\\c\\\\\\(1\\\\\\)"},
                      RewriteCase{"Class", escapeMetachars, "[^a-z]+$", "\\[\\^a\\-z\\]\\+\\$"},
                      RewriteCase{"AllFifteen", escapeMetachars, ".+*[]{}?()^$-|!",
                                  "\\.\\+\\*\\[\\]\\{\\}\\?\\(\\)\\^\\$\\-\\|\\!"},
                      RewriteCase{"OthersLeftAlone", escapeMetachars, "/#,=a\"", "/#,=a\""},
                      RewriteCase{"Empty", escapeMetachars, "", ""},
                      RewriteCase{"TrailBytesStayWhole", escapeMetachars,
                                  kTrailBackslash + kTrailBracket + kTrailBar + "|",
                                  kTrailBackslash + kTrailBracket + kTrailBar + "\\|"},
                      RewriteCase{"LoneLeadByteAtEnd", escapeMetachars, "(\x81", "\\(\x81"}),
    kCaseName);

struct OptimiseCase {
    const char* name;
    std::string pattern;
    std::string letter;
    std::string expected;
};

void PrintTo(const OptimiseCase& c, std::ostream* os) {
    *os << c.name;
}

class SmartOptimiseTest : public ::testing::TestWithParam<OptimiseCase> {};

TEST_P(SmartOptimiseTest, GivesTheExpectedPattern) {
    const OptimiseCase& c = GetParam();
    EXPECT_EQ(smartOptimise(c.pattern, c.letter), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SmartOptimiseTest,
    ::testing::Values(OptimiseCase{"TwoBlanks", "a  b", "s", "a\\s{2}b"},
                      OptimiseCase{"LineBreak", "a\r\nb", "s", "a\\s{2}b"},
                      // Three "\s" but no run of three.
                      OptimiseCase{"SpreadOut", "a b\r\nc", "s", "a\\sb\\s\\sc"},
                      OptimiseCase{"DigitLetter", "1 2", "d", "1\\s2"},
                      OptimiseCase{"EmptyLetterCountsBackslashes", "a  b", "", "a\\s\\sb"},
                      OptimiseCase{"Empty", "", "s", ""}),
    kCaseName);

// The texts are checked through the code page conversion against UTF-16 literals, so a
// wrong byte escape cannot hide behind the same escape in the test.
TEST(CommandTexts, ReadAsTheWindowShowsThem) {
    EXPECT_EQ(
        ansiToUtf16(ESCAPE_CONFIRMATION),
        u"小心!这个功能是在确定这是原文本的情况下用的,如果你的文本自带正则这个功能可能会害了你."
        u"\r\n你确定这是需要处理的原文本吗?");
    EXPECT_EQ(ansiToUtf16(GENERALISE_CONFIRMATION),
              u"这个功能是吧所有的数字和字母替换成\\d和\\w  , 你确定这是需要处理的原文本吗?");
    EXPECT_EQ(ansiToUtf16(FOLD_PROMPT), u"欲去重复的文本");
    EXPECT_EQ(ansiToUtf16(FOLD_TITLE), u"去重复");
    EXPECT_EQ(FOLD_INITIAL, "1");
}

} // namespace
} // namespace vexlo
