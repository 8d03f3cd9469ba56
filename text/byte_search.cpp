// Byte-scanning cores of the searches: memchr/memmem find candidates, a candidate is then
// checked against the two-byte stepping by looking back only over the run of bytes 0x80-0xFF
// in front of it, so every search stays linear in the text.
#include "text/byte_search.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace vexlo::detail {

namespace {

// A cursor that has not been computed yet (no real offset comes this close to NONE).
constexpr std::size_t UNKNOWN = NONE - 1;

// The comparison bytes a finder may spend on failed candidates before the scanned bytes
// have paid for them, and what a failed candidate costs beyond its comparison (a memchr call
// and the bookkeeping around it), in scanned bytes.
constexpr std::size_t INITIAL_BUDGET = 4096;
constexpr std::size_t CANDIDATE_COST = 32;

bool isLetter(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool hasLetter(std::string_view s) {
    return std::any_of(s.begin(), s.end(),
                       [](char c) { return isLetter(static_cast<unsigned char>(c)); });
}

bool equalFolded(const char* a, const char* b, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) {
        if (foldByte(static_cast<unsigned char>(a[i])) !=
            foldByte(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

// Next offset >= from at which byte c stands; NONE when none.
std::size_t nextByte(std::string_view text, std::size_t from, char c) {
    const void* hit = std::memchr(text.data() + from, c, text.size() - from);
    return hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - text.data()) : NONE;
}

std::size_t findSubstring(std::string_view text, std::size_t from, std::string_view sub) {
#if defined(__GLIBC__) || defined(__APPLE__)
    const void* hit = memmem(text.data() + from, text.size() - from, sub.data(), sub.size());
    return hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - text.data()) : NONE;
#else
    return text.find(sub, from);
#endif
}

// Last offset <= last at which byte c stands; NONE when none.
std::size_t lastByte(std::string_view text, std::size_t last, char c) {
#if defined(__GLIBC__)
    const void* hit = memrchr(text.data(), c, last + 1);
    return hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - text.data()) : NONE;
#else
    return text.substr(0, last + 1).rfind(c);
#endif
}

// Next offset >= from holding the letter lower in either case; NONE when none.
std::size_t nextEitherCase(std::string_view text, std::size_t from, char lower) {
    constexpr std::uint64_t ONES = 0x0101010101010101ull;
    constexpr std::uint64_t TOPS = 0x8080808080808080ull;
    // Setting bit 5 turns A-Z into a-z and no other byte into a letter.
    const std::uint64_t pattern = ONES * static_cast<unsigned char>(lower);
    const char* p = text.data();
    std::size_t i = from;
    while (i + 8 <= text.size()) {
        std::uint64_t word;
        std::memcpy(&word, p + i, 8);
        const std::uint64_t x = (word | (ONES * 0x20)) ^ pattern;
        if ((x - ONES) & ~x & TOPS) { // some byte of x is zero
            break;
        }
        i += 8;
    }
    for (; i < text.size(); ++i) {
        if ((p[i] | 0x20) == lower) {
            return i;
        }
    }
    return NONE;
}

char otherCase(char c) {
    const auto u = static_cast<unsigned char>(c);
    return static_cast<char>(u >= 'a' ? u - ('a' - 'A') : u + ('a' - 'A'));
}

// Start of the run of bytes 0x80-0xFF that ends just before offset c, going no further back
// than floor. That start is a character start when floor is one: the byte before it is below
// 0x80, so it is either a character of its own or the second byte of a pair.
std::size_t runStart(std::string_view text, std::size_t c, std::size_t floor) {
    std::size_t s = c;
    while (s > floor && isHighByte(text[s - 1])) {
        --s;
    }
    return s;
}

} // namespace

ByteFinder::ByteFinder(std::string_view text, std::string_view sub, bool fold)
    : text_(text), sub_(sub), folded_(fold && hasLetter(sub)),
      firstIsLetter_(isLetter(static_cast<unsigned char>(sub[0]))), budget_(INITIAL_BUDGET),
      cursorA_(UNKNOWN), cursorB_(UNKNOWN), cursorWhole_(UNKNOWN) {}

// Brings a cursor up to from: kept while it still lies at or after from (or found nothing).
std::size_t ByteFinder::refresh(std::size_t& cursor, std::size_t from,
                                std::size_t (*scan)(std::string_view, std::size_t, char),
                                char c) const {
    if (cursor == UNKNOWN || cursor < from) {
        cursor = scan(text_, from, c);
    }
    return cursor;
}

// A failed candidate costs its comparison and a scan call; the bytes skipped pay for it. Once
// the budget is gone the finder scans whole from then on.
void ByteFinder::spend(std::size_t scanned) {
    budget_ += scanned;
    const std::size_t cost = sub_.size() + CANDIDATE_COST;
    if (budget_ < cost) {
        wholeScan_ = true;
    } else {
        budget_ -= cost;
    }
}

std::size_t ByteFinder::next(std::size_t from) {
    if (from > text_.size() || text_.size() - from < sub_.size()) {
        return NONE;
    }
    return folded_ ? nextFolded(from) : nextExact(from);
}

// memchr on the first byte is several times faster than memmem while candidates are rare;
// memmem (linear in any case) takes over when they come thick.
std::size_t ByteFinder::nextExact(std::size_t from) {
    const std::size_t m = sub_.size();
    while (true) {
        if (wholeScan_) {
            if (cursorWhole_ == UNKNOWN || cursorWhole_ < from) {
                cursorWhole_ = findSubstring(text_, from, sub_);
            }
            return cursorWhole_;
        }
        const std::size_t c = refresh(cursorA_, from, nextByte, sub_[0]);
        if (c == NONE || text_.size() - c < m) {
            return NONE;
        }
        if (std::memcmp(text_.data() + c + 1, sub_.data() + 1, m - 1) == 0) {
            return c;
        }
        spend(c - from);
        from = c + 1;
    }
}

// Candidates for the first byte, in either case when it is a letter, merged in order. When
// they come thick, one pass that tests eight bytes at a time for either case is cheaper than
// two memchr calls per candidate.
std::size_t ByteFinder::nextFolded(std::size_t from) {
    const std::size_t m = sub_.size();
    const char first = sub_[0];
    const auto lower = static_cast<char>(foldByte(static_cast<unsigned char>(first)));
    while (true) {
        std::size_t c;
        if (!firstIsLetter_) {
            c = refresh(cursorA_, from, nextByte, first);
        } else if (wholeScan_) {
            c = refresh(cursorWhole_, from, nextEitherCase, lower);
        } else {
            c = std::min(refresh(cursorA_, from, nextByte, first),
                         refresh(cursorB_, from, nextByte, otherCase(first)));
        }
        if (c == NONE || text_.size() - c < m) {
            return NONE;
        }
        if (equalFolded(text_.data() + c + 1, sub_.data() + 1, m - 1)) {
            return c;
        }
        if (firstIsLetter_ && !wholeScan_) {
            spend(c - from);
        }
        from = c + 1;
    }
}

std::size_t ByteFinder::nextOnCharacter(std::size_t from) {
    std::size_t known = from; // a character start; every candidate lies at or after it
    std::size_t pos = from;
    while (true) {
        const std::size_t c = next(pos);
        if (c == NONE) {
            return NONE;
        }
        // Between the run start and c there are only bytes 0x80-0xFF, which pair up.
        if ((c - runStart(text_, c, known)) % 2 == 0) {
            return c;
        }
        known = c + 1; // c is a second byte, so the next byte starts a character
        pos = c + 1;
    }
}

std::size_t findBytes(std::string_view text, std::size_t from, std::string_view sub, bool fold) {
    return ByteFinder(text, sub, fold).next(from);
}

std::size_t findOnCharacter(std::string_view text, std::size_t from, std::string_view sub,
                            bool fold) {
    return ByteFinder(text, sub, fold).nextOnCharacter(from);
}

namespace {

// The last occurrence on a character, found by walking every occurrence on a character from
// the front; NONE when none.
std::size_t lastByForwardWalk(std::string_view text, std::string_view sub, bool fold) {
    ByteFinder finder(text, sub, fold);
    std::size_t last = NONE;
    for (std::size_t p = finder.nextOnCharacter(0); p != NONE;
         p = finder.nextOnCharacter(p + (isHighByte(text[p]) ? 2 : 1))) {
        last = p;
    }
    return last;
}

} // namespace

std::size_t findLastOnCharacter(std::string_view text, std::string_view sub, bool fold) {
    const std::size_t m = sub.size();
    if (text.size() < m) {
        return NONE;
    }
    const bool folded = fold && hasLetter(sub);
    const char first = sub[0];
    const bool twoCases = folded && isLetter(static_cast<unsigned char>(first));
    std::size_t limit = text.size() - m; // the last offset at which sub fits
    std::size_t nextA = lastByte(text, limit, first);
    std::size_t nextB = twoCases ? lastByte(text, limit, otherCase(first)) : NONE;
    // The run found for the last candidate: [cachedStart, cachedEnd) holds only bytes
    // 0x80-0xFF, so it serves every later (smaller) candidate inside it.
    std::size_t cachedStart = NONE;
    std::size_t cachedEnd = 0;
    // Failed candidates spend a budget as in ByteFinder; once it is gone, the rest is walked
    // forward with memmem, which stays linear however thick the candidates come.
    std::size_t budget = INITIAL_BUDGET;
    std::size_t scannedTo = limit;
    while (true) {
        std::size_t c = nextA;
        if (nextB != NONE && (c == NONE || nextB > c)) {
            c = nextB;
        }
        if (c == NONE) {
            return NONE;
        }
        const bool same = folded ? equalFolded(text.data() + c + 1, sub.data() + 1, m - 1)
                                 : std::memcmp(text.data() + c + 1, sub.data() + 1, m - 1) == 0;
        if (same) {
            if (cachedStart == NONE || c < cachedStart || c > cachedEnd) {
                cachedStart = runStart(text, c, 0);
                cachedEnd = c;
            }
            if ((c - cachedStart) % 2 == 0) {
                return c;
            }
        }
        if (c == 0) {
            return NONE;
        }
        budget += scannedTo - c;
        scannedTo = c;
        if (budget < m + CANDIDATE_COST) {
            return lastByForwardWalk(text.substr(0, c - 1 + m), sub, fold);
        }
        budget -= m + CANDIDATE_COST;
        if (c == nextA) {
            nextA = lastByte(text, c - 1, first);
        } else {
            nextB = lastByte(text, c - 1, otherCase(first));
        }
    }
}

} // namespace vexlo::detail
