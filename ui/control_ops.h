// The control operations through which every command reads and writes the window's controls.
// Positions and counts are CharPos: Qt's own positions, where a line break and a two-byte
// character count one each. Texts are AnsiText with CR LF for each line break.
#pragma once

#include "text/ansi_text.h"

#include <QColor>
#include <QString>

class QCheckBox;
class QComboBox;
class QPlainTextEdit;
class QTabWidget;

namespace vexlo {

/// The box's whole text with CR LF for each line break; the empty text for an empty box.
AnsiText readText(const QPlainTextEdit* box);
/// The combo box's edit text.
AnsiText readText(const QComboBox* combo);
/// The box's whole text as a Qt string, each line break one "\n" (what the match run reads).
QString boxText(const QPlainTextEdit* box);

/// Replaces the whole text of box by text (each CR LF becomes a line break) as one undoable
/// edit, so Ctrl+Z brings the old text back. Adds no undo step when the text is unchanged.
void writeText(QPlainTextEdit* box, const AnsiText& text);

/// First selected character; the caret when nothing is selected.
CharPos selectionStart(const QPlainTextEdit* box);
/// Number of selected characters; 0 when nothing is selected.
int selectedCharCount(const QPlainTextEdit* box);
/// The selected characters with CR LF for each line break.
AnsiText selectedText(const QPlainTextEdit* box);
/// The box's text in front of character pos, with CR LF for each line break; the selection
/// stays as it is.
AnsiText textBefore(const QPlainTextEdit* box, CharPos pos);
/// Selects count characters from start. A start below 0 counts as 0, a start or end past the
/// end of the text moves to the end, a count of 0 (or below) puts the caret at start.
void setSelection(QPlainTextEdit* box, CharPos start, int count);
/// Where the first occurrence of text at or after start begins (letters match in case, any
/// line breaks in text match the box's line breaks), or -1; -1 for an empty text.
CharPos findInBox(const QPlainTextEdit* box, CharPos start, const AnsiText& text);
/// With a selection: gives the selected characters that colour. With none: the whole box and
/// everything typed or written into it later take it.
void setTextColour(QPlainTextEdit* box, const QColor& colour);

bool isTicked(const QCheckBox* check);
void setTicked(QCheckBox* check, bool ticked);

/// Makes page current as a click on its tab would; an index with no page changes nothing.
void showPage(QTabWidget* tabs, int page);

} // namespace vexlo
