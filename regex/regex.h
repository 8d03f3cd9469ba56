// The pattern engine at its UTF-16 level: a pattern in the script engine's RegExp language
// (ECMAScript 3 as VBScript 5.5 reads it), translated to PCRE2 and matched with PCRE2-16,
// stepping through the subject as that engine does. Offsets are UTF-16 units.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace vexlo {

struct RegexOptions {
    bool ignoreCase = true;
    bool multiline = true;
    bool global = true;
    bool useJit = true;  // false forces PCRE2's interpreter (for tests and benchmarks)
};

/// Why a pattern was rejected; offset is in UTF-16 units of the pattern, -1 when unknown.
struct CompileError {
    enum class Kind {
        none,
        unbalancedParenthesis,
        unterminatedClass,
        trailingBackslash,
        badRange,           // [z-a]
        badQuantifier,      // a{2,1}, a count above 65535
        nothingToRepeat,    // *a, a**, a{2}{3}, \b+
        unsupportedSyntax,  // lookbehind, named groups, inline flags, atomic groups, verbs ...
        engineRejected,     // PCRE2 refused the translation (a translator bug)
        tooLarge,           // valid, but beyond PCRE2's size or nesting limits
    };
    Kind kind = Kind::none;
    int offset = -1;
};

/// How an execution ended.
enum class ExecStatus {
    completed,  // every match was reported
    stopped,    // the callback asked to stop
    runaway,    // the engine's match, depth, heap or JIT-stack limit ended the search
};

/// One match: pairs (start, end) for the whole match and each group, in UTF-16 units of the
/// subject; a group that took no part has start and end -1. Valid during the callback only.
using MatchOffsets = std::span<const std::int32_t>;

/// A compiled pattern. Cheap to move; not copyable; one thread at a time.
class Regex {
public:
    /// Translates and compiles pattern. Never throws; check ok().
    static Regex compile(std::u16string_view pattern, RegexOptions options);

    Regex(Regex&&) noexcept;
    Regex& operator=(Regex&&) noexcept;
    ~Regex();

    bool ok() const;
    CompileError error() const;
    /// Number of capturing groups (0 when not ok).
    int groupCount() const;
    /// The PCRE2 pattern the translator wrote (empty when not ok); for tests and tools.
    const std::u16string& translated() const;

    /// Runs the search over subject as the script engine's Execute does: each search starts
    /// where the previous match ended, one unit further after an empty match; with global
    /// off at most one match. Calls onMatch for each match in order; onMatch returns false to
    /// stop. Matches reported before a runaway stay valid. cancelled, when given, is also read
    /// inside a search, so that setting it ends even a runaway search within milliseconds
    /// (ExecStatus::stopped) rather than at the end of the search's budget.
    ExecStatus forEachMatch(std::u16string_view subject,
                            const std::function<bool(MatchOffsets)>& onMatch,
                            const std::atomic<bool>* cancelled = nullptr) const;

private:
    struct Impl;
    explicit Regex(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

} // namespace vexlo
