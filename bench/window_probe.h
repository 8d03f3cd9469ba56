// Drives the real main window as a user would (F5 in patternBox, Enter on a row, the find
// button) and times it on the window thread, with a 1 ms timer watching for stalls.
#pragma once

#include "match/run.h"

#include <QElapsedTimer>
#include <QTimer>

#include <cstddef>
#include <string>

class QString;

namespace vexlo {
class MainWindow;
}

namespace vexlo::bench {

/// Size of the sample text the window is given, in bytes of UTF-8.
inline constexpr std::size_t SAMPLE_TEXT_BYTES = 20u * 1024u * 1024u;

/// Shows window, ticks caseCheck (the peers match case too) and puts utf8 into sourceBox,
/// then serves the events that follow. Returns the milliseconds setPlainText took.
double openWithText(MainWindow& window, const std::string& utf8);

/// Puts pattern (UTF-8) into patternBox.
void setPattern(MainWindow& window, const std::string& pattern);

/// The longest gap between ticks of a 1 ms timer on this thread, from start to stop: how long
/// the window thread was kept from its events.
class StallMeter {
  public:
    StallMeter();
    StallMeter(const StallMeter&) = delete;
    StallMeter& operator=(const StallMeter&) = delete;

    void start();
    /// Stops the timer; the longest gap in milliseconds, the one up to now included.
    double stop();

  private:
    QTimer timer_;
    QElapsedTimer clock_;
    qint64 lastTickNs_ = 0;
    qint64 longestNs_ = 0;
};

/// What one run started with F5 gave, in milliseconds from the key press.
struct RunFigures {
    bool ended = false; // false: no end within the time allowed
    RunEnd end = RunEnd::listed;
    int rows = 0;
    double triggerMs = 0;    // the key press's own handling (the run's start on this thread)
    double firstRowsMs = -1; // the first rowsInserted of the result table
    double allRowsMs = 0;    // the run's finished handler, every row in the table
    double maxStallMs = 0;   // longest gap of the 1 ms timer, the key press included
    double runStallMs = 0;   // the same after the key press was handled: rows going in
};

/// Presses F5 in patternBox and serves events until the run's finished handler (at most
/// timeoutMs). Installs and then removes its own finished handler.
RunFigures timeF5Run(MainWindow& window, int timeoutMs);

/// A timed window action: milliseconds from the action until its repaint is served, and
/// whether it did what it should.
struct ActionFigures {
    bool ok = false;
    double ms = 0;
};

/// Selects the last row of resultList, then presses Enter on it (showInSource). ok when the
/// source's selection is that row's match; after an edit of the source the match is found
/// again by its number instead, and ok only says that something was selected.
ActionFigures timeShowLastRow(MainWindow& window, bool sourceEdited = false);

/// Puts the caret at the start of sourceBox and needle into searchBox, then clicks the find
/// button. ok when the selection starts at expected (an editor position).
ActionFigures timeFindNext(MainWindow& window, const QString& needle, int expected);

/// Edits sourceBox and takes the edit back: the same text, but as a user's change, so the next
/// run reads a text it has not seen.
void touchSource(MainWindow& window);

/// Empties the result table as the next run would, so that memory can be measured from a
/// baseline without the previous run's rows.
void emptyResults(MainWindow& window);

/// Serves events (paints included) for ms milliseconds.
void settle(int ms = 50);

} // namespace vexlo::bench
