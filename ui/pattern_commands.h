// The buttons that rewrite patternBox and the two code-generator buttons, as the window runs
// them: ask the user where the command asks, call the workbench or codegen function, put the
// old pattern on the clipboard where the command keeps it, and write the result back once (one
// undoable edit; none when nothing changed).
#pragma once

namespace vexlo {
struct Controls;
}

namespace vexlo::ui {

void replaceLineBreaks(const Controls& c); // "处理换行符"
void replaceBlanks(const Controls& c);     // "处理空文本"
void replaceQuotes(const Controls& c);     // "处理引号"
/// After OK to the confirmation (flags 33): the old pattern to the clipboard, then escaped.
void escapeMetachars(const Controls& c);
/// With the edit text of escapeCombo.
void collapseEscapes(const Controls& c);
/// "智能优化" and F6: line breaks, blanks, then collapse with escapeCombo's text.
void smartOptimise(const Controls& c);
/// Asks for the text to fold; Cancel or an empty answer changes nothing.
void foldRepeats(const Controls& c);
/// After OK to the confirmation (flags 33): the old pattern to the clipboard, then generalised.
void generaliseChars(const Controls& c);

/// Page 2; rewrites patternBox when its line breaks or quotes were replaced; ticks quoteCheck
/// when it held a quote; writes the code into codeBox and gives it the focus.
void generateCode(const Controls& c);
/// Copies codeBox to the clipboard unless it is empty.
void copyCode(const Controls& c);

} // namespace vexlo::ui
