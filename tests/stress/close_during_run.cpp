// Test-only program: builds the main window, starts a run that does not end soon (a runaway
// pattern or a million matches), closes the window in the middle of it and returns from main.
// The stress test times the whole process from the close to its exit.
#include "match/match_table.h"
#include "text/ansi_text.h"
#include "ui/control_ops.h"
#include "ui/controls.h"
#include "ui/main_window.h"
#include "ui/match_command.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

struct Scenario {
    vexlo::AnsiText pattern;
    vexlo::AnsiText source;
    bool waitForRows; // close once rows have arrived, rather than right after the start
};

bool scenarioNamed(const char* name, Scenario& out) {
    if (std::strcmp(name, "runaway") == 0) {
        // The "zy" at the end gives the engine its required "y", so it has to backtrack.
        out = {"(x+x+)+y", std::string(5000, 'x') + "zy", false};
        return true;
    }
    if (std::strcmp(name, "million") == 0) {
        std::string source;
        for (int line = 0; line < 100000; ++line) {
            source += "7777777777\r\n"; // ten matches of \d a line
        }
        out = {"\\d", std::move(source), true};
        return true;
    }
    return false;
}

} // namespace

/// Usage: close_during_run runaway|million. Prints "closing running=<0|1>" just before the
/// close and "returning" just before main returns; exits 0, or 2 for a bad argument.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    Scenario scenario;
    if (argc != 2 || !scenarioNamed(argv[1], scenario)) {
        std::fprintf(stderr, "usage: close_during_run runaway|million\n");
        return 2;
    }
    vexlo::MainWindow window;
    const vexlo::Controls& c = window.controls();
    window.show();
    vexlo::writeText(c.sourceBox, scenario.source);
    vexlo::writeText(c.patternBox, scenario.pattern);
    c.matchButton->click();
    if (scenario.waitForRows) {
        if (!QTest::qWaitFor([&] { return c.table->rowCount() > 0; }, 20000)) {
            std::fprintf(stderr, "no rows arrived\n");
            return 1;
        }
    } else {
        // Nothing shows that the worker is inside the search; a tenth of a second gets it
        // there (the search alone takes up to the engine's limit, far longer).
        QTest::qWait(100);
    }
    QTimer::singleShot(0, c.mainWindow, [&] {
        std::printf("closing running=%d\n", window.matchCommand().running() ? 1 : 0);
        std::fflush(stdout);
        c.mainWindow->close();
    });
    const int code = app.exec(); // ends once the last window is closed
    std::printf("returning\n");
    std::fflush(stdout);
    return code;
}
