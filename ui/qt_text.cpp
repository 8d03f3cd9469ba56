// Conversions between AnsiText and QString, through the code page conversion of text/.
#include "ui/qt_text.h"

#include "text/codepage.h"

namespace vexlo {

QString toQString(std::string_view ansi) {
    const std::u16string units = ansiToUtf16(ansi);
    return QString(reinterpret_cast<const QChar*>(units.data()), qsizetype(units.size()));
}

AnsiText toAnsi(const QString& text) {
    return utf16ToAnsi(
        std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()), text.size()));
}

AnsiText ansiFromUtf8(std::string_view utf8) {
    return toAnsi(QString::fromUtf8(utf8.data(), qsizetype(utf8.size())));
}

QString toDisplayText(std::string_view ansi) {
    QString text = toQString(ansi);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

} // namespace vexlo
