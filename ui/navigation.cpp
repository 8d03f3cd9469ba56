// showInSource, copyResult and jumpToRow over resultList and sourceBox.
#include "ui/navigation.h"

#include "match/match_table.h"
#include "text/occurrences.h"
#include "text/primitives.h"
#include "ui/control_ops.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/qt_text.h"
#include "ui/result_list.h"

#include <QPlainTextEdit>

#include <vector>

namespace vexlo {

BytePos nthOccurrence(std::string_view source, std::string_view match, int n) {
    if (n < 1) {
        return 0;
    }
    std::vector<BytePos> found;
    for (BytePos p = findTextFrom(source, match, 1); p != -1;
         p = findTextFrom(source, match, p + 1)) {
        found.push_back(p);
        if (int(found.size()) == n) {
            return p;
        }
    }
    // The walk yields q1 .. qk, then -1, then starts again: a cycle of k + 1 steps.
    const auto place = std::size_t(n % (found.size() + 1));
    return place == 0 ? -1 : found[place - 1];
}

} // namespace vexlo

namespace vexlo::ui {

void showInSource(const Controls& c, bool sourceUnchanged) {
    const int row = currentRow(c.resultList);
    showPage(c.tabs, 0);
    setFocus(c.sourceBox);
    if (row < 0) {
        setSelection(c.sourceBox, 0, 0);
        return;
    }
    if (sourceUnchanged) {
        if (const std::optional<SourceSpan> span = c.table->sourceSpan(row)) {
            setSelection(c.sourceBox, span->start, span->length);
            return;
        }
    }
    const AnsiText match = c.table->cellText(row, 1);
    const AnsiText source = readText(c.sourceBox);
    const BytePos p = nthOccurrence(source, match, toInt(c.table->cellText(row, 0)));
    if (p == -1) {
        return;
    }
    setSelection(c.sourceBox, charCountOfBytes(textLeft(source, p - 1)), charCountOfBytes(match));
}

void copyResult(const Controls& c) {
    const AnsiText match = c.table->cellText(currentRow(c.resultList), 1);
    setClipboardText(match);
    messageBox(concatText(match, "\r\n", ansiFromUtf8("已复制到剪切版")), MB_ICONINFORMATION_OK,
               c.mainWindow);
}

void jumpToRow(const Controls& c) {
    const AnsiText question = ansiFromUtf8("跳转第几个");
    AnsiText answer;
    if (!inputBox(question, question, "1", answer, c.mainWindow)) {
        return;
    }
    const long long number = toInt(answer);
    const int row = number < 1 ? -1 : int(number - 1);
    selectRow(c.resultList, row);
    ensureVisible(c.resultList, row);
}

} // namespace vexlo::ui
