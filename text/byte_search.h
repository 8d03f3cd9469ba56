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

/// Finds the occurrences of one sub in one text, front to back. It remembers where its scans
/// got to, so a run of calls with positions that never go back costs one pass over the text
/// (a fresh search per call would rescan the rest of the text for a byte that is not there).
class ByteFinder {
  public:
    /// sub must not be empty; fold folds A-Z on both sides.
    ByteFinder(std::string_view text, std::string_view sub, bool fold);

    /// First offset >= from where sub occurs at any byte offset; NONE when none. from must
    /// not be smaller than in the call before.
    std::size_t next(std::size_t from);

    /// First offset >= from where sub occurs and begins on a character, counting characters
    /// from `from` (a byte 0x80-0xFF joins the byte after it); NONE when none. from must not
    /// be smaller than in the call before.
    std::size_t nextOnCharacter(std::size_t from);

  private:
    std::size_t nextExact(std::size_t from);
    std::size_t nextFolded(std::size_t from);
    void spend(std::size_t scanned);
    std::size_t refresh(std::size_t& cursor, std::size_t from,
                        std::size_t (*scan)(std::string_view, std::size_t, char), char c) const;

    std::string_view text_;
    std::string_view sub_;
    bool folded_;            // folding asked for and sub holds a letter
    bool firstIsLetter_;     // the first byte of sub is a letter, to be found in either case
    bool wholeScan_ = false; // candidates came too thick: memmem or the word-wise scan instead
    std::size_t budget_;
    std::size_t cursorA_; // first place of the first byte at or after some earlier position
    std::size_t cursorB_; // the same for its other case
    std::size_t cursorWhole_;
};

/// One-shot forms of ByteFinder::next and ByteFinder::nextOnCharacter.
std::size_t findBytes(std::string_view text, std::size_t from, std::string_view sub, bool fold);
std::size_t findOnCharacter(std::string_view text, std::size_t from, std::string_view sub,
                            bool fold);

/// Last offset where sub occurs wholly inside text and begins on a character counted from
/// offset 0; NONE when none. sub must not be empty.
std::size_t findLastOnCharacter(std::string_view text, std::string_view sub, bool fold);

} // namespace vexlo::detail
