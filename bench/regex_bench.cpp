// vexlo-regex-bench: throughput of a match-all with Regex::forEachMatch over the 20 MB sample
// log text (CR LF, dates, numbers, Chinese), with JIT and with the interpreter, and the time a
// catastrophic pattern takes to reach the engine's limits. Prints one line per measurement.
#include "bench/log_text.h"
#include "regex/regex.h"

#include <unicode/ustring.h>

#include <chrono>
#include <cstdio>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

std::u16string toUtf16(const std::string& utf8) {
    std::u16string out(utf8.size(), u'\0');
    std::int32_t length = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strFromUTF8WithSub(reinterpret_cast<UChar*>(out.data()), std::int32_t(out.size()), &length,
                         utf8.data(), std::int32_t(utf8.size()), 0xFFFD, nullptr, &status);
    out.resize(U_SUCCESS(status) ? std::size_t(length) : 0);
    return out;
}

const char* statusName(vexlo::ExecStatus s) {
    switch (s) {
    case vexlo::ExecStatus::completed:
        return "completed";
    case vexlo::ExecStatus::stopped:
        return "stopped";
    case vexlo::ExecStatus::runaway:
        return "runaway";
    }
    return "?";
}

/// Best of three runs of a match-all; MB are UTF-8 megabytes of the sample text.
void throughput(const char16_t* pattern, const char* label, const std::u16string& subject,
                double utf8Megabytes, bool jit) {
    vexlo::RegexOptions options;
    options.ignoreCase = false;
    options.useJit = jit;
    const vexlo::Regex regex = vexlo::Regex::compile(pattern, options);
    if (!regex.ok()) {
        std::printf("%-28s %-11s did not compile\n", label, jit ? "jit" : "interpreter");
        return;
    }
    double best = 1e9;
    long matches = 0;
    vexlo::ExecStatus status = vexlo::ExecStatus::completed;
    for (int run = 0; run < 3; ++run) {
        long count = 0;
        const auto t0 = Clock::now();
        status = regex.forEachMatch(subject, [&count](vexlo::MatchOffsets) {
            ++count;
            return true;
        });
        const double s = std::chrono::duration<double>(Clock::now() - t0).count();
        best = std::min(best, s);
        matches = count;
    }
    std::printf("%-28s %-11s %9ld matches  %7.1f ms  %7.1f MB/s  %s\n", label,
                jit ? "jit" : "interpreter", matches, best * 1e3, utf8Megabytes / best,
                statusName(status));
}

void runaway(const char16_t* pattern, const std::u16string& subject, const char* label, bool jit) {
    vexlo::RegexOptions options;
    options.ignoreCase = false;
    options.multiline = false;
    options.useJit = jit;
    const vexlo::Regex regex = vexlo::Regex::compile(pattern, options);
    const auto t0 = Clock::now();
    const vexlo::ExecStatus status =
        regex.forEachMatch(subject, [](vexlo::MatchOffsets) { return true; });
    const double s = std::chrono::duration<double>(Clock::now() - t0).count();
    std::printf("%-28s %-11s %7.1f ms  %s\n", label, jit ? "jit" : "interpreter", s * 1e3,
                statusName(status));
}

} // namespace

int main() {
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    const std::string text = vexlo::bench::makeLogText(20u * 1024 * 1024);
    const std::u16string subject = toUtf16(text);
    const double megabytes = double(text.size()) / (1024.0 * 1024.0);
    std::printf("subject: %.1f MB UTF-8, %zu UTF-16 units\n", megabytes, subject.size());
    for (const bool jit : {true, false}) {
        throughput(u"\\d+", "\\d+", subject, megabytes, jit);
        throughput(u"(\\d{4})-(\\d{2})-(\\d{2})", "(\\d{4})-(\\d{2})-(\\d{2})", subject, megabytes,
                   jit);
        throughput(u"^.*error.*$", "^.*error.*$ (multiline)", subject, megabytes, jit);
        throughput(u"\\b\\w+\\b", "\\b\\w+\\b", subject, megabytes, jit);
    }
    const std::u16string as = std::u16string(28, u'a') + u"!";
    const std::u16string xs = std::u16string(32, u'x') + u"!y";
    for (const bool jit : {true, false}) {
        runaway(u"(a+)+$", as, "runaway (a+)+$", jit);
        runaway(u"(x+x+)+y", xs, "runaway (x+x+)+y", jit);
        runaway(u"a*a*a*bc", std::u16string(4000, u'a') + u"c", "polynomial a*a*a*bc", jit);
    }
    return 0;
}
