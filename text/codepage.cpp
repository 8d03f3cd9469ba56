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

} // namespace

std::u16string ansiToUtf16(std::string_view bytes) {
    UConverter* cnv = threadConverter();
    std::u16string out(bytes.size(), u'\0'); // never more than one unit per byte
    if (!cnv) {
        // Without the table only ASCII can be read.
        std::transform(bytes.begin(), bytes.end(), out.begin(), [](char c) {
            return static_cast<unsigned char>(c) < 0x80 ? static_cast<char16_t>(c) : REPLACEMENT;
        });
        return out;
    }
    const char* src = bytes.data();
    const char* const srcEnd = src + bytes.size();
    std::size_t written = 0;
    while (true) {
        UErrorCode err = U_ZERO_ERROR;
        char16_t* dst = out.data() + written;
        ucnv_toUnicode(cnv, &dst, out.data() + out.size(), &src, srcEnd, nullptr, true, &err);
        written = static_cast<std::size_t>(dst - out.data());
        if (err != U_BUFFER_OVERFLOW_ERROR) {
            break;
        }
        out.resize(out.size() * 2 + 16);
    }
    out.resize(written);
    // No two-byte code maps to these two, so each one here came from a lone 0x80 or 0xFF.
    if (std::memchr(bytes.data(), 0x80, bytes.size()) ||
        std::memchr(bytes.data(), 0xFF, bytes.size())) {
        std::replace(out.begin(), out.end(), EURO, REPLACEMENT);
        std::replace(out.begin(), out.end(), PRIVATE_FF, REPLACEMENT);
    }
    return out;
}

AnsiText utf16ToAnsi(std::u16string_view units) {
    UConverter* cnv = threadConverter();
    if (!cnv) {
        AnsiText out(units.size(), '?');
        std::transform(units.begin(), units.end(), out.begin(),
                       [](char16_t u) { return u < 0x80 ? static_cast<char>(u) : '?'; });
        return out;
    }
    std::u16string cleaned;
    if (std::find_if(units.begin(), units.end(),
                     [](char16_t u) { return u == EURO || u == PRIVATE_FF; }) != units.end()) {
        cleaned.assign(units);
        std::replace(cleaned.begin(), cleaned.end(), EURO, u'?');
        std::replace(cleaned.begin(), cleaned.end(), PRIVATE_FF, u'?');
        units = cleaned;
    }
    AnsiText out(units.size() * 2, '\0'); // never more than two bytes per unit
    const char16_t* src = units.data();
    const char16_t* const srcEnd = src + units.size();
    std::size_t written = 0;
    while (true) {
        UErrorCode err = U_ZERO_ERROR;
        char* dst = out.data() + written;
        ucnv_fromUnicode(cnv, &dst, out.data() + out.size(), &src, srcEnd, nullptr, true, &err);
        written = static_cast<std::size_t>(dst - out.data());
        if (err != U_BUFFER_OVERFLOW_ERROR) {
            break;
        }
        out.resize(out.size() * 2 + 16);
    }
    out.resize(written);
    return out;
}

} // namespace vexlo
