// RegexMatcher over code page 936 texts: options and their defaults, restoring the quote
// token, one GBK character as one character, and the numbered reads with their bounds.
#include "regex/matcher.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vexlo {
namespace {

// Code page 936 bytes of the Chinese texts used below.
#define ZHONG "\xD6\xD0" // 中
#define WEN "\xCE\xC4"   // 文
#define ZI "\xD7\xD6"    // 字
#define FU "\xB7\xFB"    // 符

std::vector<std::string> allMatches(const RegexMatcher& m) {
    std::vector<std::string> out;
    for (int i = 1; i <= m.matchCount(); ++i)
        out.push_back(m.matchText(i));
    return out;
}

struct CreateCase {
    const char* name;
    std::string pattern;
    std::string subject;
    bool caseSensitive;
    bool multiline;
    bool global;
    bool restoreQuotes;
    std::vector<std::string> expected;
};

TEST(RegexMatcher, CreateAppliesOptionsAndConvertsTexts) {
    const std::vector<CreateCase> cases = {
        {"ignore-case by default", "abc", "xABC", false, true, true, false, {"ABC"}},
        {"case-sensitive", "abc", "ABC", true, true, true, false, {}},
        {"multiline anchors", "^\\w", "a\r\nb", false, true, true, false, {"a", "b"}},
        {"single-line anchors", "^\\w", "a\r\nb", false, false, true, false, {"a"}},
        {"not global", "a", "aaa", false, true, false, false, {"a"}},
        {"empty pattern", "", "ab", false, true, true, false, {"", "", ""}},
        {"token restored",
         "a" + std::string(QUOTE_TOKEN) + "b",
         "a\"b",
         false,
         true,
         true,
         true,
         {"a\"b"}},
        {"token restored, not its text",
         "a" + std::string(QUOTE_TOKEN) + "b",
         "a" + std::string(QUOTE_TOKEN) + "b",
         false,
         true,
         true,
         true,
         {}},
        {"token kept",
         "a" + std::string(QUOTE_TOKEN) + "b",
         "a" + std::string(QUOTE_TOKEN) + "b",
         false,
         true,
         true,
         false,
         {"a" + std::string(QUOTE_TOKEN) + "b"}},
        {"GBK character is one to dot and count",
         ZHONG ".{2}",
         ZHONG WEN ZI FU,
         false,
         true,
         true,
         false,
         {ZHONG WEN ZI}},
        {"GBK character next to ASCII",
         ".{2}",
         "a" ZHONG "b",
         false,
         true,
         true,
         false,
         {"a" ZHONG}},
        {"GBK class range",
         "[\xD2\xBB-\xFD\x9B]+",
         "ab" ZHONG WEN "c",
         false,
         true,
         true,
         false,
         {ZHONG WEN}},
        {"full-width digits are not \\d",
         "\\d+",
         "\xA3\xB1\xA3\xB2"
         "3",
         false,
         true,
         true,
         false,
         {"3"}},
        {"bad byte becomes the default character",
         ".",
         "a\x81",
         false,
         true,
         true,
         false,
         {"a", "?"}},
    };
    for (const CreateCase& c : cases) {
        RegexMatcher m;
        ASSERT_TRUE(
            m.create(c.pattern, c.subject, c.caseSensitive, c.multiline, c.global, c.restoreQuotes))
            << c.name;
        EXPECT_EQ(allMatches(m), c.expected) << c.name;
    }
}

TEST(RegexMatcher, DefaultsAreIgnoreCaseMultilineGlobalNoQuotes) {
    RegexMatcher m;
    ASSERT_TRUE(m.create("^a", "A\r\na"));
    EXPECT_EQ(allMatches(m), (std::vector<std::string>{"A", "a"}));
    ASSERT_TRUE(m.create(QUOTE_TOKEN, QUOTE_TOKEN));
    EXPECT_EQ(m.matchCount(), 1);
}

TEST(RegexMatcher, ReadsGroupsAndClampsEveryIndex) {
    RegexMatcher m;
    ASSERT_TRUE(m.create("(x)?(y)", "y-y"));
    EXPECT_EQ(m.matchCount(), 2);
    EXPECT_EQ(m.subMatchCount(), 2);
    EXPECT_EQ(m.subMatchText(1, 1), ""); // took no part
    EXPECT_EQ(m.subMatchText(2, 2), "y");
    for (const auto& [i, j] :
         std::vector<std::pair<int, int>>{{0, 1}, {3, 1}, {1, 0}, {1, 3}, {-1, -1}})
        EXPECT_EQ(m.subMatchText(i, j), "") << i << "," << j;
    EXPECT_EQ(m.matchText(0), "");
    EXPECT_EQ(m.matchText(3), "");
    EXPECT_TRUE(m.matchOffsets(3).empty());
}

TEST(RegexMatcher, NoGroupsAndNoMatchGiveZeroCounts) {
    RegexMatcher m;
    ASSERT_TRUE(m.create("b", "abc"));
    EXPECT_EQ(m.subMatchCount(), 0);
    ASSERT_TRUE(m.create("(z)", "abc"));
    EXPECT_EQ(m.matchCount(), 0);
    EXPECT_EQ(m.subMatchCount(), 0); // read from the first match, and there is none
    EXPECT_EQ(m.groupCount(), 1);
}

TEST(RegexMatcher, RejectedPatternClearsTheLastResult) {
    RegexMatcher m;
    ASSERT_TRUE(m.create("a", "aa"));
    EXPECT_FALSE(m.create("(ab", "ab"));
    EXPECT_EQ(m.matchCount(), 0);
    EXPECT_EQ(m.matchText(1), "");
    EXPECT_EQ(m.compileError().kind, CompileError::Kind::unbalancedParenthesis);
    EXPECT_EQ(m.compileError().offset, 0);
    ASSERT_TRUE(m.create("b", "ab"));
    EXPECT_EQ(m.compileError().kind, CompileError::Kind::none);
    EXPECT_EQ(m.matchCount(), 1);
}

TEST(RegexMatcher, RunawayKeepsTheMatchesFoundBefore) {
    RegexMatcher m;
    ASSERT_TRUE(m.create("b|(a+)+$", "b" + std::string(28, 'a') + "!", false, false));
    EXPECT_TRUE(m.runaway());
    ASSERT_EQ(m.matchCount(), 1);
    EXPECT_EQ(m.matchText(1), "b");
    ASSERT_TRUE(m.create("a", "a"));
    EXPECT_FALSE(m.runaway());
}

TEST(RegexMatcher, HundredGroups) {
    std::string pattern;
    for (int g = 1; g <= 100; ++g)
        pattern += g == 100 ? "(" ZHONG ")" : "(a)";
    RegexMatcher m;
    ASSERT_TRUE(m.create(pattern, std::string(99, 'a') + ZHONG));
    ASSERT_EQ(m.matchCount(), 1);
    EXPECT_EQ(m.subMatchCount(), 100);
    EXPECT_EQ(m.subMatchText(1, 99), "a");
    EXPECT_EQ(m.subMatchText(1, 100), ZHONG);
}

TEST(RegexMatcher, OffsetsCountUtf16UnitsOfTheSubject) {
    RegexMatcher m;
    ASSERT_TRUE(m.create("(b)", ZHONG "ab"));
    const MatchOffsets o = m.matchOffsets(1);
    ASSERT_EQ(o.size(), 4u);
    EXPECT_EQ(o[0], 2);
    EXPECT_EQ(o[1], 3);
    EXPECT_EQ(m.subject(), u"中ab");
}

TEST(RegexMatcher, ExecuteReportsMatchesAsFoundAndStopsOnRequest) {
    RegexMatcher m;
    std::vector<std::int32_t> starts;
    const auto status = m.execute("a", "aaaa", true, true, true, false, [&](MatchOffsets o) {
        starts.push_back(o[0]);
        return starts.size() < 2;
    });
    ASSERT_TRUE(status.has_value());
    EXPECT_EQ(*status, ExecStatus::stopped);
    EXPECT_EQ(starts, (std::vector<std::int32_t>{0, 1}));
    EXPECT_EQ(m.matchCount(), 0);
    EXPECT_FALSE(m.execute("[", "a", true, true, true, false, [](MatchOffsets) {
                      return true;
                  }).has_value());
}

} // namespace
} // namespace vexlo
