// The searches and replacement against reference models that apply the stepping rules one
// character at a time, over random texts of letters, high bytes and CRs, short and long.
#include "text/primitives.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>

namespace vexlo {
namespace {

using namespace std::string_view_literals;
using std::nullopt;

// Reference model: every character start from byte 1, keeping the last match.
BytePos reverseModel(std::string_view text, std::string_view sub, std::size_t regionEnd) {
    BytePos last = -1;
    std::size_t q = 0;
    while (q + sub.size() <= regionEnd) {
        if (text.substr(q, sub.size()) == sub) {
            last = static_cast<BytePos>(q + 1);
        }
        q += static_cast<unsigned char>(text[q]) >= 0x80 ? 2 : 1;
    }
    return last;
}

TEST(FindTextReverse, AgreesWithTheStepwiseWalkOnMixedBytes) {
    // Long runs of high bytes with candidates at both parities.
    std::string text;
    for (int i = 0; i < 300; ++i) {
        text += (i % 7 == 0) ? "a" : (i % 3 == 0 ? "\xB0" : "\xC1\xB0");
    }
    for (std::string_view sub : {"\xB0"sv, "\xC1\xB0"sv, "\xB0\xC1"sv, "a\xC1"sv,
                                 "\xB0"
                                 "a"sv}) {
        for (std::size_t end = 0; end <= text.size(); end += 7) {
            EXPECT_EQ(findTextReverse(text, sub, static_cast<BytePos>(end + 1)),
                      reverseModel(text, sub, end))
                << "end " << end;
        }
    }
}

// The search and replacement rules applied one character at a time, as reference models.
bool sameAt(std::string_view text, std::size_t q, std::string_view sub, bool fold) {
    for (std::size_t i = 0; i < sub.size(); ++i) {
        auto a = static_cast<unsigned char>(text[q + i]);
        auto b = static_cast<unsigned char>(sub[i]);
        if (fold) {
            a = (a >= 'A' && a <= 'Z') ? a + 32 : a;
            b = (b >= 'A' && b <= 'Z') ? b + 32 : b;
        }
        if (a != b) {
            return false;
        }
    }
    return true;
}

std::size_t stepOf(std::string_view text, std::size_t q) {
    return static_cast<unsigned char>(text[q]) >= 0x80 ? 2 : 1;
}

BytePos findModel(std::string_view text, std::string_view sub, std::size_t b, bool fold) {
    for (std::size_t q = b; q + sub.size() <= text.size(); q += stepOf(text, q)) {
        if (sameAt(text, q, sub, fold)) {
            return static_cast<BytePos>(q + 1);
        }
    }
    return -1;
}

std::string replaceModel(std::string_view text, std::string_view sub, std::string_view with,
                         std::size_t b, int limit, bool fold) {
    std::string out(text.substr(0, b));
    std::size_t q = b;
    int done = 0;
    while (q + sub.size() <= text.size() && done != limit) {
        if (sameAt(text, q, sub, fold)) {
            out += with;
            q += sub.size();
            ++done;
        } else {
            const std::size_t step = std::min(stepOf(text, q), text.size() - q);
            out += text.substr(q, step);
            q += step;
        }
    }
    out += text.substr(std::min(q, text.size()));
    return out;
}

// Random texts over a few letters and high bytes; some long with candidates packed tight, so
// the scans change strategy part-way.
std::string randomText(std::mt19937& random, std::size_t length) {
    const std::string_view alphabet = "aAbB\xB0\xC1\x80\xFF\r"sv;
    std::string text;
    for (std::size_t i = 0; i < length; ++i) {
        text += alphabet[random() % alphabet.size()];
    }
    return text;
}

TEST(SearchModels, FindAndReplaceAgreeWithTheStepwiseRules) {
    std::mt19937 random(11);
    for (int round = 0; round < 3000; ++round) {
        const std::size_t length = round % 50 == 0 ? 9000 : random() % 40;
        const std::string text = randomText(random, length);
        const std::string sub = randomText(random, length > 1000 ? 5 : 1 + random() % 3);
        const bool fold = random() % 2 == 0;
        const std::size_t b = length == 0 ? 0 : random() % (length + 1);
        ASSERT_EQ(findText(text, sub, static_cast<BytePos>(b + 1), fold),
                  findModel(text, sub, b, fold))
            << testing::PrintToString(text) << " / " << testing::PrintToString(sub);
        BytePos last = -1;
        for (std::size_t q = 0; q + sub.size() <= b; q += stepOf(text, q)) {
            if (sameAt(text, q, sub, fold)) {
                last = static_cast<BytePos>(q + 1);
            }
        }
        ASSERT_EQ(findTextReverse(text, sub, static_cast<BytePos>(b + 1), fold), last);
        ASSERT_EQ(findTextReverse(text, sub, nullopt, fold) == -1,
                  findText(text, sub, 1, fold) == -1);
        const int limit = static_cast<int>(random() % 4) - 1;
        ASSERT_EQ(replaceText(text, sub, "<>", static_cast<BytePos>(b + 1), limit, !fold),
                  replaceModel(text, sub, "<>", b, limit, fold))
            << testing::PrintToString(text) << " / " << testing::PrintToString(sub);
    }
}

TEST(SearchModels, MatchRightBehindARunOfFailedCandidates) {
    // Every byte but the last few is a failed candidate, so the scan gives up on single-byte
    // candidates somewhere in the run; for some length the match sits just behind that point.
    for (std::size_t run = 2; run < 400; ++run) {
        const std::string lower = std::string(run, 'a') + "b";
        const std::string upper = std::string(run, 'A') + "B";
        const auto expected = static_cast<BytePos>(run - 1);
        ASSERT_EQ(findText(lower, "aab"), expected) << run;
        ASSERT_EQ(findText(upper, "aab", nullopt, true), expected) << run;
        ASSERT_EQ(findText(upper, "aab", nullopt, false), -1) << run;
        ASSERT_EQ(findTextReverse(lower + "\xB0", "aab"), expected) << run;
        // From the back: every "a" fails until the scan has given up and walks forward.
        ASSERT_EQ(findTextReverse("aabc" + std::string(run, 'a'), "aab"), 1) << run;
        ASSERT_EQ(findTextReverse("AaBc" + std::string(run, 'a'), "aab", nullopt, true), 1) << run;
    }
}

} // namespace
} // namespace vexlo
