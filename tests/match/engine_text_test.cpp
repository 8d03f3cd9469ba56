// The texts a run hands to the engine: line breaks, the code page round trip, conversion in
// pieces, cancellation and the quote token.
#include "match/engine_text.h"
#include "text/codepage.h"

#include <gtest/gtest.h>

namespace vexlo {
namespace {

struct BreakCase {
    const char* name;
    std::u16string box;
    std::u16string engine;
};

TEST(EngineSubject, EveryLineBreakBecomesOneCrLf) {
    const BreakCase cases[] = {
        {"lf", u"a\nb", u"a\r\nb"},
        {"crlf stays one break", u"a\r\nb", u"a\r\nb"},
        {"lone cr", u"a\rb", u"a\r\nb"},
        {"cr then crlf", u"\r\r\n", u"\r\n\r\n"},
        {"lf cr is two breaks", u"\n\r", u"\r\n\r\n"},
        {"paragraph and line separators", u"a\u2029b\u2028c", u"a\r\nb\r\nc"},
        {"trailing break", u"a\n", u"a\r\n"},
        {"empty", u"", u""},
    };
    for (const auto& c : cases) {
        const auto engine = engineSubject(c.box);
        ASSERT_TRUE(engine) << c.name;
        EXPECT_EQ(*engine, c.engine) << c.name;
    }
}

TEST(EngineSubject, UnitsWithoutCodePageFormBecomeQuestionMarks) {
    // Chinese survives; an emoji (a surrogate pair) and a Thai letter have no code page 936 form.
    const auto engine = engineSubject(u"中文\U0001F600x\u0E01");
    ASSERT_TRUE(engine);
    EXPECT_EQ(*engine, u"中文??x?");
}

TEST(EngineSubject, PiecesGiveWhatOneConversionGives) {
    // Long enough for several pieces, with surrogate pairs, breaks and Chinese at every kind
    // of place, including across the piece boundaries.
    std::u16string box;
    for (int i = 0; box.size() < 700'000; ++i) {
        box += u"abc中文";
        if (i % 3 == 0)
            box += u"\U0001F600";
        if (i % 5 == 0)
            box += u'\n';
        if (i % 7 == 0)
            box += u"\r\n";
    }
    std::u16string crLf;
    for (std::size_t i = 0; i < box.size(); ++i) {
        if (box[i] == u'\n')
            crLf += u"\r\n";
        else if (box[i] == u'\r' && box[i + 1] == u'\n')
            crLf += u"\r\n", ++i;
        else
            crLf += box[i];
    }
    const auto engine = engineSubject(box);
    ASSERT_TRUE(engine);
    EXPECT_EQ(engine->size(), crLf.size());
    EXPECT_TRUE(*engine == ansiToUtf16(utf16ToAnsi(crLf)));
}

TEST(EngineSubject, StopsWhenCancelled) {
    const std::atomic<bool> cancelled{true};
    EXPECT_FALSE(engineSubject(u"abc", &cancelled));
    const std::atomic<bool> going{false};
    EXPECT_EQ(engineSubject(u"abc", &going), u"abc");
}

TEST(EnginePattern, QuoteTokenAndLineBreaks) {
    EXPECT_EQ(enginePattern(u"a#引号b#引号", true), u"a\"b\"");
    EXPECT_EQ(enginePattern(u"a#引号b", false), u"a#引号b");
    EXPECT_EQ(enginePattern(u"#引\n", true), u"#引\r\n");
    EXPECT_EQ(enginePattern(u"a\nb\U0001F600", false), u"a\r\nb??");
}

TEST(LineBreakOffsets, FindsTheCrOfEveryPair) {
    EXPECT_EQ(lineBreakOffsets(u"a\r\nb\r\n\r\n"), (std::vector<std::int32_t>{1, 4, 6}));
    EXPECT_EQ(lineBreakOffsets(u"\r\r\n\n\r"), (std::vector<std::int32_t>{1}));
    EXPECT_TRUE(lineBreakOffsets(u"").empty());
}

} // namespace
} // namespace vexlo
