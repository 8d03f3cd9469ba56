// Line breaks to CR LF and the code page 936 round trip, piece by piece so that a cancelled
// run stops converting within a millisecond or so.
#include "match/engine_text.h"

#include "text/codepage.h"
#include "text/primitives.h"

namespace vexlo {

namespace {

// Units of CR LF text converted at a time.
constexpr std::size_t PIECE_UNITS = std::size_t(1) << 18;

bool isBreak(char16_t unit) {
    return unit == u'\n' || unit == u'\r' || unit == u'\u2028' || unit == u'\u2029';
}

bool isHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
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

/// Appends text from *at, with CR LF breaks, until piece holds at least PIECE_UNITS units
/// (never ending between the two halves of a surrogate pair) or the text is used up.
void fillPiece(std::u16string_view text, std::size_t& at, std::u16string& piece) {
    piece.clear();
    while (at < text.size()) {
        const char16_t unit = text[at++];
        if (isBreak(unit)) {
            if (unit == u'\r' && at < text.size() && text[at] == u'\n')
                ++at;
            piece += u"\r\n";
        } else {
            piece += unit;
        }
        if (piece.size() >= PIECE_UNITS && !isHighSurrogate(piece.back()))
            break;
    }
}

} // namespace

std::optional<std::u16string> engineSubject(std::u16string_view boxText,
                                            const std::atomic<bool>* cancelled) {
    std::u16string out;
    out.reserve(crLfLength(boxText));
    std::u16string piece;
    piece.reserve(PIECE_UNITS + 2);
    std::size_t at = 0;
    while (at < boxText.size()) {
        if (cancelled && cancelled->load(std::memory_order_relaxed))
            return std::nullopt;
        fillPiece(boxText, at, piece);
        // Each unit converts on its own (the code page is stateless), so converting piece by
        // piece gives what converting the whole text at once would.
        out += ansiToUtf16(utf16ToAnsi(piece));
    }
    return out;
}

std::u16string enginePattern(std::u16string_view boxText, bool restoreQuotes) {
    std::u16string crLf;
    std::size_t at = 0;
    std::u16string piece;
    while (at < boxText.size()) {
        fillPiece(boxText, at, piece);
        crLf += piece;
    }
    AnsiText pattern = utf16ToAnsi(crLf);
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
