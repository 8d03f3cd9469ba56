// vexlo-workbench-bench: times the pattern commands on 1 MB patterns (sample log text, all
// letters, all digits, two-byte characters with letter trail bytes, long runs of "\d" that do not
// fold) and prints best and median in ms.
#include "bench/log_text.h"
#include "text/codepage.h"
#include "workbench/commands.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

using namespace vexlo;

constexpr std::size_t PATTERN_BYTES = 1u << 20;
constexpr int RUNS = 5;

std::size_t sink = 0; // results go here so no call is optimised away

void time(const char* name, const std::function<AnsiText()>& run) {
    std::vector<double> ms;
    std::size_t resultBytes = 0;
    for (int i = 0; i < RUNS; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        resultBytes = run().size();
        const auto t1 = std::chrono::steady_clock::now();
        ms.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
    }
    sink += resultBytes;
    std::sort(ms.begin(), ms.end());
    std::printf("%-48s best %8.2f ms  median %8.2f ms  (result %zu bytes)\n", name, ms.front(),
                ms[ms.size() / 2], resultBytes);
}

} // namespace

int main() {
    const AnsiText log =
        vexlo::bench::toCodePage936(bench::makeLogText(PATTERN_BYTES * 2)).substr(0, PATTERN_BYTES);
    std::string letters;
    while (letters.size() < PATTERN_BYTES) {
        letters += "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
    }
    letters.resize(PATTERN_BYTES);
    const std::string digits(PATTERN_BYTES, '7');
    // Half a megabyte of digits, one letter, one digit: a run of n "\d" that is not there.
    // Two-byte characters whose trail bytes are letters and a backslash: nothing to replace,
    // but every byte search finds candidates on trail bytes.
    std::string trailBytes;
    while (trailBytes.size() < PATTERN_BYTES) {
        trailBytes += "\x81\x61\x81\x7A\x81\x41\x81\x5C";
    }
    const std::string brokenRun = std::string(PATTERN_BYTES / 2, '7') + "x7";

    time("generaliseChars, 1 MB log text", [&] { return generaliseChars(log); });
    time("generaliseChars, 1 MB letters", [&] { return generaliseChars(letters); });
    time("generaliseChars, 1 MB digits", [&] { return generaliseChars(digits); });
    time("generaliseChars, 0.5 MB digits, x, digit", [&] { return generaliseChars(brokenRun); });
    time("generaliseChars, 1 MB trail letters", [&] { return generaliseChars(trailBytes); });
    time("escapeMetachars, 1 MB log text", [&] { return escapeMetachars(log); });
    time("smartOptimise s, 1 MB log text", [&] { return smartOptimise(log, "s"); });
    time("foldRepeats 1, 1 MB digits", [&] { return foldRepeats(digits, "1"); });
    time("foldRepeats 7, 1 MB digits", [&] { return foldRepeats(digits, "7"); });
    return sink == 0 ? 1 : 0;
}
