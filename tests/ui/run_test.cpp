// The match run through the window: matchButton and the table, the page switches, the three
// end messages (through the dialog seam), a run superseded by another, and closing mid-run.
#include "match/match_table.h"
#include "text/primitives.h"
#include "ui/control_ops.h"
#include "ui_fixture.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QtTest>

using namespace vexlo;
using namespace vexlo::test;

namespace {

constexpr int WAIT_MS = 20000;

QStringList headers(const MatchTable* table) {
    QStringList titles;
    for (int column = 0; column < table->columnCount(); ++column) {
        titles << table->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
    }
    return titles;
}

} // namespace

class RunTest : public QObject {
    Q_OBJECT
  private slots:
    void listsMatchesWithGroupColumns();
    void optionsAndMultiline_data();
    void optionsAndMultiline();
    void rejectedPatternKeepsPage();
    void noMatchShowsSourcePageOnceClosed();
    void runawayKeepsRowsAndSaysSo();
    void secondRunReplacesTheFirst();
    void closingMidRunStopsIt();
};

void RunTest::listsMatchesWithGroupColumns() {
    FakeDialogs dialogs;
    ShownWindow w;
    QVERIFY(runThroughButton(w, "(\\d)(\\d)", "a12b34"));
    const MatchTable* table = w.c.table;
    QCOMPARE(w.ends.back(), RunEnd::listed);
    QCOMPARE(headers(table),
             (QStringList{QString::fromUtf8("序号"), QString::fromUtf8("匹配文本 "),
                          QString::fromUtf8("子匹配文本1"), QString::fromUtf8("子匹配文本2")}));
    QCOMPARE(table->rowCount(), 2);
    const std::vector<std::vector<AnsiText>> rows{{"1", "12", "1", "2"}, {"2", "34", "3", "4"}};
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < 4; ++column) {
            QCOMPARE(table->cellText(row, column), rows[row][column]);
        }
    }
    QCOMPARE(w.c.resultList->horizontalHeader()->sectionSize(2), 100);
    QCOMPARE(w.c.tabs->currentIndex(), 1);
    QVERIFY(w.c.resultList->isVisible());
    QVERIFY(dialogs.messages.empty());

    // Five group columns from before are cut back before the one of the new pattern is added.
    QVERIFY(runThroughButton(w, "(a)(b)(c)(d)(e)", "abcde"));
    QCOMPARE(table->columnCount(), 7);
    QVERIFY(runThroughButton(w, "(x)?y", "y"));
    QCOMPARE(table->columnCount(), 3);
    QCOMPARE(table->rowCount(), 1);
    QCOMPARE(table->cellText(0, 1), AnsiText("y"));
    QCOMPARE(table->cellText(0, 2), AnsiText());
}

void RunTest::optionsAndMultiline_data() {
    QTest::addColumn<bool>("caseTicked");
    QTest::addColumn<bool>("quoteTicked");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("source");
    QTest::addColumn<int>("rows");

    QTest::newRow("case ticked: abc misses ABC") << true << true << "abc"
                                                 << "ABC" << 0;
    QTest::newRow("case cleared: abc lists ABC") << false << true << "abc"
                                                 << "ABC" << 1;
    QTest::newRow("quote ticked: token is a quote")
        << true << true << QString::fromUtf8("#引号") << QString::fromUtf8("\"x\" #引号") << 2;
    QTest::newRow("quote cleared: token is itself")
        << true << false << QString::fromUtf8("#引号") << QString::fromUtf8("\"x\" #引号") << 1;
    QTest::newRow("^ at every line") << true << true << "^a"
                                     << "ab\nac\nad" << 3;
}

void RunTest::optionsAndMultiline() {
    QFETCH(bool, caseTicked);
    QFETCH(bool, quoteTicked);
    QFETCH(QString, pattern);
    QFETCH(QString, source);
    QFETCH(int, rows);

    FakeDialogs dialogs;
    ShownWindow w;
    setTicked(w.c.caseCheck, caseTicked);
    setTicked(w.c.quoteCheck, quoteTicked);
    QVERIFY(runThroughButton(w, toAnsi(pattern), toAnsi(source)));
    QCOMPARE(w.c.table->rowCount(), rows);
    QCOMPARE(w.ends.back(), rows == 0 ? RunEnd::noMatch : RunEnd::listed);
}

void RunTest::rejectedPatternKeepsPage() {
    FakeDialogs dialogs;
    ShownWindow w;
    QVERIFY(runThroughButton(w, "(a)(b)", "ab"));
    showPage(w.c.tabs, 2);
    QVERIFY(runThroughButton(w, "(", "ab"));
    QCOMPARE(w.ends.back(), RunEnd::rejected);
    QCOMPARE(dialogs.messages.size(), std::size_t(1));
    QCOMPARE(dialogs.messages[0].text, gbk("正则创建失败!"));
    QCOMPARE(dialogs.messages[0].flags, 16);
    QVERIFY(!dialogs.messages[0].blocking);
    QCOMPARE(w.c.table->rowCount(), 0);
    QCOMPARE(w.c.table->columnCount(), 2);
    dialogs.closeMessages();
    QCOMPARE(w.c.tabs->currentIndex(), 2);
}

void RunTest::noMatchShowsSourcePageOnceClosed() {
    FakeDialogs dialogs;
    ShownWindow w;
    QVERIFY(runThroughButton(w, "\\d", "12"));
    QCOMPARE(w.c.tabs->currentIndex(), 1);
    QVERIFY(runThroughButton(w, "z", "12"));
    QCOMPARE(w.ends.back(), RunEnd::noMatch);
    QCOMPARE(dialogs.messages.size(), std::size_t(1));
    QCOMPARE(dialogs.messages[0].text, gbk("无匹配的文本,请尝试检查"));
    QCOMPARE(dialogs.messages[0].flags, 16);
    QVERIFY(!dialogs.messages[0].blocking);
    QCOMPARE(w.c.table->rowCount(), 0);
    QCOMPARE(w.c.tabs->currentIndex(), 1); // while the box is open
    dialogs.closeMessages();
    QCOMPARE(w.c.tabs->currentIndex(), 0);

    // A box closed after a newer run has listed its rows leaves that run's page alone.
    QVERIFY(runThroughButton(w, "z", "12"));
    QVERIFY(runThroughButton(w, "\\d", "12"));
    QCOMPARE(w.c.tabs->currentIndex(), 1);
    dialogs.closeMessages();
    QCOMPARE(w.c.tabs->currentIndex(), 1);
}

void RunTest::runawayKeepsRowsAndSaysSo() {
    FakeDialogs dialogs;
    ShownWindow w;
    const AnsiText subject = "bbb" + std::string(30, 'a') + "!";
    QVERIFY(runThroughButton(w, "b|(a+)+$", subject));
    QCOMPARE(w.ends.back(), RunEnd::runaway);
    QCOMPARE(w.c.table->rowCount(), 3);
    QCOMPARE(dialogs.messages.size(), std::size_t(1));
    QCOMPARE(dialogs.messages[0].text,
             gbk("匹配超出回溯限制,已停止") + "\r\n" + gbk("已列出") + "3" + gbk("个匹配"));
    QCOMPARE(dialogs.messages[0].flags, 16);
    QVERIFY(!dialogs.messages[0].blocking);
}

void RunTest::secondRunReplacesTheFirst() {
    FakeDialogs dialogs;
    ShownWindow w;
    std::string source;
    for (int i = 0; i < 300000; ++i) {
        source += "ab ";
    }
    writeText(w.c.sourceBox, source);
    writeText(w.c.patternBox, "a");
    QTest::mouseClick(w.c.matchButton, Qt::LeftButton);
    writeText(w.c.patternBox, "(b)");
    QTest::mouseClick(w.c.matchButton, Qt::LeftButton);
    QVERIFY(QTest::qWaitFor([&] { return !w.ends.empty(); }, WAIT_MS));
    QCOMPARE(w.ends.size(), std::size_t(1)); // the first run never reports
    const MatchTable* table = w.c.table;
    QCOMPARE(table->rowCount(), 300000);
    QCOMPARE(table->columnCount(), 3);
    for (int row : {0, 1, 150000, 299999}) {
        QCOMPARE(table->cellText(row, 0), toText(row + 1));
        QCOMPARE(table->cellText(row, 1), AnsiText("b"));
    }
}

void RunTest::closingMidRunStopsIt() {
    FakeDialogs dialogs;
    auto w = std::make_unique<ShownWindow>();
    std::string source;
    for (int i = 0; i < 200000; ++i) {
        source += "7777777777\r\n";
    }
    writeText(w->c.sourceBox, source);
    writeText(w->c.patternBox, "\\d");
    QTest::mouseClick(w->c.matchButton, Qt::LeftButton);
    QVERIFY(QTest::qWaitFor([&] { return w->c.table->rowCount() > 0; }, WAIT_MS));
    QVERIFY(w->c.mainWindow->close());
    QVERIFY(!w->window.matchCommand().running());
    const int rows = w->c.table->rowCount();
    QCoreApplication::processEvents();
    QCOMPARE(w->c.table->rowCount(), rows); // nothing more arrives after the close
    QVERIFY(w->ends.empty());
    w.reset(); // and the window goes without waiting for the whole run
    QVERIFY(dialogs.messages.empty());
}

QTEST_MAIN(RunTest)
#include "run_test.moc"
