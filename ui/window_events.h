// Events of mainWindow itself: the window is about to close (the run is cancelled), and the
// window system has shown, moved or framed it (the outer size is fitted to the frame).
#pragma once

#include <QObject>

#include <functional>

class QWidget;

namespace vexlo {

class WindowEvents : public QObject {
    Q_OBJECT
  public:
    /// Installs itself on window and becomes its child. closing runs when the window gets its
    /// close event; framed runs after it is shown, moved or resized.
    WindowEvents(QWidget* window, std::function<void()> closing, std::function<void()> framed);

    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::function<void()> closing_;
    std::function<void()> framed_;
};

} // namespace vexlo
