// Fuzzing the pattern translator and the matcher: no pattern crashes or hangs, every
// pattern the translator accepts compiles in PCRE2, and matches stay inside the subject
// and move forward.
#include "regex/regex.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2)
        return 0;
    // First byte: options; then the pattern up to a 0x00 byte, the subject after it. Bytes are
    // read as Latin-1 units, plus a few CJK units from bytes 0xF0-0xFF.
    const unsigned flags = data[0];
    std::u16string pattern, subject;
    std::u16string* into = &pattern;
    for (std::size_t i = 1; i < size; ++i) {
        const unsigned char c = data[i];
        if (c == 0 && into == &pattern) {
            into = &subject;
            continue;
        }
        *into += c >= 0xF0 ? char16_t(0x4E00 + (c - 0xF0)) : char16_t(c);
    }
    vexlo::RegexOptions options;
    options.ignoreCase = flags & 1;
    options.multiline = flags & 2;
    options.global = flags & 4;
    const vexlo::Regex regex = vexlo::Regex::compile(pattern, options);
    if (!regex.ok()) {
        if (regex.error().kind == vexlo::CompileError::Kind::engineRejected)
            std::abort();  // the translator accepted something PCRE2 refuses
        return 0;
    }
    std::int32_t lastStart = -1;
    int matches = 0;
    regex.forEachMatch(subject, [&](vexlo::MatchOffsets m) {
        const std::int32_t start = m[0], end = m[1];
        if (start < 0 || end < start || end > std::int32_t(subject.size()) || start <= lastStart)
            std::abort();
        for (std::size_t g = 2; g + 1 < m.size(); g += 2)
            if ((m[g] == -1) != (m[g + 1] == -1) || m[g + 1] > std::int32_t(subject.size()))
                std::abort();
        lastStart = start;
        return ++matches < 10000;
    });
    return 0;
}
