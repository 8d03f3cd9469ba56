// The control operations in CharPos units: texts with CR LF and two-byte characters in and out,
// selections clamped at the ends, findInBox, one undo step per rewrite, the colour operation.
#include "ui/control_ops.h"
#include "ui_fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QtTest>

using namespace vexlo;
using namespace vexlo::test;

class ControlOpsTest : public QObject {
    Q_OBJECT
  private slots:
    void textRoundTrip_data();
    void textRoundTrip();
    void selectionInCharPos_data();
    void selectionInCharPos();
    void findInBoxCases_data();
    void findInBoxCases();
    void rewriteIsOneUndoStep();
    void colourOfSelectionOrWholeBox();
    void checksAndCombo();
};

void ControlOpsTest::textRoundTrip_data() {
    QTest::addColumn<AnsiText>("written");
    QTest::addColumn<AnsiText>("read");  // what readText gives back
    QTest::addColumn<int>("characters"); // the box's length in CharPos
    QTest::newRow("empty") << AnsiText() << AnsiText() << 0;
    QTest::newRow("CR LF counts once") << AnsiText("a\r\nb") << AnsiText("a\r\nb") << 3;
    QTest::newRow("blank lines") << AnsiText("\r\n\r\n") << AnsiText("\r\n\r\n") << 2;
    QTest::newRow("two-byte characters") << gbk("正则\r\nx") << gbk("正则\r\nx") << 4;
    // A lone LF is a line break in the editor; it reads back as CR LF.
    QTest::newRow("lone LF") << AnsiText("a\nb") << AnsiText("a\r\nb") << 3;
}

void ControlOpsTest::textRoundTrip() {
    QFETCH(AnsiText, written);
    QFETCH(AnsiText, read);
    QFETCH(int, characters);
    QPlainTextEdit box;
    writeText(&box, written);
    QCOMPARE(readText(&box), read);
    setSelection(&box, 0, 1 << 30);
    QCOMPARE(selectedCharCount(&box), characters);
    QCOMPARE(selectedText(&box), read);
    QCOMPARE(charCountOfBytes(read), characters); // the editor and the byte count agree
}

void ControlOpsTest::selectionInCharPos_data() {
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selCount");
    QTest::addColumn<AnsiText>("selected");
    // The text: ‹ab› CR LF ‹正c› — 5 characters.
    QTest::newRow("across the line break") << 1 << 3 << 1 << 3 << gbk("b\r\n正");
    QTest::newRow("negative start counts as 0") << -4 << 2 << 0 << 2 << AnsiText("ab");
    QTest::newRow("end past the text") << 3 << 99 << 3 << 2 << gbk("正c");
    QTest::newRow("start past the text") << 50 << 2 << 5 << 0 << AnsiText();
    QTest::newRow("count 0 is a caret") << 2 << 0 << 2 << 0 << AnsiText();
    QTest::newRow("negative count is a caret") << 2 << -1 << 2 << 0 << AnsiText();
}

void ControlOpsTest::selectionInCharPos() {
    QFETCH(int, start);
    QFETCH(int, count);
    QFETCH(int, selStart);
    QFETCH(int, selCount);
    QFETCH(AnsiText, selected);
    QPlainTextEdit box;
    writeText(&box, gbk("ab\r\n正c"));
    setSelection(&box, start, count);
    QCOMPARE(selectionStart(&box), selStart);
    QCOMPARE(selectedCharCount(&box), selCount);
    QCOMPARE(selectedText(&box), selected);
    QCOMPARE(textBefore(&box, 3), AnsiText("ab\r\n"));
    QCOMPARE(selectionStart(&box), selStart); // textBefore leaves the selection alone
}

void ControlOpsTest::findInBoxCases_data() {
    QTest::addColumn<AnsiText>("text");
    QTest::addColumn<int>("start");
    QTest::addColumn<AnsiText>("wanted");
    QTest::addColumn<int>("found");
    QTest::newRow("at the start") << AnsiText("abcabc") << 0 << AnsiText("abc") << 0;
    QTest::newRow("from 1") << AnsiText("abcabc") << 1 << AnsiText("abc") << 3;
    QTest::newRow("after the line break") << AnsiText("ab\r\ncd xcd") << 0 << AnsiText("cd") << 3;
    QTest::newRow("second on the line") << AnsiText("ab\r\ncd xcd") << 4 << AnsiText("cd") << 7;
    QTest::newRow("spanning a line break") << AnsiText("ab\r\ncd") << 0 << AnsiText("b\r\nc") << 1;
    QTest::newRow("case must match") << AnsiText("ABC") << 0 << AnsiText("abc") << -1;
    QTest::newRow("after a two-byte character") << gbk("中文x") << 0 << AnsiText("x") << 2;
    QTest::newRow("not found") << AnsiText("abc") << 0 << AnsiText("d") << -1;
    QTest::newRow("start past the end") << AnsiText("abc") << 9 << AnsiText("c") << -1;
    QTest::newRow("empty text") << AnsiText("abc") << 0 << AnsiText() << -1;
}

void ControlOpsTest::findInBoxCases() {
    QFETCH(AnsiText, text);
    QFETCH(int, start);
    QFETCH(AnsiText, wanted);
    QFETCH(int, found);
    QPlainTextEdit box;
    writeText(&box, text);
    QCOMPARE(findInBox(&box, start, wanted), found);
}

void ControlOpsTest::rewriteIsOneUndoStep() {
    QPlainTextEdit box;
    box.setPlainText(QStringLiteral("old\ntext"));
    QVERIFY(!box.document()->isUndoAvailable());
    writeText(&box, "old\r\ntext"); // unchanged: no undo step
    QVERIFY(!box.document()->isUndoAvailable());
    writeText(&box, "new\r\nlonger\r\ntext");
    writeText(&box, "third");
    QCOMPARE(readText(&box), AnsiText("third"));
    box.undo();
    QCOMPARE(readText(&box), AnsiText("new\r\nlonger\r\ntext"));
    box.undo();
    QCOMPARE(readText(&box), AnsiText("old\r\ntext"));
    QVERIFY(!box.document()->isUndoAvailable());
    box.redo();
    QCOMPARE(readText(&box), AnsiText("new\r\nlonger\r\ntext"));
}

void ControlOpsTest::colourOfSelectionOrWholeBox() {
    QPlainTextEdit box;
    writeText(&box, "abcd");
    setSelection(&box, 1, 2);
    setTextColour(&box, QColor(0, 0, 255));
    const QTextBlock block = box.document()->firstBlock();
    const auto colourAt = [&](int position) {
        for (const QTextLayout::FormatRange& range : block.textFormats()) {
            if (position >= range.start && position < range.start + range.length) {
                return range.format.foreground().color();
            }
        }
        return QColor();
    };
    QCOMPARE(colourAt(1), QColor(0, 0, 255));
    QCOMPARE(colourAt(2), QColor(0, 0, 255));
    QVERIFY(colourAt(0) != QColor(0, 0, 255));
    QCOMPARE(box.palette().color(QPalette::Text), QPalette().color(QPalette::Text));

    setSelection(&box, 0, 0);
    setTextColour(&box, QColor(128, 128, 0));
    QCOMPARE(box.palette().color(QPalette::Text), QColor(128, 128, 0));
    QCOMPARE(readText(&box), AnsiText("abcd")); // only colours change
}

void ControlOpsTest::checksAndCombo() {
    QCheckBox check;
    setTicked(&check, true);
    QVERIFY(isTicked(&check));
    setTicked(&check, false);
    QVERIFY(!isTicked(&check));
    QComboBox combo;
    combo.setEditable(true);
    combo.addItems({QStringLiteral("s"), QStringLiteral("d")});
    combo.setEditText(QString::fromUtf8("数x"));
    QCOMPARE(readText(&combo), gbk("数x")); // the edit text, not one of the items
}

QTEST_MAIN(ControlOpsTest)
#include "control_ops_test.moc"
