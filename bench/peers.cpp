// Runs each peer as a child process through /bin/sh, the pattern and file passed as
// positional arguments so that no quoting of the pattern is needed.
#include "bench/peers.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>

namespace vexlo::bench {

namespace {

// Reads the file as it is (newline="" keeps CR LF), then times the matching alone.
constexpr const char* PYTHON_SCRIPT = R"(import re, sys, time
with open(sys.argv[2], encoding="utf-8", newline="") as f:
    text = f.read()
rx = re.compile(sys.argv[1], re.ASCII | re.MULTILINE)
t = time.perf_counter()
found = [(m.start(), m.end(), m.groups()) for m in rx.finditer(text)]
ms = (time.perf_counter() - t) * 1000
print(len(found), ms)
)";

constexpr int PEER_TIMEOUT_MS = 120000;

QStringList shellArguments(const char* script, const std::string& pattern,
                           const std::string& path) {
    return {QStringLiteral("-c"), QString::fromUtf8(script), QStringLiteral("sh"),
            QString::fromStdString(pattern), QString::fromStdString(path)};
}

} // namespace

const char* peerName(Peer peer) {
    switch (peer) {
    case Peer::rg:
        return "rg";
    case Peer::grep:
        return "grep";
    case Peer::python:
        return "python";
    }
    return "?";
}

bool peerAvailable(Peer peer) {
    switch (peer) {
    case Peer::rg:
        return !QStandardPaths::findExecutable(QStringLiteral("rg")).isEmpty();
    case Peer::grep: {
        if (QStandardPaths::findExecutable(QStringLiteral("grep")).isEmpty())
            return false;
        // A grep built without PCRE rejects -P with status 2.
        QProcess probe;
        probe.start(QStringLiteral("/bin/sh"),
                    {QStringLiteral("-c"), QStringLiteral("echo 1 | grep -qP '\\d'")});
        return probe.waitForFinished(10000) && probe.exitCode() == 0;
    }
    case Peer::python:
        return !QStandardPaths::findExecutable(QStringLiteral("python3")).isEmpty();
    }
    return false;
}

double timeProcessStart() {
    QElapsedTimer clock;
    clock.start();
    QProcess process;
    process.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), QStringLiteral("true")});
    process.waitForFinished(10000);
    return double(clock.nsecsElapsed()) / 1e6;
}

PeerTime timePeer(Peer peer, const std::string& pattern, const std::string& path) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // grep -P reads the text as UTF-8 only in a UTF-8 locale; \x{4e00} needs that.
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    process.setProcessEnvironment(environment);
    QStringList arguments;
    switch (peer) {
    case Peer::rg:
        arguments = shellArguments(R"(rg --no-config -o -e "$1" "$2" | wc -l)", pattern, path);
        break;
    case Peer::grep:
        arguments = shellArguments(R"(grep -oP -e "$1" "$2" | wc -l)", pattern, path);
        break;
    case Peer::python:
        arguments = {QStringLiteral("-c"), QString::fromUtf8(PYTHON_SCRIPT),
                     QString::fromStdString(pattern), QString::fromStdString(path)};
        break;
    }
    QElapsedTimer clock;
    clock.start();
    process.start(peer == Peer::python ? QStringLiteral("python3") : QStringLiteral("/bin/sh"),
                  arguments);
    PeerTime result;
    if (!process.waitForFinished(PEER_TIMEOUT_MS)) {
        process.kill();
        process.waitForFinished();
        result.note = std::string(peerName(peer)) + " did not finish";
        return result;
    }
    const double wallMs = double(clock.nsecsElapsed()) / 1e6;
    const QStringList words = QString::fromUtf8(process.readAllStandardOutput())
                                  .split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (process.exitCode() != 0 || words.isEmpty()) {
        result.note = std::string(peerName(peer)) +
                      " failed: " + process.readAllStandardError().left(200).toStdString();
        return result;
    }
    bool counted = false;
    result.matches = words[0].trimmed().toLongLong(&counted);
    result.ms = peer == Peer::python && words.size() > 1 ? words[1].trimmed().toDouble() : wallMs;
    result.ok = counted;
    if (!counted)
        result.note = std::string(peerName(peer)) + " printed no count";
    return result;
}

} // namespace vexlo::bench
