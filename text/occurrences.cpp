// Counting occurrences, the plain byte search from a position, and the chain of up to five
// search/replacement pairs, all on the primitives' search cores.
#include "text/occurrences.h"

#include "text/byte_search.h"
#include "text/primitives.h"

#include <algorithm>

namespace vexlo {

using detail::NONE;

int countOccurrences(std::string_view text, std::string_view sub, bool caseSensitive) {
    if (text.empty() || sub.empty()) {
        return 0;
    }
    int count = 0;
    std::size_t from = 0;
    // Each search starts behind the previous occurrence, counting characters afresh there.
    detail::ByteFinder finder(text, sub, !caseSensitive);
    while (true) {
        const std::size_t p = finder.nextOnCharacter(from);
        if (p == NONE) {
            return count;
        }
        ++count;
        from = p + sub.size();
    }
}

BytePos findTextFrom(std::string_view text, std::string_view sub, std::optional<BytePos> start,
                     bool ignoreCase) {
    const long long n = static_cast<long long>(text.size());
    long long s = std::clamp<long long>(start.value_or(1), 0, n + 1);
    if (s == 0) {
        s = 1;
    }
    if (text.empty() || sub.empty()) {
        return -1;
    }
    // Folding both sides byte by byte, as lower-casing copies of both would.
    const std::size_t p = detail::findBytes(text, static_cast<std::size_t>(s - 1), sub, ignoreCase);
    return p == NONE ? -1 : static_cast<BytePos>(p + 1);
}

AnsiText replacePairs(std::string_view text, std::optional<int> count, std::optional<BytePos> start,
                      bool caseSensitive, std::initializer_list<ReplacePair> pairs) {
    const BytePos from = (!start || *start == 0) ? 1 : *start;
    AnsiText result(text);
    for (const ReplacePair& pair : pairs) {
        // count is passed on exactly as given: omitted stays omitted.
        result = replaceText(result, pair.search, pair.replacement, from, count, caseSensitive);
    }
    return result;
}

} // namespace vexlo
