// foldRepeats folds repetitions of a text the user names into "t{n}" or "t*";
// generaliseChars turns every ASCII letter into a letter class and every digit into "\d".
#include "regex/regex_replace.h"
#include "text/occurrences.h"
#include "text/primitives.h"
#include "workbench/commands.h"

namespace vexlo {
namespace {

// Up to this many occurrences give a counted repetition; more give the star expression.
constexpr int kMostCounted = 5;

} // namespace

AnsiText foldRepeats(std::string_view pattern, std::string_view t) {
    // Nothing to fold by: an empty answer (or a cancelled box) changes nothing.
    if (t.empty()) {
        return AnsiText(pattern);
    }
    // t is used as it stands, as text in the searches and as syntax in the expressions.
    const AnsiText openRepetition = concatText(t, "*");
    if (findText(pattern, openRepetition) != -1) {
        return AnsiText(pattern);
    }

    if (findText(pattern, t) != -1 && findText(pattern, concatText(t, "{")) != -1) {
        const AnsiText unbracketed = replaceText(pattern, concatText("[", t, "]*"), openRepetition,
                                                 std::nullopt, std::nullopt, true);
        const std::optional<AnsiText> opened =
            regexReplace(unbracketed, concatText(t, "\\{\\d*\\}"), openRepetition);
        return opened.value_or(AnsiText(pattern));
    }

    const int n = countOccurrences(pattern, t, true);
    if (n <= kMostCounted) {
        AnsiText run;
        for (int i = 0; i < n; ++i) {
            run += t;
        }
        return replaceText(pattern, run, concatText(t, "{", toText(n), "}"), std::nullopt,
                           std::nullopt, true);
    }
    // "t*" would also match the empty text between the occurrences and insert "t*" there:
    // only non-empty matches are replaced.
    const std::optional<AnsiText> starred =
        regexReplace(pattern, openRepetition, concatText(t, "\\*"), true, EmptyMatches::skipped);
    return starred.value_or(AnsiText(pattern));
}

AnsiText generaliseChars(std::string_view pattern) {
    AnsiText text(pattern);
    // Replacing z also hits the z of every "[a-z]" made before; the repair undoes that.
    for (int code = 'a'; code <= 'z'; ++code) {
        text = replaceText(text, charFromCode(code), "[a-z]", std::nullopt, std::nullopt, true);
    }
    if (findText(text, "[a-[a-z]]") != -1) {
        text = replaceText(text, "[a-[a-z]]", "[a-z]", std::nullopt, std::nullopt, true);
    }
    for (int code = 'A'; code <= 'Z'; ++code) {
        text = replaceText(text, charFromCode(code), "[A-Z]", std::nullopt, std::nullopt, true);
    }
    if (findText(text, "[A-[A-Z]]") != -1) {
        text = replaceText(text, "[A-[A-Z]]", "[A-Z]", std::nullopt, std::nullopt, true);
    }
    for (int digit = 0; digit <= 9; ++digit) {
        text = replaceText(text, toText(digit), "\\d", std::nullopt, std::nullopt, true);
    }
    return collapseEscapes(text, "d");
}

} // namespace vexlo
