// The match run: the window thread starts it and never waits; a worker compiles and executes
// the pattern and hands rows to the table in batches; stale runs are dropped.
#pragma once

#include <QString>

#include <functional>
#include <memory>
#include <vector>

namespace vexlo {

class MatchTable;
struct SubjectCache;
struct RunChannel;
struct RunWorker;

/// What a run reads from the controls, once, on the window thread.
struct RunInputs {
    QString pattern;    // patternBox
    QString subject;    // sourceBox (line breaks as the editor gives them)
    bool caseSensitive; // caseCheck
    bool restoreQuotes; // quoteCheck
};

/// How a run ended.
enum class RunEnd {
    listed,   // every match is in the table
    rejected, // the pattern does not compile: no rows
    noMatch,  // valid pattern, no match: no rows
    runaway,  // the engine's limit stopped it: the rows found so far stay
};

/// Called on the window thread. firstRows: just before the first rows go in. ended: once, when
/// the run is over (never for a run that was cancelled or superseded), with the row count.
struct RunCallbacks {
    std::function<void()> firstRows;
    std::function<void(RunEnd end, int rows)> ended;
};

/// Owns the worker of the current run. Lives on the window thread.
class MatchRun {
  public:
    /// table must outlive this MatchRun and live on the calling (window) thread.
    explicit MatchRun(MatchTable& table);
    /// Cancels the current run and joins every worker; each stops within a few milliseconds
    /// (a single search is bounded by the engine's match limit). Nothing is delivered after.
    ~MatchRun();
    MatchRun(const MatchRun&) = delete;
    MatchRun& operator=(const MatchRun&) = delete;

    /// Cancels the run in progress, clears the table and cuts it back to its two fixed
    /// columns, and starts a new worker with inputs. Returns at once.
    void start(RunInputs inputs, RunCallbacks callbacks);
    /// Cancels the run in progress, if any; its batches and its end are dropped.
    void cancel();
    /// True while a run is under way.
    bool running() const;

  private:
    /// Joins the workers that have finished (a join that returns at once).
    void reapFinished();

    MatchTable& table_;
    // The current run as the window thread sees it; queued deliveries hold it too, so that a
    // late one finds out it is stale even after this MatchRun is gone. Window thread only.
    std::shared_ptr<RunChannel> channel_;
    // Every worker not yet joined: the current one and cancelled ones still winding down.
    // Window thread only.
    std::vector<std::unique_ptr<RunWorker>> workers_;
    // The last subject converted for the engine, which a run over the same text takes again
    // instead of converting it anew. Shared with the workers; guarded by its own mutex.
    std::shared_ptr<SubjectCache> subjects_;
};

} // namespace vexlo
