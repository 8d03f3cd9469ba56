// The text and byte-array primitives: clamping, the two-byte stepping of the searches and of
// replacement, case folding of A-Z only, and malformed bytes in every operation.
#include "text/primitives.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace vexlo {
namespace {

using namespace std::string_view_literals;
using std::nullopt;

TEST(Cutting, TextLeftAndMidClamp) {
    EXPECT_EQ(textLeft("abc", 5), "abc");
    EXPECT_EQ(textLeft("abc", 2), "ab");
    EXPECT_EQ(textLeft("abc", 0), "");
    EXPECT_EQ(textLeft("abc", -1), "");
    EXPECT_EQ(textLeft("", 3), "");
    EXPECT_EQ(textMid("xyz", 0, 2), "");
    EXPECT_EQ(textMid("xyz", 3, 5), "z");
    EXPECT_EQ(textMid("xyz", 4, 1), "");
    EXPECT_EQ(textMid("xyz", 2, 0), "");
    EXPECT_EQ(textMid("xyz", 2, 2147483647), "yz"); // start + count beyond 32 bits
    // Cuts do not look at pairs: one may split a two-byte character.
    EXPECT_EQ(textMid("\xB0\xA1\xB0\xA1"sv, 2, 2), "\xA1\xB0"sv);
    EXPECT_EQ(textLeft("a\xB0"sv, 2), "a\xB0"sv);
    EXPECT_EQ(textLength("a\xB0\xA1"sv), 3);
    EXPECT_EQ(textLength(""), 0);
}

TEST(Cutting, ByteArraysClampStartUnlikeTextMid) {
    const ByteArray xyz = toBytes("xyz");
    EXPECT_EQ(bytesMid(xyz, 0, 2), toBytes("xy"));
    EXPECT_EQ(bytesMid(xyz, -5, 1), toBytes("x"));
    EXPECT_EQ(bytesMid(xyz, 3, 5), toBytes("z"));
    EXPECT_EQ(bytesMid(xyz, 4, 1), ByteArray{});
    EXPECT_EQ(bytesMid(xyz, 9, 1), ByteArray{});
    EXPECT_EQ(bytesMid(xyz, 2, -1), ByteArray{});
    EXPECT_EQ(bytesLeft(xyz, 5), xyz);
    EXPECT_EQ(bytesLeft(xyz, -1), ByteArray{});
    EXPECT_EQ(bytesLeft(xyz, 1), toBytes("x"));
    EXPECT_EQ(bytesLength(xyz), 3);
    EXPECT_EQ(bytesLength(toBytes("")), 0);
    EXPECT_EQ(toBytes("\xFF\x80"sv), (ByteArray{0xFF, 0x80}));
}

TEST(Codes, CharCodeIsSignedAndZeroOutside) {
    EXPECT_EQ(charCode("abc", 4), 0);
    EXPECT_EQ(charCode("abc", 0), 0);
    EXPECT_EQ(charCode("abc"), 97);
    EXPECT_EQ(charCode("abc", 3), 99);
    EXPECT_EQ(charCode(""), 0);
    EXPECT_EQ(charCode("\xB0\xA1"sv), -80);
    EXPECT_EQ(charCode("\xFF"sv), -1);
    EXPECT_EQ(charCode("\x80"sv), -128);
    EXPECT_EQ(charFromCode(353), "a");
    EXPECT_EQ(charFromCode(256), "");
    EXPECT_EQ(charFromCode(0), "");
    EXPECT_EQ(charFromCode(-80), "\xB0"sv);
    EXPECT_EQ(charFromCode(0xFF), "\xFF"sv);
}

struct FindCase {
    std::string_view text;
    std::string_view sub;
    std::optional<BytePos> start;
    bool ignoreCase;
    BytePos expected;
};

class FindTextCases : public ::testing::TestWithParam<FindCase> {};

TEST_P(FindTextCases, FirstOccurrenceOnACharacter) {
    const FindCase& c = GetParam();
    EXPECT_EQ(findText(c.text, c.sub, c.start, c.ignoreCase), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FindTextCases,
    ::testing::Values(FindCase{"abc", "", nullopt, false, 1}, FindCase{"abc", "", 3, false, 1},
                      FindCase{"abc", "", 4, false, -1}, FindCase{"", "", nullopt, false, -1},
                      FindCase{"", "a", nullopt, false, -1}, FindCase{"abcabc", "bc", 3, false, 5},
                      FindCase{"abcabc", "bc", 0, false, 2}, FindCase{"abcabc", "bc", -9, false, 2},
                      FindCase{"abcabc", "bc", 7, false, -1},
                      FindCase{"abcabc", "abcabcx", 1, false, -1},
                      FindCase{"xay", "A", nullopt, true, 2},
                      FindCase{"xay", "A", nullopt, false, -1},
                      FindCase{"xAy", "a", nullopt, true, 2}, FindCase{"aBcD", "AbCd", 1, true, 1},
                      // full-width A (0xA3 0xC1) never matches its ASCII form
                      FindCase{"\xA3\xC1"sv, "A", nullopt, true, -1},
                      FindCase{"\xA3\xC1"sv, "\xA3\xE1"sv, nullopt, true, -1},
                      // second bytes fold too: 0xB0 'A' matches 0xB0 'a' with folding
                      FindCase{"\xB0\x41"sv, "\xB0\x61"sv, nullopt, true, 1},
                      // the second byte of a pair is never a start
                      FindCase{"\xB0\x41\x41"sv, "A", nullopt, false, 3},
                      FindCase{"\xB0\x41\x41"sv, "a", nullopt, true, 3},
                      FindCase{"\xB0\x41"sv, "A", nullopt, false, -1},
                      FindCase{"\xB0\xB0\xB0\x41"sv, "\xB0\x41"sv, nullopt, false, 3},
                      FindCase{"\xB0\xB0\xB0\xB0\x41"sv, "\xB0\x41"sv, nullopt, false, -1},
                      // pairs are counted from the start position, which may sit on a second byte
                      FindCase{"\xB0\x41\x41"sv, "A", 2, false, 2},
                      FindCase{"a\xB0\xB0\x41"sv, "\xB0\x41"sv, 3, false, 3},
                      // ASCII in front resynchronises the pairing
                      FindCase{"\xB0\x41z\xB0\x41"sv, "\x41"sv, nullopt, false, -1},
                      FindCase{"\xB0\x41zA"sv, "A", nullopt, false, 4},
                      // malformed: a lone lead byte at the end, 0x80, 0xFF
                      FindCase{"a\xB0"sv, "\xB0"sv, nullopt, false, 2},
                      FindCase{"a\xB0"sv, "b", nullopt, false, -1},
                      FindCase{"\x80"
                               "a"sv,
                               "a", nullopt, false, -1},
                      FindCase{"\xFF\xFF"
                               "a"sv,
                               "a", nullopt, false, 3},
                      FindCase{"\xFF\xFF\xFF"sv, "\xFF"sv, 2, false, 2},
                      FindCase{"\xFF"sv, "\xFF\xFF"sv, nullopt, false, -1}));

class FindTextReverseCases : public ::testing::TestWithParam<FindCase> {};

TEST_P(FindTextReverseCases, LastOccurrenceInsideTheRegion) {
    const FindCase& c = GetParam();
    EXPECT_EQ(findTextReverse(c.text, c.sub, c.start, c.ignoreCase), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FindTextReverseCases,
    ::testing::Values(
        FindCase{"abcabc", "abc", nullopt, false, 4}, FindCase{"abcabc", "abc", 7, false, 4},
        FindCase{"abcabc", "abc", 99, false, 4}, FindCase{"abcabc", "abc", 6, false, 1},
        FindCase{"abcabc", "abc", 4, false, 1}, FindCase{"abcabc", "abc", 3, false, -1},
        FindCase{"abcabc", "abc", 1, false, -1}, FindCase{"abcabc", "abc", -3, false, -1},
        FindCase{"aaa", "aa", nullopt, false, 2}, FindCase{"aaa", "", nullopt, false, 1},
        FindCase{"aaa", "", 2, false, 1}, FindCase{"aaa", "", 1, false, -1},
        FindCase{"", "", nullopt, false, -1}, FindCase{"", "a", nullopt, false, -1},
        FindCase{"ABCabc", "abc", nullopt, false, 4}, FindCase{"abcABC", "abc", nullopt, true, 4},
        FindCase{"abcABC", "abc", nullopt, false, 1},
        // pairs counted from byte 1
        FindCase{"A\xB0\x41"sv, "A", nullopt, false, 1},
        FindCase{"\xB0\x41\xB0\x41"sv, "\x41\xB0"sv, nullopt, false, -1},
        FindCase{"\xB0\xB0\x41\x41"sv, "\xB0\x41"sv, nullopt, false, -1},
        FindCase{"\xB0\xB0\xB0\x41"sv, "\xB0\x41"sv, nullopt, false, 3},
        FindCase{"\xB0\x41\xB0\x41"
                 "A"sv,
                 "A", nullopt, false, 5},
        FindCase{"\xB0\x41\xB0\x41"
                 "A"sv,
                 "A", 5, false, -1},
        // malformed: a lone lead byte at the end, 0x80, 0xFF
        FindCase{"ab\xB0"sv, "\xB0"sv, nullopt, false, 3},
        FindCase{"\xB0\xB0\xB0"sv, "\xB0"sv, nullopt, false, 3},
        FindCase{"\xB0\xB0\xB0"sv, "\xB0"sv, 3, false, 1},
        FindCase{"\x80"
                 "a\x80"
                 "a"sv,
                 "a", nullopt, false, -1},
        FindCase{"\xFF"
                 "aa"sv,
                 "a", nullopt, false, 3}));

struct ReplaceCase {
    std::string_view text;
    std::string_view sub;
    std::optional<std::string_view> replacement;
    std::optional<BytePos> start;
    std::optional<int> count;
    bool caseSensitive;
    std::string_view expected;
};

class ReplaceTextCases : public ::testing::TestWithParam<ReplaceCase> {};

TEST_P(ReplaceTextCases, ReplacesOnCharactersAndLosesNothing) {
    const ReplaceCase& c = GetParam();
    EXPECT_EQ(replaceText(c.text, c.sub, c.replacement, c.start, c.count, c.caseSensitive),
              c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ReplaceTextCases,
    ::testing::Values(ReplaceCase{"aaaa", "aa", "b", nullopt, nullopt, true, "bb"},
                      ReplaceCase{"aaaa", "aa", "b", nullopt, 1, true, "baa"},
                      ReplaceCase{"aaaa", "aa", "b", 2, nullopt, true, "aba"},
                      ReplaceCase{"aaaa", "aa", "b", 5, nullopt, true, "aaaa"},
                      ReplaceCase{"aaaa", "aa", "b", nullopt, 0, true, "aaaa"},
                      ReplaceCase{"aaaa", "aa", "b", nullopt, -3, true, "bb"},
                      ReplaceCase{"aaaa", "aa", "b", -2, 1, true, "baa"},
                      ReplaceCase{"xAx", "a", "b", nullopt, nullopt, false, "xbx"},
                      ReplaceCase{"xAx", "a", "b", nullopt, nullopt, true, "xAx"},
                      ReplaceCase{"axbxc", "x", nullopt, nullopt, nullopt, true, "abc"},
                      ReplaceCase{"abc", "", "z", nullopt, nullopt, true, "abc"},
                      ReplaceCase{"", "a", "z", nullopt, nullopt, true, ""},
                      // the inserted replacement is never searched again
                      ReplaceCase{"aa", "a", "aa", nullopt, nullopt, true, "aaaa"},
                      // the second byte of a pair is never a start
                      ReplaceCase{"\xB0\x41"
                                  "A"sv,
                                  "A", "b", nullopt, nullopt, true,
                                  "\xB0\x41"
                                  "b"sv},
                      ReplaceCase{"\xB0\x61"
                                  "A"sv,
                                  "a", "b", nullopt, nullopt, false,
                                  "\xB0\x61"
                                  "b"sv},
                      // after a match ending on a lead byte, counting restarts behind it
                      ReplaceCase{"\xB0\x41\x41"sv, "\xB0"sv, "", nullopt, nullopt, true, "AA"},
                      // malformed: a lone lead byte at the end, 0x80, 0xFF are copied through
                      ReplaceCase{"ab\xB0"sv, "x", "y", nullopt, nullopt, true, "ab\xB0"sv},
                      ReplaceCase{"ab\xB0"sv, "b", "y", nullopt, nullopt, true, "ay\xB0"sv},
                      ReplaceCase{"ab\xB0"sv, "\xB0"sv, "y", nullopt, nullopt, true, "aby"},
                      ReplaceCase{"\x80"
                                  "a"
                                  "a"sv,
                                  "a", "y", nullopt, nullopt, true,
                                  "\x80"
                                  "ay"sv},
                      ReplaceCase{"\xFF\xFF\xFF"sv, "\xFF"sv, "y", nullopt, nullopt, true, "yyy"},
                      ReplaceCase{"\xFF\xFF\xFF"sv, "\xFF\xFF"sv, "y", 2, nullopt, true,
                                  "\xFFy"sv}));

struct IntCase {
    std::string_view text;
    int expected;
};

class ToIntCases : public ::testing::TestWithParam<IntCase> {};

TEST_P(ToIntCases, ReadsLikeTheCLibraryAfterHalfWidthing) {
    EXPECT_EQ(toInt(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ToIntCases,
    ::testing::Values(IntCase{"  -12ab", -12}, IntCase{"abc", 0}, IntCase{"", 0}, IntCase{"+7", 7},
                      IntCase{"\t\r\n\v\f 42", 42}, IntCase{"-", 0}, IntCase{"+-5", 0},
                      IntCase{"0012", 12}, IntCase{"2147483647", 2147483647},
                      IntCase{"2147483648", -2147483647 - 1}, IntCase{"4294967297", 1},
                      IntCase{"-2147483648", -2147483647 - 1},
                      // full-width digits, signs and space
                      IntCase{"\xA3\xB1\xA3\xB2"sv, 12}, IntCase{"\xA3\xAD\xA3\xB3"sv, -3},
                      IntCase{"\xA1\xA1\xA3\xAB"
                              "5"sv,
                              5},
                      IntCase{"1\xA3\xB2"
                              "3"sv,
                              123},
                      // other pairs stop the number; a lone lead byte at the end too
                      IntCase{"4\xB0\xB1"sv, 4},
                      IntCase{"\xA1\xAB"
                              "1"sv,
                              0},
                      IntCase{"9\xA3"sv, 9},
                      IntCase{"\x80"
                              "1"sv,
                              0},
                      IntCase{"\xFF"sv, 0}));

TEST(Conversion, ToTextForms) {
    EXPECT_EQ(toText(-5), "-5");
    EXPECT_EQ(toText(0), "0");
    EXPECT_EQ(toText(-2147483647 - 1), "-2147483648");
    EXPECT_EQ(toText(true), "\xD5\xE6"sv);
    EXPECT_EQ(toText(false), "\xBC\xD9"sv);
    EXPECT_EQ(toText(ByteArray{'a', 'b', 0, 'd'}), "ab");
    EXPECT_EQ(toText(ByteArray{0xB0, 0xA1}), "\xB0\xA1"sv);
    EXPECT_EQ(toText(ByteArray{}), "");
}

TEST(Building, BlankConcatCompare) {
    EXPECT_EQ(blankText(3), "   ");
    EXPECT_EQ(blankText(0), "");
    EXPECT_EQ(blankText(-2), "");
    EXPECT_EQ(concatText("a", "b"), "ab");
    EXPECT_EQ(concatText("a", "", "\xB0"sv, "c", "d"), "a\xB0"
                                                       "cd"sv);
    EXPECT_EQ(concatText("", ""), "");
    EXPECT_EQ(compareText("", ""), 0);
    EXPECT_EQ(compareText("0", "0"), 0);
    EXPECT_EQ(compareText("a", "b"), -1);
    EXPECT_EQ(compareText("b", "a"), 1);
    EXPECT_EQ(compareText("ab", "a"), 1);
    EXPECT_EQ(compareText("", "a"), -1);
    // bytes compare as unsigned values: 0xB0 sorts after 'z'
    EXPECT_EQ(compareText("\xB0"sv, "z"), 1);
    EXPECT_EQ(compareText("\x80"sv, "\xFF"sv), -1);
}

} // namespace
} // namespace vexlo
