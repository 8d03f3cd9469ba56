// The user-interface operations the commands call (message box, input box, clipboard, event
// pump, focus), behind one seam of replaceable hooks so tests can answer without a dialog.
#pragma once

#include "text/ansi_text.h"

#include <functional>

class QWidget;

namespace vexlo {

/// Style flags of messageBox.
inline constexpr int MB_ICONERROR_OK = 16;       // error icon, OK
inline constexpr int MB_QUESTION_OKCANCEL = 33;  // question icon, OK and Cancel
inline constexpr int MB_ICONINFORMATION_OK = 64; // information icon, OK

/// Button indices messageBox returns.
inline constexpr int MB_RESULT_OK = 0;
inline constexpr int MB_RESULT_CANCEL = 1;

/// "信息：", the caption of every message box, in code page 936.
const AnsiText& defaultMessageCaption();

/// The hooks every user-interface operation goes through. realUiHooks() gives the ones that show
/// real dialogs; a test swaps in its own with ScopedUiHooks.
struct UiHooks {
    /// Modal box; returns the pressed button's index (0 OK, 1 Cancel; Esc and close = Cancel).
    std::function<int(const AnsiText& text, int flags, const AnsiText& caption, QWidget* owner)>
        messageBox;
    /// A box that does not block the rest of the window; closed runs once it is dismissed.
    std::function<void(const AnsiText& text, int flags, QWidget* owner,
                       std::function<void()> closed)>
        showMessage;
    /// Modal one-line input; true and out = the field's text on accept, false and out
    /// untouched on cancel.
    std::function<bool(const AnsiText& prompt, const AnsiText& title, const AnsiText& initial,
                       AnsiText& out, QWidget* owner)>
        inputBox;
    /// Plain text on the clipboard; true when the clipboard holds it afterwards.
    std::function<bool(const AnsiText& text)> setClipboardText;
    std::function<void()> processEvents;
    std::function<void(QWidget* control)> setFocus;
};

/// The hooks that show real dialogs and use the real clipboard.
UiHooks realUiHooks();
/// The hooks in use (the real ones until a test replaces them). Window thread only.
UiHooks& uiHooks();

/// Replaces the hooks in use for its lifetime, then puts the previous ones back.
class ScopedUiHooks {
  public:
    explicit ScopedUiHooks(UiHooks hooks);
    ~ScopedUiHooks();
    ScopedUiHooks(const ScopedUiHooks&) = delete;
    ScopedUiHooks& operator=(const ScopedUiHooks&) = delete;

  private:
    UiHooks saved_;
};

// The operations themselves, each a call through uiHooks().

/// Modal message box; caption defaults to "信息：". Returns 0 for OK, 1 for Cancel.
int messageBox(const AnsiText& text, int flags, QWidget* owner = nullptr);
/// Message box that leaves the window usable; closed (may be empty) runs when it is dismissed.
void showMessage(const AnsiText& text, int flags, QWidget* owner,
                 std::function<void()> closed = {});
/// Modal input box; see UiHooks::inputBox.
bool inputBox(const AnsiText& prompt, const AnsiText& title, const AnsiText& initial, AnsiText& out,
              QWidget* owner = nullptr);
/// Puts text on the clipboard; false when it could not.
bool setClipboardText(const AnsiText& text);
/// Dispatches the window events waiting in the queue.
void processEvents();
/// Gives the keyboard focus to control.
void setFocus(QWidget* control);

} // namespace vexlo
