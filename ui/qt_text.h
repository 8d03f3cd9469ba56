// Where code page 936 texts meet Qt strings in the window: conversions both ways and the two
// line-break forms (CR LF in AnsiText, one character in the editor).
#pragma once

#include "text/ansi_text.h"

#include <QString>

#include <string_view>

namespace vexlo {

/// Code page 936 bytes to a Qt string, unit for unit; line breaks stay as they are.
QString toQString(std::string_view ansi);
/// A Qt string to code page 936; a unit with no code page 936 form becomes "?".
AnsiText toAnsi(const QString& text);
/// One of the window's own texts, written as UTF-8 in the source, in code page 936.
AnsiText ansiFromUtf8(std::string_view utf8);
/// Code page 936 text for a dialog or the clipboard: CR LF becomes "\n".
QString toDisplayText(std::string_view ansi);

} // namespace vexlo
