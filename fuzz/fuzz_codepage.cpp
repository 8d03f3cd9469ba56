// Fuzzing the code page conversion: any bytes convert without a crash, every bad byte shows
// as U+FFFD rather than vanishing, and valid GBK text survives the round trip exactly.
#include "text/codepage.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {

// Keeps only the bytes that form valid GBK characters (ASCII 0x01-0x7F and lead 0x81-0xFE with
// trail 0x40-0xFE except 0x7F), so the result has an exact round trip if the table maps it.
std::string validGbk(const std::uint8_t* data, std::size_t size) {
    std::string out;
    for (std::size_t i = 0; i < size; ++i) {
        const unsigned char c = data[i];
        if (c >= 0x01 && c <= 0x7F) {
            out += char(c);
        } else if (c >= 0x81 && c <= 0xFE && i + 1 < size) {
            const unsigned char t = data[i + 1];
            if (t >= 0x40 && t <= 0xFE && t != 0x7F) {
                out += char(c);
                out += char(t);
                ++i;
            }
        }
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::u16string units = vexlo::ansiToUtf16(bytes);
    // No character is invented or dropped wholesale: at most one unit per byte.
    if (units.size() > bytes.size())
        std::abort();
    (void)vexlo::utf16ToAnsi(units);

    // Any UTF-16 units, paired surrogates or not, give one byte or one character per unit.
    std::u16string raw(size / 2, u'\0');
    for (std::size_t i = 0; i < raw.size(); ++i)
        raw[i] = char16_t(data[2 * i] | (data[2 * i + 1] << 8));
    (void)vexlo::utf16ToAnsi(raw);

    // Valid GBK characters that map to a character map back to the same bytes.
    const std::string gbk = validGbk(data, size);
    const std::u16string decoded = vexlo::ansiToUtf16(gbk);
    if (decoded.find(u'\uFFFD') == std::u16string::npos && vexlo::utf16ToAnsi(decoded) != gbk)
        std::abort();
    return 0;
}
