// From the result table back to the source text (double click, Enter, right click, Ctrl+F),
// and find backwards and forwards in the source text.
#include "match/match_table.h"
#include "ui/control_ops.h"
#include "ui/navigation.h"
#include "ui/result_list.h"
#include "ui_fixture.h"

#include <QContextMenuEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QtTest>

using namespace vexlo;
using namespace vexlo::test;

namespace {

QPoint rowCentre(QTableView* view, int row) {
    return view->visualRect(view->model()->index(row, 1)).center();
}

// Selects row as the first click of a double click does, then raises the view's double
// click on it (synthetic double clicks are unreliable on the offscreen platform).
void doubleClickRow(QTableView* view, int row) {
    ensureVisible(view, row);
    selectRow(view, row);
    emit view->doubleClicked(view->model()->index(row, 0));
}

// The selection of a box as (start, count).
QPair<int, int> selectionOf(const QPlainTextEdit* box) {
    return {selectionStart(box), selectedCharCount(box)};
}

} // namespace

class NavigationTest : public QObject {
    Q_OBJECT
  private slots:
    void nthOccurrenceCycles_data();
    void nthOccurrenceCycles();
    void doubleClickSelectsThatMatch_data();
    void doubleClickSelectsThatMatch();
    void editedSourceFallsBackToTheWalk();
    void noRowPutsTheCaretAtTheStart();
    void rightClickCopiesTheRowClicked();
    void jumpToRowAnswers_data();
    void jumpToRowAnswers();
    void findInSource_data();
    void findInSource();
};

void NavigationTest::nthOccurrenceCycles_data() {
    QTest::addColumn<AnsiText>("source");
    QTest::addColumn<AnsiText>("match");
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("place");
    QTest::newRow("overlaps count: 1st") << AnsiText("aaa") << AnsiText("aa") << 1 << 1;
    QTest::newRow("overlaps count: 2nd") << AnsiText("aaa") << AnsiText("aa") << 2 << 2;
    QTest::newRow("one past the last") << AnsiText("aaa") << AnsiText("aa") << 3 << -1;
    QTest::newRow("cycles after the miss") << AnsiText("aaa") << AnsiText("aa") << 4 << 1;
    QTest::newRow("edited text, row 3 of one hit") << AnsiText("xxab") << AnsiText("ab") << 3 << 3;
    QTest::newRow("row 2 of one hit") << AnsiText("xxab") << AnsiText("ab") << 2 << -1;
    QTest::newRow("empty match") << AnsiText("ab") << AnsiText() << 1 << -1;
    QTest::newRow("never occurs") << AnsiText("ab") << AnsiText("z") << 5 << -1;
    QTest::newRow("no number") << AnsiText("ab") << AnsiText("a") << 0 << 0;
    // A byte search: the hit may begin on the second byte of a two-byte character.
    QTest::newRow("inside a two-byte character") << AnsiText("\xB0\x41") << AnsiText("A") << 1 << 2;
}

void NavigationTest::nthOccurrenceCycles() {
    QFETCH(AnsiText, source);
    QFETCH(AnsiText, match);
    QFETCH(int, n);
    QFETCH(int, place);
    QCOMPARE(nthOccurrence(source, match, n), place);
}

void NavigationTest::doubleClickSelectsThatMatch_data() {
    QTest::addColumn<AnsiText>("source");
    QTest::addColumn<AnsiText>("pattern");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("count");
    QTest::newRow("second of three equal") << AnsiText("5 5 5") << AnsiText("\\d") << 1 << 2 << 1;
    QTest::newRow("12 34 12, row 1") << AnsiText("12 34 12") << AnsiText("\\d+") << 0 << 0 << 2;
    QTest::newRow("12 34 12, row 2") << AnsiText("12 34 12") << AnsiText("\\d+") << 1 << 3 << 2;
    QTest::newRow("12 34 12, row 3") << AnsiText("12 34 12") << AnsiText("\\d+") << 2 << 6 << 2;
    QTest::newRow("after line breaks and Chinese")
        << gbk("中文\r\nab\r\n ab") << AnsiText("ab") << 1 << 7 << 2;
    QTest::newRow("case-folded match")
        << AnsiText("x ABC abc") << AnsiText("(?:abc)") << 0 << 2 << 3;
}

void NavigationTest::doubleClickSelectsThatMatch() {
    QFETCH(AnsiText, source);
    QFETCH(AnsiText, pattern);
    QFETCH(int, row);
    QFETCH(int, start);
    QFETCH(int, count);

    FakeDialogs dialogs;
    ShownWindow w;
    setTicked(w.c.caseCheck, !QByteArray(QTest::currentDataTag()).startsWith("case"));
    QVERIFY(runThroughButton(w, pattern, source));
    QCOMPARE(w.c.tabs->currentIndex(), 1);
    doubleClickRow(w.c.resultList, row);
    QCOMPARE(currentRow(w.c.resultList), row);
    QCOMPARE(w.c.tabs->currentIndex(), 0);
    QTRY_VERIFY(w.c.sourceBox->hasFocus());
    QCOMPARE(selectionOf(w.c.sourceBox), qMakePair(start, count));
    QCOMPARE(selectedText(w.c.sourceBox), w.c.table->cellText(row, 1));
}

void NavigationTest::editedSourceFallsBackToTheWalk() {
    FakeDialogs dialogs;
    ShownWindow w;
    QVERIFY(runThroughButton(w, "ab", "ab ab ab"));
    writeText(w.c.sourceBox, "xx ab"); // edited after the run: one ‹ab› is left, at 3
    setSelection(w.c.sourceBox, 0, 1);

    doubleClickRow(w.c.resultList, 1); // row 2: the walk yields 4, then -1: nothing
    QCOMPARE(w.c.tabs->currentIndex(), 0);
    QCOMPARE(selectionOf(w.c.sourceBox), qMakePair(0, 1));

    showPage(w.c.tabs, 1);
    doubleClickRow(w.c.resultList, 2); // row 3: 4, -1, 4 again
    QCOMPARE(selectionOf(w.c.sourceBox), qMakePair(3, 2));

    // Row 1 finds the one ‹ab› left as well: the run's positions no longer count.
    showPage(w.c.tabs, 1);
    doubleClickRow(w.c.resultList, 0);
    QCOMPARE(selectionOf(w.c.sourceBox), qMakePair(3, 2));
}

void NavigationTest::noRowPutsTheCaretAtTheStart() {
    FakeDialogs dialogs;
    ShownWindow w;
    QVERIFY(runThroughButton(w, "b", "abab"));
    setSelection(w.c.sourceBox, 2, 2);
    selectRow(w.c.resultList, -1);
    w.c.resultList->setFocus();
    QTest::keyClick(w.c.resultList, Qt::Key_Return);
    QCOMPARE(w.c.tabs->currentIndex(), 0);
    QCOMPARE(selectionOf(w.c.sourceBox), qMakePair(0, 0));

    // Enter on a row activates it like a double click.
    showPage(w.c.tabs, 1);
    selectRow(w.c.resultList, 1);
    w.c.resultList->setFocus();
    QTest::keyClick(w.c.resultList, Qt::Key_Enter);
    QCOMPARE(selectionOf(w.c.sourceBox), qMakePair(3, 1));
}

void NavigationTest::rightClickCopiesTheRowClicked() {
    FakeDialogs dialogs;
    ShownWindow w;
    QVERIFY(runThroughButton(w, "[a-z]+", gbk("one 二 two")));
    selectRow(w.c.resultList, 0);
    QTableView* view = w.c.resultList;
    const QPoint where = rowCentre(view, 1);
    QTest::mousePress(view->viewport(), Qt::RightButton, {}, where);
    QContextMenuEvent menu(QContextMenuEvent::Mouse, where, view->viewport()->mapToGlobal(where));
    QCoreApplication::sendEvent(view->viewport(), &menu);
    QTest::mouseRelease(view->viewport(), Qt::RightButton, {}, where);

    QCOMPARE(currentRow(view), 1);
    QCOMPARE(dialogs.clipboard, AnsiText("two"));
    QCOMPARE(dialogs.messages.size(), std::size_t(1));
    QCOMPARE(dialogs.messages[0].text, "two\r\n" + gbk("已复制到剪切版"));
    QCOMPARE(dialogs.messages[0].flags, 64);
    QVERIFY(dialogs.messages[0].blocking);
}

void NavigationTest::jumpToRowAnswers_data() {
    QTest::addColumn<std::optional<AnsiText>>("answer");
    QTest::addColumn<int>("selected");
    QTest::newRow("3 selects the third") << std::optional<AnsiText>("3") << 2;
    QTest::newRow("full-width 5") << std::optional<AnsiText>(gbk("５")) << 4;
    QTest::newRow("0 clears") << std::optional<AnsiText>("0") << -1;
    QTest::newRow("abc clears") << std::optional<AnsiText>("abc") << -1;
    QTest::newRow("past the last row: unchanged") << std::optional<AnsiText>("9") << 0;
    QTest::newRow("Cancel: unchanged") << std::optional<AnsiText>() << 0;
}

void NavigationTest::jumpToRowAnswers() {
    QFETCH(std::optional<AnsiText>, answer);
    QFETCH(int, selected);
    FakeDialogs dialogs;
    dialogs.inputAnswers.push_back(answer);
    ShownWindow w;
    QVERIFY(runThroughButton(w, "\\d", "12345"));
    selectRow(w.c.resultList, 0);
    w.c.resultList->setFocus();
    QTest::keyClick(w.c.resultList, Qt::Key_F, Qt::ControlModifier);
    QCOMPARE(dialogs.inputs.size(), std::size_t(1));
    QCOMPARE(currentRow(w.c.resultList), selected);
}

void NavigationTest::findInSource_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<AnsiText>("source");
    QTest::addColumn<AnsiText>("wanted");
    QTest::addColumn<int>("fromStart");
    QTest::addColumn<int>("fromCount");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("count");

    const QString prev = QStringLiteral("findPrevButton");
    const QString next = QStringLiteral("findNextButton");
    QTest::newRow("prev over two blanks")
        << prev << AnsiText("abc  abc") << AnsiText("abc") << 5 << 3 << 0 << 3;
    QTest::newRow("prev over one blank")
        << prev << AnsiText("abc abc") << AnsiText("abc") << 4 << 3 << 0 << 3;
    QTest::newRow("prev right before")
        << prev << AnsiText("abcabc") << AnsiText("abc") << 3 << 3 << 0 << 3;
    QTest::newRow("prev at 0 stays")
        << prev << AnsiText("abc") << AnsiText("abc") << 0 << 0 << 0 << 0;
    QTest::newRow("prev miss keeps selection")
        << prev << AnsiText("abc xyz") << AnsiText("q") << 4 << 3 << 4 << 3;
    QTest::newRow("prev case must match")
        << prev << AnsiText("ABC abc") << AnsiText("abc") << 4 << 3 << 4 << 3;
    QTest::newRow("prev after Chinese")
        << prev << gbk("中文abc xabc") << AnsiText("abc") << 7 << 3 << 2 << 3;
    QTest::newRow("prev across a line break")
        << prev << AnsiText("ab\r\ncd") << AnsiText("b\r\nc") << 4 << 0 << 1 << 3;
    QTest::newRow("next from caret 0")
        << next << AnsiText("abcabc") << AnsiText("abc") << 0 << 0 << 0 << 3;
    QTest::newRow("next passes the selected one")
        << next << AnsiText("abcabc") << AnsiText("abc") << 0 << 3 << 3 << 3;
    QTest::newRow("next no wrap-around")
        << next << AnsiText("abcabc") << AnsiText("abc") << 3 << 3 << 3 << 3;
    QTest::newRow("next overlapping")
        << next << AnsiText("aaa") << AnsiText("aa") << 0 << 2 << 1 << 2;
    QTest::newRow("next after a line break")
        << next << AnsiText("ab\r\ncd xcd") << AnsiText("cd") << 0 << 0 << 3 << 2;
    QTest::newRow("next second on the line")
        << next << AnsiText("ab\r\ncd xcd") << AnsiText("cd") << 3 << 2 << 7 << 2;
    QTest::newRow("next case must match")
        << next << AnsiText("ABC") << AnsiText("abc") << 0 << 0 << 0 << 0;
    QTest::newRow("next after Chinese") << next << gbk("中x") << AnsiText("x") << 0 << 0 << 1 << 1;
}

void NavigationTest::findInSource() {
    QFETCH(QString, button);
    QFETCH(AnsiText, source);
    QFETCH(AnsiText, wanted);
    QFETCH(int, fromStart);
    QFETCH(int, fromCount);
    QFETCH(int, start);
    QFETCH(int, count);

    FakeDialogs dialogs;
    ShownWindow w;
    writeText(w.c.sourceBox, source);
    writeText(w.c.searchBox, wanted);
    setSelection(w.c.sourceBox, fromStart, fromCount);
    showPage(w.c.tabs, 1);
    auto* control = w.c.mainWindow->findChild<QPushButton*>(button);
    QTest::mouseClick(control, Qt::LeftButton);

    QCOMPARE(w.c.tabs->currentIndex(), 0);
    QCOMPARE(selectionOf(w.c.sourceBox), qMakePair(start, count));
    const bool next = button == QLatin1String("findNextButton");
    // findNext moves the focus to sourceBox; findPrevious leaves it on the button.
    QTRY_COMPARE(w.c.sourceBox->hasFocus(), next);
    QCOMPARE(readText(w.c.sourceBox), source);
}

QTEST_MAIN(NavigationTest)
#include "navigation_test.moc"
