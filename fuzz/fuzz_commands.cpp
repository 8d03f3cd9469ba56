// Fuzzing the rewrite helper and the pattern commands: no input crashes them, and escaping
// a text of valid GBK characters gives a pattern that matches exactly that text.
#include "regex/matcher.h"
#include "regex/regex_replace.h"
#include "text/codepage.h"
#include "workbench/commands.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {

// The characters of bytes that are valid GBK and come back from a round trip unchanged.
std::string roundTripGbk(std::string_view bytes) {
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const unsigned char c = bytes[i];
        std::string_view ch;
        if (c >= 0x01 && c <= 0x7F) {
            ch = bytes.substr(i, 1);
        } else if (c >= 0x81 && c <= 0xFE && i + 1 < bytes.size()) {
            ch = bytes.substr(i++, 2);
        } else {
            continue;
        }
        if (vexlo::utf16ToAnsi(vexlo::ansiToUtf16(ch)) == ch)
            out += ch;
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2)
        return 0;
    std::string all(reinterpret_cast<const char*>(data + 1), size - 1);
    std::erase(all, '\0');
    const std::string_view bytes(all);
    const std::size_t cut = std::min<std::size_t>(data[0] % 16, bytes.size());
    const std::string_view small = bytes.substr(0, cut), rest = bytes.substr(cut);

    (void)vexlo::regexReplace(rest, small, "x\\1$&", data[0] & 0x80);
    (void)vexlo::regexReplace(small, rest, small, data[0] & 0x40, vexlo::EmptyMatches::skipped);
    (void)vexlo::replaceLineBreaks(bytes);
    (void)vexlo::replaceBlanks(bytes);
    (void)vexlo::replaceQuotes(bytes);
    (void)vexlo::escapeMetachars(bytes);
    (void)vexlo::collapseEscapes(rest, small);
    (void)vexlo::smartOptimise(rest, small);
    (void)vexlo::foldRepeats(rest, small);
    (void)vexlo::generaliseChars(bytes);

    const std::string text = roundTripGbk(bytes);
    vexlo::RegexMatcher matcher;
    if (!matcher.create(vexlo::escapeMetachars(text), text, true) || matcher.matchCount() < 1 ||
        matcher.matchText(1) != text)
        std::abort();
    return 0;
}
