// Runs every case of cases.txt (the script engine's compatibility table and our own cases)
// under both PCRE2 back ends, JIT and interpreter, against the expected result written in
// the case's fifth field.
#include "tools/case_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace vexlo::cases {
namespace {

/// Writes a result in the notation of the expected field, so a failure shows both alike.
std::string render(const CaseResult& r) {
    if (r.runaway)
        return "runaway";
    if (!r.ok)
        return "reject";
    if (r.matches.empty())
        return "none";
    auto quoted = [](const std::u16string& s) {
        std::string out = "\"";
        for (const char16_t u : s) {
            if (u >= 0x20 && u < 0x7F && u != '\\' && u != '"') {
                out += char(u);
            } else {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04X", unsigned(u));
                out += buf;
            }
        }
        return out + "\"";
    };
    std::string out;
    for (const MatchResult& m : r.matches) {
        if (!out.empty())
            out += ' ';
        out += std::to_string(m.index) + ":" + quoted(m.value);
        if (!m.sub.empty()) {
            out += '(';
            for (std::size_t g = 0; g < m.sub.size(); ++g) {
                if (g > 0)
                    out += ',';
                out += m.sub[g] ? quoted(*m.sub[g]) : std::string("-");
            }
            out += ')';
        }
    }
    return out;
}

/// Reads the expected field into a result; false when it is malformed.
bool parseExpected(std::string_view text, CaseResult& r) {
    r = {};
    if (text == "reject")
        return true;
    if (text == "runaway") {
        r.runaway = true;
        return true;
    }
    r.ok = true;
    if (text == "none")
        return true;
    std::size_t i = 0;
    auto quotedText = [&](std::u16string& out) {
        if (i >= text.size() || text[i] != '"')
            return false;
        const std::size_t close = text.find('"', i + 1);
        if (close == std::string_view::npos)
            return false;
        out = decodeField(text.substr(i + 1, close - i - 1));
        i = close + 1;
        return true;
    };
    while (i < text.size()) {
        MatchResult m;
        const std::size_t colon = text.find(':', i);
        if (colon == std::string_view::npos)
            return false;
        m.index = std::stoi(std::string(text.substr(i, colon - i)));
        i = colon + 1;
        if (!quotedText(m.value))
            return false;
        m.length = std::int32_t(m.value.size());
        if (i < text.size() && text[i] == '(') {
            do {
                ++i;
                if (i < text.size() && text[i] == '-') {
                    m.sub.emplace_back(std::nullopt);
                    ++i;
                } else {
                    std::u16string g;
                    if (!quotedText(g))
                        return false;
                    m.sub.emplace_back(std::move(g));
                }
            } while (i < text.size() && text[i] == ',');
            if (i >= text.size() || text[i] != ')')
                return false;
            ++i;
        }
        r.matches.push_back(std::move(m));
        if (i < text.size() && text[i] == ' ')
            ++i;
    }
    return true;
}

struct Loaded {
    std::vector<Case> cases;
    std::vector<std::string> problems;
};

const Loaded& loadCases() {
    static const Loaded loaded = [] {
        Loaded l;
        std::ifstream in(VEXLO_REGEX_CASES, std::ios::binary);
        if (!in)
            l.problems.push_back("cannot read " VEXLO_REGEX_CASES);
        std::string line, error;
        for (int n = 1; std::getline(in, line); ++n) {
            auto c = parseLine(line, error);
            if (!c)
                continue;
            if (!error.empty() || c->extra.empty())
                l.problems.push_back("line " + std::to_string(n) + ": " +
                                     (error.empty() ? "no expected result" : error));
            else
                l.cases.push_back(std::move(*c));
        }
        return l;
    }();
    return loaded;
}

class RegexCases : public testing::TestWithParam<bool> {};

TEST(RegexCaseFile, IsWellFormed) {
    const Loaded& l = loadCases();
    for (const std::string& p : l.problems)
        ADD_FAILURE() << p;
    EXPECT_FALSE(l.cases.empty());
}

TEST_P(RegexCases, MatchExpectedResults) {
    for (Case c : loadCases().cases) {
        c.options.useJit = GetParam();
        CaseResult expected;
        ASSERT_TRUE(parseExpected(c.extra[0], expected)) << c.id << ": bad expected field";
        const CaseResult actual = runCase(c);
        EXPECT_EQ(render(actual), render(expected)) << "case " << c.id;
    }
}

TEST(CaseFile, DecodesTheFieldEscapes) {
    EXPECT_EQ(decodeField("a\\nb\\r\\t\\\\d\\u4E2D\\d\\u12"), u"a\nb\r\t\\d中\\d\\u12");
    EXPECT_EQ(decodeField("\xE4\xB8\xAD\xFF"), u"中\uFFFD"); // malformed UTF-8 is U+FFFD
}

TEST(CaseFile, ParsesFlagsAndFields) {
    std::string error;
    EXPECT_FALSE(parseLine("# comment", error).has_value());
    EXPECT_FALSE(parseLine("", error).has_value());
    auto c = parseLine("id\tgim\ta\\d\tx\\ty\textra\r", error);
    ASSERT_TRUE(c.has_value());
    EXPECT_TRUE(error.empty());
    EXPECT_TRUE(c->options.global && c->options.ignoreCase && c->options.multiline);
    EXPECT_EQ(c->pattern, u"a\\d");
    EXPECT_EQ(c->subject, u"x\ty");
    EXPECT_EQ(c->extra, std::vector<std::string>{"extra"});
    c = parseLine("id\t-\t\t", error);
    ASSERT_TRUE(c.has_value());
    EXPECT_FALSE(c->options.global || c->options.ignoreCase || c->options.multiline);
    EXPECT_TRUE(c->pattern.empty());
    parseLine("id\tgx\ta\tb", error);
    EXPECT_FALSE(error.empty());
    parseLine("id\tg\ta", error);
    EXPECT_FALSE(error.empty());
}

TEST(CaseFile, WritesOneJsonLinePerCase) {
    CaseResult r;
    r.ok = true;
    r.matches.push_back({0, 2, u"a\"", {u"\\", std::nullopt}});
    r.matches.push_back({3, 3, u"\r中\xD800", {u"", u"x"}});
    EXPECT_EQ(toJson("t1", r),
              "{\"id\":\"t1\",\"ok\":true,\"matches\":["
              "{\"index\":0,\"length\":2,\"value\":\"a\\\"\",\"sub\":[\"\\\\\",null]},"
              "{\"index\":3,\"length\":3,\"value\":\"\\u000D\xE4\xB8\xAD\\uD800\","
              "\"sub\":[\"\",\"x\"]}]}");
    EXPECT_EQ(toJson("t2", CaseResult{}), "{\"id\":\"t2\",\"ok\":false}");
    CaseResult runaway;
    runaway.runaway = true;
    EXPECT_EQ(toJson("t3", runaway), "{\"id\":\"t3\",\"ok\":false,\"runaway\":true}");
    r.matches.clear();
    EXPECT_EQ(toJson("t4", r), "{\"id\":\"t4\",\"ok\":true,\"matches\":[]}");
}

INSTANTIATE_TEST_SUITE_P(Engines, RegexCases, testing::Values(true, false),
                         [](const testing::TestParamInfo<bool>& info) {
                             return info.param ? "Jit" : "Interpreter";
                         });

} // namespace
} // namespace vexlo::cases
