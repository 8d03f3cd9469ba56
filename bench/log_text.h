// A deterministic log-like sample text for the benchmarks: dates, times, numbers, Chinese
// words and sentences, ASCII words, URLs, and "error" on a few percent of the lines, joined by
// CR LF. The same seed always gives the same text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace vexlo::bench {

/// The code page 936 form of a UTF-8 text (the texts above are written as UTF-8).
std::string toCodePage936(const std::string& utf8);

/// About utf8Bytes bytes of UTF-8 text (whole lines, CR LF between them).
std::string makeLogText(std::size_t utf8Bytes, std::uint32_t seed = 20261211);

} // namespace vexlo::bench
