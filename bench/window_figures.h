// The window's figures that are not a match run: reading the source box, findNext from the
// start to a line near the end, and generaliseChars on a 1 MB pattern.
#pragma once

#include "bench/report.h"

#include <string>

namespace vexlo {
class MainWindow;
}

namespace vexlo::bench {

/// The scenario name these figures are reported under.
inline const std::string WINDOW_FIGURES = "window";

/// Adds read_source_box_ms, find_next_ms and generalise_chars_1mb_ms, reps samples each, to
/// report. window holds utf8 (the sample text) in sourceBox.
void runWindowFigures(Report& report, MainWindow& window, const std::string& utf8, int reps);

} // namespace vexlo::bench
