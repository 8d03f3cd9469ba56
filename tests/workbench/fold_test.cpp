// Tests of foldRepeats and generaliseChars: the worked examples, the star expression that
// must not match the empty text, rewrites that cannot be done, and two-byte characters.
#include "workbench/commands.h"

#include <gtest/gtest.h>

#include <ostream>
#include <random>
#include <string>
#include <vector>

namespace vexlo {
namespace {

// "价" "格" "元"; "乤" "亃" "丄" "乨" "乗": trail bytes "a", "z", "A", "d", "\".
const std::string kJia = "\xBC\xDB";
const std::string kGe = "\xB8\xF1";
const std::string kYuan = "\xD4\xAA";
const std::string kTrailA = "\x81\x61";
const std::string kTrailZ = "\x81\x7A";
const std::string kTrailUpperA = "\x81\x41";
const std::string kTrailD = "\x81\x64";
const std::string kTrailBackslash = "\x81\x5C";

std::string times(const std::string& piece, int n) {
    std::string text;
    for (int i = 0; i < n; ++i) {
        text += piece;
    }
    return text;
}

struct FoldCase {
    const char* name;
    std::string t;
    std::string pattern;
    std::string expected;
};

void PrintTo(const FoldCase& c, std::ostream* os) {
    *os << c.name;
}

// Each case is named after its name field.
constexpr auto kCaseName = [](const auto& info) { return std::string(info.param.name); };

class FoldRepeatsTest : public ::testing::TestWithParam<FoldCase> {};

TEST_P(FoldRepeatsTest, GivesTheExpectedPattern) {
    const FoldCase& c = GetParam();
    EXPECT_EQ(foldRepeats(c.pattern, c.t), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Counted, FoldRepeatsTest,
    ::testing::Values(FoldCase{"InitialAnswer", "1", "1111", "1{4}"},
                      FoldCase{"SeveralCharactersNotGrouped", "ab", "xababab", "xab{3}"},
                      FoldCase{"CountedWithoutOverlap", "aa", "aaaa", "aa{2}"},
                      FoldCase{"NoRunOfAll", "ab", "ababxab", "ababxab"},
                      FoldCase{"CountIsCaseSensitive", "ab", "abAB", "ab{1}AB"},
                      FoldCase{"NotThere", "q", "abc", "abc"},
                      FoldCase{"ChineseRun", kJia, kJia + kJia + kGe, kJia + "{2}" + kGe},
                      FoldCase{"TrailBackslashRun", kTrailBackslash,
                               "x" + kTrailBackslash + kTrailBackslash,
                               "x" + kTrailBackslash + "{2}"}),
    kCaseName);

INSTANTIATE_TEST_SUITE_P(Collapse, FoldRepeatsTest,
                         ::testing::Values(FoldCase{"CountedBecomesOpen", "ab", "ab{2}xab",
                                                    "ab*xab"},
                                           FoldCase{"OpenRepetitionStops", "ab", "ab*ab", "ab*ab"},
                                           FoldCase{"SecondRunStops", "ab", "ab*xab", "ab*xab"},
                                           FoldCase{"BracketedStar", "a", "[a]*a{3}", "a*a*"}),
                         kCaseName);

// Six or more: only non-empty matches of the star expression are replaced.
INSTANTIATE_TEST_SUITE_P(
    Star, FoldRepeatsTest,
    ::testing::Values(
        FoldCase{"TwoCharacters", "ab", "abababababab", "ab*ab*ab*ab*ab*ab*"},
        FoldCase{"OneCharacterApart", "1", "1 1 1 1 1 1", "1* 1* 1* 1* 1* 1*"},
        FoldCase{"OneCharacterRun", "1", "1111111", "1*"},
        FoldCase{"OneChineseCharacter", kJia, kJia + "," + kJia + kJia + kJia + kJia + kJia,
                 kJia + "*," + kJia + "*" + kJia + "*" + kJia + "*" + kJia + "*" + kJia + "*"},
        // The expression sees bytes: the trail byte escapes the star, nothing matches, and the
        // pattern comes back whole.
        FoldCase{"TrailBackslashEscapesTheStar", kTrailBackslash, times(kTrailBackslash, 6),
                 times(kTrailBackslash, 6)}),
    kCaseName);

// Mended faults: nothing to fold by, or an expression that does not compile, leaves the
// pattern exactly as it was.
INSTANTIATE_TEST_SUITE_P(Unchanged, FoldRepeatsTest,
                         ::testing::Values(FoldCase{"EmptyAnswer", "", "a{3}", "a{3}"},
                                           FoldCase{"EmptyAnswerWithStar", "", "a*b", "a*b"},
                                           FoldCase{"StarDoesNotCompile", "(", "((((((", "(((((("},
                                           FoldCase{"CountedDoesNotCompile", "(", "[(]*x({2}",
                                                    "[(]*x({2}"},
                                           FoldCase{"EmptyPattern", "ab", "", ""}),
                         kCaseName);

struct GeneraliseCase {
    const char* name;
    std::string pattern;
    std::string expected;
};

void PrintTo(const GeneraliseCase& c, std::ostream* os) {
    *os << c.name;
}

class GeneraliseCharsTest : public ::testing::TestWithParam<GeneraliseCase> {};

TEST_P(GeneraliseCharsTest, GivesTheExpectedPattern) {
    const GeneraliseCase& c = GetParam();
    EXPECT_EQ(generaliseChars(c.pattern), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GeneraliseCharsTest,
    ::testing::Values(
        GeneraliseCase{"LettersAndDigits", "ab12", "[a-z][a-z]\\d{2}"},
        GeneraliseCase{"BothCases", "Zz", "[A-Z][a-z]"},
        GeneraliseCase{"SingleDigitCounted", "x9", "[a-z]\\d{1}"},
        GeneraliseCase{"DigitsSpread", "10-20", "\\d\\d-\\d\\d"},
        GeneraliseCase{"EveryLetter", "azAZmM", "[a-z][a-z][A-Z][A-Z][a-z][A-Z]"},
        GeneraliseCase{"ClassTextItself", "[a-z]", "[[a-z]-[a-z]]"},
        GeneraliseCase{"RepairTextItself", "[a-[a-z]]", "[[a-z]-[[a-z]-[a-z]]]"},
        GeneraliseCase{"LettersInsideEscapes", "\\s", "\\[a-z]"},
        GeneraliseCase{"ExistingOpenDigits", "\\d*1", "\\[a-z]*\\d{1}"},
        GeneraliseCase{"Empty", "", ""},
        GeneraliseCase{"ChineseStaysWhole", kJia + kGe + "99" + kYuan,
                       kJia + kGe + "\\d{2}" + kYuan},
        GeneraliseCase{"TrailLettersStayWhole", kTrailA + kTrailZ + kTrailUpperA + "z",
                       kTrailA + kTrailZ + kTrailUpperA + "[a-z]"},
        GeneraliseCase{"TrailDBetweenDigits", "1" + kTrailD + "2", "\\d" + kTrailD + "\\d"},
        GeneraliseCase{"LoneLeadByteAtEnd", "a\x81", "[a-z]\x81"}),
    kCaseName);

// Taken together, the 62 replacement passes and the two repairs map each character on its
// own: a letter to its class, a digit to "\d", everything else (two-byte characters whole)
// unchanged. Random texts built from the pieces that trip the repairs must agree with that.
std::string generalisedByCharacter(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c >= 0x80) {
            out += text.substr(i, 2);
            ++i;
        } else if (c >= 'a' && c <= 'z') {
            out += "[a-z]";
        } else if (c >= 'A' && c <= 'Z') {
            out += "[A-Z]";
        } else if (c >= '0' && c <= '9') {
            out += "\\d";
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

TEST(GeneraliseCharsModel, EveryCharacterOnItsOwn) {
    const std::vector<std::string> pieces = {
        "a",   "z",   "m",     "A",     "Z",     "[",          "]",        "-",
        "\\",  "d",   "D",     "1",     "0",     "{",          "}",        "*",
        "[a-", "[A-", kTrailA, kTrailZ, kTrailD, kTrailUpperA, "\x81\x5C", "\x81"};
    std::mt19937 random(20261211);
    std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
    std::uniform_int_distribution<int> length(0, 24);
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        for (int i = length(random); i > 0; --i) {
            text += pieces[pick(random)];
        }
        ASSERT_EQ(generaliseChars(text), collapseEscapes(generalisedByCharacter(text), "d"))
            << "for the text " << ::testing::PrintToString(text);
    }
}

} // namespace
} // namespace vexlo
