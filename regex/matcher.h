// RegexMatcher: compile a pattern with its options, execute it once over a subject, and read
// the numbered matches and groups back as code page 936 texts. Built and used by one thread.
#pragma once

#include "regex/regex.h"
#include "text/ansi_text.h"

#include <functional>
#include <optional>
#include <vector>

namespace vexlo {

class RegexMatcher {
public:
    RegexMatcher() = default;
    RegexMatcher(const RegexMatcher&) = delete;
    RegexMatcher& operator=(const RegexMatcher&) = delete;

    /// Compiles pattern (QUOTE_TOKEN turned into a double quote first when restoreQuotes) and
    /// executes it over subject. False when the pattern is rejected; true otherwise, also
    /// with no match and after a runaway (see runaway()).
    bool create(std::string_view pattern, std::string_view subject, bool caseSensitive = false,
                bool multiline = true, bool global = true, bool restoreQuotes = false);

    int matchCount() const;
    /// Text of match i (1-based); empty out of range.
    AnsiText matchText(int i) const;
    /// Number of capturing groups; 0 with no match.
    int subMatchCount() const;
    /// Text of group j of match i (both 1-based); empty for a group that took no part and
    /// for any index out of range.
    AnsiText subMatchText(int i, int j) const;

    /// The incremental form of create, for the match run: compiles as create does, then calls
    /// onMatch with each match's offsets (into subject(), as Regex::forEachMatch gives them,
    /// 2 * (groupCount() + 1) of them) as soon as it is found, and stores no match. onMatch
    /// returns false to stop (cancel). Returns nullopt when the pattern is rejected (see
    /// compileError()), else how the execution ended; matchCount() is 0 afterwards.
    std::optional<ExecStatus> execute(std::string_view pattern, std::string_view subject,
                                      bool caseSensitive, bool multiline, bool global,
                                      bool restoreQuotes,
                                      const std::function<bool(MatchOffsets)>& onMatch);

    /// The subject of the last create or execute, in UTF-16 units (the offsets' frame).
    const std::u16string& subject() const { return subject_; }
    /// Capturing groups of the last compiled pattern, whether or not anything matched.
    int groupCount() const { return groups_; }
    /// Offsets of match i (1-based): start and end of the match, then of each group (-1 for
    /// a group that took no part); empty out of range.
    MatchOffsets matchOffsets(int i) const;

    /// True when the last create stopped at the engine's limits.
    bool runaway() const { return runaway_; }
    /// The last compile error (kind none after a successful create).
    CompileError compileError() const { return error_; }

private:
    std::u16string subject_;
    int groups_ = 0;
    std::vector<std::int32_t> offsets_;  // 2 * (groups_ + 1) per match
    bool runaway_ = false;
    CompileError error_;
};

} // namespace vexlo
