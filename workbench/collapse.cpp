// collapseEscapes: folds a run of one escape ("\s\s\s") into a counted repetition ("\s{3}"),
// or turns the first counted repetition of it into an open one ("\s*").
#include "regex/regex_replace.h"
#include "text/occurrences.h"
#include "text/primitives.h"
#include "workbench/commands.h"

#include <string>

namespace vexlo {

AnsiText collapseEscapes(std::string_view pattern, std::string_view letter) {
    const AnsiText escape = concatText("\\", letter);
    const AnsiText openRepetition = concatText("\\", letter, "*");

    // Once the open repetition is there, this letter is done with.
    if (findText(pattern, openRepetition) != -1) {
        return AnsiText(pattern);
    }

    if (findText(pattern, escape) != -1 && findText(pattern, concatText("\\", letter, "{")) != -1) {
        // A literal "[\\x]*" (two backslashes) becomes the open repetition, and the first
        // "\x{digits}" becomes "\x*".
        const AnsiText unbracketed = replaceText(pattern, concatText("[\\\\", letter, "]*"),
                                                 openRepetition, std::nullopt, std::nullopt, true);
        const std::optional<AnsiText> opened = regexReplace(
            unbracketed, concatText("\\\\", letter, "\\{\\d*\\}"), concatText("\\\\", letter, "*"));
        // An expression that does not compile (an odd letter) leaves the pattern as it was.
        return opened.value_or(AnsiText(pattern));
    }

    // The count ignores case ("\S" counts for "\s"); the run is looked for exactly, so it
    // folds only when every occurrence stands in one unbroken run.
    const int n = countOccurrences(pattern, escape);
    AnsiText run;
    run.reserve(escape.size() * static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        run += escape;
    }
    const AnsiText counted = concatText("\\", letter, "{", toText(n), "}");
    return replaceText(pattern, run, counted, std::nullopt, std::nullopt, true);
}

} // namespace vexlo
