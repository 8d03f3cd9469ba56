// Byte-scanning cores shared by the searches of primitives.cpp and occurrences.cpp: candidates
// come from memchr/memmem, and only candidates are checked against the two-byte stepping.
#pragma once

#include <cstddef>
#include <string_view>

namespace vexlo::detail {

inline constexpr std::size_t NONE = std::string_view::npos;

/// A byte 0x80-0xFF, which always starts a two-byte character where the searches step.
inline bool isHighByte(char c) {
    return static_cast<unsigned char>(c) >= 0x80;
}

/// A-Z onto a-z; every other byte as it is.
inline unsigned char foldByte(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + ('a' - 'A')) : c;
}

/// First offset >= from where sub occurs at any byte offset (folding A-Z when fold is set);
/// NONE when none. sub must not be empty.
std::size_t findBytes(std::string_view text, std::size_t from, std::string_view sub, bool fold);

/// First offset >= from where sub occurs and begins on a character, counting characters from
/// `from` (a byte 0x80-0xFF joins the byte after it); NONE when none. sub must not be empty.
std::size_t findOnCharacter(std::string_view text, std::size_t from, std::string_view sub,
                            bool fold);

/// Last offset where sub occurs wholly inside text and begins on a character counted from
/// offset 0; NONE when none. sub must not be empty.
std::size_t findLastOnCharacter(std::string_view text, std::string_view sub, bool fold);

} // namespace vexlo::detail
