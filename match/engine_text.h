// The texts a run hands to the engine: a box's text with each line break as CR LF, taken
// through code page 936 and back, exactly as the matcher receives what readText gives.
#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vexlo {

/// A subject as the engine sees it.
struct EngineSubject {
    std::u16string text;
    std::vector<std::int32_t> lineBreaks;  // offset of the CR of every CR LF, ascending
};

/// The subject for the engine: every line break of boxText (CR LF, LF, CR, U+2028, U+2029)
/// becomes CR LF, and every unit goes through code page 936 and back, so a unit with no code
/// page 936 form becomes "?" (a surrogate pair "??"); the result has one unit per unit of the
/// text with CR LF breaks. Gives nullopt once *cancelled is set (cancelled may be null); it
/// looks at the flag every few hundred thousand units.
std::optional<EngineSubject> engineSubject(std::u16string_view boxText,
                                           const std::atomic<bool>* cancelled = nullptr);

/// The pattern for the engine, converted as engineSubject does; when restoreQuotes, every
/// QUOTE_TOKEN of its code page 936 form becomes a double quote first.
std::u16string enginePattern(std::u16string_view boxText, bool restoreQuotes);

/// Offsets of the CR of every CR LF pair of text, ascending.
std::vector<std::int32_t> lineBreakOffsets(std::u16string_view text);

} // namespace vexlo
