// vexlo-text-bench: times the searches, replacement, counting and the code page conversion over
// a deterministic 20 MB code page 936 text, and prints the best and median wall time of a few
// runs and the best CPU time (which a busy machine disturbs less), in ms.
#include "bench/log_text.h"
#include "text/ansi_text.h"
#include "text/codepage.h"
#include "text/occurrences.h"
#include "text/primitives.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

namespace {

using namespace vexlo;

constexpr std::size_t TEXT_BYTES = 20u * 1024u * 1024u;
constexpr int RUNS = 7;

long long sink = 0; // results go here so no call is optimised away

void time(const char* name, const std::function<long long()>& run) {
    std::vector<double> ms;
    double cpuBest = 1e300;
    long long result = 0;
    for (int i = 0; i < RUNS; ++i) {
        const std::clock_t c0 = std::clock();
        const auto t0 = std::chrono::steady_clock::now();
        result = run();
        const auto t1 = std::chrono::steady_clock::now();
        const std::clock_t c1 = std::clock();
        ms.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
        cpuBest = std::min(cpuBest, 1000.0 * static_cast<double>(c1 - c0) / CLOCKS_PER_SEC);
    }
    sink += result;
    std::sort(ms.begin(), ms.end());
    std::printf("%-52s best %7.2f  median %7.2f  cpu %7.2f ms  (result %lld)\n", name, ms.front(),
                ms[ms.size() / 2], cpuBest, result);
}

} // namespace

int main() {
    AnsiText text = vexlo::bench::toCodePage936(vexlo::bench::makeLogText(TEXT_BYTES * 5 / 4));
    if (text.size() < TEXT_BYTES) {
        std::fprintf(stderr, "sample text too short: %zu bytes\n", text.size());
        return 1;
    }
    text.resize(TEXT_BYTES);
    const AnsiText failed = utf16ToAnsi(u"\u5931\u8D25");   // "failed", frequent
    const AnsiText absentCn = utf16ToAnsi(u"\u9CC4\u9C7C"); // "crocodile", absent
    std::printf("text: %zu bytes of code page 936, %d editor characters\n", text.size(),
                charCountOfBytes(text));

    time("findText absent one byte \\x01", [&] { return findText(text, "\x01"); });
    time("findText absent \"zqxj\"", [&] { return findText(text, "zqxj"); });
    time("findText absent \"zqxj\" ignoreCase", [&] { return findText(text, "zqxj", 1, true); });
    time("findText absent Chinese", [&] { return findText(text, absentCn); });
    time("findTextReverse absent \"zqxj\"", [&] { return findTextReverse(text, "zqxj"); });
    time("findTextReverse absent \"ZQXJ\" ignoreCase",
         [&] { return findTextReverse(text, "ZQXJ", std::nullopt, true); });
    time("findTextReverse absent Chinese", [&] { return findTextReverse(text, absentCn); });
    time("replaceText \"error\" -> \"fault\" (all)", [&] {
        return static_cast<long long>(
            replaceText(text, "error", "fault", std::nullopt, std::nullopt, true).size());
    });
    time("replaceText \"ERROR\" -> \"fault\" folding",
         [&] { return static_cast<long long>(replaceText(text, "ERROR", "fault").size()); });
    time("replaceText Chinese \"failed\" -> \"ok\"", [&] {
        return static_cast<long long>(
            replaceText(text, failed, "ok", std::nullopt, std::nullopt, true).size());
    });
    time("replaceText absent \"zqxj\"",
         [&] { return static_cast<long long>(replaceText(text, "zqxj", "y").size()); });
    time("countOccurrences \"error\" (folding)", [&] { return countOccurrences(text, "error"); });
    time("countOccurrences \"e\" case-sensitive",
         [&] { return countOccurrences(text, "e", true); });
    // "x" is common and "X" never occurs: the folded scan must not look for "X" afresh each time.
    time("countOccurrences \"x\" folding, no \"X\" in the text",
         [&] { return countOccurrences(text, "x"); });
    time("replaceText \"example\" -> \"sample\" folding",
         [&] { return static_cast<long long>(replaceText(text, "example", "sample").size()); });
    time("countOccurrences Chinese \"failed\"",
         [&] { return countOccurrences(text, failed, true); });
    time("findTextFrom absent \"zqxj\"", [&] { return findTextFrom(text, "zqxj"); });
    time("findTextFrom absent \"ZQXJ\" ignoreCase",
         [&] { return findTextFrom(text, "ZQXJ", 1, true); });
    time("findTextFrom walking every \"error\"", [&] {
        long long n = 0;
        for (BytePos p = findTextFrom(text, "error"); p != -1;
             p = findTextFrom(text, "error", p + 1))
            ++n;
        return n;
    });
    // A long sub whose first bytes match everywhere: each candidate fails only at its end.
    const AnsiText same(TEXT_BYTES, 'a');
    const AnsiText longSub = AnsiText(999, 'a') + "b";
    time("findText 1000-byte sub over 20 MB of \"a\"", [&] { return findText(same, longSub); });
    time("findTextReverse 1000-byte sub over 20 MB of \"a\"",
         [&] { return findTextReverse(same, longSub); });
    time("countOccurrences \"A\" folding over 20 MB of \"a\"",
         [&] { return countOccurrences(same, "A"); });
    time("charCountOfBytes", [&] { return charCountOfBytes(text); });
    std::u16string units;
    time("ansiToUtf16", [&] {
        units = ansiToUtf16(text);
        return static_cast<long long>(units.size());
    });
    time("utf16ToAnsi", [&] { return static_cast<long long>(utf16ToAnsi(units).size()); });
    return sink == 42 ? 1 : 0;
}
