// The program: builds the main window and runs the event loop until the window is closed.
#include "ui/main_window.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // Lets the desktop match the running window to its entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.vexlo.Vexlo"));
    vexlo::MainWindow window;
    window.show();
    return app.exec();
}
