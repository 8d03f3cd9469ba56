// The case-file format of vexlo-cases: one case a line (id, flags, pattern, subject, tab
// separated, UTF-8), run below RegexMatcher at the UTF-16 level, one JSON line per result.
// The data-driven regex tests read the same files.
#pragma once

#include "regex/regex.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vexlo::cases {

struct Case {
    std::string id;
    RegexOptions options; // from the flags field; JIT as the caller sets it
    std::u16string pattern;
    std::u16string subject;
    std::vector<std::string> extra; // fields after the fourth, as written (UTF-8)
};

struct MatchResult {
    std::int32_t index = 0;  // UTF-16 units
    std::int32_t length = 0; // UTF-16 units
    std::u16string value;
    std::vector<std::optional<std::u16string>> sub; // nullopt: the group took no part
};

struct CaseResult {
    bool ok = false;      // compiled and ran to the end
    bool runaway = false; // compiled, but the engine's limits stopped it
    std::vector<MatchResult> matches;
};

/// UTF-8 to UTF-16, reading \n \r \t as LF CR tab, \\ as one backslash and \uXXXX as that
/// unit; any other backslash stays. Malformed UTF-8 becomes U+FFFD.
std::u16string decodeField(std::string_view utf8);

/// Parses one line. Returns nullopt for an empty line or a comment (first character '#');
/// otherwise a case, or a case with an empty id and error set when the line has fewer than
/// four fields or an unknown flag letter.
std::optional<Case> parseLine(std::string_view line, std::string& error);

/// Compiles and runs the case. Matches found before a runaway are kept.
CaseResult runCase(const Case& c);

/// {"id":..,"ok":true,"matches":[{"index":..,"length":..,"value":..,"sub":[..]}]},
/// {"id":..,"ok":false} for a rejected pattern, plus "runaway":true for a stopped search.
std::string toJson(std::string_view id, const CaseResult& result);

} // namespace vexlo::cases
