// The pattern translator: reads a pattern in the script engine's RegExp language (ECMAScript 3
// as VBScript 5.5 reads it), rejects what that engine rejects, and writes a PCRE2 pattern
// that matches the same way. Knows nothing of PCRE2's API; Regex::compile feeds it.
#pragma once

#include "regex/regex.h"

#include <string>
#include <string_view>

namespace vexlo {

struct Translation {
    std::u16string pattern; // PCRE2 syntax for a pattern without options; empty when rejected
    int groupCount = 0;     // capturing groups, numbered by their opening parenthesis
    CompileError error;     // kind none when the pattern was accepted
};

/// Translates pattern (UTF-16 units, each one character).
/// Arguments: options.ignoreCase keeps \d \w \s \b ASCII under PCRE2 CASELESS|UCP;
///            options.multiline makes ^ and $ match at every CR and LF; global and useJit
///            play no part here.
/// Returns the PCRE2 pattern, to be compiled without UTF and with CASELESS|UCP exactly when
/// options.ignoreCase; or the error kind and the pattern offset where the engine would
/// reject it. Never throws; any input, however malformed, gives one of the two.
/// calloutBeforeRepeats puts a PCRE2 callout (?C2) in front of every repeated atom, where
/// the matcher checks the search's time budget; the output is otherwise the same.
Translation translatePattern(std::u16string_view pattern, RegexOptions options,
                             bool calloutBeforeRepeats = false);

} // namespace vexlo
