// The pattern and code buttons: dialogs, clipboard and the one write of each command.
#include "ui/pattern_commands.h"

#include "codegen/codegen.h"
#include "ui/control_ops.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "workbench/commands.h"

#include <QPlainTextEdit>

namespace vexlo::ui {
namespace {

template <typename Rewrite> void rewritePattern(const Controls& c, Rewrite rewrite) {
    const AnsiText pattern = readText(c.patternBox);
    writeText(c.patternBox, rewrite(pattern));
}

bool confirmed(const Controls& c, const AnsiText& question) {
    return messageBox(question, MB_QUESTION_OKCANCEL, c.mainWindow) == MB_RESULT_OK;
}

} // namespace

void replaceLineBreaks(const Controls& c) {
    rewritePattern(c, [](const AnsiText& p) { return vexlo::replaceLineBreaks(p); });
}

void replaceBlanks(const Controls& c) {
    rewritePattern(c, [](const AnsiText& p) { return vexlo::replaceBlanks(p); });
}

void replaceQuotes(const Controls& c) {
    rewritePattern(c, [](const AnsiText& p) { return vexlo::replaceQuotes(p); });
}

void escapeMetachars(const Controls& c) {
    if (!confirmed(c, ESCAPE_CONFIRMATION)) {
        return;
    }
    const AnsiText pattern = readText(c.patternBox);
    setClipboardText(pattern); // the way back; a failed copy does not stop the command
    writeText(c.patternBox, vexlo::escapeMetachars(pattern));
}

void collapseEscapes(const Controls& c) {
    const AnsiText letter = readText(c.escapeCombo);
    rewritePattern(c, [&](const AnsiText& p) { return vexlo::collapseEscapes(p, letter); });
}

void smartOptimise(const Controls& c) {
    const AnsiText letter = readText(c.escapeCombo);
    rewritePattern(c, [&](const AnsiText& p) { return vexlo::smartOptimise(p, letter); });
}

void foldRepeats(const Controls& c) {
    AnsiText repeated;
    if (!inputBox(FOLD_PROMPT, FOLD_TITLE, FOLD_INITIAL, repeated, c.mainWindow) ||
        repeated.empty()) {
        return;
    }
    rewritePattern(c, [&](const AnsiText& p) { return vexlo::foldRepeats(p, repeated); });
}

void generaliseChars(const Controls& c) {
    if (!confirmed(c, GENERALISE_CONFIRMATION)) {
        return;
    }
    const AnsiText pattern = readText(c.patternBox);
    setClipboardText(pattern);
    writeText(c.patternBox, vexlo::generaliseChars(pattern));
}

void generateCode(const Controls& c) {
    showPage(c.tabs, 2);
    const GeneratedCode generated =
        vexlo::generateCode(readText(c.patternBox), readText(c.sourceBox), isTicked(c.caseCheck));
    if (generated.patternChanged) {
        writeText(c.patternBox, generated.pattern);
    }
    if (generated.tickQuoteCheck) {
        setTicked(c.quoteCheck, true);
    }
    writeText(c.codeBox, generated.code);
    setFocus(c.codeBox);
}

void copyCode(const Controls& c) {
    const AnsiText code = readText(c.codeBox);
    if (!code.empty()) {
        setClipboardText(code);
    }
}

} // namespace vexlo::ui
