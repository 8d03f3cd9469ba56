// Line breaks to CR LF and the code page 936 round trip. The code page is stateless, so each
// unit's round trip depends on that unit alone: the subject is mapped through a table of every
// unit's round trip, made once from the text toolkit's own conversion, which is several times
// faster than converting megabytes both ways.
#include "match/engine_text.h"

#include "text/codepage.h"
#include "text/primitives.h"

#include <array>

namespace vexlo {

namespace {

// Units between two looks at the cancel flag.
constexpr std::size_t CANCEL_STRIDE = std::size_t(1) << 18;

bool isBreak(char16_t unit) {
    return unit == u'\n' || unit == u'\r' || unit == u'\u2028' || unit == u'\u2029';
}

bool isSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDFFF;
}

using RoundTrip = std::array<char16_t, 0x10000>;

/// What each unit becomes through code page 936 and back.
RoundTrip makeRoundTrip() {
    RoundTrip table{};
    std::u16string units;
    units.reserve(table.size());
    for (char32_t unit = 0; unit < table.size(); ++unit) {
        if (!isSurrogate(char16_t(unit)))
            units.push_back(char16_t(unit));
    }
    const std::u16string back = ansiToUtf16(utf16ToAnsi(units));
    const bool unitForUnit = back.size() == units.size();
    for (std::size_t i = 0; i < units.size(); ++i) {
        const char16_t unit = units[i];
        // Should one conversion of them all not come back unit for unit, take each on its own.
        table[unit] = unitForUnit ? back[i] : ansiToUtf16(utf16ToAnsi({&unit, 1})).front();
    }
    // A surrogate, alone or in a pair, has no code page 936 form.
    const std::u16string lone = ansiToUtf16(utf16ToAnsi(u"\xD800"));
    for (char32_t unit = 0xD800; unit <= 0xDFFF; ++unit)
        table[unit] = lone.size() == 1 ? lone.front() : u'?';
    return table;
}

const RoundTrip& roundTrip() {
    static const RoundTrip table = makeRoundTrip();
    return table;
}

/// Length of text once every line break is CR LF.
std::size_t crLfLength(std::u16string_view text) {
    std::size_t length = text.size();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!isBreak(text[i]))
            continue;
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        else
            ++length;
    }
    return length;
}

/// text with every line break as CR LF.
std::u16string withCrLf(std::u16string_view text) {
    std::u16string out;
    out.reserve(crLfLength(text));
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!isBreak(text[i])) {
            out += text[i];
            continue;
        }
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        out += u"\r\n";
    }
    return out;
}

bool isCancelled(const std::atomic<bool>* cancelled) {
    return cancelled && cancelled->load(std::memory_order_relaxed);
}

} // namespace

std::optional<EngineSubject> engineSubject(std::u16string_view boxText,
                                           const std::atomic<bool>* cancelled) {
    const RoundTrip& table = roundTrip();
    const std::size_t length = crLfLength(boxText);
    if (isCancelled(cancelled))
        return std::nullopt;
    EngineSubject subject;
    subject.text.resize(length);
    char16_t* out = subject.text.data();
    const std::size_t size = boxText.size();
    for (std::size_t i = 0; i < size;) {
        if (isCancelled(cancelled))
            return std::nullopt;
        const std::size_t stop = std::min(size, i + CANCEL_STRIDE);
        while (i < stop) {
            const char16_t unit = boxText[i++];
            if (!isBreak(unit)) {
                *out++ = table[unit];
                continue;
            }
            if (unit == u'\r' && i < size && boxText[i] == u'\n')
                ++i;
            subject.lineBreaks.push_back(std::int32_t(out - subject.text.data()));
            *out++ = u'\r';
            *out++ = u'\n';
        }
    }
    return subject;
}

std::u16string enginePattern(std::u16string_view boxText, bool restoreQuotes) {
    AnsiText pattern = utf16ToAnsi(withCrLf(boxText));
    if (restoreQuotes)
        pattern = replaceText(pattern, QUOTE_TOKEN, std::string_view("\""), std::nullopt,
                              std::nullopt, true);
    return ansiToUtf16(pattern);
}

std::vector<std::int32_t> lineBreakOffsets(std::u16string_view text) {
    std::vector<std::int32_t> breaks;
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == u'\r' && text[i + 1] == u'\n')
            breaks.push_back(std::int32_t(i));
    }
    return breaks;
}

} // namespace vexlo
