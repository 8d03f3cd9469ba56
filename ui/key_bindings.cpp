// Key handling of the editor boxes and the result list.
#include "ui/key_bindings.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QPlainTextEdit>

namespace vexlo {
namespace {

void run(const std::function<void()>& action) {
    if (action) {
        action();
    }
}

} // namespace

KeyBindings::KeyBindings(QPlainTextEdit* patternBox, QPlainTextEdit* sourceBox,
                         QAbstractItemView* resultList, KeyActions actions)
    : QObject(patternBox), patternBox_(patternBox), sourceBox_(sourceBox), resultList_(resultList),
      actions_(std::move(actions)) {
    patternBox->installEventFilter(this);
    sourceBox->installEventFilter(this);
    resultList->installEventFilter(this);
}

bool KeyBindings::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return false;
    }
    const auto* keyEvent = static_cast<QKeyEvent*>(event);
    const int key = keyEvent->key();
    // Each box compares the key code with F5, then F6, then its arrow, as the bindings list
    // them; an action may open a dialog, after which the key still reaches the control.
    if (watched == patternBox_ || watched == sourceBox_) {
        if (key == Qt::Key_F5) {
            run(actions_.runMatch);
        } else if (key == Qt::Key_F6) {
            run(actions_.smartOptimise);
        } else if (key == Qt::Key_Down && watched == patternBox_) {
            run(actions_.focusSource);
        } else if (key == Qt::Key_Up && watched == sourceBox_) {
            run(actions_.focusPattern);
        }
    } else if (watched == resultList_) {
        const Qt::KeyboardModifiers held =
            keyEvent->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
        if (key == Qt::Key_F && held == Qt::ControlModifier) {
            run(actions_.jumpToRow);
        } else if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            run(actions_.showInSource);
        }
    }
    return false;
}

} // namespace vexlo
