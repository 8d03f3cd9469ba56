// countOccurrences, findTextFrom and replacePairs: how they differ from the primitives they
// sit on (plain byte search, empty-sub results, per-pair counts) and malformed bytes.
#include "text/occurrences.h"
#include "text/primitives.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>

namespace vexlo {
namespace {

using namespace std::string_view_literals;
using std::nullopt;

struct CountCase {
    std::string_view text;
    std::string_view sub;
    bool caseSensitive;
    int expected;
};

class CountCases : public ::testing::TestWithParam<CountCase> {};

TEST_P(CountCases, NonOverlappingOnCharacters) {
    const CountCase& c = GetParam();
    EXPECT_EQ(countOccurrences(c.text, c.sub, c.caseSensitive), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CountCases,
    ::testing::Values(CountCase{"aaaa", "aa", false, 2}, CountCase{"aaa", "aa", false, 1},
                      CountCase{"abcABC", "abc", false, 2}, CountCase{"abcABC", "abc", true, 1},
                      CountCase{"", "a", false, 0}, CountCase{"abc", "", false, 0},
                      CountCase{"\\s\\S", "\\s", false, 2}, CountCase{"\\s\\S", "\\s", true, 1},
                      // only character starts count; a trail 'A' is skipped
                      CountCase{"\xB0\x41"
                                "A\xB0\x41"sv,
                                "A", true, 1},
                      // counting restarts behind each occurrence, even one ending on a lead
                      CountCase{"\xB0\xB0\xB0"sv, "\xB0"sv, true, 3},
                      CountCase{"a\xB0"sv, "\xB0"sv, true, 1},
                      CountCase{"\x80"
                                "a"
                                "a"sv,
                                "a", true, 1},
                      CountCase{"\xFF\xFF"sv, "\xFF"sv, true, 2}));

TEST(CountOccurrences, DefaultFoldsCase) {
    EXPECT_EQ(countOccurrences("abcABC", "abc"), 2);
}

struct FromCase {
    std::string_view text;
    std::string_view sub;
    std::optional<BytePos> start;
    bool ignoreCase;
    BytePos expected;
};

class FindTextFromCases : public ::testing::TestWithParam<FromCase> {};

TEST_P(FindTextFromCases, PlainByteSearch) {
    const FromCase& c = GetParam();
    EXPECT_EQ(findTextFrom(c.text, c.sub, c.start, c.ignoreCase), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FindTextFromCases,
    ::testing::Values(
        FromCase{"abcabc", "bc", 3, false, 5}, FromCase{"abcabc", "bc", 0, false, 2},
        FromCase{"abcabc", "bc", nullopt, false, 2}, FromCase{"abcabc", "bc", 7, false, -1},
        FromCase{"abcabc", "bc", 5, false, 5}, FromCase{"abcabc", "bc", 6, false, -1},
        // a start outside 0..length+1 is clamped into it
        FromCase{"abcabc", "bc", -4, false, 2}, FromCase{"abcabc", "bc", 99, false, -1},
        FromCase{"abcabc", "bc", 2147483647, false, -1},
        // any byte offset, the second byte of a pair included
        FromCase{"\xB0\x41"
                 "A"sv,
                 "A", nullopt, false, 2},
        FromCase{"\xB0\x41"
                 "A"sv,
                 "A", 3, false, 3},
        FromCase{"ABC", "b", nullopt, true, 2}, FromCase{"ABC", "b", nullopt, false, -1},
        FromCase{"abc", "B", nullopt, true, 2}, FromCase{"\xB0\x61"sv, "A", nullopt, true, 2},
        FromCase{"\xA3\xC1"sv, "\xA3\xE1"sv, nullopt, true, -1},
        FromCase{"", "a", nullopt, false, -1}, FromCase{"abc", "", nullopt, false, -1},
        FromCase{"abc", "", 2, false, -1},
        // malformed bytes
        FromCase{"a\xB0"sv, "\xB0"sv, nullopt, false, 2},
        FromCase{"\x80\x80"sv, "\x80"sv, 2, false, 2},
        FromCase{"\xFF"sv, "\xFF\xFF"sv, nullopt, false, -1}));

TEST(FindTextFrom, DiffersFromFindTextOnSecondBytes) {
    const auto text = "\xB0\x41"
                      "A"sv;
    EXPECT_EQ(findTextFrom(text, "A"), 2);
    EXPECT_EQ(findText(text, "A"), 3);
}

TEST(Occurrences, AgreeWithPlainModelsOnRandomTexts) {
    // findTextFrom against a byte-by-byte folded compare at every offset; countOccurrences
    // against repeated findText, which is itself checked against the stepping rules.
    const std::string_view alphabet = "aAbB\xB0\xC1\x80\xFF"sv;
    std::mt19937 random(13);
    auto randomText = [&](std::size_t length) {
        std::string text;
        for (std::size_t i = 0; i < length; ++i) {
            text += alphabet[random() % alphabet.size()];
        }
        return text;
    };
    auto fold = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
    for (int round = 0; round < 2000; ++round) {
        const std::size_t length = round % 50 == 0 ? 6000 : random() % 30;
        const std::string text = randomText(length);
        const std::string sub = randomText(length > 1000 ? 5 : 1 + random() % 3);
        const bool ignoreCase = random() % 2 == 0;
        const auto start = static_cast<BytePos>(random() % (length + 2));
        BytePos expected = -1;
        for (std::size_t q = start == 0 ? 0 : start - 1; q + sub.size() <= text.size(); ++q) {
            bool same = true;
            for (std::size_t i = 0; i < sub.size() && same; ++i) {
                same = ignoreCase ? fold(text[q + i]) == fold(sub[i]) : text[q + i] == sub[i];
            }
            if (same) {
                expected = static_cast<BytePos>(q + 1);
                break;
            }
        }
        ASSERT_EQ(findTextFrom(text, sub, start, ignoreCase), expected);
        int count = 0;
        for (BytePos p = findText(text, sub, nullopt, ignoreCase); p != -1;
             p = findText(text, sub, p + static_cast<BytePos>(sub.size()), ignoreCase)) {
            ++count;
        }
        ASSERT_EQ(countOccurrences(text, sub, !ignoreCase), count);
    }
}

TEST(ReplacePairs, EachPairSeesTheResultOfTheOneBefore) {
    EXPECT_EQ(replacePairs("ab", nullopt, nullopt, false, {{"a", "b"}, {"b", "d"}}), "dd");
    EXPECT_EQ(replacePairs("xX", nullopt, nullopt, false, {{"x", "y"}}), "yy");
    EXPECT_EQ(replacePairs("xX", nullopt, nullopt, true, {{"x", "y"}}), "yX");
    // empty searches change nothing, so spare pairs can be left empty
    EXPECT_EQ(replacePairs("aXa", nullopt, nullopt, true, {{"a", "b"}, {"", "q"}, {"", ""}}),
              replaceText("aXa", "a", "b", nullopt, nullopt, true));
}

struct PairsCase {
    std::optional<int> count;
    std::optional<BytePos> start;
    std::string_view expected;
};

class ReplacePairsLimits : public ::testing::TestWithParam<PairsCase> {};

TEST_P(ReplacePairsLimits, StartAndCountApplyToEveryPair) {
    const PairsCase& c = GetParam();
    EXPECT_EQ(replacePairs("aaaa", c.count, c.start, false, {{"a", "b"}, {"a", "c"}}), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Table, ReplacePairsLimits,
                         ::testing::Values(PairsCase{nullopt, 3, "aabb"},
                                           PairsCase{nullopt, 0, "bbbb"}, PairsCase{1, 1, "bcaa"},
                                           PairsCase{1, 0, "bcaa"}, PairsCase{0, 1, "aaaa"},
                                           PairsCase{-1, 1, "bbbb"}, PairsCase{2, 2, "abbc"}));

TEST(ReplacePairs, KeepsATrailingLeadByte) {
    EXPECT_EQ(replacePairs("a\xB0"sv, nullopt, nullopt, true, {{"a", "b"}, {"\xB0"sv, "c"}}), "bc");
    EXPECT_EQ(replacePairs("a\xB0"sv, nullopt, nullopt, true, {{"a", "b"}, {"z", "c"}}), "b\xB0"sv);
}

} // namespace
} // namespace vexlo
