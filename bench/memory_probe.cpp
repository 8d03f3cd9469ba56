// Both sides of the memory probe: the child that runs once and the parent that starts it.
#include "bench/memory_probe.h"

#include "bench/log_text.h"
#include "bench/measure.h"
#include "bench/window_probe.h"
#include "ui/main_window.h"

#include <QCoreApplication>
#include <QProcess>

#include <cstdio>

namespace vexlo::bench {

namespace {

constexpr int PROBE_TIMEOUT_MS = 120000;

} // namespace

int runMemoryProbe(const std::string& pattern) {
    MainWindow window;
    {
        const std::string utf8 = makeLogText(SAMPLE_TEXT_BYTES);
        openWithText(window, utf8);
    }
    setPattern(window, pattern);
    releaseFreedMemory();
    const long long baseline = residentBytes();
    if (!resetPeakResident())
        return 3;
    const RunFigures run = timeF5Run(window, PROBE_TIMEOUT_MS);
    if (!run.ended)
        return 4;
    const long long peak = peakResidentBytes();
    const long long retained = residentBytes();
    std::printf("%d %lld %lld\n", run.rows, peak - baseline, retained - baseline);
    return 0;
}

std::optional<MemoryFigures> measureInChild(const std::string& pattern) {
    QProcess child;
    child.setProcessChannelMode(QProcess::SeparateChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {QString::fromUtf8(MEMORY_PROBE_OPTION), QString::fromStdString(pattern)});
    if (!child.waitForFinished(PROBE_TIMEOUT_MS)) {
        child.kill();
        child.waitForFinished();
        return std::nullopt;
    }
    if (child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0)
        return std::nullopt;
    const QStringList words = QString::fromUtf8(child.readAllStandardOutput())
                                  .split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.size() != 3)
        return std::nullopt;
    MemoryFigures figures;
    bool ok[3] = {};
    figures.rows = words[0].toInt(&ok[0]);
    figures.peakBytes = words[1].toLongLong(&ok[1]);
    figures.retainedBytes = words[2].trimmed().toLongLong(&ok[2]);
    if (!ok[0] || !ok[1] || !ok[2])
        return std::nullopt;
    return figures;
}

} // namespace vexlo::bench
