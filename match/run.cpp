// The match run: a worker thread per run converts and searches, and posts batches of offsets
// to the table's thread; every delivery carries its run's generation and is dropped unless
// that run is still the current one.
#include "match/run.h"

#include "match/engine_text.h"
#include "match/match_table.h"
#include "regex/regex.h"

#include <QMetaObject>
#include <QScopeGuard>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

namespace vexlo {

/// What the window thread knows of the current run. Lives on the window thread and is
/// touched only there; workers merely carry a reference to it into their deliveries.
struct RunChannel {
    MatchTable* table = nullptr;   // null once the MatchRun is gone
    std::uint64_t generations = 0; // runs started so far
    std::uint64_t current = 0;     // generation whose deliveries count; 0: none
    bool running = false;
    RunCallbacks callbacks;
};

/// One worker thread and the flags it shares with the window thread.
struct RunWorker {
    std::atomic<bool> cancelled{false}; // set by the window thread, read by the worker
    std::atomic<bool> finished{false};  // set by the worker as its very last step
    std::thread thread;
};

/// The engine's form of the last subject a run converted. Pressing F5 again over an unchanged
/// text then starts matching at once. Shared by the window thread and the workers.
struct SubjectCache {
    std::mutex mutex;
    QString source;                                              // guarded by mutex
    std::shared_ptr<const std::u16string> text;                  // guarded by mutex
    std::shared_ptr<const std::vector<std::int32_t>> lineBreaks; // guarded by mutex
};

namespace {

using Clock = std::chrono::steady_clock;

// A batch goes out once the one before it is in the table and this long has passed since it
// was sent. The table's view spends time in proportion to the rows it already has on every
// insertion, so when the window thread falls behind, the rows gather into fewer, larger
// batches instead of queueing up.
constexpr auto BATCH_INTERVAL = std::chrono::milliseconds(5);
// Room reserved for a batch up front; it grows beyond when it must.
constexpr std::size_t BATCH_RESERVE_VALUES = 128 * 1024;
// Reading the clock after every match would cost more than the matching of a short pattern;
// it is read every clockStride matches, a stride that shrinks to 1 while matches are sparse.
constexpr int MAX_CLOCK_STRIDE = 256;

/// Posts a run's results to the table's thread, tagged with the run's generation.
class Poster {
  public:
    Poster(MatchTable* table, std::shared_ptr<RunChannel> channel, std::uint64_t generation)
        : table_(table), channel_(std::move(channel)), generation_(generation),
          inFlight_(std::make_shared<std::atomic<int>>(0)) {}

    /// Rows of the run; subject (with its line breaks) goes with the first batch only.
    void rows(std::shared_ptr<const std::u16string> subject,
              std::shared_ptr<std::vector<std::int32_t>> lineBreaks,
              std::shared_ptr<const MatchBatch> batch) const {
        inFlight_->fetch_add(1, std::memory_order_relaxed);
        QMetaObject::invokeMethod(
            table_,
            [channel = channel_, generation = generation_, inFlight = inFlight_,
             subject = std::move(subject), lineBreaks = std::move(lineBreaks),
             batch = std::move(batch)] {
                const auto delivered =
                    qScopeGuard([&] { inFlight->fetch_sub(1, std::memory_order_release); });
                if (channel->current != generation || !channel->table)
                    return;
                if (subject) {
                    const auto firstRows = channel->callbacks.firstRows;
                    if (firstRows)
                        firstRows();
                    // firstRows may have started another run.
                    if (channel->current != generation || !channel->table)
                        return;
                    channel->table->setSubject(subject, std::move(*lineBreaks));
                }
                channel->table->appendBatch(*batch);
            },
            Qt::QueuedConnection);
    }

    /// True when every batch posted so far has been taken in by the window thread.
    bool idle() const { return inFlight_->load(std::memory_order_acquire) == 0; }

    /// The end of the run; posted after its last batch, so it arrives after them.
    void end(RunEnd end) const {
        QMetaObject::invokeMethod(
            table_,
            [channel = channel_, generation = generation_, end] {
                if (channel->current != generation || !channel->table)
                    return;
                channel->running = false;
                const auto ended = std::move(channel->callbacks.ended);
                channel->callbacks = {};
                if (ended)
                    ended(end, channel->table->rowCount());
            },
            Qt::QueuedConnection);
    }

  private:
    MatchTable* table_;
    std::shared_ptr<RunChannel> channel_;
    std::uint64_t generation_;
    std::shared_ptr<std::atomic<int>> inFlight_; // batches posted, not yet taken in
};

/// Collects matches into batches and sends them as time and the window thread allow.
class Batcher {
  public:
    Batcher(const Poster& poster, int groups, std::shared_ptr<const std::u16string> subject,
            std::vector<std::int32_t> lineBreaks)
        : poster_(poster), groups_(groups), subject_(std::move(subject)),
          lineBreaks_(std::make_shared<std::vector<std::int32_t>>(std::move(lineBreaks))) {
        startBatch();
    }

    void add(MatchOffsets match) {
        offsets_->insert(offsets_->end(), match.begin(), match.end());
        ++rows_;
        if (rows_ == 1) {
            // The first row goes out at once, so that the table fills without delay.
            send();
        } else if (++sinceClock_ >= clockStride_) {
            const auto now = Clock::now();
            const bool sparse = now - lastClock_ > std::chrono::milliseconds(1);
            clockStride_ = sparse ? 1 : std::min(clockStride_ * 2, MAX_CLOCK_STRIDE);
            sinceClock_ = 0;
            lastClock_ = now;
            if (now - lastSend_ >= BATCH_INTERVAL && poster_.idle())
                send();
        }
    }

    /// Sends what is left.
    void flush() {
        if (!offsets_->empty())
            send();
    }

    long long rows() const { return rows_; }

  private:
    void startBatch() {
        auto batch = std::make_shared<MatchBatch>();
        batch->groups = groups_;
        batch->offsets.reserve(BATCH_RESERVE_VALUES);
        offsets_ = &batch->offsets;
        batch_ = std::move(batch);
    }

    void send() {
        poster_.rows(std::exchange(subject_, nullptr), std::exchange(lineBreaks_, nullptr),
                     std::move(batch_));
        lastSend_ = Clock::now();
        lastClock_ = lastSend_;
        sinceClock_ = 0;
        startBatch();
    }

    const Poster& poster_;
    int groups_;
    std::shared_ptr<const std::u16string> subject_; // until the first batch
    std::shared_ptr<std::vector<std::int32_t>> lineBreaks_;
    std::shared_ptr<MatchBatch> batch_;
    std::vector<std::int32_t>* offsets_ = nullptr; // batch_'s offsets
    long long rows_ = 0;
    Clock::time_point lastSend_ = Clock::now();
    Clock::time_point lastClock_ = lastSend_;
    int clockStride_ = 1;
    int sinceClock_ = 0;
};

std::u16string_view unitsOf(const QString& text) {
    return {reinterpret_cast<const char16_t*>(text.constData()), std::size_t(text.size())};
}

/// The worker's whole job. Returns without a word when cancelled.
/// The subject in the engine's form with its line breaks: the cached one when the text is the
/// same, else converted now (and cached for the next run). Nullopt when cancelled.
std::optional<std::pair<std::shared_ptr<const std::u16string>, std::vector<std::int32_t>>>
subjectFor(const QString& source, SubjectCache& cache, const std::atomic<bool>& cancelled) {
    {
        std::lock_guard lock(cache.mutex);
        // Same storage means same text: a QString that is shared is copied before it changes.
        if (cache.text &&
            (cache.source.constData() == source.constData() || cache.source == source) &&
            cache.source.size() == source.size())
            return std::pair(cache.text, *cache.lineBreaks);
        // Another text: the old conversion goes first, so that two never stand side by side.
        cache.source = QString();
        cache.text.reset();
        cache.lineBreaks.reset();
    }
    std::optional<EngineSubject> converted = engineSubject(unitsOf(source), &cancelled);
    if (!converted)
        return std::nullopt;
    auto text = std::make_shared<const std::u16string>(std::move(converted->text));
    auto lineBreaks =
        std::make_shared<const std::vector<std::int32_t>>(std::move(converted->lineBreaks));
    std::lock_guard lock(cache.mutex);
    cache.source = source;
    cache.text = text;
    cache.lineBreaks = lineBreaks;
    return std::pair(std::move(text), *lineBreaks);
}

void work(const RunInputs& inputs, SubjectCache& cache, const std::atomic<bool>& cancelled,
          const Poster& poster) {
    auto converted = subjectFor(inputs.subject, cache, cancelled);
    if (!converted)
        return;
    std::shared_ptr<const std::u16string> subject = std::move(converted->first);
    std::vector<std::int32_t> lineBreaks = std::move(converted->second);
    converted.reset();
    const std::u16string pattern = enginePattern(unitsOf(inputs.pattern), inputs.restoreQuotes);
    if (cancelled.load(std::memory_order_relaxed))
        return;

    RegexOptions options;
    options.ignoreCase = !inputs.caseSensitive;
    options.multiline = true;
    options.global = true;
    const Regex regex = Regex::compile(pattern, options);
    if (!regex.ok()) {
        poster.end(RunEnd::rejected);
        return;
    }

    Batcher batcher(poster, regex.groupCount(), subject, std::move(lineBreaks));
    const auto onMatch = [&](MatchOffsets match) {
        if (cancelled.load(std::memory_order_relaxed))
            return false;
        batcher.add(match);
        return true;
    };
    // The flag reaches inside the search too: a cancelled runaway ends at once.
    const ExecStatus status = regex.forEachMatch(*subject, onMatch, &cancelled);
    if (cancelled.load(std::memory_order_relaxed))
        return;
    batcher.flush();
    if (status == ExecStatus::runaway)
        poster.end(RunEnd::runaway);
    else
        poster.end(batcher.rows() == 0 ? RunEnd::noMatch : RunEnd::listed);
}

} // namespace

MatchRun::MatchRun(MatchTable& table)
    : table_(table), channel_(std::make_shared<RunChannel>()),
      subjects_(std::make_shared<SubjectCache>()) {
    channel_->table = &table;
}

MatchRun::~MatchRun() {
    cancel();
    channel_->table = nullptr;
    for (auto& worker : workers_) {
        worker->cancelled.store(true);
        worker->thread.join();
    }
}

void MatchRun::start(RunInputs inputs, RunCallbacks callbacks) {
    cancel();
    reapFinished();
    table_.clearRows();
    table_.keepColumns(2);
    table_.setSubject(nullptr);

    const std::uint64_t generation = ++channel_->generations;
    channel_->current = generation;
    channel_->running = true;
    channel_->callbacks = std::move(callbacks);
    Poster poster(&table_, channel_, generation);

    auto worker = std::make_unique<RunWorker>();
    workers_.reserve(workers_.size() + 1); // so that the push below cannot drop a live thread
    try {
        worker->thread = std::thread(
            [inputs = std::move(inputs), poster, worker = worker.get(), subjects = subjects_] {
                try {
                    work(inputs, *subjects, worker->cancelled, poster);
                } catch (const std::exception&) {
                    // Out of memory for a huge text: the rows so far stay, as when the engine
                    // gives up.
                    poster.end(RunEnd::runaway);
                }
                worker->finished.store(true, std::memory_order_release);
            });
    } catch (const std::system_error&) {
        // No thread to be had: to the user this is an engine that cannot be created.
        poster.end(RunEnd::rejected);
        return;
    }
    workers_.push_back(std::move(worker));
}

void MatchRun::cancel() {
    for (auto& worker : workers_)
        worker->cancelled.store(true, std::memory_order_relaxed);
    channel_->current = 0;
    channel_->running = false;
    channel_->callbacks = {};
}

bool MatchRun::running() const {
    return channel_->running;
}

void MatchRun::reapFinished() {
    std::erase_if(workers_, [](const std::unique_ptr<RunWorker>& worker) {
        if (!worker->finished.load(std::memory_order_acquire))
            return false;
        worker->thread.join();
        return true;
    });
}

} // namespace vexlo
