// Code page 936 conversion: exact round trips of ASCII and every two-byte code, one U+FFFD per
// bad byte, one "?" per unit without a form.
#include "text/codepage.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <thread>
#include <vector>

namespace vexlo {
namespace {

using namespace std::string_view_literals;

constexpr char16_t BAD = u'\uFFFD';

TEST(Codepage, AsciiRoundTripsExactly) {
    std::string ascii;
    for (int c = 1; c < 0x80; ++c) {
        ascii += static_cast<char>(c);
    }
    const std::u16string units = ansiToUtf16(ascii);
    ASSERT_EQ(units.size(), ascii.size());
    for (std::size_t i = 0; i < ascii.size(); ++i) {
        EXPECT_EQ(units[i], static_cast<char16_t>(ascii[i]));
    }
    EXPECT_EQ(utf16ToAnsi(units), ascii);
    EXPECT_EQ(ansiToUtf16(""), u"");
    EXPECT_EQ(utf16ToAnsi(u""), "");
}

TEST(Codepage, KnownCharacters) {
    EXPECT_EQ(ansiToUtf16("\xD6\xD0\xCE\xC4"sv), u"\u4E2D\u6587");
    EXPECT_EQ(utf16ToAnsi(u"\u4E2D\u6587"), "\xD6\xD0\xCE\xC4"sv);
    EXPECT_EQ(ansiToUtf16("\xD2\xFD\xBA\xC5"sv), u"\u5F15\u53F7"); // the quote token's word
    EXPECT_EQ(ansiToUtf16("\xA3\xC1"sv), u"\uFF21");               // full-width A
}

// Every code of the two-byte grid that reads as one character writes back as the same two
// bytes; a code that does not read gives one U+FFFD per byte.
TEST(Codepage, EveryTwoByteCodeRoundTrips) {
    int characters = 0;
    std::string all;
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            if (trail == 0x7F) {
                continue;
            }
            const std::string code{static_cast<char>(lead), static_cast<char>(trail)};
            const std::u16string units = ansiToUtf16(code);
            if (units.size() == 1 && units[0] != BAD) {
                ++characters;
                ASSERT_EQ(utf16ToAnsi(units), code) << std::hex << lead << ' ' << trail;
                all += code;
            } else {
                EXPECT_EQ(units, (std::u16string{BAD, BAD})) << std::hex << lead << ' ' << trail;
            }
        }
    }
    // GBK has 21886 characters; code page 936 adds the user-defined areas on top.
    EXPECT_GE(characters, 21886);
    // The same codes in one long text: one unit each and back again.
    const std::u16string units = ansiToUtf16(all);
    EXPECT_EQ(units.size(), all.size() / 2);
    EXPECT_EQ(utf16ToAnsi(units), all);
}

struct BadBytesCase {
    std::string_view bytes;
    std::u16string_view expected;
};

class BadBytes : public ::testing::TestWithParam<BadBytesCase> {};

TEST_P(BadBytes, OneReplacementPerBadByte) {
    EXPECT_EQ(ansiToUtf16(GetParam().bytes), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, BadBytes,
    ::testing::Values(BadBytesCase{"a\xB0"sv, u"a\uFFFD"}, // lone lead byte at the end
                      BadBytesCase{"\xB0"sv, u"\uFFFD"},
                      BadBytesCase{"\x80"sv, u"\uFFFD"}, // the table's euro byte
                      BadBytesCase{"\xFF"sv, u"\uFFFD"},
                      BadBytesCase{"\x80\x80\xFF"sv, u"\uFFFD\uFFFD\uFFFD"},
                      BadBytesCase{"\xFF"
                                   "A"sv,
                                   u"\uFFFDA"},
                      BadBytesCase{"\xB0\x30"sv, u"\uFFFD0"}, // bad trail byte: the digit survives
                      BadBytesCase{"\x81\x7F"
                                   "b"sv,
                                   u"\uFFFD\u007Fb"},
                      BadBytesCase{"\x81\xFF"sv, u"\uFFFD\uFFFD"},
                      BadBytesCase{"\xD6\xD0\xB0"sv, u"\u4E2D\uFFFD"},
                      BadBytesCase{"\x81\x81\x40"sv, u"\u4E96@"}));

struct NoFormCase {
    std::u16string_view units;
    std::string_view expected;
};

class NoForm : public ::testing::TestWithParam<NoFormCase> {};

TEST_P(NoForm, OneQuestionMarkPerUnit) {
    EXPECT_EQ(utf16ToAnsi(GetParam().units), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, NoForm,
    ::testing::Values(NoFormCase{u"a\U0001F600b", "a??b"}, // surrogate pair
                      NoFormCase{u"\u0E01", "?"},          // Thai: no form
                      NoFormCase{u"\u20AC", "?"},          // euro: its byte would pair up
                      NoFormCase{u"\uF8F5", "?"}, NoFormCase{u"x\u20AC\u4E2D", "x?\xD6\xD0"sv},
                      NoFormCase{std::u16string_view(u"\xD800"
                                                     "a",
                                                     2),
                                 "?a"},                                       // lone high
                      NoFormCase{std::u16string_view(u"a\xDC00", 2), "a?"},   // lone low
                      NoFormCase{std::u16string_view(u"a\xD800", 2), "a?"})); // at the end

// Pieces that convert on their own and end on a clean boundary, so a text made of them
// converts to the pieces' conversions joined: ASCII runs short and long, two-byte codes,
// lone 0x80 and 0xFF, a lead byte before a byte that cannot follow it.
struct Piece {
    std::string_view bytes;
    std::u16string_view units;
};
constexpr Piece PIECES[] = {
    {"a", u"a"},
    {"\r\n", u"\r\n"},
    {"0123456789abcdefghij", u"0123456789abcdefghij"},
    {"\xD6\xD0", u"\u4E2D"},
    {"\x81\x40", u"\u4E02"},
    {"\x81\x80", u"\u4E90"},
    {"\xB0\x41", u"\u7646"},
    {"\xA3\xC1", u"\uFF21"},
    {"\x80", u"\uFFFD"},
    {"\xFF", u"\uFFFD"},
    {"\xB0\x30", u"\uFFFD0"},
};

TEST(Codepage, MixedTextsConvertPieceByPiece) {
    std::mt19937 random(3);
    for (int round = 0; round < 400; ++round) {
        std::string bytes;
        std::u16string expected;
        const int pieces = static_cast<int>(random() % 60);
        for (int i = 0; i < pieces; ++i) {
            const Piece& piece = PIECES[random() % std::size(PIECES)];
            bytes += piece.bytes;
            expected += piece.units;
        }
        ASSERT_EQ(ansiToUtf16(bytes), expected) << testing::PrintToString(bytes);
    }
}

TEST(Codepage, MixedUnitsEncodePieceByPiece) {
    constexpr std::pair<std::u16string_view, std::string_view> pieces[] = {
        {u"a", "a"},
        {u"0123456789abcdefghij", "0123456789abcdefghij"},
        {u"\u4E2D", "\xD6\xD0"},
        {u"\u4E90", "\x81\x80"},
        {u"\u20AC", "?"},
        {u"\uF8F5", "?"},
        {u"\U0001F600", "??"},
        {u"\u0E01", "?"},
    };
    std::mt19937 random(5);
    for (int round = 0; round < 400; ++round) {
        std::u16string units;
        std::string expected;
        const int count = static_cast<int>(random() % 60);
        for (int i = 0; i < count; ++i) {
            const auto& piece = pieces[random() % std::size(pieces)];
            units += piece.first;
            expected += piece.second;
        }
        ASSERT_EQ(utf16ToAnsi(units), expected);
    }
}

TEST(Codepage, ConvertsOnManyThreadsAtOnce) {
    const std::string text = "x\xD6\xD0\xCE\xC4\r\n\xB0";
    std::vector<std::thread> threads;
    std::vector<int> failures(4, 0);
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < 2000; ++i) {
                if (utf16ToAnsi(ansiToUtf16(text)) != "x\xD6\xD0\xCE\xC4\r\n?") {
                    ++failures[static_cast<std::size_t>(t)];
                }
            }
        });
    }
    for (std::thread& th : threads) {
        th.join();
    }
    EXPECT_EQ(failures, std::vector<int>(4, 0));
}

} // namespace
} // namespace vexlo
