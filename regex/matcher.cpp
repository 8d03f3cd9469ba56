// RegexMatcher: the code page 936 face of Regex. Pattern and subject go to UTF-16 once; each
// match is kept as offsets into the one subject, and texts are cut and converted on request.
#include "regex/matcher.h"

#include "text/codepage.h"
#include "text/primitives.h"

namespace vexlo {
namespace {

/// The text of pair k of one match's offsets; empty for a group that took no part.
AnsiText cut(const std::u16string& subject, MatchOffsets m, int k) {
    const std::int32_t start = m[2 * std::size_t(k)], end = m[2 * std::size_t(k) + 1];
    if (start < 0)
        return {};
    return utf16ToAnsi(
        std::u16string_view(subject).substr(std::size_t(start), std::size_t(end - start)));
}

} // namespace

std::optional<ExecStatus> RegexMatcher::execute(std::string_view pattern, std::string_view subject,
                                                bool caseSensitive, bool multiline, bool global,
                                                bool restoreQuotes,
                                                const std::function<bool(MatchOffsets)>& onMatch) {
    subject_.clear();
    offsets_.clear();
    groups_ = 0;
    runaway_ = false;
    error_ = {};
    const AnsiText prepared = restoreQuotes ? replaceText(pattern, QUOTE_TOKEN, "\"", std::nullopt,
                                                          std::nullopt, /*caseSensitive=*/true)
                                            : AnsiText(pattern);
    RegexOptions options;
    options.ignoreCase = !caseSensitive;
    options.multiline = multiline;
    options.global = global;
    const Regex regex = Regex::compile(ansiToUtf16(prepared), options);
    if (!regex.ok()) {
        error_ = regex.error();
        return std::nullopt;
    }
    subject_ = ansiToUtf16(subject);
    groups_ = regex.groupCount();
    const ExecStatus status = regex.forEachMatch(subject_, onMatch);
    runaway_ = status == ExecStatus::runaway;
    return status;
}

bool RegexMatcher::create(std::string_view pattern, std::string_view subject, bool caseSensitive,
                          bool multiline, bool global, bool restoreQuotes) {
    std::vector<std::int32_t> found;
    const auto status = execute(pattern, subject, caseSensitive, multiline, global, restoreQuotes,
                                [&found](MatchOffsets m) {
                                    found.insert(found.end(), m.begin(), m.end());
                                    return true;
                                });
    offsets_ = std::move(found);
    return status.has_value();
}

int RegexMatcher::matchCount() const {
    return int(offsets_.size() / (2 * std::size_t(groups_ + 1)));
}

MatchOffsets RegexMatcher::matchOffsets(int i) const {
    if (i < 1 || i > matchCount())
        return {};
    const std::size_t width = 2 * std::size_t(groups_ + 1);
    return MatchOffsets(offsets_).subspan((std::size_t(i) - 1) * width, width);
}

AnsiText RegexMatcher::matchText(int i) const {
    const MatchOffsets m = matchOffsets(i);
    return m.empty() ? AnsiText() : cut(subject_, m, 0);
}

int RegexMatcher::subMatchCount() const {
    return matchCount() > 0 ? groups_ : 0;
}

AnsiText RegexMatcher::subMatchText(int i, int j) const {
    const MatchOffsets m = matchOffsets(i);
    if (m.empty() || j < 1 || j > groups_)
        return {};
    return cut(subject_, m, j);
}

} // namespace vexlo
