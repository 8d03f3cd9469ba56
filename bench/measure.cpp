// Reads /proc/self/statm and /proc/self/status; resets the peak through /proc/self/clear_refs.
#include "bench/measure.h"

#include <fstream>
#include <malloc.h>
#include <string>
#include <unistd.h>

namespace vexlo::bench {

long long residentBytes() {
    std::ifstream statm("/proc/self/statm");
    long long pages = 0;
    long long resident = 0;
    if (!(statm >> pages >> resident))
        return 0;
    return resident * sysconf(_SC_PAGESIZE);
}

long long peakResidentBytes() {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmHWM:") {
            long long kilobytes = 0;
            status >> kilobytes;
            return kilobytes * 1024;
        }
        status.ignore(4096, '\n');
    }
    return 0;
}

bool resetPeakResident() {
    // "5" resets the high-water mark to the current resident size (Linux 4.0 and later).
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
    clear.flush();
    return bool(clear);
}

void releaseFreedMemory() {
    malloc_trim(0);
}

} // namespace vexlo::bench
