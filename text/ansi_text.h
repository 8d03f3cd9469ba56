// The byte-text value types and the two position systems every other layer speaks in.
// Byte positions count from 1 (-1 = not found); editor positions count characters from 0.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vexlo {

/// Code page 936 bytes, no NUL inside. The empty string is also the "absent" text.
using AnsiText = std::string;

/// A counted byte sequence made from a text with toBytes.
using ByteArray = std::vector<unsigned char>;

/// 1-based byte position inside an AnsiText or ByteArray; -1 means not found.
using BytePos = std::int32_t;

/// 0-based character position (or count) in an editor box: a byte 0x80-0xFF with the byte
/// after it is one character, and so is a CR with the byte after it (a CR LF counts once).
using CharPos = std::int32_t;

/// Number of editor characters in the given bytes. The last byte is never taken as the start
/// of a pair, so a lone lead byte or CR at the end counts as one character.
int charCountOfBytes(std::string_view bytes);
int charCountOfBytes(const ByteArray& bytes);

/// The double quote stands as this token inside a pattern ("#引号" in code page 936).
inline constexpr std::string_view QUOTE_TOKEN = "#\xD2\xFD\xBA\xC5";

} // namespace vexlo
