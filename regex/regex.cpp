// Regex: the translated pattern compiled with PCRE2-16 (no UTF, every unit one character),
// JIT-compiled where available, and the script engine's way of stepping through a subject.
#include "regex/regex.h"

#include "regex/translate.h"

#define PCRE2_CODE_UNIT_WIDTH 16
#include <pcre2.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <vector>

namespace vexlo {
namespace {

// Bounds for one search. PCRE2's match limit counts backtracking steps from each start
// position afresh; these values stop an exponential pattern after a few tenths of a second on
// this machine (vexlo-regex-bench measures them). A pattern that is only polynomial at each
// position can still take hours over a long subject, so a search also has a time budget,
// checked by the callouts the translator puts in front of each open-ended repeat.
constexpr std::uint32_t kJitMatchLimit = 100'000'000;
constexpr std::uint32_t kInterpreterMatchLimit = 20'000'000;
constexpr std::chrono::milliseconds kSearchBudget{1000};
constexpr std::uint32_t kHeapLimitKiB = 256 * 1024; // interpreter backtracking memory
constexpr std::size_t kJitStackStart = 64 * 1024;
// Reserved address space, touched only as deep backtracking needs it: a group repeated once
// per unit, as in (?:a|b)*, takes some 25 bytes an iteration, so 64 MB carries it over
// about two million units (the interpreter's heap limit stops it near 1.3 million).
constexpr std::size_t kJitStackMax = 64 * 1024 * 1024;
constexpr std::uint32_t kParensNestLimit = 1000;

PCRE2_SPTR16 units(std::u16string_view s) {
    return reinterpret_cast<PCRE2_SPTR16>(s.data());
}

} // namespace

struct Regex::Impl {
    CompileError error;
    std::u16string translated;
    int groups = 0;
    bool global = true;
    pcre2_code* code = nullptr;
    pcre2_match_data* data = nullptr;
    pcre2_match_context* context = nullptr;
    pcre2_jit_stack* jitStack = nullptr;
    std::vector<std::int32_t> offsets; // reused for each match

    Impl() = default;
    Impl(const Impl&) = delete;
    Impl& operator=(const Impl&) = delete;
    ~Impl() {
        pcre2_jit_stack_free(jitStack);
        pcre2_match_context_free(context);
        pcre2_match_data_free(data);
        pcre2_code_free(code);
    }
};

Regex::Regex(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
Regex::Regex(Regex&&) noexcept = default;
Regex& Regex::operator=(Regex&&) noexcept = default;
Regex::~Regex() = default;

Regex Regex::compile(std::u16string_view pattern, RegexOptions options) {
    auto impl = std::make_unique<Impl>();
    impl->global = options.global;
    Translation t = translatePattern(pattern, options, /*calloutBeforeRepeats=*/true);
    if (t.error.kind != CompileError::Kind::none) {
        impl->error = t.error;
        return Regex(std::move(impl));
    }

    std::uint32_t flags = PCRE2_NEVER_UTF | PCRE2_NEVER_BACKSLASH_C | PCRE2_MATCH_UNSET_BACKREF |
                          PCRE2_DOLLAR_ENDONLY;
    if (options.ignoreCase)
        flags |= PCRE2_CASELESS | PCRE2_UCP;
    pcre2_compile_context* cc = pcre2_compile_context_create(nullptr);
    if (cc) {
        pcre2_set_newline(cc, PCRE2_NEWLINE_LF);
        pcre2_set_parens_nest_limit(cc, kParensNestLimit);
    }
    int errorCode = 0;
    PCRE2_SIZE errorOffset = 0;
    impl->code =
        pcre2_compile(units(t.pattern), t.pattern.size(), flags, &errorCode, &errorOffset, cc);
    pcre2_compile_context_free(cc);
    if (!impl->code) {
        // The translation is valid PCRE2 by construction; what PCRE2 can still refuse is a
        // pattern beyond its size or nesting limits.
        const bool limit = errorCode == PCRE2_ERROR_PATTERN_TOO_LARGE ||
                           errorCode == PCRE2_ERROR_PARENTHESES_NEST_TOO_DEEP ||
                           errorCode == PCRE2_ERROR_PATTERN_TOO_COMPLICATED ||
                           errorCode == PCRE2_ERROR_HEAP_FAILED;
        impl->error = {limit ? CompileError::Kind::tooLarge : CompileError::Kind::engineRejected,
                       -1};
        return Regex(std::move(impl));
    }
    impl->translated = std::move(t.pattern);
    impl->groups = t.groupCount;
    impl->data = pcre2_match_data_create_from_pattern(impl->code, nullptr);
    impl->context = pcre2_match_context_create(nullptr);
    if (!impl->data || !impl->context) {
        pcre2_code_free(impl->code);
        impl->code = nullptr;
        impl->error = {CompileError::Kind::tooLarge, -1};
        return Regex(std::move(impl));
    }
    bool jit = false;
    if (options.useJit && pcre2_jit_compile(impl->code, PCRE2_JIT_COMPLETE) == 0) {
        impl->jitStack = pcre2_jit_stack_create(kJitStackStart, kJitStackMax, nullptr);
        if (impl->jitStack) {
            pcre2_jit_stack_assign(impl->context, nullptr, impl->jitStack);
            jit = true;
        }
    }
    if (options.useJit && !jit) {
        // Without a large JIT stack the JIT code would fail on long subjects: recompile so
        // that pcre2_match uses the interpreter.
        pcre2_code* plain = pcre2_code_copy(impl->code);
        if (plain) {
            pcre2_code_free(impl->code);
            impl->code = plain;
        }
    }
    pcre2_set_match_limit(impl->context, jit ? kJitMatchLimit : kInterpreterMatchLimit);
    pcre2_set_heap_limit(impl->context, kHeapLimitKiB);
    impl->offsets.resize(2 * std::size_t(impl->groups + 1));
    return Regex(std::move(impl));
}

bool Regex::ok() const {
    return impl_ && impl_->code;
}

CompileError Regex::error() const {
    return impl_ ? impl_->error : CompileError{};
}

int Regex::groupCount() const {
    return ok() ? impl_->groups : 0;
}

const std::u16string& Regex::translated() const {
    static const std::u16string empty;
    return impl_ ? impl_->translated : empty;
}

namespace {

using Clock = std::chrono::steady_clock;

struct SearchClock {
    Clock::time_point deadline;
    const std::atomic<bool>* cancelled = nullptr; // the caller's; may be null
    unsigned calls = 0;
};

/// Called each time the engine enters an open-ended repeat: ends the search once its budget
/// is spent or the caller has cancelled it. Both are read every few calls only, as a call is
/// cheaper than reading the clock.
int checkBudget(pcre2_callout_block*, void* data) {
    auto& clock = *static_cast<SearchClock*>(data);
    if ((++clock.calls & 63) == 0 &&
        ((clock.cancelled && clock.cancelled->load(std::memory_order_relaxed)) ||
         Clock::now() > clock.deadline))
        return PCRE2_ERROR_CALLOUT;
    return 0;
}

bool isSet(const std::atomic<bool>* flag) {
    return flag && flag->load(std::memory_order_relaxed);
}

} // namespace

ExecStatus Regex::forEachMatch(std::u16string_view subject,
                               const std::function<bool(MatchOffsets)>& onMatch,
                               const std::atomic<bool>* cancelled) const {
    if (!ok())
        return ExecStatus::completed;
    if (subject.size() > std::size_t(INT32_MAX))
        return ExecStatus::runaway;
    Impl& m = *impl_;
    const PCRE2_SIZE length = subject.size();
    PCRE2_SIZE start = 0;
    while (start <= length) {
        SearchClock clock{Clock::now() + kSearchBudget, cancelled};
        pcre2_set_callout(m.context, checkBudget, &clock);
        const int rc = pcre2_match(m.code, units(subject), length, start, 0, m.data, m.context);
        if (rc == PCRE2_ERROR_NOMATCH)
            return ExecStatus::completed;
        if (rc <= 0) // a limit, the budget, a cancel (or another engine failure)
            return isSet(cancelled) ? ExecStatus::stopped : ExecStatus::runaway;
        const PCRE2_SIZE* ov = pcre2_get_ovector_pointer(m.data);
        for (int g = 0; g <= m.groups; ++g) {
            const bool set = g < rc && ov[2 * g] != PCRE2_UNSET;
            m.offsets[2 * g] = set ? std::int32_t(ov[2 * g]) : -1;
            m.offsets[2 * g + 1] = set ? std::int32_t(ov[2 * g + 1]) : -1;
        }
        const PCRE2_SIZE matchStart = ov[0], matchEnd = ov[1];
        if (!onMatch(MatchOffsets(m.offsets)))
            return ExecStatus::stopped;
        if (!m.global)
            return ExecStatus::completed;
        // As the engine steps: on from the end of the match, one unit on after an empty one.
        start = matchEnd > matchStart ? matchEnd : matchStart + 1;
    }
    return ExecStatus::completed;
}

} // namespace vexlo
