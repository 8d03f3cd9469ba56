// Regex at the UTF-16 level: every pattern the translator accepts compiles in PCRE2 (over a
// generated set of patterns), PCRE2's own limits give a rejection and never a crash, and
// the search steps and stops as the engine does.
#include "regex/regex.h"
#include "regex/translate.h"

#include <gtest/gtest.h>

#include <array>
#include <random>

namespace vexlo {
namespace {

using Kind = CompileError::Kind;

/// The pattern with every unit outside printable ASCII as \uXXXX, for failure messages.
std::string printable(std::u16string_view s) {
    std::string out;
    for (const char16_t c : s) {
        if (c >= 0x20 && c < 0x7F) {
            out += char(c);
        } else {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04X", unsigned(c));
            out += buf;
        }
    }
    return out;
}

/// Builds patterns from the engine's constructs, mostly well formed, now and then broken.
class PatternGenerator {
public:
    explicit PatternGenerator(std::uint32_t seed) : random_(seed) {}

    std::u16string next() {
        std::u16string p;
        sequence(p, 0);
        if (pick(20) == 0 && !p.empty()) // damage: cut it short
            p.resize(pick(unsigned(p.size())));
        return p;
    }

private:
    unsigned pick(unsigned n) { return n == 0 ? 0 : unsigned(random_() % n); }

    void sequence(std::u16string& p, int depth) {
        const unsigned items = 1 + pick(5);
        for (unsigned k = 0; k < items; ++k) {
            if (pick(8) == 0)
                p += u'|';
            item(p, depth);
            if (pick(3) == 0)
                quantifier(p);
        }
    }

    void item(std::u16string& p, int depth) {
        static const std::array<const char16_t*, 40> atoms = {
            u"a",       u"Z",     u"中",   u".",    u"^",   u"$",    u"\\b",   u"\\B",
            u"\\d",     u"\\D",   u"\\w",  u"\\W",  u"\\s", u"\\S",  u"\\x41", u"\\x4",
            u"\\u0042", u"\\u12", u"\\cJ", u"\\c1", u"\\0", u"\\12", u"\\101", u"\\1",
            u"\\9",     u"\\k",   u"\\Q",  u"\\/",  u"]",   u"}",    u"{",     u"{,2}",
            u"\\\\",    u"\\.",   u"\\-",  u"#",    u"\\v", u"\\f",  u"-",     u"\xFFFF"};
        static const std::array<const char16_t*, 16> classes = {
            u"[abc]",   u"[^a-z]",    u"[]a]",        u"[\\d-z]",  u"[\\w\\s]", u"[^\\W]",
            u"[\\b]",   u"[\\1-\\7]", u"[[:alpha:]]", u"[a-]",     u"[-a]",     u"[\\x00-\\uFFFF]",
            u"[一-龥]", u"[\\]\\\\]", u"[z-a]",       u"[^\\S\\d]"};
        const unsigned kind = depth < 4 ? pick(10) : pick(7);
        if (kind < 5) {
            p += atoms[pick(atoms.size())];
        } else if (kind < 7) {
            p += classes[pick(classes.size())];
        } else {
            static const std::array<const char16_t*, 6> opens = {u"(",   u"(",   u"(?:",
                                                                 u"(?=", u"(?!", u"(?<="};
            p += opens[pick(opens.size())];
            sequence(p, depth + 1);
            p += u')';
        }
    }

    void quantifier(std::u16string& p) {
        static const std::array<const char16_t*, 12> qs = {u"*",    u"+",     u"?",       u"*?",
                                                           u"+?",   u"??",    u"{2}",     u"{0,3}",
                                                           u"{1,}", u"{3,2}", u"{65535}", u"{2}?"};
        p += qs[pick(qs.size())];
    }

    std::mt19937 random_;
};

/// Matches lie inside the subject and move forward; groups are wholly set or wholly unset.
void expectSaneMatches(const Regex& regex, std::u16string_view subject) {
    const auto size = std::int32_t(subject.size());
    std::int32_t lastStart = -1;
    bool sane = true;
    regex.forEachMatch(subject, [&](MatchOffsets m) {
        sane = sane && m.size() == 2 * std::size_t(regex.groupCount() + 1) && m[0] > lastStart &&
               m[0] <= m[1] && m[1] <= size;
        for (std::size_t g = 2; g + 1 < m.size(); g += 2)
            sane = sane && (m[g] == -1) == (m[g + 1] == -1) && m[g] <= m[g + 1] && m[g + 1] <= size;
        lastStart = m[0];
        return sane;
    });
    EXPECT_TRUE(sane) << printable(regex.translated());
}

TEST(RegexCompile, EveryAcceptedTranslationCompiles) {
    const std::array<std::u16string, 4> subjects = {u"", u"aZ\u4E2D\r\n12 b]}-",
                                                    u"\x08\x0B\f\x01\xFFFF", u"ABab__\n\ncc"};
    PatternGenerator generator(20261211);
    std::mt19937 flags(7);
    int accepted = 0;
    const int total = 20000;
    for (int n = 0; n < total; ++n) {
        const std::u16string pattern = generator.next();
        RegexOptions options;
        options.ignoreCase = flags() & 1;
        options.multiline = flags() & 1;
        const bool translated = translatePattern(pattern, options).error.kind == Kind::none;
        const Regex regex = Regex::compile(pattern, options);
        if (translated) {
            ++accepted;
            // PCRE2 may only refuse for its size limits (a group repeated 65535 times).
            EXPECT_TRUE(regex.ok() || regex.error().kind == Kind::tooLarge)
                << "PCRE2 refused " << printable(pattern) << " as "
                << printable(translatePattern(pattern, options).pattern);
            if (regex.ok()) {
                EXPECT_EQ(regex.groupCount(), translatePattern(pattern, options).groupCount);
                expectSaneMatches(regex, subjects[n % subjects.size()]);
            }
        } else {
            EXPECT_FALSE(regex.ok());
        }
    }
    // The generator must keep producing mostly valid patterns, or the test proves little.
    EXPECT_GT(accepted, total / 4);
    EXPECT_LT(accepted, total);
}

TEST(RegexCompile, PcreLimitsRejectWithoutCrashing) {
    const Regex deep = Regex::compile(std::u16string(5000, u'(') + std::u16string(5000, u')'), {});
    EXPECT_FALSE(deep.ok());
    EXPECT_EQ(deep.error().kind, Kind::tooLarge);
    const Regex big = Regex::compile(u"(abcdefgh){60000}", {});
    EXPECT_FALSE(big.ok());
    EXPECT_EQ(big.error().kind, Kind::tooLarge);
}

std::vector<std::int32_t> allOffsets(const Regex& regex, std::u16string_view subject) {
    std::vector<std::int32_t> out;
    regex.forEachMatch(subject, [&out](MatchOffsets m) {
        out.insert(out.end(), m.begin(), m.end());
        return true;
    });
    return out;
}

TEST(RegexSearch, HundredGroupsAndTwoDigitBackReferences) {
    std::u16string pattern;
    for (int g = 0; g < 100; ++g)
        pattern += g == 41 ? u"(b)" : u"(a)";
    pattern += u"\\42\\99"; // group 42 ("b") and group 99 ("a")
    std::u16string subject(100, u'a');
    subject[41] = u'b';
    const Regex regex = Regex::compile(pattern, {});
    ASSERT_TRUE(regex.ok());
    EXPECT_EQ(regex.groupCount(), 100);
    const auto m = allOffsets(regex, subject + u"ba");
    ASSERT_EQ(m.size(), 202u);
    EXPECT_EQ(m[1], 102);
    EXPECT_EQ(m[2 * 42], 41);  // group 42 starts at 41
    EXPECT_EQ(m[2 * 100], 99); // group 100 is the last unit before the references
}

TEST(RegexSearch, StopsWhenTheCallbackSaysSo) {
    const Regex regex = Regex::compile(u"a", {});
    int seen = 0;
    const ExecStatus status =
        regex.forEachMatch(u"aaaa", [&seen](MatchOffsets) { return ++seen < 2; });
    EXPECT_EQ(status, ExecStatus::stopped);
    EXPECT_EQ(seen, 2);
}

TEST(RegexSearch, RunawayKeepsTheMatchesFoundBefore) {
    for (const bool jit : {true, false}) {
        RegexOptions options;
        options.multiline = false;
        options.useJit = jit;
        const Regex regex = Regex::compile(u"b|(a+)+$", options);
        const std::u16string subject = u"bb" + std::u16string(28, u'a') + u"!";
        std::vector<std::int32_t> starts;
        const ExecStatus status = regex.forEachMatch(subject, [&starts](MatchOffsets m) {
            starts.push_back(m[0]);
            return true;
        });
        EXPECT_EQ(status, ExecStatus::runaway) << "jit " << jit;
        EXPECT_EQ(starts, (std::vector<std::int32_t>{0, 1})) << "jit " << jit;
    }
}

TEST(RegexSearch, PolynomialBacktrackingStopsAtTheBudget) {
    // Each start position costs millions of steps without reaching PCRE2's match limit; the
    // search's time budget ends it.
    const Regex regex = Regex::compile(u"a*a*a*bc", {});
    const std::u16string subject = std::u16string(4000, u'a') + u"c";
    EXPECT_EQ(regex.forEachMatch(subject, [](MatchOffsets) { return true; }), ExecStatus::runaway);
}

// Regression: a cancel was only seen between matches, so a superseded or closed run's worker
// went on searching until the budget ran out (about a second of a core per run; closing the
// window waited for it).
TEST(RegexSearch, CancelStopsARunawaySearchFromInside) {
    for (const bool jit : {true, false}) {
        RegexOptions options;
        options.useJit = jit;
        const Regex regex = Regex::compile(u"(x+x+)+y", options);
        const std::u16string subject = std::u16string(5000, u'x') + u"zy";
        const std::atomic<bool> cancelled{true};
        int matches = 0;
        const ExecStatus status = regex.forEachMatch(
            subject, [&matches](MatchOffsets) { return ++matches > 0; }, &cancelled);
        EXPECT_EQ(status, ExecStatus::stopped) << "jit " << jit;
        EXPECT_EQ(matches, 0) << "jit " << jit;
        // Without the flag the same search is a runaway.
        EXPECT_EQ(regex.forEachMatch(subject, [](MatchOffsets) { return true; }),
                  ExecStatus::runaway)
            << "jit " << jit;
    }
}

TEST(RegexSearch, LongSubjectNeedsTheLargeJitStack) {
    // A group repeated once per unit takes JIT stack for every iteration; PCRE2's default
    // stack gives up after a few thousand units.
    const Regex regex = Regex::compile(u"(?:a|b)*c", {});
    const std::u16string subject = std::u16string(1500000, u'a') + u"c";
    const auto m = allOffsets(regex, subject);
    ASSERT_EQ(m.size(), 2u);
    EXPECT_EQ(m[1], 1500001);
}

TEST(RegexSearch, MovedFromRegexIsSafelyEmpty) {
    Regex a = Regex::compile(u"x", {});
    Regex b = std::move(a);
    EXPECT_TRUE(b.ok());
    EXPECT_FALSE(a.ok()); // NOLINT(bugprone-use-after-move): moved-from state is specified
    EXPECT_EQ(a.groupCount(), 0);
    EXPECT_EQ(a.forEachMatch(u"x", [](MatchOffsets) { return true; }), ExecStatus::completed);
}

} // namespace
} // namespace vexlo
