// vexlo-bench: the real main window on the offscreen platform, timed end to end over the
// ~20 MB sample text: F5 runs per pattern (first rows, all rows, longest stall, memory), the
// same run again, showing the last row in the source, find, and generaliseChars on 1 MB; with
// rg, grep -P and Python timed in turn on the same text. Run with --help for the options.
#include "bench/log_text.h"
#include "bench/memory_probe.h"
#include "bench/peers.h"
#include "bench/report.h"
#include "bench/window_figures.h"
#include "bench/window_probe.h"
#include "match/engine_text.h"
#include "match/match_table.h"
#include "regex/regex.h"
#include "ui/control_ops.h"
#include "ui/controls.h"
#include "ui/main_window.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace vexlo::bench;
using vexlo::MainWindow;

constexpr double MB = 1024.0 * 1024.0;
constexpr int RUN_TIMEOUT_MS = 60000;
const std::string& WINDOW = WINDOW_FIGURES;
const std::string MACHINE = "machine";

constexpr const char* LEGEND =
    "Milliseconds from the F5 key press (first_rows: the first rows in the model; all_rows: the\n"
    "run's finished handler with every row in it); max_stall: the longest gap of a 1 ms timer\n"
    "on the window thread, the key press included (run_stall: after the key press); rss_mb,\n"
    "retained_mb: peak and final resident memory of one run in a fresh process, over its\n"
    "baseline with the text loaded (MB = 2^20 B). second_*: F5 again on the unchanged text.\n"
    "show_in_source_edited: Enter on the last row after an edit of the source (found again by\n"
    "its number). engine_only: compiling and collecting the offsets without the window.\n"
    "rg_ms, grep_ms: whole processes through a pipe to wc -l; python_ms: re.finditer\n"
    "collecting (start, end, groups), timed inside Python without the file read.\n"
    "all_rows_vs_X: our median over X's median (min, max: the runs side by side).\n";

/// The system's 1-minute load average; -1 when unknown.
double loadAverage() {
    std::ifstream file("/proc/loadavg");
    double load = -1;
    file >> load;
    return load;
}

/// A pattern as typed into patternBox, and the same pattern in each peer's own syntax.
struct Scenario {
    std::string name; // what patternBox gets
    std::string rg;
    std::string grep;
    std::string python;
    bool quick; // part of --quick
};

std::vector<Scenario> scenarios() {
    const std::string han = "[\\x{4e00}-\\x{9fa5}]+";
    return {
        {"\\d+", "\\d+", "\\d+", "\\d+", true},
        {"(\\d{4})-(\\d{2})-(\\d{2})", "(\\d{4})-(\\d{2})-(\\d{2})", "(\\d{4})-(\\d{2})-(\\d{2})",
         "(\\d{4})-(\\d{2})-(\\d{2})", true},
        {"[\\u4e00-\\u9fa5]+", han, han, "[\\u4e00-\\u9fa5]+", false},
        {"https?://[^\\s\"]+", "https?://[^\\s\"]+", "https?://[^\\s\"]+", "https?://[^\\s\"]+",
         false},
        {"^.*error.*$", "^.*error.*$", "^.*error.*$", "^.*error.*$", false},
        {"2025-12-28 23:", "2025-12-28 23:", "2025-12-28 23:", "2025-12-28 23:", true},
        // Every digit one match: about 5 M over this text.
        {"\\d", "\\d", "\\d", "\\d", false},
    };
}

std::vector<Target> targets() {
    const std::string d = "\\d+";
    return {
        {d, "all_rows_ms", 250, "<= 250"},      {d, "all_rows_vs_rg", 1.3, "<= 1.3 x rg"},
        {d, "first_rows_ms", 100, "<= 100"},    {d, "second_first_rows_ms", 30, "<= 30"},
        {d, "max_stall_ms", 16, "<= 16"},       {d, "second_max_stall_ms", 16, "<= 16"},
        {d, "bytes_per_match", 32, "<= 32"},    {d, "show_in_source_ms", 100, "< 100"},
        {"\\d", "all_rows_ms", 1500, "< 1500"}, {"\\d", "max_stall_ms", 50, "<= 50"},
        {WINDOW, "find_next_ms", 100, "< 100"}, {WINDOW, "generalise_chars_1mb_ms", 1000, "< 1000"},
    };
}

struct Options {
    bool quick = false;
    bool peers = true;
    int reps = 5;
    std::string json;
    std::string only; // run just the scenarios whose name contains this
};

bool parseOptions(int argc, char** argv, Options& options) {
    bool repsGiven = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--quick") {
            options.quick = true;
        } else if (arg == "--no-peers") {
            options.peers = false;
        } else if (arg == "--json" && i + 1 < argc) {
            options.json = argv[++i];
        } else if (arg == "--reps" && i + 1 < argc) {
            options.reps = std::max(1, std::atoi(argv[++i]));
            repsGiven = true;
        } else if (arg == "--only" && i + 1 < argc) {
            options.only = argv[++i];
        } else {
            std::printf("usage: vexlo-bench [--quick] [--reps N] [--json PATH] [--no-peers] "
                        "[--only TEXT]\n"
                        "  --quick     2 repetitions and three scenarios\n"
                        "  --reps N    repetitions per scenario (default 5)\n"
                        "  --json PATH one JSON object per figure per line\n"
                        "  --no-peers  skip rg, grep and Python\n"
                        "  --only TEXT only the scenarios whose pattern contains TEXT\n");
            return false;
        }
    }
    if (options.quick && !repsGiven)
        options.reps = 2;
    return true;
}

double msSince(const QElapsedTimer& clock) {
    return double(clock.nsecsElapsed()) / 1e6;
}

/// The figures of one F5 run under prefix ("" or "second_").
void addRun(Report& report, const std::string& scenario, const std::string& prefix,
            const RunFigures& run) {
    if (!run.ended) {
        report.note(scenario, prefix + "run did not end within the time allowed");
        return;
    }
    report.add(scenario, prefix + "trigger_ms", run.triggerMs);
    report.add(scenario, prefix + "first_rows_ms", run.firstRowsMs);
    report.add(scenario, prefix + "all_rows_ms", run.allRowsMs);
    report.add(scenario, prefix + "max_stall_ms", run.maxStallMs);
    report.add(scenario, prefix + "run_stall_ms", run.runStallMs);
}

/// The peers in turn, once each, on the same text and pattern; each one's time, or a negative
/// value when it failed.
std::vector<double> timePeers(Report& report, const Scenario& s, const std::string& file, int rows,
                              const std::vector<Peer>& peers) {
    std::vector<double> times;
    for (const Peer peer : peers) {
        const std::string& pattern = peer == Peer::rg     ? s.rg
                                     : peer == Peer::grep ? s.grep
                                                          : s.python;
        const PeerTime t = timePeer(peer, pattern, file);
        const std::string name = peerName(peer);
        times.push_back(t.ok ? t.ms : -1);
        if (!t.ok) {
            report.note(s.name, t.note);
            continue;
        }
        report.add(s.name, name + "_ms", t.ms);
        if (t.matches != rows)
            report.note(s.name, name + " found " + std::to_string(t.matches) +
                                    " matches, the window " + std::to_string(rows));
    }
    return times;
}

/// The engine's part of a run without the window: compiling pattern and collecting every
/// match's offsets over subject (already converted), as the worker does. Milliseconds, or a
/// negative value when the pattern does not compile.
double timeEngine(const std::u16string& subject, const std::string& pattern) {
    QElapsedTimer clock;
    clock.start();
    const QString units = QString::fromStdString(pattern);
    vexlo::RegexOptions options;
    options.ignoreCase = false;
    const vexlo::Regex regex = vexlo::Regex::compile(
        vexlo::enginePattern(
            {reinterpret_cast<const char16_t*>(units.constData()), std::size_t(units.size())},
            false),
        options);
    if (!regex.ok())
        return -1;
    std::vector<std::int32_t> offsets;
    offsets.reserve(1u << 20);
    regex.forEachMatch(subject, [&](vexlo::MatchOffsets match) {
        offsets.insert(offsets.end(), match.begin(), match.end());
        return true;
    });
    return msSince(clock);
}

/// Our first-run all_rows_ms over a peer's: the ratio of the medians, with the min and max of
/// the ratios of the runs made side by side. pairs: (ours, theirs) per repetition.
void addRatio(Report& report, const std::string& scenario, Peer peer,
              const std::vector<std::pair<double, double>>& pairs) {
    std::vector<double> ours;
    std::vector<double> theirs;
    std::vector<double> ratios;
    for (const auto& [own, other] : pairs) {
        ours.push_back(own);
        theirs.push_back(other);
        ratios.push_back(own / other);
    }
    const std::optional<Summary> own = summarise(ours);
    const std::optional<Summary> other = summarise(theirs);
    const std::optional<Summary> spread = summarise(ratios);
    if (own && other && spread)
        report.set(scenario, std::string("all_rows_vs_") + peerName(peer),
                   Summary{own->median / other->median, spread->min, spread->max});
}

void runScenario(Report& report, MainWindow& window, const Scenario& s, int reps,
                 const std::string& file, const std::vector<Peer>& peers,
                 const std::u16string& engineText) {
    const vexlo::Controls& c = window.controls();
    if (const std::optional<MemoryFigures> memory = measureInChild(s.name)) {
        report.add(s.name, "rss_mb", double(memory->peakBytes) / MB);
        report.add(s.name, "retained_mb", double(memory->retainedBytes) / MB);
        if (memory->rows > 0)
            report.add(s.name, "bytes_per_match", double(memory->peakBytes) / memory->rows);
    } else {
        report.note(s.name, "the memory probe failed: no memory figures");
    }
    setPattern(window, s.name);
    std::vector<std::vector<std::pair<double, double>>> pairs(peers.size());
    int rowsBefore = -1;
    for (int rep = 0; rep < reps; ++rep) {
        // A first run: the text just edited, the table empty.
        touchSource(window);
        emptyResults(window);
        const RunFigures first = timeF5Run(window, RUN_TIMEOUT_MS);
        addRun(report, s.name, "", first);
        if (!first.ended)
            return;
        report.add(s.name, "matches", first.rows);
        if (first.end != vexlo::RunEnd::listed || first.rows != c.table->rowCount())
            report.note(s.name, "the run ended with code " + std::to_string(int(first.end)) +
                                    " and " + std::to_string(c.table->rowCount()) + " rows");
        if (rowsBefore >= 0 && first.rows != rowsBefore)
            report.note(s.name, "the row count changed between repetitions");
        rowsBefore = first.rows;

        // F5 again on the unchanged text, the rows of the first run still in the table.
        addRun(report, s.name, "second_", timeF5Run(window, RUN_TIMEOUT_MS));

        const ActionFigures shown = timeShowLastRow(window);
        report.add(s.name, "show_in_source_ms", shown.ms);
        if (!shown.ok)
            report.note(s.name, "showInSource did not select the last row's match");
        if (rep == reps - 1) {
            // After an edit the rows' places no longer hold: the match is looked for again.
            touchSource(window);
            const ActionFigures found = timeShowLastRow(window, true);
            report.add(s.name, "show_in_source_edited_ms", found.ms);
            if (!found.ok)
                report.note(s.name, "showInSource after an edit selected nothing");
        }

        if (const double ms = timeEngine(engineText, s.name); ms >= 0)
            report.add(s.name, "engine_only_ms", ms);
        const std::vector<double> times = timePeers(report, s, file, first.rows, peers);
        for (std::size_t p = 0; p < peers.size(); ++p) {
            if (times[p] > 0)
                pairs[p].emplace_back(first.allRowsMs, times[p]);
        }
    }
    for (std::size_t p = 0; p < peers.size(); ++p)
        addRatio(report, s.name, peers[p], pairs[p]);
}

/// The sample text as a UTF-8 file for the peers; the path, or empty when it cannot be written.
std::string writeTextFile(const std::string& utf8) {
    const std::string path =
        QDir::temp()
            .filePath(QStringLiteral("vexlo-bench-%1.txt").arg(QCoreApplication::applicationPid()))
            .toStdString();
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(utf8.data(), std::streamsize(utf8.size()));
    file.close();
    return file ? path : std::string();
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 3 && std::strcmp(argv[1], MEMORY_PROBE_OPTION) == 0) {
        QApplication app(argc, argv);
        return runMemoryProbe(argv[2]);
    }
    Options options;
    if (!parseOptions(argc, argv, options))
        return 2;
    QApplication app(argc, argv);

    const std::string utf8 = makeLogText(SAMPLE_TEXT_BYTES);
    const std::string file = writeTextFile(utf8);
    std::vector<Peer> peers;
    Report report;
    report.add(MACHINE, "load_at_start", loadAverage());
    report.add(MACHINE, "cores", double(std::thread::hardware_concurrency()));
    for (const Peer peer : {Peer::rg, Peer::grep, Peer::python}) {
        if (!options.peers)
            break;
        if (file.empty() || !peerAvailable(peer))
            report.note(WINDOW, std::string(peerName(peer)) + " skipped: not installed" +
                                    (file.empty() ? " or no temporary file" : ""));
        else
            peers.push_back(peer);
    }

    MainWindow window;
    const double setTextMs = openWithText(window, utf8);
    const vexlo::Controls& c = window.controls();
    std::printf("sample text: %.1f MB of UTF-8; %d repetitions\n", double(utf8.size()) / MB,
                options.reps);
    // The subject as the worker converts it, for timing the engine alone.
    std::u16string engineText;
    double engineSubjectMs = 0;
    {
        const QString box = vexlo::boxText(c.sourceBox);
        QElapsedTimer clock;
        clock.start();
        std::optional<vexlo::EngineSubject> converted = vexlo::engineSubject(
            {reinterpret_cast<const char16_t*>(box.constData()), std::size_t(box.size())});
        engineSubjectMs = msSince(clock);
        if (converted)
            engineText = std::move(converted->text);
    }

    for (const Scenario& s : scenarios()) {
        if ((options.quick && !s.quick) ||
            (!options.only.empty() && s.name.find(options.only) == std::string::npos))
            continue;
        std::printf("running %s ...\n", s.name.c_str());
        std::fflush(stdout);
        runScenario(report, window, s, options.reps, file, peers, engineText);
    }
    report.add(WINDOW, "set_source_text_ms", setTextMs);
    report.add(WINDOW, "engine_subject_ms", engineSubjectMs);
    runWindowFigures(report, window, utf8, options.quick ? 2 : 3);
    if (!file.empty())
        std::remove(file.c_str());

    for (int rep = 0; rep < 3; ++rep)
        report.add(MACHINE, "process_start_ms", timeProcessStart());
    report.add(MACHINE, "load_at_end", loadAverage());
    std::printf("\n%s", LEGEND);
    report.print(stdout, targets());
    if (!options.json.empty() && !report.writeJson(options.json)) {
        std::fprintf(stderr, "cannot write %s\n", options.json.c_str());
        return 1;
    }
    return 0;
}
