// The memory of one F5 run, measured in a fresh process of this program, so that nothing a
// run before left in the allocator or in Qt's views counts for or against it.
#pragma once

#include <optional>
#include <string>

namespace vexlo::bench {

/// The option that makes this program a probe: --memory-of PATTERN.
inline constexpr const char* MEMORY_PROBE_OPTION = "--memory-of";

struct MemoryFigures {
    int rows = 0;
    long long peakBytes = 0;     // peak resident size during the run over the baseline
    long long retainedBytes = 0; // resident size at its end over the baseline
};

/// The probe's side: opens the window with the sample text (the baseline), presses F5 once
/// with pattern, prints "rows peak retained" on stdout. Returns the exit status.
int runMemoryProbe(const std::string& pattern);

/// Starts this program as a probe for pattern and reads its figures; nullopt when it fails.
std::optional<MemoryFigures> measureInChild(const std::string& pattern);

} // namespace vexlo::bench
