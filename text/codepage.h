// Code page 936 (GBK) <-> UTF-16 through ICU. The one place where bytes become characters.
#pragma once

#include "text/ansi_text.h"

#include <string>

namespace vexlo {

/// Code page 936 bytes to UTF-16. An invalid or truncated byte sequence becomes U+FFFD per
/// bad byte; nothing is dropped.
std::u16string ansiToUtf16(std::string_view bytes);

/// UTF-16 to code page 936. A unit with no code page 936 form becomes one "?" byte, so a
/// surrogate pair becomes "??" and positions stay aligned with the editor's count.
AnsiText utf16ToAnsi(std::u16string_view units);

} // namespace vexlo
