// The text and byte-array primitives: cutting and measuring by byte position, the two searches
// and replacement with their two-byte stepping, and number/text conversion.
#include "text/primitives.h"

#include "text/byte_search.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace vexlo {

using detail::NONE;

int textLength(std::string_view text) {
    return static_cast<int>(text.size());
}

AnsiText textLeft(std::string_view text, int count) {
    if (count <= 0) {
        return {};
    }
    return AnsiText(text.substr(0, static_cast<std::size_t>(count)));
}

AnsiText textMid(std::string_view text, BytePos start, int count) {
    if (start < 1 || static_cast<std::size_t>(start) > text.size() || count <= 0) {
        return {};
    }
    return AnsiText(
        text.substr(static_cast<std::size_t>(start) - 1, static_cast<std::size_t>(count)));
}

int charCode(std::string_view text, std::optional<BytePos> position) {
    const BytePos p = position.value_or(1);
    if (p < 1 || static_cast<std::size_t>(p) > text.size()) {
        return 0;
    }
    return static_cast<signed char>(text[static_cast<std::size_t>(p) - 1]);
}

AnsiText charFromCode(int code) {
    const auto byte = static_cast<char>(static_cast<unsigned>(code) & 0xFFu);
    if (byte == 0) {
        return {};
    }
    return AnsiText(1, byte);
}

BytePos findText(std::string_view text, std::string_view sub, std::optional<BytePos> start,
                 bool ignoreCase) {
    const BytePos b = (!start || *start <= 1) ? 1 : *start;
    if (static_cast<std::size_t>(b) > text.size()) {
        return -1; // empty region
    }
    if (sub.empty()) {
        return 1;
    }
    const std::size_t p =
        detail::findOnCharacter(text, static_cast<std::size_t>(b) - 1, sub, ignoreCase);
    return p == NONE ? -1 : static_cast<BytePos>(p + 1);
}

BytePos findTextReverse(std::string_view text, std::string_view sub, std::optional<BytePos> start,
                        bool ignoreCase) {
    std::size_t regionEnd = text.size();
    if (start) {
        const long long l = static_cast<long long>(*start) - 1;
        regionEnd = static_cast<std::size_t>(
            std::clamp<long long>(l, 0, static_cast<long long>(regionEnd)));
    }
    if (sub.empty()) {
        return regionEnd > 0 ? 1 : -1;
    }
    const std::size_t p = detail::findLastOnCharacter(text.substr(0, regionEnd), sub, ignoreCase);
    return p == NONE ? -1 : static_cast<BytePos>(p + 1);
}

AnsiText replaceText(std::string_view text, std::string_view sub,
                     std::optional<std::string_view> replacement, std::optional<BytePos> start,
                     std::optional<int> count, bool caseSensitive) {
    const BytePos b = (!start || *start < 1) ? 1 : *start;
    const int limit = (!count || *count < 0) ? -1 : *count;
    if (text.empty() || sub.empty() || static_cast<std::size_t>(b) > text.size() || limit == 0) {
        return AnsiText(text);
    }
    const std::string_view with = replacement.value_or(std::string_view{});
    AnsiText result;
    result.reserve(text.size());
    std::size_t q = static_cast<std::size_t>(b) - 1;
    result.append(text.substr(0, q));
    int done = 0;
    detail::ByteFinder finder(text, sub, !caseSensitive);
    while (true) {
        // After an occurrence the scan counts characters afresh from the byte behind it.
        const std::size_t p = finder.nextOnCharacter(q);
        if (p == NONE) {
            break;
        }
        result.append(text.substr(q, p - q));
        result.append(with);
        q = p + sub.size();
        if (++done == limit) {
            break;
        }
    }
    // Everything not replaced passes through, a lone lead byte at the end included.
    result.append(text.substr(q));
    return result;
}

namespace {

// Reads a text one character at a time with full-width forms read as their ASCII bytes.
class HalfWidthReader {
  public:
    explicit HalfWidthReader(std::string_view text) : text_(text) {}

    /// The next byte after the full-width mapping; 0 at the end.
    unsigned char next() {
        if (pendingSecond_) {
            pendingSecond_ = false;
            return at(pos_++);
        }
        if (pos_ >= text_.size()) {
            return 0;
        }
        const unsigned char lead = at(pos_);
        if (lead < 0x80 || pos_ + 1 >= text_.size()) {
            ++pos_;
            return lead;
        }
        const unsigned char trail = at(pos_ + 1);
        if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
            pos_ += 2;
            return static_cast<unsigned char>(trail - 0x80);
        }
        if (lead == 0xA1) {
            const unsigned char mapped = trail == 0xA1                      ? ' '
                                         : trail == 0xAB                    ? '~'
                                         : (trail == 0xEE || trail == 0xEF) ? '*'
                                                                            : 0;
            if (mapped != 0) {
                pos_ += 2;
                return mapped;
            }
        }
        pendingSecond_ = true; // any other pair stays as its two bytes
        return at(pos_++);
    }

  private:
    unsigned char at(std::size_t i) const { return static_cast<unsigned char>(text_[i]); }

    std::string_view text_;
    std::size_t pos_ = 0;
    bool pendingSecond_ = false;
};

} // namespace

int toInt(std::string_view text) {
    HalfWidthReader reader(text);
    unsigned char c = reader.next();
    while (c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r') {
        c = reader.next();
    }
    bool negative = false;
    if (c == '+' || c == '-') {
        negative = c == '-';
        c = reader.next();
    }
    std::uint32_t value = 0; // wraps at 32 bits, as the accumulation has no overflow check
    while (c >= '0' && c <= '9') {
        value = value * 10u + static_cast<std::uint32_t>(c - '0');
        c = reader.next();
    }
    if (negative) {
        value = 0u - value;
    }
    return static_cast<int>(value);
}

AnsiText toText(int value) {
    return std::to_string(value);
}

AnsiText toText(bool value) {
    return value ? AnsiText("\xD5\xE6") : AnsiText("\xBC\xD9");
}

AnsiText toText(const ByteArray& bytes) {
    const auto end = std::find(bytes.begin(), bytes.end(), 0);
    return AnsiText(bytes.begin(), end);
}

AnsiText blankText(int count) {
    return count <= 0 ? AnsiText() : AnsiText(static_cast<std::size_t>(count), ' ');
}

AnsiText concatText(std::initializer_list<std::string_view> parts) {
    std::size_t total = 0;
    for (std::string_view part : parts) {
        total += part.size();
    }
    AnsiText result;
    result.reserve(total);
    for (std::string_view part : parts) {
        result.append(part);
    }
    return result;
}

int compareText(std::string_view a, std::string_view b) {
    // std::string_view compares through char_traits<char>, which orders bytes as unsigned.
    const int c = a.compare(b);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

ByteArray toBytes(std::string_view text) {
    return ByteArray(text.begin(), text.end());
}

int bytesLength(const ByteArray& bytes) {
    return static_cast<int>(bytes.size());
}

ByteArray bytesLeft(const ByteArray& bytes, int count) {
    const std::size_t n = count <= 0 ? 0 : std::min(bytes.size(), static_cast<std::size_t>(count));
    return ByteArray(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(n));
}

ByteArray bytesMid(const ByteArray& bytes, BytePos start, int count) {
    const std::size_t first =
        start < 1 ? 0 : std::min(bytes.size(), static_cast<std::size_t>(start) - 1);
    const std::size_t n =
        count <= 0 ? 0 : std::min(bytes.size() - first, static_cast<std::size_t>(count));
    const auto begin = bytes.begin() + static_cast<std::ptrdiff_t>(first);
    return ByteArray(begin, begin + static_cast<std::ptrdiff_t>(n));
}

} // namespace vexlo
