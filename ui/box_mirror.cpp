// Follows the document's change notifications and copies only the changed stretch.
#include "ui/box_mirror.h"

#include "ui/control_ops.h"

#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

namespace vexlo {

BoxTextMirror::BoxTextMirror(QPlainTextEdit* box) : box_(box) {
    readWhole();
    connection_ = QObject::connect(
        box->document(), &QTextDocument::contentsChange, box,
        [this](int position, int removed, int added) { update(position, removed, added); });
}

BoxTextMirror::~BoxTextMirror() {
    QObject::disconnect(connection_);
}

void BoxTextMirror::readWhole() {
    text_ = boxText(box_);
}

void BoxTextMirror::update(int position, int removed, int added) {
    // The document reports its closing separator in some changes (a whole new text counts it
    // in both counts), so the counts are trimmed to what the text can hold; the length the
    // document has now is the check.
    const int oldLength = int(text_.size());
    const int newLength = std::max(0, box_->document()->characterCount() - 1);
    if (position < 0 || position > oldLength) {
        readWhole();
        return;
    }
    removed = std::min(removed, oldLength - position);
    added = removed + (newLength - oldLength);
    if (added < 0 || position + added > newLength || added > newLength / 2) {
        readWhole(); // a change of most of the text is read whole: no cheaper either way
        return;
    }
    QTextCursor cursor(box_->document());
    cursor.setPosition(position);
    cursor.setPosition(position + added, QTextCursor::KeepAnchor);
    QString inserted = cursor.selectedText();
    if (inserted.size() != added) {
        readWhole();
        return;
    }
    std::replace_if(
        inserted.begin(), inserted.end(),
        [](QChar c) { return c == QChar(0x2029) || c == QChar(0x2028); }, QChar(u'\n'));
    text_.replace(position, removed, inserted);
}

} // namespace vexlo
