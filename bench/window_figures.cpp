// Times the find button, the read of the source box and generaliseChars on the real window.
#include "bench/window_figures.h"

#include "bench/window_probe.h"
#include "text/codepage.h"
#include "ui/control_ops.h"
#include "ui/controls.h"
#include "ui/main_window.h"
#include "workbench/commands.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QString>

namespace vexlo::bench {

namespace {

constexpr std::size_t PATTERN_BYTES = 1024u * 1024u;

double msSince(const QElapsedTimer& clock) {
    return double(clock.nsecsElapsed()) / 1e6;
}

/// A line of text near its end that occurs nowhere before: where findNext from the start has
/// to go a long way. Sets at to its editor position; an empty needle when none is found.
QString needleNearEnd(const QString& box, int& at) {
    for (qsizetype line = box.indexOf(u'\n', box.size() * 97 / 100); line >= 0;
         line = box.indexOf(u'\n', line + 1)) {
        const qsizetype end = box.indexOf(u'\n', line + 1);
        if (end < 0)
            break;
        const QString needle = box.mid(line + 1, end - line - 1);
        if (box.indexOf(needle) == line + 1) {
            at = int(line + 1);
            return needle;
        }
    }
    at = -1;
    return {};
}

} // namespace

/// The window's own figures: reading the source box, find, generaliseChars on 1 MB.
void runWindowFigures(Report& report, MainWindow& window, const std::string& utf8, int reps) {
    const vexlo::Controls& c = window.controls();
    QString box;
    for (int rep = 0; rep < reps; ++rep) {
        QElapsedTimer clock;
        clock.start();
        box = vexlo::boxText(c.sourceBox);
        report.add(WINDOW_FIGURES, "read_source_box_ms", msSince(clock));
    }
    int at = -1;
    const QString needle = needleNearEnd(box, at);
    if (needle.isEmpty()) {
        report.note(WINDOW_FIGURES, "no line near the end occurs just once: findNext not timed");
    } else {
        for (int rep = 0; rep < reps; ++rep) {
            const ActionFigures found = timeFindNext(window, needle, at);
            report.add(WINDOW_FIGURES, "find_next_ms", found.ms);
            if (!found.ok)
                report.note(WINDOW_FIGURES, "findNext did not select the occurrence near the end");
        }
        // Its parts: the search itself, and selecting the far place with the repaint.
        for (int rep = 0; rep < reps; ++rep) {
            QElapsedTimer clock;
            clock.start();
            const qsizetype where = box.indexOf(needle);
            report.add(WINDOW_FIGURES, "find_search_only_ms", msSince(clock));
            setSelection(c.sourceBox, 0, 0);
            settle();
            clock.start();
            setSelection(c.sourceBox, int(where), int(needle.size()));
            QCoreApplication::processEvents();
            report.add(WINDOW_FIGURES, "select_near_end_ms", msSince(clock));
        }
    }
    // 1 MB of the sample text as a pattern, in code page 936 as the window holds it (whole
    // lines: a CR LF is never part of a two-byte character).
    const std::size_t cut = utf8.rfind("\r\n", PATTERN_BYTES * 3 / 2);
    const QString head = QString::fromUtf8(utf8.data(), qsizetype(cut));
    vexlo::AnsiText pattern = vexlo::utf16ToAnsi(
        {reinterpret_cast<const char16_t*>(head.constData()), std::size_t(head.size())});
    if (const std::size_t end = pattern.rfind("\r\n", PATTERN_BYTES); end != std::string::npos)
        pattern.resize(end);
    for (int rep = 0; rep < reps; ++rep) {
        QElapsedTimer clock;
        clock.start();
        const vexlo::AnsiText general = vexlo::generaliseChars(pattern);
        report.add(WINDOW_FIGURES, "generalise_chars_1mb_ms", msSince(clock));
        if (general.empty() || general == pattern)
            report.note(WINDOW_FIGURES, "generaliseChars changed nothing");
    }
}

} // namespace vexlo::bench
