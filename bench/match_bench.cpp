// vexlo-match-bench: times a match run over the ~20 MB sample text with \d+ and prints the
// figures the window depends on: first rows, all rows, the longest stall of the window thread
// (the gap between ticks of a 1 ms timer), memory per match, and how long destroying a run
// mid-way takes; first with the table alone, then shown in a report-style QTableView on the
// offscreen platform.
#include "bench/log_text.h"
#include "bench/measure.h"
#include "match/match_table.h"
#include "match/run.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QHeaderView>
#include <QTableView>
#include <QTimer>

#include <cstdio>
#include <optional>

namespace {

using vexlo::MatchRun;
using vexlo::MatchTable;
using vexlo::RunCallbacks;
using vexlo::RunEnd;
using vexlo::RunInputs;
using vexlo::bench::residentBytes;

struct Figures {
    double firstRowsMs = 0;
    double allRowsMs = 0;
    double longestGapMs = 0;
    int rows = 0;
    RunEnd end = RunEnd::listed;
};

/// One run of pattern over subject, with a 1 ms timer ticking on this thread.
Figures timeRun(MatchRun& run, const QString& pattern, const QString& subject) {
    Figures figures;
    QEventLoop loop;
    QElapsedTimer clock;
    qint64 lastTick = 0;
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    ticker.setInterval(1);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        figures.longestGapMs = std::max(figures.longestGapMs, double(now - lastTick) / 1e6);
        lastTick = now;
    });
    ticker.start();
    clock.start();
    run.start(RunInputs{pattern, subject, false, false},
              RunCallbacks{[&] { figures.firstRowsMs = double(clock.nsecsElapsed()) / 1e6; },
                           [&](RunEnd end, int rows) {
                               figures.allRowsMs = double(clock.nsecsElapsed()) / 1e6;
                               figures.end = end;
                               figures.rows = rows;
                               loop.quit();
                           }});
    loop.exec();
    // The start itself runs on this thread too.
    figures.longestGapMs =
        std::max(figures.longestGapMs, double(clock.nsecsElapsed() - lastTick) / 1e6);
    return figures;
}

/// Milliseconds that destroying a run takes once its first rows are in.
double timeDestroyMidRun(const QString& pattern, const QString& subject) {
    MatchTable table;
    std::optional<MatchRun> run(std::in_place, table);
    QEventLoop loop;
    run->start(RunInputs{pattern, subject, false, false},
               RunCallbacks{[&] { QTimer::singleShot(0, &loop, &QEventLoop::quit); }, {}});
    loop.exec();
    QElapsedTimer clock;
    clock.start();
    run.reset();
    return double(clock.nsecsElapsed()) / 1e6;
}

} // namespace

/// A view set up as the window's result list is.
void showInView(QTableView& view, MatchTable& table) {
    view.setModel(&table);
    view.setShowGrid(false);
    view.setWordWrap(false);
    view.setSelectionBehavior(QAbstractItemView::SelectRows);
    view.setSelectionMode(QAbstractItemView::SingleSelection);
    view.verticalHeader()->hide();
    view.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view.verticalHeader()->setDefaultSectionSize(18);
    view.resize(680, 400);
    view.show();
    // The first paint loads the fonts, as the window's start-up does; keep it out of the runs.
    view.grab();
}

void printRun(const char* what, int i, const Figures& f) {
    std::printf("%s run %d: %d matches (end %d), first rows %.1f ms, all rows %.1f ms, "
                "longest stall %.1f ms\n",
                what, i, f.rows, int(f.end), f.firstRowsMs, f.allRowsMs, f.longestGapMs);
}

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const std::size_t bytes = 20u * 1024u * 1024u;
    QString subject;
    {
        const std::string utf8 = vexlo::bench::makeLogText(bytes);
        subject = QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
    }
    const QString pattern = QStringLiteral("\\d+");
    std::printf("subject: %zu bytes of UTF-8, %lld UTF-16 units; pattern \\d+\n", bytes,
                static_cast<long long>(subject.size()));

    MatchTable table;
    MatchRun run(table);
    const long long before = residentBytes();
    for (int i = 1; i <= 3; ++i) {
        const Figures f = timeRun(run, pattern, subject);
        if (i == 1) {
            const long long after = residentBytes();
            std::printf("resident growth: %.1f MB, %.1f bytes per match (subject and offsets "
                        "held by the table: %.1f bytes per match)\n",
                        double(after - before) / 1e6, double(after - before) / f.rows,
                        (double(subject.size()) * 2 + double(f.rows) * 8) / f.rows);
        }
        printRun("table alone,", i, f);
    }
    {
        MatchTable shown;
        QTableView view;
        showInView(view, shown);
        MatchRun viewRun(shown);
        const long long viewBefore = residentBytes();
        for (int i = 1; i <= 3; ++i) {
            const Figures f = timeRun(viewRun, pattern, subject);
            if (i == 1)
                std::printf("resident growth with the view: %.1f bytes per match\n",
                            double(residentBytes() - viewBefore) / f.rows);
            printRun("shown in a view,", i, f);
        }
    }
    std::printf("destroying a run mid-way: %.1f ms\n", timeDestroyMidRun(pattern, subject));
    return 0;
}
