// The editor's character count of a byte stretch, shared by the text and byte-array forms.
#include "text/ansi_text.h"

#include <cstdint>
#include <cstring>

namespace vexlo {

namespace {

// A byte 0x80-0xFF or a CR joins the byte after it; the last byte is never read as the start
// of a pair, so a lone lead byte or CR at the end counts by itself.
int countCharacters(const unsigned char* bytes, std::size_t n) {
    constexpr std::uint64_t ONES = 0x0101010101010101ull;
    constexpr std::uint64_t TOPS = 0x8080808080808080ull;
    std::size_t pairs = 0;
    std::size_t i = 0;
    while (i + 1 < n) {
        // From a character start, eight bytes below 0x80 with no CR among them are eight
        // characters of their own.
        if (i + 8 <= n) {
            std::uint64_t word;
            std::memcpy(&word, bytes + i, 8);
            const std::uint64_t cr = word ^ (ONES * '\r');
            if (((word | ((cr - ONES) & ~cr)) & TOPS) == 0) {
                i += 8;
                continue;
            }
        }
        if (bytes[i] >= 0x80 || bytes[i] == '\r') {
            ++pairs;
            i += 2;
        } else {
            ++i;
        }
    }
    return static_cast<int>(n - pairs);
}

} // namespace

int charCountOfBytes(std::string_view bytes) {
    return countCharacters(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

int charCountOfBytes(const ByteArray& bytes) {
    return countCharacters(bytes.data(), bytes.size());
}

} // namespace vexlo
