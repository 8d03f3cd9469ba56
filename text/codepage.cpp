// Code page 936 <-> UTF-16 with ICU's "windows-936" table, one converter per thread
// (ICU converters must not be shared between threads). Bad bytes become one U+FFFD each;
// units without a code page 936 form become one "?" each.
//
// The table maps two single bytes, 0x80 (U+20AC) and 0xFF (U+F8F5). The text toolkit reads
// every byte 0x80-0xFF as the first of a pair, so such a byte would join the character after
// it and the editor's character count would drift. Both are therefore treated as bad: the byte
// decodes to U+FFFD and the unit encodes to "?". Every two-byte code and all of ASCII keep an
// exact round trip.
#include "text/codepage.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>
#include <unicode/ucnv_err.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>

namespace vexlo {

namespace {

constexpr char16_t REPLACEMENT = u'\uFFFD';
constexpr char16_t EURO = u'\u20AC';       // the table's single byte 0x80
constexpr char16_t PRIVATE_FF = u'\uF8F5'; // the table's single byte 0xFF

// One U+FFFD for every byte of an invalid, truncated or unmapped sequence.
void substitutePerByte(const void*, UConverterToUnicodeArgs* args, const char*, int32_t length,
                       UConverterCallbackReason reason, UErrorCode* err) {
    if (reason > UCNV_IRREGULAR) {
        return; // reset, close or clone: nothing to write
    }
    *err = U_ZERO_ERROR;
    for (int32_t i = 0; i < length && U_SUCCESS(*err); ++i) {
        ucnv_cbToUWriteUChars(args, &REPLACEMENT, 1, 0, err);
    }
}

// One "?" for every UTF-16 unit without a form: a surrogate pair gives "??".
void substitutePerUnit(const void*, UConverterFromUnicodeArgs* args, const UChar*, int32_t length,
                       UChar32, UConverterCallbackReason reason, UErrorCode* err) {
    if (reason > UCNV_IRREGULAR) {
        return;
    }
    *err = U_ZERO_ERROR;
    for (int32_t i = 0; i < length && U_SUCCESS(*err); ++i) {
        ucnv_cbFromUWriteBytes(args, "?", 1, 0, err);
    }
}

struct ConverterCloser {
    void operator()(UConverter* c) const { ucnv_close(c); }
};
using ConverterPtr = std::unique_ptr<UConverter, ConverterCloser>;

// The calling thread's converter, made on first use; null when ICU cannot open it.
UConverter* threadConverter() {
    thread_local ConverterPtr converter = [] {
        // "windows-936" is an ambiguous alias in ICU's tables; this is the table it resolves
        // to, named outright so that no other GBK table is picked up.
        UErrorCode err = U_ZERO_ERROR;
        ConverterPtr c(ucnv_open("windows-936-2000", &err));
        if (U_FAILURE(err)) {
            err = U_ZERO_ERROR;
            c.reset(ucnv_open("windows-936", &err));
        }
        if (U_FAILURE(err) || !c) {
            return ConverterPtr();
        }
        ucnv_setToUCallBack(c.get(), substitutePerByte, nullptr, nullptr, nullptr, &err);
        ucnv_setFromUCallBack(c.get(), substitutePerUnit, nullptr, nullptr, nullptr, &err);
        return U_FAILURE(err) ? ConverterPtr() : std::move(c);
    }();
    if (converter) {
        ucnv_reset(converter.get());
    }
    return converter.get();
}

// ASCII is the same in both forms, so runs of it are copied here and only the stretches
// around the other characters go through ICU, one call per stretch. A stretch ends only
// before a run of at least this many ASCII units, keeping the number of calls small. A unit
// behind an ASCII byte always begins a character, so ICU never sees a character cut in two.
constexpr std::size_t ASCII_RUN = 16;

constexpr std::uint64_t ONES = 0x0101010101010101ull;
constexpr std::uint64_t TOPS = 0x8080808080808080ull;

bool hasZeroByte(std::uint64_t x) {
    return ((x - ONES) & ~x & TOPS) != 0;
}

std::uint64_t load8(const char* p) {
    std::uint64_t word;
    std::memcpy(&word, p, 8);
    return word;
}

// First index >= from, below n, whose byte is 0x80-0xFF; n when none.
std::size_t firstHighByte(const char* b, std::size_t from, std::size_t n) {
    while (from + 8 <= n && (load8(b + from) & TOPS) == 0) {
        from += 8;
    }
    while (from < n && static_cast<unsigned char>(b[from]) < 0x80) {
        ++from;
    }
    return from;
}

// Widens the ASCII bytes from pos on into dst; returns the index of the first byte 0x80-0xFF
// (n when none).
std::size_t copyAsciiBytes(const char* b, std::size_t pos, std::size_t n, char16_t*& dst) {
    while (pos + 8 <= n && (load8(b + pos) & TOPS) == 0) {
        // Through local copies, which alias nothing, so the compiler widens all eight at once.
        unsigned char in[8];
        char16_t wide[8];
        std::memcpy(in, b + pos, 8);
        for (std::size_t i = 0; i < 8; ++i) {
            wide[i] = in[i];
        }
        std::memcpy(dst, wide, sizeof wide);
        dst += 8;
        pos += 8;
    }
    while (pos < n && static_cast<unsigned char>(b[pos]) < 0x80) {
        *dst++ = static_cast<char16_t>(b[pos++]);
    }
    return pos;
}

// End of the byte stretch that begins at the byte 0x80-0xFF at h. singles is set when the
// stretch holds a byte 0x80 or 0xFF: 0xFF is never part of a two-byte code, 0x80 only as a
// second byte, so only then can the table's single-byte mappings have been used.
std::size_t byteStretchEnd(const char* b, std::size_t h, std::size_t n, bool& singles) {
    std::size_t j = h;
    while (true) {
        while (j < n) {
            if (j + 8 <= n) {
                const std::uint64_t word = load8(b + j);
                if ((word & TOPS) == TOPS) {
                    singles = singles || hasZeroByte(word ^ TOPS) || hasZeroByte(~word);
                    j += 8;
                    continue;
                }
            }
            const auto c = static_cast<unsigned char>(b[j]);
            if (c < 0x80) {
                break;
            }
            singles = singles || c == 0x80 || c == 0xFF;
            ++j;
        }
        if (j >= n) {
            return n;
        }
        const std::size_t split = j + 1;
        const std::size_t runEnd = firstHighByte(b, split, std::min(n, split + ASCII_RUN));
        if (runEnd == n || runEnd - split >= ASCII_RUN) {
            return split;
        }
        j = runEnd;
    }
}

// Narrows the ASCII units from pos on into dst; returns the index of the first other unit
// (n when none).
std::size_t copyAsciiUnits(const char16_t* u, std::size_t pos, std::size_t n, char*& dst) {
    while (pos + 8 <= n) {
        char16_t wide[8];
        std::memcpy(wide, u + pos, sizeof wide);
        char16_t any = 0;
        for (std::size_t i = 0; i < 8; ++i) {
            any |= wide[i];
        }
        if (any >= 0x80) {
            break;
        }
        char narrow[8];
        for (std::size_t i = 0; i < 8; ++i) {
            narrow[i] = static_cast<char>(wide[i]);
        }
        std::memcpy(dst, narrow, 8);
        dst += 8;
        pos += 8;
    }
    while (pos < n && u[pos] < 0x80) {
        *dst++ = static_cast<char>(u[pos++]);
    }
    return pos;
}

// The table's single bytes 0x80 and 0xFF would pair up with the next byte: "?" instead.
bool encodesToSingleHighByte(char16_t c) {
    return c == EURO || c == PRIVATE_FF;
}

// End of the unit stretch that begins at the non-ASCII unit at h; it also ends in front of a
// unit that encodesToSingleHighByte.
std::size_t unitStretchEnd(const char16_t* u, std::size_t h, std::size_t n) {
    std::size_t j = h;
    while (true) {
        while (j < n && u[j] >= 0x80) {
            if (encodesToSingleHighByte(u[j])) {
                return j;
            }
            ++j;
        }
        if (j >= n) {
            return n;
        }
        const std::size_t split = j + 1;
        std::size_t runEnd = split;
        while (runEnd < std::min(n, split + ASCII_RUN) && u[runEnd] < 0x80) {
            ++runEnd;
        }
        if (runEnd == n || runEnd - split >= ASCII_RUN) {
            return split;
        }
        j = runEnd;
    }
}

} // namespace

std::u16string ansiToUtf16(std::string_view bytes) {
    UConverter* cnv = threadConverter();
    const std::size_t n = bytes.size();
    std::u16string out(n, u'\0'); // never more than one unit per byte
    const char* const b = bytes.data();
    char16_t* dst = out.data();
    std::size_t pos = 0;
    while (pos < n) {
        const std::size_t h = copyAsciiBytes(b, pos, n, dst);
        if (h == n) {
            break;
        }
        bool singles = false;
        const std::size_t end = byteStretchEnd(b, h, n, singles);
        char16_t* const stretch = dst;
        if (cnv) {
            const char* src = b + h;
            UErrorCode err = U_ZERO_ERROR;
            ucnv_toUnicode(cnv, &dst, out.data() + n, &src, b + end, nullptr, true, &err);
            if (U_FAILURE(err)) {
                ucnv_reset(cnv);
            }
            if (singles) {
                // No two-byte code maps to these two: each came from a lone 0x80 or 0xFF.
                std::replace_if(stretch, dst, encodesToSingleHighByte, REPLACEMENT);
            }
        } else {
            // Without the table only ASCII can be read.
            for (std::size_t i = h; i < end; ++i) {
                *dst++ = static_cast<unsigned char>(b[i]) < 0x80 ? static_cast<char16_t>(b[i])
                                                                 : REPLACEMENT;
            }
        }
        pos = end;
    }
    out.resize(static_cast<std::size_t>(dst - out.data()));
    return out;
}

AnsiText utf16ToAnsi(std::u16string_view units) {
    UConverter* cnv = threadConverter();
    const std::size_t n = units.size();
    AnsiText out(n * 2, '\0'); // never more than two bytes per unit
    const char16_t* const u = units.data();
    char* dst = out.data();
    std::size_t pos = 0;
    while (pos < n) {
        const std::size_t h = copyAsciiUnits(u, pos, n, dst);
        if (h == n) {
            break;
        }
        const std::size_t end = unitStretchEnd(u, h, n);
        if (cnv) {
            const char16_t* src = u + h;
            UErrorCode err = U_ZERO_ERROR;
            ucnv_fromUnicode(cnv, &dst, out.data() + out.size(), &src, u + end, nullptr, true,
                             &err);
            if (U_FAILURE(err)) {
                ucnv_reset(cnv);
            }
        } else {
            for (std::size_t i = h; i < end; ++i) {
                *dst++ = u[i] < 0x80 ? static_cast<char>(u[i]) : '?';
            }
        }
        pos = end;
        if (pos < n && encodesToSingleHighByte(u[pos])) {
            *dst++ = '?';
            ++pos;
        }
    }
    out.resize(static_cast<std::size_t>(dst - out.data()));
    return out;
}

} // namespace vexlo
