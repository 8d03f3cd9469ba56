// Translating one character class [...] of the engine's language into a PCRE2 atom.
// Internal to regex/.
#pragma once

#include "regex/regex.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace vexlo {

/// Translates the class whose '[' is p[i].
/// A leading ']' is a member; a range's ends must be ordered ([z-a] is rejected); a range
/// with a set escape at either end (\d-z) is the set, a '-' and the other end. \b is the
/// backspace; digits are octal; \d \w \s are ASCII, and \w \W stay ASCII under ignoreCase.
/// Returns true with the class appended to out as one quantifiable PCRE2 atom and i past the
/// closing ']'; false with error set (out and i unspecified).
bool translateClass(std::u16string_view p, std::size_t& i, bool ignoreCase, std::u16string& out,
                    CompileError& error);

} // namespace vexlo
