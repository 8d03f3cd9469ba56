// generateCode: the pattern made fit for an E string literal (no line breaks, no double
// quotes), put into the template chosen by the subject, with the two option flags.
#include "codegen/codegen.h"

#include "text/occurrences.h"
#include "text/primitives.h"
#include "workbench/commands.h"

namespace vexlo {
namespace {

constexpr std::string_view kPatternPlaceholder = "\xD5\xFD\xD4\xF2\xB1\xED\xB4\xEF\xCA\xBD\xCE"
                                                 "\xC4\xB1\xBE"; // 正则表达式文本
constexpr std::string_view kQuotePlaceholder = "\xCA\xC7\xB7\xF1\xCC\xE6\xBB\xBB\xD2\xFD\xBA"
                                               "\xC5"; // 是否替换引号
constexpr std::string_view kCasePlaceholder = "\xCA\xC7\xB7\xF1\xC7\xF8\xB7\xD6\xB4\xF3\xD0\xA1"
                                              "\xD0\xB4"; // 是否区分大小写

} // namespace

GeneratedCode generateCode(std::string_view pattern, std::string_view sourceText,
                           bool caseSensitive) {
    AnsiText rewritten(pattern);
    if (findText(rewritten, "\r\n") != -1) {
        rewritten = replaceLineBreaks(rewritten);
    }
    const AnsiText& codeTemplate =
        findText(sourceText, "\r\n") != -1 ? CODE_TEMPLATE_PLAIN : CODE_TEMPLATE_WITH_LOCAL;
    const bool hadQuote = findText(rewritten, "\"") != -1;
    if (hadQuote) {
        rewritten = replaceQuotes(rewritten);
    }
    const AnsiText quotedPattern = concatText("\"", rewritten, "\"");
    const AnsiText quoteFlag = toText(hadQuote);
    const AnsiText caseFlag = toText(caseSensitive);

    // The flags go in first and the pattern last, so that a placeholder word inside the
    // pattern arrives in the call as the user wrote it.
    AnsiText code = replacePairs(codeTemplate, std::nullopt, std::nullopt, false,
                                 {{kQuotePlaceholder, quoteFlag},
                                  {kCasePlaceholder, caseFlag},
                                  {kPatternPlaceholder, quotedPattern}});
    const bool changed = rewritten != pattern;
    return GeneratedCode{std::move(code), std::move(rewritten), changed, hadQuote};
}

} // namespace vexlo
