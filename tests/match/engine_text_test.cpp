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
        EXPECT_EQ(engine->text, c.engine) << c.name;
        EXPECT_EQ(engine->lineBreaks, lineBreakOffsets(c.engine)) << c.name;
    }
}

TEST(EngineSubject, UnitsWithoutCodePageFormBecomeQuestionMarks) {
    // Chinese survives; an emoji (a surrogate pair) and a Thai letter have no code page 936 form.
    const auto engine = engineSubject(u"中文\U0001F600x\u0E01");
    ASSERT_TRUE(engine);
    EXPECT_EQ(engine->text, u"中文??x?");
}

// The subject is mapped unit by unit; what the matcher would get converts it whole.
TEST(EngineSubject, GivesWhatConvertingTheWholeTextGives) {
    // Long enough to be looked at for cancelling several times, with surrogate pairs, breaks
    // and Chinese at every kind of place.
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
    EXPECT_EQ(engine->text.size(), crLf.size());
    EXPECT_TRUE(engine->text == ansiToUtf16(utf16ToAnsi(crLf)));
    EXPECT_TRUE(engine->lineBreaks == lineBreakOffsets(crLf));
}

TEST(EngineSubject, EveryUnitAsTheCodePageConvertsIt) {
    // All units but the line breaks, in an order unlike the code page's, and surrogates
    // both paired and alone.
    std::u16string box;
    auto isBreak = [](char16_t unit) {
        return unit == u'\n' || unit == u'\r' || unit == 0x2028 || unit == 0x2029;
    };
    for (char32_t i = 0; i <= 0xFFFF; ++i) {
        const auto unit = char16_t((i * 40503u) & 0xFFFF);
        if (!isBreak(unit))
            box.push_back(unit);
    }
    box += u"\U0001F600\xDC00"
           u"a\xD800\n";
    const auto engine = engineSubject(box);
    ASSERT_TRUE(engine);
    std::u16string crLf;
    for (char16_t unit : box)
        crLf += isBreak(unit) ? std::u16string(u"\r\n") : std::u16string(1, unit);
    const std::u16string whole = ansiToUtf16(utf16ToAnsi(crLf));
    ASSERT_EQ(engine->text.size(), whole.size());
    for (std::size_t i = 0; i < whole.size(); ++i)
        ASSERT_EQ(int(engine->text[i]), int(whole[i])) << "at " << i << " unit " << int(crLf[i]);
}

TEST(EngineSubject, StopsWhenCancelled) {
    const std::atomic<bool> cancelled{true};
    EXPECT_FALSE(engineSubject(u"abc", &cancelled));
    const std::atomic<bool> going{false};
    EXPECT_EQ(engineSubject(u"abc", &going)->text, u"abc");
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
