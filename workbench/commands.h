// The pattern commands as functions: the pattern text (and the user's answer) in, the new
// pattern text out. The window asks the questions, calls these and writes the result back.
// A rewrite that cannot be done gives the pattern back unchanged.
#pragma once

#include "text/ansi_text.h"

namespace vexlo {

/// Every CR LF becomes "\s\s".
AnsiText replaceLineBreaks(std::string_view pattern);
/// Every blank (0x20) becomes "\s".
AnsiText replaceBlanks(std::string_view pattern);
/// Every double quote becomes QUOTE_TOKEN.
AnsiText replaceQuotes(std::string_view pattern);
/// A backslash before each metacharacter and each backslash (after the user confirmed).
AnsiText escapeMetachars(std::string_view pattern);
/// Folds a run of "\<letter>" into "\<letter>{n}", or the first "\<letter>{n}" into "\<letter>*".
AnsiText collapseEscapes(std::string_view pattern, std::string_view letter);
/// replaceLineBreaks, replaceBlanks, then collapseEscapes with letter (the escapeCombo text).
AnsiText smartOptimise(std::string_view pattern, std::string_view letter);
/// Folds repetitions of t into "t{n}" (up to 5) or "t*" (6 or more). An empty t changes nothing.
AnsiText foldRepeats(std::string_view pattern, std::string_view t);
/// Letters become "[a-z]"/"[A-Z]", digits "\d", then runs of "\d" are folded (after the user
/// confirmed).
AnsiText generaliseChars(std::string_view pattern);

// The window's texts for these commands, in code page 936.
extern const AnsiText ESCAPE_CONFIRMATION;      // the two-line warning before escapeMetachars
extern const AnsiText GENERALISE_CONFIRMATION;  // the warning before generaliseChars
extern const AnsiText FOLD_PROMPT;              // "欲去重复的文本"
extern const AnsiText FOLD_TITLE;               // "去重复"
extern const AnsiText FOLD_INITIAL;             // "1"

} // namespace vexlo
