// The command-line peers the window is measured against, on the same text as a UTF-8 file:
// rg -o and grep -oP counted through a pipe (whole processes), and Python's re.finditer
// collecting (start, end, groups), timed inside Python with the file read left out.
#pragma once

#include <string>

namespace vexlo::bench {

enum class Peer { rg, grep, python };

/// "rg", "grep" or "python".
const char* peerName(Peer peer);

/// True when the peer's program is on PATH (grep also needs to accept -P).
bool peerAvailable(Peer peer);

struct PeerTime {
    bool ok = false; // false: the tool failed; note says why
    double ms = 0;   // wall-clock milliseconds as described above
    long long matches = 0;
    std::string note;
};

/// Milliseconds to start and finish "/bin/sh -c true" from this process: the share of a
/// peer's time that is only the starting of a process.
double timeProcessStart();

/// Runs peer once with pattern (in that tool's own syntax) over the UTF-8 file at path.
PeerTime timePeer(Peer peer, const std::string& pattern, const std::string& path);

} // namespace vexlo::bench
