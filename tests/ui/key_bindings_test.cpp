// Keys of patternBox, sourceBox and resultList: what runs, under which modifiers, and that the
// control still gets the key.
#include "match/match_table.h"
#include "ui/control_ops.h"
#include "ui_fixture.h"

#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTableView>
#include <QtTest>

using namespace vexlo;
using namespace vexlo::test;

class KeyBindingsTest : public QObject {
    Q_OBJECT
  private slots:
    void functionKeysInBothBoxes_data();
    void functionKeysInBothBoxes();
    void arrowsMoveTheFocusAndTheCaret();
    void ctrlFAloneJumps_data();
    void ctrlFAloneJumps();
};

void KeyBindingsTest::functionKeysInBothBoxes_data() {
    QTest::addColumn<bool>("inSourceBox");
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<bool>("runs");      // the match run starts
    QTest::addColumn<bool>("optimises"); // smartOptimise rewrites the pattern

    const Qt::KeyboardModifiers none;
    QTest::newRow("F5 in patternBox") << false << int(Qt::Key_F5) << none << true << false;
    QTest::newRow("F5 in sourceBox") << true << int(Qt::Key_F5) << none << true << false;
    QTest::newRow("Shift+F5") << false << int(Qt::Key_F5)
                              << Qt::KeyboardModifiers(Qt::ShiftModifier) << true << false;
    QTest::newRow("Ctrl+Alt+F5") << true << int(Qt::Key_F5)
                                 << (Qt::ControlModifier | Qt::AltModifier) << true << false;
    QTest::newRow("F6 in patternBox") << false << int(Qt::Key_F6) << none << false << true;
    QTest::newRow("Ctrl+F6 in sourceBox")
        << true << int(Qt::Key_F6) << Qt::KeyboardModifiers(Qt::ControlModifier) << false << true;
    QTest::newRow("F7 does nothing") << false << int(Qt::Key_F7) << none << false << false;
}

void KeyBindingsTest::functionKeysInBothBoxes() {
    QFETCH(bool, inSourceBox);
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(bool, runs);
    QFETCH(bool, optimises);

    FakeDialogs dialogs;
    ShownWindow w;
    writeText(w.c.patternBox, "a  b");
    writeText(w.c.sourceBox, "a  b");
    QPlainTextEdit* box = inSourceBox ? w.c.sourceBox : w.c.patternBox;
    box->setFocus();
    QTest::keyClick(box, Qt::Key(key), modifiers);
    if (runs) {
        QTRY_COMPARE(w.ends.size(), std::size_t(1));
        QCOMPARE(w.c.table->rowCount(), 1);
    } else {
        QCoreApplication::processEvents();
        QVERIFY(w.ends.empty());
    }
    QCOMPARE(readText(w.c.patternBox), AnsiText(optimises ? "a\\s{2}b" : "a  b"));
    QCOMPARE(readText(w.c.sourceBox), AnsiText("a  b")); // the key changed no text
}

void KeyBindingsTest::arrowsMoveTheFocusAndTheCaret() {
    FakeDialogs dialogs;
    ShownWindow w;
    QVERIFY(w.active);
    writeText(w.c.patternBox, "one\r\ntwo");
    writeText(w.c.sourceBox, "x\r\ny");
    setSelection(w.c.patternBox, 0, 0);
    w.c.patternBox->setFocus();
    QTest::keyClick(w.c.patternBox, Qt::Key_Down, Qt::ShiftModifier);
    QTRY_VERIFY(w.c.sourceBox->hasFocus());
    // The key was not consumed: patternBox moved its caret (and, with Shift, its selection).
    QCOMPARE(selectedText(w.c.patternBox), AnsiText("one\r\n"));

    setSelection(w.c.sourceBox, 2, 0);
    QTest::keyClick(w.c.sourceBox, Qt::Key_Up);
    QTRY_VERIFY(w.c.patternBox->hasFocus());
    QCOMPARE(selectionStart(w.c.sourceBox), 0);

    // Up in patternBox and Down in sourceBox are not bound.
    QTest::keyClick(w.c.patternBox, Qt::Key_Up);
    QVERIFY(w.c.patternBox->hasFocus());
    QCOMPARE(w.c.tabs->currentIndex(), 0);
}

void KeyBindingsTest::ctrlFAloneJumps_data() {
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<bool>("asks");
    QTest::newRow("Ctrl+F") << Qt::KeyboardModifiers(Qt::ControlModifier) << true;
    QTest::newRow("Ctrl+Shift+F") << (Qt::ControlModifier | Qt::ShiftModifier) << false;
    QTest::newRow("Ctrl+Alt+F") << (Qt::ControlModifier | Qt::AltModifier) << false;
    QTest::newRow("F alone") << Qt::KeyboardModifiers() << false;
}

void KeyBindingsTest::ctrlFAloneJumps() {
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(bool, asks);

    FakeDialogs dialogs;
    dialogs.inputAnswers.push_back(AnsiText("2"));
    ShownWindow w;
    writeText(w.c.patternBox, "\\d");
    writeText(w.c.sourceBox, "123");
    QTest::keyClick(w.c.patternBox, Qt::Key_F5);
    QTRY_COMPARE(w.ends.size(), std::size_t(1));
    w.c.resultList->setFocus();
    QTest::keyClick(w.c.resultList, Qt::Key_F, modifiers);
    QCOMPARE(dialogs.inputs.size(), std::size_t(asks ? 1 : 0));
    if (asks) {
        QCOMPARE(dialogs.inputs[0].prompt, gbk("跳转第几个"));
        QCOMPARE(dialogs.inputs[0].title, gbk("跳转第几个"));
        QCOMPARE(dialogs.inputs[0].initial, AnsiText("1"));
        QCOMPARE(w.c.resultList->selectionModel()->selectedRows().size(), 1);
        QCOMPARE(w.c.resultList->selectionModel()->selectedRows().front().row(), 1);
    }
}

QTEST_MAIN(KeyBindingsTest)
#include "key_bindings_test.moc"
