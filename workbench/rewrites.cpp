// The one-click rewrites of the pattern: line breaks, blanks, quotes, metacharacter escaping,
// and the "smart" sequence of them; plus the window's texts for the pattern commands.
#include "text/occurrences.h"
#include "text/primitives.h"
#include "workbench/commands.h"

namespace vexlo {

const AnsiText ESCAPE_CONFIRMATION =
    "\xD0\xA1\xD0\xC4!\xD5\xE2\xB8\xF6\xB9\xA6\xC4\xDC\xCA\xC7\xD4\xDA\xC8\xB7\xB6\xA8\xD5\xE2"
    "\xCA\xC7\xD4\xAD\xCE\xC4\xB1\xBE\xB5\xC4\xC7\xE9\xBF\xF6\xCF\xC2\xD3\xC3\xB5\xC4,\xC8\xE7"
    "\xB9\xFB\xC4\xE3\xB5\xC4\xCE\xC4\xB1\xBE\xD7\xD4\xB4\xF8\xD5\xFD\xD4\xF2\xD5\xE2\xB8\xF6"
    "\xB9\xA6\xC4\xDC\xBF\xC9\xC4\xDC\xBB\xE1\xBA\xA6\xC1\xCB\xC4\xE3.\r\n"
    "\xC4\xE3\xC8\xB7\xB6\xA8\xD5\xE2\xCA\xC7\xD0\xE8\xD2\xAA\xB4\xA6\xC0\xED\xB5\xC4\xD4\xAD"
    "\xCE\xC4\xB1\xBE\xC2\xF0?";
const AnsiText GENERALISE_CONFIRMATION =
    "\xD5\xE2\xB8\xF6\xB9\xA6\xC4\xDC\xCA\xC7\xB0\xC9\xCB\xF9\xD3\xD0\xB5\xC4\xCA\xFD\xD7\xD6"
    "\xBA\xCD\xD7\xD6\xC4\xB8\xCC\xE6\xBB\xBB\xB3\xC9\\d\xBA\xCD\\w  , \xC4\xE3\xC8\xB7\xB6\xA8"
    "\xD5\xE2\xCA\xC7\xD0\xE8\xD2\xAA\xB4\xA6\xC0\xED\xB5\xC4\xD4\xAD\xCE\xC4\xB1\xBE\xC2\xF0?";
const AnsiText FOLD_PROMPT = "\xD3\xFB\xC8\xA5\xD6\xD8\xB8\xB4\xB5\xC4\xCE\xC4\xB1\xBE";
const AnsiText FOLD_TITLE = "\xC8\xA5\xD6\xD8\xB8\xB4";
const AnsiText FOLD_INITIAL = "1";

AnsiText replaceLineBreaks(std::string_view pattern) {
    return replaceText(pattern, "\r\n", "\\s\\s", std::nullopt, std::nullopt, true);
}

AnsiText replaceBlanks(std::string_view pattern) {
    return replaceText(pattern, blankText(1), "\\s", std::nullopt, std::nullopt, true);
}

AnsiText replaceQuotes(std::string_view pattern) {
    return replaceText(pattern, charFromCode(0x22), QUOTE_TOKEN, std::nullopt, std::nullopt, true);
}

AnsiText escapeMetachars(std::string_view pattern) {
    // The backslash first: no later replacement holds a character an earlier pair looks for,
    // so every metacharacter ends up behind exactly one backslash.
    const AnsiText doubled = replaceText(pattern, "\\", "\\\\", std::nullopt, std::nullopt, true);
    const AnsiText group1 =
        replacePairs(doubled, std::nullopt, std::nullopt, false,
                     {{".", "\\."}, {"+", "\\+"}, {"*", "\\*"}, {"[", "\\["}, {"]", "\\]"}});
    const AnsiText group2 =
        replacePairs(group1, std::nullopt, std::nullopt, false,
                     {{"{", "\\{"}, {"}", "\\}"}, {"?", "\\?"}, {"(", "\\("}, {")", "\\)"}});
    return replacePairs(group2, std::nullopt, std::nullopt, false,
                        {{"^", "\\^"}, {"$", "\\$"}, {"-", "\\-"}, {"|", "\\|"}, {"!", "\\!"}});
}

AnsiText smartOptimise(std::string_view pattern, std::string_view letter) {
    return collapseEscapes(replaceBlanks(replaceLineBreaks(pattern)), letter);
}

} // namespace vexlo
