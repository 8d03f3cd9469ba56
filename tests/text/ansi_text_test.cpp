// charCountOfBytes: the editor's character count of byte stretches, in both forms.
#include "text/ansi_text.h"
#include "text/primitives.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace vexlo
