// Tests of collapseEscapes: the count branch, the collapse branch, the case-folding count,
// two-byte characters whose trail byte is a backslash, and a letter that breaks the expression.
#include "workbench/commands.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace vexlo {
namespace {

// "乗" and "乨": trail bytes "\" and "d".
const std::string kTrailBackslash = "\x81\x5C";
const std::string kTrailD = "\x81\x64";

struct CollapseCase {
    const char* name;
    std::string letter;
    std::string pattern;
    std::string expected;
};

void PrintTo(const CollapseCase& c, std::ostream* os) {
    *os << c.name;
}

// Each case is named after its name field.
constexpr auto kCaseName = [](const auto& info) { return std::string(info.param.name); };

class CollapseEscapesTest : public ::testing::TestWithParam<CollapseCase> {};

TEST_P(CollapseEscapesTest, GivesTheExpectedPattern) {
    const CollapseCase& c = GetParam();
    EXPECT_EQ(collapseEscapes(c.pattern, c.letter), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    CountBranch, CollapseEscapesTest,
    ::testing::Values(CollapseCase{"Run", "s", "a\\s\\s\\sb", "a\\s{3}b"},
                      CollapseCase{"NoRunOfAll", "s", "\\s\\sx\\s\\s", "\\s\\sx\\s\\s"},
                      CollapseCase{"Single", "s", "\\sx", "\\s{1}x"},
                      CollapseCase{"NoEscape", "s", "abc", "abc"},
                      // The count folds case (three) but the run of three is looked for exactly.
                      CollapseCase{"CountFoldsCase", "s", "\\s\\s\\S", "\\s\\s\\S"},
                      CollapseCase{"DigitsSpread", "d", "\\d\\d\\d\\d-\\d\\d",
                                   "\\d\\d\\d\\d-\\d\\d"},
                      CollapseCase{"DigitsRun", "d", "\\d\\d\\d\\d", "\\d{4}"},
                      CollapseCase{"Empty", "s", "", ""}),
    kCaseName);

INSTANTIATE_TEST_SUITE_P(
    CollapseBranch, CollapseEscapesTest,
    ::testing::Values(CollapseCase{"FirstCounted", "s", "\\s{2}x\\s", "\\s*x\\s"},
                      CollapseCase{"OnlyFirstCounted", "s", "\\s{2}x\\s{3}", "\\s*x\\s{3}"},
                      CollapseCase{"EmptyBraces", "s", "\\s{}x", "\\s*x"},
                      CollapseCase{"RangeStays", "s", "\\s{2,3}x", "\\s{2,3}x"},
                      CollapseCase{"BracketedStar", "s", "[\\\\s]*\\s{4}", "\\s*\\s*"},
                      CollapseCase{"OpenRepetitionStops", "s", "\\s*\\s\\s", "\\s*\\s\\s"},
                      CollapseCase{"SecondCallStops", "s", "\\s*x\\s{3}", "\\s*x\\s{3}"}),
    kCaseName);

// Only whole characters are escapes: a trail byte "\" followed by the letter is not one.
INSTANTIATE_TEST_SUITE_P(
    TwoByteCharacters, CollapseEscapesTest,
    ::testing::Values(CollapseCase{"TrailBackslashIsNoEscape", "s",
                                   kTrailBackslash + "s" + kTrailBackslash + "s",
                                   kTrailBackslash + "s" + kTrailBackslash + "s"},
                      CollapseCase{"TrailBackslashNotCounted", "s", kTrailBackslash + "s\\s\\s",
                                   kTrailBackslash + "s\\s{2}"},
                      CollapseCase{"TrailLetterBetweenEscapes", "d", "\\d" + kTrailD + "\\d",
                                   "\\d" + kTrailD + "\\d"}),
    kCaseName);

// A letter with which the counted expression does not compile leaves the pattern as it was,
// also the bracketed star that the branch's first step would have rewritten.
INSTANTIATE_TEST_SUITE_P(
    ExpressionFails, CollapseEscapesTest,
    ::testing::Values(CollapseCase{"UnbalancedLetter", "(", "[\\\\(]*x\\({2}", "[\\\\(]*x\\({2}"},
                      CollapseCase{"LetterBreaksCount", "s{9,1}", "\\s{9,1}{3}", "\\s{9,1}{3}"}),
    kCaseName);

} // namespace
} // namespace vexlo
