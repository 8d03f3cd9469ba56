// charCountOfBytes: the editor's character count of byte stretches, in both forms.
#include "text/ansi_text.h"
#include "text/primitives.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace vexlo {
namespace {

struct CountCase {
    std::string_view bytes;
    int expected;
};

class CharCount : public ::testing::TestWithParam<CountCase> {};

TEST_P(CharCount, BothFormsCountTheSame) {
    const CountCase& c = GetParam();
    EXPECT_EQ(charCountOfBytes(c.bytes), c.expected);
    EXPECT_EQ(charCountOfBytes(toBytes(c.bytes)), c.expected);
}

// std::string_view literals keep embedded bytes exact; sizes come from the literal.
using namespace std::string_view_literals;

INSTANTIATE_TEST_SUITE_P(
    Cases, CharCount,
    ::testing::Values(CountCase{""sv, 0}, CountCase{"a"sv, 1}, CountCase{"ab"sv, 2},
                      CountCase{"\r\n"sv, 1}, CountCase{"a\r\nb"sv, 3}, CountCase{"\r"sv, 1},
                      CountCase{"ab\r"sv, 3}, CountCase{"\ra"sv, 1}, CountCase{"\r\r\n"sv, 2},
                      CountCase{"\xB0\xA1"sv, 1},
                      CountCase{"\xB0\xA1"
                                "a"sv,
                                2},
                      CountCase{"a\xB0\xA1"sv, 2}, CountCase{"\xB0\xA1\xD6\xD0"sv, 2},
                      // a lone lead byte at the end counts by itself
                      CountCase{"a\xB0"sv, 2}, CountCase{"\xB0"sv, 1}, CountCase{"\xFF"sv, 1},
                      // a lead byte joins whatever follows, even ASCII or CR
                      CountCase{"\x80"
                                "a"sv,
                                1},
                      CountCase{"\xB0\r\n"sv, 2}, CountCase{"\r\xB0\xA1"sv, 2},
                      CountCase{"\xFF\xFF\xFF"sv, 2}));

TEST(CharCount, PrefixOfAMatchCountsPairsAndLineBreaksOnce) {
    // "x" CR LF, a two-byte character, then the match "m" at byte 6.
    const AnsiText t = "x\r\n\xD6\xD0m";
    const BytePos p = findText(t, "m");
    ASSERT_EQ(p, 6);
    EXPECT_EQ(charCountOfBytes(textLeft(t, p - 1)), 3);
    EXPECT_EQ(charCountOfBytes(textLeft(t, 0)), 0);
}

// The counting rule applied one byte at a time, to check long and mixed stretches against.
int stepwiseCount(std::string_view bytes) {
    int count = static_cast<int>(bytes.size());
    for (std::size_t i = 0; i + 1 < bytes.size();) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b >= 0x80 || b == '\r') {
            --count;
            i += 2;
        } else {
            ++i;
        }
    }
    return count;
}

TEST(CharCount, LongMixedStretchesAgreeWithTheStepwiseRule) {
    // Long ASCII runs with CRs, lead bytes and line breaks placed at every offset of a word.
    std::mt19937 random(7);
    const std::string_view alphabet = "abcdefgh\r\n\xB0\xFF\x80"sv;
    for (int round = 0; round < 500; ++round) {
        std::string text;
        const int length = static_cast<int>(random() % 80);
        for (int i = 0; i < length; ++i) {
            // mostly plain letters, so that whole words of ASCII occur
            const std::size_t pick = random() % 4 == 0 ? random() % alphabet.size() : random() % 8;
            text += alphabet[pick];
        }
        ASSERT_EQ(charCountOfBytes(text), stepwiseCount(text)) << testing::PrintToString(text);
        ASSERT_EQ(charCountOfBytes(toBytes(text)), stepwiseCount(text));
    }
}

} // namespace
} // namespace vexlo
