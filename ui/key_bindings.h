// The keys of patternBox, sourceBox and resultList. The filter runs the bound action and lets
// the key through to the control, which then handles it as usual.
#pragma once

#include <QObject>

#include <functional>

class QAbstractItemView;
class QPlainTextEdit;

namespace vexlo {

/// What the bound keys do; an empty action does nothing.
struct KeyActions {
    std::function<void()> runMatch;      // F5 in patternBox or sourceBox
    std::function<void()> smartOptimise; // F6 in patternBox or sourceBox
    std::function<void()> focusSource;   // Down in patternBox
    std::function<void()> focusPattern;  // Up in sourceBox
    std::function<void()> jumpToRow;     // Ctrl+F (Ctrl alone) in resultList
    std::function<void()> showInSource;  // Enter in resultList (a row's activation)
};

/// An event filter over the three controls. The editor boxes look at the key code only, so
/// any modifiers may be held; resultList wants Ctrl without Shift or Alt. No key is consumed.
class KeyBindings : public QObject {
    Q_OBJECT
  public:
    /// Installs itself on the three controls; it is a child of patternBox.
    KeyBindings(QPlainTextEdit* patternBox, QPlainTextEdit* sourceBox,
                QAbstractItemView* resultList, KeyActions actions);

    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QObject* patternBox_;
    QObject* sourceBox_;
    QObject* resultList_;
    KeyActions actions_;
};

} // namespace vexlo
