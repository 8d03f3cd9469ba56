// findPrevious and findNext: the find box's text searched in sourceBox.
#include "text/primitives.h"
#include "ui/control_ops.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/navigation.h"

#include <QPlainTextEdit>

#include <limits>

namespace vexlo::ui {

void findPrevious(const Controls& c) {
    showPage(c.tabs, 0);
    const AnsiText before = textBefore(c.sourceBox, selectionStart(c.sourceBox));
    const AnsiText source = readText(c.sourceBox);
    const AnsiText wanted = readText(c.searchBox);
    // Region 1..length(before): an occurrence must end at or before the selection start.
    const BytePos p = findTextReverse(source, wanted, textLength(before) + 1);
    if (p == -1) {
        return;
    }
    setSelection(c.sourceBox, charCountOfBytes(textLeft(source, p - 1)), charCountOfBytes(wanted));
}

void findNext(const Controls& c) {
    showPage(c.tabs, 0);
    const CharPos start = selectionStart(c.sourceBox);
    const CharPos from = selectedCharCount(c.sourceBox) > 0 ? start + 1 : start;
    const CharPos found = findInBox(c.sourceBox, from, readText(c.searchBox));
    if (found != -1) {
        // The find text's length in editor characters: the caret at the end of searchBox.
        setSelection(c.searchBox, std::numeric_limits<CharPos>::max(), 0);
        setSelection(c.sourceBox, found, selectionStart(c.searchBox));
    }
    setFocus(c.sourceBox);
}

} // namespace vexlo::ui
