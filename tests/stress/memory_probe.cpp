// Measurement program (not a test): resident memory of a run of five million matches through
// the window, and how much of it comes back once the next run has cleared the table, with and
// without handing freed heap back to the system (malloc_trim). Prints one line per figure.
#include "match/match_table.h"
#include "ui/control_ops.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/main_window.h"
#include "ui/match_command.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <malloc.h>

#include <cstdio>
#include <fstream>
#include <string>

namespace {

/// A field of /proc/self/status in kB ("VmRSS", "VmHWM"); -1 when it cannot be read.
long statusKiB(const std::string& field) {
    std::ifstream status("/proc/self/status");
    std::string name;
    long value = -1;
    while (status >> name) {
        if (name == field + ":") {
            status >> value;
            return value;
        }
        status.ignore(1 << 12, '\n');
    }
    return -1;
}

/// Runs pattern over the source already in the window; returns the number of rows, or -1
/// when the run did not end within a minute.
int runToEnd(vexlo::MainWindow& window, const vexlo::AnsiText& pattern) {
    const vexlo::Controls& c = window.controls();
    bool ended = false;
    int rows = -1;
    window.matchCommand().setFinishedHandler([&](vexlo::RunEnd, int n) {
        ended = true;
        rows = n;
    });
    vexlo::writeText(c.patternBox, pattern);
    c.matchButton->click();
    if (!QTest::qWaitFor([&] { return ended; }, 60000)) {
        return -1;
    }
    QApplication::processEvents();
    return rows;
}

/// Heap bytes in use by live allocations, in all arenas (mapped chunks included), in kB.
long heapInUseKiB() {
    const struct mallinfo2 info = mallinfo2();
    return long((info.uordblks + info.hblkhd) / 1024);
}

void report(const char* what, long kib, long baseKiB, int matches) {
    std::printf("%-34s rss %7.1f MB  over baseline %7.1f MB  heap in use %7.1f MB", what,
                kib / 1024.0, (kib - baseKiB) / 1024.0, heapInUseKiB() / 1024.0);
    if (matches > 0) {
        std::printf("  %6.1f bytes/match", (kib - baseKiB) * 1024.0 / matches);
    }
    std::printf("\n");
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    vexlo::UiHooks quiet;
    quiet.showMessage = [](const vexlo::AnsiText&, int, QWidget*, std::function<void()>) {};
    vexlo::ScopedUiHooks noBoxes(quiet);

    vexlo::MainWindow window;
    window.show();
    std::string source = "Z\r\n";
    for (int line = 0; line < 500000; ++line) {
        source += "7777777777\r\n"; // ten one-digit matches a line: five million in all
    }
    vexlo::writeText(window.controls().sourceBox, source);
    source.clear();
    source.shrink_to_fit();
    // A first small run reads the box once, so the baseline holds what every run holds.
    runToEnd(window, "(Z)");
    malloc_trim(0);
    const long base = statusKiB("VmRSS");
    report("text loaded, one small run", base, base, 0);

    const int matches = runToEnd(window, "(\\d)");
    std::printf("rows listed: %d\n", matches);
    report("after 5 M matches, one group", statusKiB("VmRSS"), base, matches);
    report("peak so far (VmHWM)", statusKiB("VmHWM"), base, matches);

    runToEnd(window, "(Z)");
    report("next run cleared the table", statusKiB("VmRSS"), base, 0);
    malloc_trim(0);
    report("  and after malloc_trim(0)", statusKiB("VmRSS"), base, 0);

    const int again = runToEnd(window, "(\\d)");
    report("5 M matches once more", statusKiB("VmRSS"), base, again);
    runToEnd(window, "(Z)");
    report("cleared again", statusKiB("VmRSS"), base, 0);
    malloc_trim(0);
    report("  and after malloc_trim(0)", statusKiB("VmRSS"), base, 0);
    report("peak (VmHWM)", statusKiB("VmHWM"), base, 0);
    return matches == 5000000 ? 0 : 1;
}
