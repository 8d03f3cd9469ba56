// The code generator: fills one of two E-language templates with the pattern and the option
// flags. No widgets: the window shows the result, rewrites the pattern and ticks quoteCheck.
#pragma once

#include "text/ansi_text.h"

namespace vexlo {

/// The templates, code page 936, lines joined and ended by CR LF.
extern const AnsiText CODE_TEMPLATE_PLAIN;       // the source text holds a line break
extern const AnsiText CODE_TEMPLATE_WITH_LOCAL;  // it does not

struct GeneratedCode {
    AnsiText code;          // the generated source text
    AnsiText pattern;       // the pattern after the line-break and quote rewrites
    bool patternChanged;    // pattern differs from the one given
    bool tickQuoteCheck;    // the pattern held a double quote
};

/// Generates the call for pattern. sourceText only decides the template (a CR LF in it picks
/// CODE_TEMPLATE_PLAIN); caseSensitive is the state of caseCheck.
GeneratedCode generateCode(std::string_view pattern, std::string_view sourceText,
                           bool caseSensitive);

} // namespace vexlo
