// A copy of an editor box's text (line breaks as "\n") kept up to date as the box changes, so
// that a run can take the text of a box of tens of megabytes without reading it on the window
// thread. The copy is shared, not duplicated, with whoever takes it.
#pragma once

#include <QMetaObject>
#include <QString>

class QPlainTextEdit;

namespace vexlo {

class BoxTextMirror {
  public:
    /// box must outlive this object.
    explicit BoxTextMirror(QPlainTextEdit* box);
    ~BoxTextMirror();
    BoxTextMirror(const BoxTextMirror&) = delete;
    BoxTextMirror& operator=(const BoxTextMirror&) = delete;

    /// The box's whole text, the same as boxText of the box.
    const QString& text() const { return text_; }

  private:
    void update(int position, int removed, int added);
    void readWhole();

    QPlainTextEdit* box_;
    QString text_;
    QMetaObject::Connection connection_;
};

} // namespace vexlo
