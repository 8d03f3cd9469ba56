// Test fixture of the window tests: a shown main window, and the dialog seam answered by the
// test (message boxes, input boxes and the clipboard recorded instead of shown).
#pragma once

#include "text/ansi_text.h"
#include "ui/control_ops.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/main_window.h"
#include "ui/match_command.h"
#include "ui/qt_text.h"

#include <QPushButton>
#include <QTest>
#include <QWidget>

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

// Shows a code page 936 text in a failed comparison as readable UTF-8, CR and LF escaped.
namespace QTest {
template <> inline char* toString(const std::string& text) {
    QString shown = vexlo::toQString(text);
    shown.replace(QStringLiteral("\r"), QStringLiteral("\\r"));
    shown.replace(QStringLiteral("\n"), QStringLiteral("\\n"));
    return qstrdup(("\"" + shown + "\"").toUtf8().constData());
}
} // namespace QTest

namespace vexlo::test {

/// A box the window put up, as the seam saw it.
struct ShownMessage {
    AnsiText text;
    int flags = 0;
    bool blocking = false; // messageBox (modal) rather than showMessage
};

/// Answers the dialogs of the seam. Unanswered message boxes give OK, unanswered input boxes
/// Cancel. The non-blocking boxes stay "open" until closeMessages().
class FakeDialogs {
  public:
    FakeDialogs() {
        UiHooks hooks;
        hooks.messageBox = [this](const AnsiText& text, int flags, const AnsiText& caption,
                                  QWidget*) {
            captions.push_back(caption);
            messages.push_back({text, flags, true});
            if (messageAnswers.empty()) {
                return MB_RESULT_OK;
            }
            const int answer = messageAnswers.front();
            messageAnswers.pop_front();
            return answer;
        };
        hooks.showMessage = [this](const AnsiText& text, int flags, QWidget*,
                                   std::function<void()> closed) {
            messages.push_back({text, flags, false});
            openBoxes.push_back(std::move(closed));
        };
        hooks.inputBox = [this](const AnsiText& prompt, const AnsiText& title,
                                const AnsiText& initial, AnsiText& out, QWidget*) {
            inputs.push_back({prompt, title, initial});
            std::optional<AnsiText> answer;
            if (!inputAnswers.empty()) {
                answer = inputAnswers.front();
                inputAnswers.pop_front();
            }
            if (!answer) {
                return false;
            }
            out = *answer;
            return true;
        };
        hooks.setClipboardText = [this](const AnsiText& text) {
            clipboard = text;
            ++clipboardWrites;
            return true;
        };
        scope_ = std::make_unique<ScopedUiHooks>(std::move(hooks));
    }

    /// Closes every non-blocking box, as the user's OK would.
    void closeMessages() {
        std::vector<std::function<void()>> boxes;
        boxes.swap(openBoxes);
        for (auto& closed : boxes) {
            if (closed) {
                closed();
            }
        }
    }

    struct InputAsked {
        AnsiText prompt, title, initial;
    };

    std::vector<ShownMessage> messages;
    std::vector<AnsiText> captions;
    std::deque<int> messageAnswers;
    std::deque<std::optional<AnsiText>> inputAnswers; // nullopt: Cancel
    std::vector<InputAsked> inputs;
    std::vector<std::function<void()>> openBoxes;
    AnsiText clipboard;
    int clipboardWrites = 0;

  private:
    std::unique_ptr<ScopedUiHooks> scope_;
};

/// A main window shown on the offscreen screen and active, with its run's ends recorded.
class ShownWindow {
  public:
    ShownWindow() : c(window.controls()) {
        window.matchCommand().setFinishedHandler([this](RunEnd end, int rows) {
            ends.push_back(end);
            lastRows = rows;
        });
        window.show();
        c.mainWindow->activateWindow();
        active = QTest::qWaitForWindowActive(c.mainWindow);
    }

    MainWindow window;
    const Controls& c;
    bool active = false;
    std::vector<RunEnd> ends;
    int lastRows = -1;
};

/// A UTF-8 literal as the window's code page 936 text.
/// Writes the pattern and the source, clicks matchButton and waits (up to waitMs) for the run's
/// end; false when it does not come.
inline bool runThroughButton(ShownWindow& w, const AnsiText& pattern, const AnsiText& source,
                             int waitMs = 20000) {
    writeText(w.c.patternBox, pattern);
    writeText(w.c.sourceBox, source);
    const std::size_t before = w.ends.size();
    QTest::mouseClick(w.c.matchButton, Qt::LeftButton);
    return QTest::qWaitFor([&] { return w.ends.size() > before; }, waitMs);
}

inline AnsiText gbk(const char* utf8) {
    return ansiFromUtf8(utf8);
}

} // namespace vexlo::test
