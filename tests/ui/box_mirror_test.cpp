// The mirror of a box's text must equal a fresh read of the box after every kind of edit.
#include "ui/box_mirror.h"
#include "ui/control_ops.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QRandomGenerator>
#include <QTest>
#include <QTextCursor>

#include <functional>

using vexlo::boxText;
using vexlo::BoxTextMirror;

namespace {

using Edit = std::function<void(QPlainTextEdit&)>;

void insertAt(QPlainTextEdit& box, int position, const QString& text) {
    QTextCursor cursor(box.document());
    cursor.setPosition(position);
    cursor.insertText(text);
}

void removeRange(QPlainTextEdit& box, int from, int to) {
    QTextCursor cursor(box.document());
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
}

} // namespace

Q_DECLARE_METATYPE(Edit)

class BoxMirrorTest : public QObject {
    Q_OBJECT
  private slots:
    void followsEdits_data() {
        QTest::addColumn<QString>("initial");
        QTest::addColumn<Edit>("edit");
        const QString lines = QString::fromUtf8("第一行\nsecond line\n第三 line\n");
        QTest::newRow("type in the middle")
            << lines << Edit([](QPlainTextEdit& b) { insertAt(b, 5, QStringLiteral("xyz")); });
        QTest::newRow("insert line breaks")
            << lines
            << Edit([](QPlainTextEdit& b) { insertAt(b, 2, QStringLiteral("a\nb\r\nc")); });
        QTest::newRow("remove across lines")
            << lines << Edit([](QPlainTextEdit& b) { removeRange(b, 1, 14); });
        QTest::newRow("remove everything") << lines << Edit([](QPlainTextEdit& b) {
            removeRange(b, 0, b.document()->characterCount() - 1);
        });
        QTest::newRow("append at the end") << lines << Edit([](QPlainTextEdit& b) {
            insertAt(b, b.document()->characterCount() - 1, QStringLiteral("end\n"));
        });
        QTest::newRow("new whole text")
            << lines
            << Edit([](QPlainTextEdit& b) { b.setPlainText(QStringLiteral("other\ntext")); });
        QTest::newRow("clear") << lines << Edit([](QPlainTextEdit& b) { b.clear(); });
        QTest::newRow("undo and redo") << lines << Edit([](QPlainTextEdit& b) {
            insertAt(b, 3, QStringLiteral("12\n34"));
            b.undo();
            removeRange(b, 0, 4);
            b.undo();
            b.redo();
        });
        QTest::newRow("from empty")
            << QString()
            << Edit([](QPlainTextEdit& b) { insertAt(b, 0, QString::fromUtf8("价格\n99元")); });
    }

    void followsEdits() {
        QFETCH(QString, initial);
        QFETCH(Edit, edit);
        QPlainTextEdit box;
        box.setPlainText(initial);
        BoxTextMirror mirror(&box);
        QCOMPARE(mirror.text(), boxText(&box));
        edit(box);
        QCOMPARE(mirror.text(), boxText(&box));
    }

    // Many small random edits in a row: the mirror never drifts from the box.
    void randomEdits() {
        QPlainTextEdit box;
        box.setPlainText(QStringLiteral("seed text\nwith lines\n"));
        BoxTextMirror mirror(&box);
        QRandomGenerator random(7);
        const QStringList pieces = {QStringLiteral("a"), QStringLiteral("\n"),
                                    QString::fromUtf8("中文"), QStringLiteral("x\ny\nz"),
                                    QStringLiteral("\r\n")};
        for (int i = 0; i < 400; ++i) {
            const int length = box.document()->characterCount() - 1;
            const int at = random.bounded(length + 1);
            if (random.bounded(3) == 0 && length > 0) {
                removeRange(box, at, std::min(length, at + random.bounded(1, 6)));
            } else {
                insertAt(box, at, pieces[random.bounded(int(pieces.size()))]);
            }
            if (i % 50 == 49) {
                box.undo();
            }
            QCOMPARE(mirror.text(), boxText(&box));
        }
    }
};

QTEST_MAIN(BoxMirrorTest)
#include "box_mirror_test.moc"
