// Differential fuzzing of the text primitives: each fast search and replace must agree with
// a slow reference written straight from the byte rules, on any bytes.
#include "text/occurrences.h"
#include "text/primitives.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

using namespace vexlo;

bool lead(unsigned char c) { return c >= 0x80; }
unsigned char fold(unsigned char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; }

bool equalAt(std::string_view t, size_t q, std::string_view s, bool ignoreCase) {
    for (size_t i = 0; i < s.size(); ++i) {
        unsigned char a = t[q + i], b = s[i];
        if (ignoreCase ? fold(a) != fold(b) : a != b)
            return false;
    }
    return true;
}

// Walks character starts from b (1-based) as the forward search steps.
BytePos refFind(std::string_view t, std::string_view s, int start, bool ic) {
    const int n = int(t.size()), m = int(s.size());
    int b = start <= 1 ? 1 : start;
    if (b > n)
        return -1;
    if (m == 0)
        return 1;
    for (int q = b; n - q + 1 >= m;) {
        if (equalAt(t, q - 1, s, ic))
            return q;
        if (lead(t[q - 1])) {
            if (q == n)
                return -1;
            q += 2;
        } else {
            q += 1;
        }
    }
    return -1;
}

BytePos refFindReverse(std::string_view t, std::string_view s, std::optional<int> start, bool ic) {
    const int n = int(t.size()), m = int(s.size());
    int L = start ? std::clamp(*start - 1, 0, n) : n;
    if (m == 0)
        return L > 0 ? 1 : -1;
    BytePos found = -1;
    for (int q = 1; L - q + 1 >= m;) {
        if (equalAt(t, q - 1, s, ic))
            found = q;
        if (lead(t[q - 1])) {
            if (q == L || q == n)
                break;
            q += 2;
        } else {
            q += 1;
        }
    }
    return found;
}

AnsiText refReplace(std::string_view t, std::string_view s, std::string_view r, int start,
                    int count, bool cs) {
    const int n = int(t.size()), m = int(s.size());
    if (start < 1)
        start = 1;
    if (n == 0 || m == 0 || start > n || count == 0)
        return AnsiText(t);
    AnsiText out(t.substr(0, start - 1));
    int q = start, done = 0;
    while (n - q + 1 >= m) {
        if (equalAt(t, q - 1, s, !cs)) {
            out += r;
            q += m;
            if (++done == count)
                break;
        } else if (lead(t[q - 1])) {
            out += t.substr(q - 1, 2);  // a lone lead byte at the end is copied through
            q += 2;
        } else {
            out += t[q - 1];
            q += 1;
        }
    }
    if (q <= n)
        out += t.substr(q - 1);
    return out;
}

int refCharCount(std::string_view t) {
    int count = int(t.size());
    for (size_t i = 0; i + 1 < t.size();) {
        unsigned char c = t[i];
        if (c >= 0x80 || c == 13) {
            --count;
            i += 2;
        } else {
            i += 1;
        }
    }
    return count;
}

BytePos refFindFrom(std::string_view t, std::string_view s, int start, bool ic) {
    if (start == 0)
        start = 1;
    start = std::clamp(start, 1, int(t.size()) + 1);
    if (t.empty() || s.empty())
        return -1;
    for (size_t q = start - 1; q + s.size() <= t.size(); ++q)
        if (equalAt(t, q, s, ic))
            return BytePos(q + 1);
    return -1;
}

void check(bool ok) {
    if (!ok)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4)
        return 0;
    // Layout: flags, start, sub length, then sub and text; NUL bytes are dropped (texts hold none).
    const unsigned flags = data[0];
    const int start = int(data[1] % 40) - 4;
    const size_t subLength = std::min<size_t>(data[2] % 8, size - 3);
    std::string bytes(reinterpret_cast<const char*>(data + 3), size - 3);
    std::erase(bytes, '\0');
    const std::string_view all(bytes);
    const std::string_view sub = all.substr(0, std::min(subLength, all.size()));
    const std::string_view text = all.substr(sub.size());
    const bool ic = flags & 1;
    const std::optional<BytePos> maybeStart =
        flags & 2 ? std::optional<BytePos>(start) : std::nullopt;

    check(findText(text, sub, maybeStart, ic) == refFind(text, sub, maybeStart.value_or(1), ic));
    check(findTextReverse(text, sub, maybeStart, ic) == refFindReverse(text, sub, maybeStart, ic));
    const int count = flags & 4 ? int(flags >> 4) - 2 : -1;
    const std::string_view replacement = flags & 8 ? "#" : "";
    check(replaceText(text, sub, replacement, maybeStart,
                      flags & 4 ? std::optional<int>(count) : std::nullopt, !ic) ==
          refReplace(text, sub, replacement, maybeStart.value_or(1), count, !ic));
    check(charCountOfBytes(text) == refCharCount(text));
    check(charCountOfBytes(toBytes(text)) == refCharCount(text));
    check(findTextFrom(text, sub, maybeStart, ic) ==
          refFindFrom(text, sub, maybeStart.value_or(0), ic));
    int refCount = 0;
    if (!text.empty() && !sub.empty())
        for (BytePos p = refFind(text, sub, 1, !ic); p != -1;
             p = refFind(text, sub, p + int(sub.size()), !ic))
            ++refCount;
    check(countOccurrences(text, sub, ic) == refCount);
    // Cutting never reads outside the text.
    (void)textMid(text, start, int(flags) - 100);
    (void)bytesMid(toBytes(text), start, int(flags) - 100);
    (void)toInt(text);
    (void)charCode(text, start);
    return 0;
}
