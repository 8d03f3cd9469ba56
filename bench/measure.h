// Memory figures of this process for the benchmarks, read from /proc (Linux): resident size
// now, its peak since the last reset, and giving freed heap back so a baseline is clean.
#pragma once

namespace vexlo::bench {

/// Resident memory of this process in bytes; 0 when /proc cannot be read.
long long residentBytes();

/// Peak resident memory (the high-water mark) in bytes since the process started or since
/// resetPeakResident; 0 when /proc cannot be read.
long long peakResidentBytes();

/// Sets the high-water mark back to the resident size now. False when the kernel refuses
/// (then peakResidentBytes keeps the process-wide peak).
bool resetPeakResident();

/// Returns freed heap pages to the system, so that residentBytes counts live memory only.
void releaseFreedMemory();

} // namespace vexlo::bench
