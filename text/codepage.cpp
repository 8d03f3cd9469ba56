// Code page 936 <-> UTF-16 with ICU's "windows-936" converter, one converter pair per thread
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
#include <type_traits>

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
        UErrorCode err = U_ZERO_ERROR;
        ConverterPtr c(ucnv_open("windows-936", &err));
        if (U_FAILURE(err)) {
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
// before a run of at least this many ASCII units, keeping the number of calls small.
constexpr std::size_t ASCII_RUN = 16;

// First index >= from whose unit is not ASCII; size when none.
template <typename Unit> std::size_t firstNonAscii(const Unit* u, std::size_t from, std::size_t n) {
    if constexpr (sizeof(Unit) == 1) {
        // Eight bytes at a time: any top bit set means a byte 0x80-0xFF is among them.
        while (from + 8 <= n) {
            std::uint64_t word;
            std::memcpy(&word, u + from, 8);
            if (word & 0x8080808080808080ull) {
                break;
            }
            from += 8;
        }
    }
    while (from < n && static_cast<std::make_unsigned_t<Unit>>(u[from]) < 0x80) {
        ++from;
    }
    return from;
}

// End of the stretch that begins with the non-ASCII unit at h: just behind an ASCII unit that
// is followed by at least ASCII_RUN more (or by the end). A unit behind an ASCII byte always
// begins a character, so ICU never sees a character cut in two. stopAt(unit) ends the
// stretch early, in front of that unit.
template <typename Unit, typename Stop>
std::size_t stretchEnd(const Unit* u, std::size_t h, std::size_t n, Stop stopAt) {
    std::size_t j = h;
    while (true) {
        while (j < n && static_cast<std::make_unsigned_t<Unit>>(u[j]) >= 0x80) {
            if (stopAt(u[j])) {
                return j;
            }
            ++j;
        }
        if (j >= n) {
            return n;
        }
        const std::size_t split = j + 1;
        const std::size_t runEnd = firstNonAscii(u, split, std::min(n, split + ASCII_RUN));
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
        const std::size_t h = firstNonAscii(b, pos, n);
        dst = std::copy(b + pos, b + h, dst);
        if (h == n) {
            break;
        }
        // 0xFF is never part of a two-byte code, 0x80 only as a second byte.
        bool mayHaveSingles = false;
        const std::size_t end = stretchEnd(b, h, n, [&mayHaveSingles](char c) {
            mayHaveSingles |= c == '\x80' || c == '\xFF';
            return false;
        });
        char16_t* const stretch = dst;
        if (cnv) {
            const char* src = b + h;
            UErrorCode err = U_ZERO_ERROR;
            ucnv_toUnicode(cnv, &dst, out.data() + n, &src, b + end, nullptr, true, &err);
            if (U_FAILURE(err)) {
                ucnv_reset(cnv);
            }
            if (mayHaveSingles) {
                // No two-byte code maps to these two: each came from a lone 0x80 or 0xFF.
                std::replace_if(
                    stretch, dst, [](char16_t c) { return c == EURO || c == PRIVATE_FF; },
                    REPLACEMENT);
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
    // The table's single bytes 0x80 and 0xFF would pair up with the next byte: "?" instead.
    const auto singleHighByte = [](char16_t c) { return c == EURO || c == PRIVATE_FF; };
    while (pos < n) {
        const std::size_t h = firstNonAscii(u, pos, n);
        for (std::size_t i = pos; i < h; ++i) {
            *dst++ = static_cast<char>(u[i]);
        }
        if (h == n) {
            break;
        }
        const std::size_t end = stretchEnd(u, h, n, singleHighByte);
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
        if (pos < n && singleHighByte(u[pos])) {
            *dst++ = '?';
            ++pos;
        }
    }
    out.resize(static_cast<std::size_t>(dst - out.data()));
    return out;
}

} // namespace vexlo
