// The control operations over Qt's editor boxes, check boxes and tab control.
#include "ui/control_ops.h"

#include "text/codepage.h"
#include "ui/qt_text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPalette>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <string>

namespace vexlo {
namespace {

constexpr QChar PARAGRAPH_SEPARATOR(0x2029);
constexpr QChar LINE_SEPARATOR(0x2028);

// Qt marks a line break inside the document as U+2029 (between blocks) or U+2028.
bool isLineBreak(QChar c) {
    return c == PARAGRAPH_SEPARATOR || c == LINE_SEPARATOR;
}

// One pass: each line break of the editor becomes CR LF on the way to code page 936.
AnsiText editorTextToAnsi(const QString& editorText) {
    std::u16string units;
    units.reserve(std::size_t(editorText.size()) + std::size_t(editorText.size()) / 16);
    for (const QChar c : editorText) {
        if (isLineBreak(c)) {
            units += u"\r\n";
        } else {
            units += char16_t(c.unicode());
        }
    }
    return utf16ToAnsi(units);
}

// Number of positions in the box: its characters, without the document's closing separator.
int textEnd(const QPlainTextEdit* box) {
    return std::max(0, box->document()->characterCount() - 1);
}

} // namespace

AnsiText readText(const QPlainTextEdit* box) {
    return editorTextToAnsi(box->document()->toRawText());
}

AnsiText readText(const QComboBox* combo) {
    return toAnsi(combo->currentText());
}

QString boxText(const QPlainTextEdit* box) {
    QString text = box->document()->toRawText();
    std::replace_if(text.begin(), text.end(), isLineBreak, QChar(u'\n'));
    return text;
}

void writeText(QPlainTextEdit* box, const AnsiText& text) {
    if (readText(box) == text) {
        return;
    }
    QTextCursor cursor = box->textCursor();
    cursor.beginEditBlock();
    cursor.select(QTextCursor::Document);
    cursor.insertText(toQString(text)); // insertText reads CR LF as one line break
    cursor.endEditBlock();
    box->setTextCursor(cursor);
}

CharPos selectionStart(const QPlainTextEdit* box) {
    return box->textCursor().selectionStart();
}

int selectedCharCount(const QPlainTextEdit* box) {
    const QTextCursor cursor = box->textCursor();
    return cursor.selectionEnd() - cursor.selectionStart();
}

AnsiText selectedText(const QPlainTextEdit* box) {
    return editorTextToAnsi(box->textCursor().selectedText());
}

AnsiText textBefore(const QPlainTextEdit* box, CharPos pos) {
    QTextCursor cursor(box->document());
    cursor.setPosition(std::clamp(pos, 0, textEnd(box)), QTextCursor::KeepAnchor);
    return editorTextToAnsi(cursor.selectedText());
}

void setSelection(QPlainTextEdit* box, CharPos start, int count) {
    const int end = textEnd(box);
    const int first = std::clamp(start, 0, end);
    const int last = count <= 0 ? first : int(std::clamp<qint64>(qint64(first) + count, 0, end));
    QTextCursor cursor = box->textCursor();
    cursor.setPosition(first);
    cursor.setPosition(last, QTextCursor::KeepAnchor);
    box->setTextCursor(cursor);
    box->ensureCursorVisible();
}

CharPos findInBox(const QPlainTextEdit* box, CharPos start, const AnsiText& text) {
    if (text.empty()) {
        return -1;
    }
    QString needle = toQString(text);
    needle.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    const QString haystack = boxText(box);
    const qsizetype from = std::clamp<qsizetype>(start, 0, haystack.size());
    return CharPos(haystack.indexOf(needle, from, Qt::CaseSensitive));
}

void setTextColour(QPlainTextEdit* box, const QColor& colour) {
    QTextCursor cursor = box->textCursor();
    if (cursor.hasSelection()) {
        QTextCharFormat format;
        format.setForeground(colour);
        cursor.mergeCharFormat(format);
        return;
    }
    QPalette palette = box->palette();
    palette.setColor(QPalette::Text, colour);
    // The selection stays hidden while the box has no focus (see hideSelectionWhenUnfocused):
    // its unfocused look is the box's own colours.
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText, colour);
    box->setPalette(palette);
}

bool isTicked(const QCheckBox* check) {
    return check->checkState() == Qt::Checked;
}

void setTicked(QCheckBox* check, bool ticked) {
    check->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
}

void showPage(QTabWidget* tabs, int page) {
    if (page >= 0 && page < tabs->count()) {
        tabs->setCurrentIndex(page);
    }
}

} // namespace vexlo
