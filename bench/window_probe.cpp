// The window actions the benchmark times, sent as events to the real controls.
#include "bench/window_probe.h"

#include "match/match_table.h"
#include "ui/control_ops.h"
#include "ui/controls.h"
#include "ui/main_window.h"
#include "ui/match_command.h"
#include "ui/result_list.h"

#include <QApplication>
#include <QCheckBox>
#include <QEventLoop>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTextCursor>

#include <algorithm>

namespace vexlo::bench {

namespace {

double msSince(const QElapsedTimer& clock) {
    return double(clock.nsecsElapsed()) / 1e6;
}

/// Presses and releases key on target, as the keyboard would.
void pressKey(QWidget* target, Qt::Key key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(target, &release);
}

} // namespace

double openWithText(MainWindow& window, const std::string& utf8) {
    window.show();
    settle(200);
    const Controls& c = window.controls();
    c.caseCheck->setChecked(true);
    const QString source = QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
    QElapsedTimer clock;
    clock.start();
    c.sourceBox->setPlainText(source);
    const double ms = msSince(clock);
    settle(200);
    return ms;
}

void setPattern(MainWindow& window, const std::string& pattern) {
    window.controls().patternBox->setPlainText(QString::fromStdString(pattern));
}

StallMeter::StallMeter() {
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(1);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        const qint64 now = clock_.nsecsElapsed();
        longestNs_ = std::max(longestNs_, now - lastTickNs_);
        lastTickNs_ = now;
    });
}

void StallMeter::start() {
    longestNs_ = 0;
    lastTickNs_ = 0;
    clock_.start();
    timer_.start();
}

double StallMeter::stop() {
    timer_.stop();
    longestNs_ = std::max(longestNs_, clock_.nsecsElapsed() - lastTickNs_);
    return double(longestNs_) / 1e6;
}

RunFigures timeF5Run(MainWindow& window, int timeoutMs) {
    const Controls& c = window.controls();
    RunFigures figures;
    QEventLoop loop;
    QElapsedTimer clock;
    bool pressed = false;
    const QMetaObject::Connection inserted =
        QObject::connect(c.table, &QAbstractItemModel::rowsInserted, [&] {
            if (pressed && figures.firstRowsMs < 0)
                figures.firstRowsMs = msSince(clock);
        });
    window.matchCommand().setFinishedHandler([&](RunEnd end, int rows) {
        figures.allRowsMs = msSince(clock);
        figures.ended = true;
        figures.end = end;
        figures.rows = rows;
        loop.quit();
    });
    StallMeter stalls;
    StallMeter afterKey;
    // The timer ticks for a while before the key, so the key's own handling counts as a gap.
    QTimer::singleShot(20, &loop, [&] {
        pressed = true;
        clock.start();
        pressKey(c.patternBox, Qt::Key_F5);
        figures.triggerMs = msSince(clock);
        afterKey.start();
    });
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    stalls.start();
    loop.exec();
    figures.maxStallMs = stalls.stop();
    figures.runStallMs = afterKey.stop();
    QObject::disconnect(inserted);
    window.matchCommand().setFinishedHandler({});
    if (!figures.ended)
        window.matchCommand().cancel();
    return figures;
}

ActionFigures timeShowLastRow(MainWindow& window, bool sourceEdited) {
    const Controls& c = window.controls();
    const int last = c.table->rowCount() - 1;
    ActionFigures figures;
    if (last < 0)
        return figures;
    selectRow(c.resultList, last);
    settle();
    QElapsedTimer clock;
    clock.start();
    pressKey(c.resultList, Qt::Key_Return);
    QCoreApplication::processEvents();
    figures.ms = msSince(clock);
    const std::optional<SourceSpan> span = c.table->sourceSpan(last);
    figures.ok = sourceEdited ? selectedCharCount(c.sourceBox) > 0
                              : span && selectionStart(c.sourceBox) == span->start &&
                                    selectedCharCount(c.sourceBox) == span->length;
    return figures;
}

ActionFigures timeFindNext(MainWindow& window, const QString& needle, int expected) {
    const Controls& c = window.controls();
    setSelection(c.sourceBox, 0, 0);
    c.searchBox->setPlainText(needle);
    settle();
    QElapsedTimer clock;
    clock.start();
    c.findNextButton->click();
    QCoreApplication::processEvents();
    ActionFigures figures;
    figures.ms = msSince(clock);
    figures.ok = selectionStart(c.sourceBox) == expected;
    return figures;
}

void touchSource(MainWindow& window) {
    QTextCursor cursor(window.controls().sourceBox->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(QStringLiteral("x"));
    cursor.deletePreviousChar();
    settle();
}

void emptyResults(MainWindow& window) {
    MatchTable* table = window.controls().table;
    table->clearRows();
    table->setSubject(nullptr);
    settle();
}

void settle(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace vexlo::bench
