// The close and frame events of mainWindow.
#include "ui/window_events.h"

#include <QEvent>
#include <QWidget>

namespace vexlo {

WindowEvents::WindowEvents(QWidget* window, std::function<void()> closing,
                           std::function<void()> framed)
    : QObject(window), closing_(std::move(closing)), framed_(std::move(framed)) {
    window->installEventFilter(this);
}

bool WindowEvents::eventFilter(QObject* /*watched*/, QEvent* event) {
    switch (event->type()) {
    case QEvent::Close:
        if (closing_) {
            closing_();
        }
        break;
    case QEvent::Show:
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::WindowActivate:
        if (framed_) {
            framed_();
        }
        break;
    default:
        break;
    }
    return false;
}

} // namespace vexlo
