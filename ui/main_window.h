// mainWindow: builds the roster and wires every button, key and mouse gesture to its command.
// The commands live in their own files; this class only connects them.
#pragma once

#include "ui/controls.h"

#include <memory>

class QWidget;

namespace vexlo {

class MatchCommand;

class MainWindow {
  public:
    MainWindow();
    ~MainWindow(); // cancels a run in progress before the controls go
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    /// Centres the window on its screen, shows it and gives patternBox the focus.
    void show();

    /// The controls by roster name; valid for the life of this object.
    const Controls& controls() const { return c_; }
    /// The match run behind matchButton and F5 (for its finished handler and state).
    MatchCommand& matchCommand() { return *match_; }

  private:
    void wireButtons();
    void wireKeysAndMouse();

    Controls c_;
    std::unique_ptr<QWidget> window_;     // owns every control of c_
    std::unique_ptr<MatchCommand> match_; // declared last: goes first
};

} // namespace vexlo
