// The editor's character count of a byte stretch, shared by the text and byte-array forms.
#include "text/ansi_text.h"

namespace vexlo {

namespace {

// A byte 0x80-0xFF or a CR joins the byte after it; the last byte is never read as the start
// of a pair, so a lone lead byte or CR at the end counts by itself.
int countCharacters(const unsigned char* bytes, std::size_t n) {
    std::size_t pairs = 0;
    std::size_t i = 0;
    while (i + 1 < n) {
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
