// The window under load: runaway patterns end with their message while the window keeps
// answering, a pattern of a thousand groups, a source text of 50 MB, and the pattern buttons
// with the clipboard unavailable.
#include "match/match_table.h"
#include "ui/control_ops.h"
#include "ui_fixture.h"
#include "workbench/commands.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <map>

using namespace vexlo;
using namespace vexlo::test;

namespace {

// Hang detectors, each well over what the run needs (about a second for a runaway).
constexpr int RUN_BUDGET_MS = 20000;
constexpr qint64 RUNAWAY_BUDGET_MS = 10000;
constexpr qint64 STALL_BUDGET_MS = 1000;

AnsiText runawayMessage(int rows) {
    return gbk("匹配超出回溯限制,已停止") + "\r\n" + gbk("已列出") + std::to_string(rows) +
           gbk("个匹配");
}

} // namespace

class WindowStressTest : public QObject {
    Q_OBJECT
  private slots:
    void runawayEndsWhileWindowAnswers_data();
    void runawayEndsWhileWindowAnswers();
    void thousandGroups();
    void fiftyMegabyteSource();
    void rowHeaderAfterLargeClear();
    void commandsWithoutClipboard_data();
    void commandsWithoutClipboard();
};

void WindowStressTest::runawayEndsWhileWindowAnswers_data() {
    QTest::addColumn<AnsiText>("pattern");
    QTest::addColumn<AnsiText>("source");
    QTest::addColumn<int>("end"); // a RunEnd

    const AnsiText xs(5000, 'x');
    QTest::newRow("(a+)+$ over 30 a and !")
        << AnsiText("(a+)+$") << std::string(30, 'a') + "!" << int(RunEnd::runaway);
    QTest::newRow("(x+x+)+y over 5000 x then zy")
        << AnsiText("(x+x+)+y") << xs + "zy" << int(RunEnd::runaway);
    // With no "y" anywhere the engine knows at once that nothing can match.
    QTest::newRow("(x+x+)+y over 5000 x") << AnsiText("(x+x+)+y") << xs << int(RunEnd::noMatch);
}

void WindowStressTest::runawayEndsWhileWindowAnswers() {
    QFETCH(AnsiText, pattern);
    QFETCH(AnsiText, source);
    QFETCH(int, end);
    FakeDialogs dialogs;
    ShownWindow w;
    QVERIFY(w.active);
    writeText(w.c.patternBox, pattern);
    writeText(w.c.sourceBox, source);
    w.c.searchBox->setFocus();

    // A timer on the window thread types into searchBox while the run is under way: the gaps
    // between its ticks show how long the window went without answering.
    QElapsedTimer sinceTick;
    qint64 longestGap = 0;
    int typedDuringRun = 0;
    QTimer ticker;
    ticker.setInterval(5);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        longestGap = std::max(longestGap, sinceTick.restart());
        if (w.window.matchCommand().running()) {
            QTest::keyClick(w.c.searchBox, Qt::Key_K);
            ++typedDuringRun;
        }
    });

    QElapsedTimer run;
    run.start();
    sinceTick.start();
    ticker.start();
    QTest::mouseClick(w.c.matchButton, Qt::LeftButton);
    QVERIFY(QTest::qWaitFor([&] { return !w.ends.empty(); }, RUN_BUDGET_MS));
    const qint64 runMs = run.elapsed();
    ticker.stop();
    qInfo("run ended after %lld ms; longest gap between ticks %lld ms", runMs, longestGap);

    QCOMPARE(w.ends, std::vector<RunEnd>{RunEnd(end)});
    QCOMPARE(w.c.table->rowCount(), 0);
    QCOMPARE(dialogs.messages.size(), std::size_t(1));
    QCOMPARE(dialogs.messages[0].text,
             RunEnd(end) == RunEnd::runaway ? runawayMessage(0) : gbk("无匹配的文本,请尝试检查"));
    QVERIFY(!dialogs.messages[0].blocking);
    QVERIFY(runMs < RUNAWAY_BUDGET_MS);
    QVERIFY(longestGap < STALL_BUDGET_MS);
    if (RunEnd(end) == RunEnd::runaway) {
        QVERIFY(typedDuringRun > 0); // the search takes long enough for the timer to see it
    }
    QCOMPARE(readText(w.c.searchBox), AnsiText(std::size_t(typedDuringRun), 'k'));
    QCOMPARE(readText(w.c.patternBox), pattern); // the pattern is still there to be mended
}

void WindowStressTest::thousandGroups() {
    FakeDialogs dialogs;
    ShownWindow w;
    AnsiText pattern, source;
    for (int group = 0; group < 1000; ++group) {
        pattern += "(" + std::to_string(group % 10) + ")";
        source += std::to_string(group % 10);
    }
    QVERIFY(runThroughButton(w, pattern, "<" + source + ">", RUN_BUDGET_MS));
    QCOMPARE(w.ends.back(), RunEnd::listed);
    const MatchTable* table = w.c.table;
    QCOMPARE(table->columnCount(), 1002);
    QCOMPARE(table->rowCount(), 1);
    QCOMPARE(table->headerData(1001, Qt::Horizontal, Qt::DisplayRole).toString(),
             QString::fromUtf8("子匹配文本1000"));
    QCOMPARE(table->cellText(0, 1), source);
    for (int column : {2, 3, 501, 1001}) {
        QCOMPARE(table->cellText(0, column), std::to_string((column - 2) % 10));
    }
    // The view takes the thousand columns too: scrolled to the last one and painted.
    w.c.resultList->scrollTo(table->index(0, 1001));
    QVERIFY(!w.c.resultList->grab().isNull());
    QVERIFY(w.c.resultList->horizontalHeader()->sectionViewportPosition(1001) >= 0);
    QCOMPARE(w.c.resultList->horizontalHeader()->sectionSize(1001), 100);
    QVERIFY(dialogs.messages.empty());

    // The next run cuts the columns back to its own one group.
    QVERIFY(runThroughButton(w, "(9)", source));
    QCOMPARE(table->columnCount(), 3);
    QCOMPARE(table->rowCount(), 100);
}

void WindowStressTest::fiftyMegabyteSource() {
    FakeDialogs dialogs;
    ShownWindow w;
    // Long lines (as minified code has) of ASCII and two-byte characters, CR LF between them,
    // with a marked number at the start of the first, the middle and the last line.
    const char* pieceUtf8 = "2024-06-01 12:00:00 价格 99 元 GET /index.html?q=abc 错误 ok;";
    const int piecesPerLine = 16;
    AnsiText line;
    for (int i = 0; i < piecesPerLine; ++i) {
        line += gbk(pieceUtf8);
    }
    const std::size_t lines = 50'000'000 / (line.size() + 2) + 1;
    AnsiText source;
    source.reserve(50'000'000 + line.size() + 100);
    for (std::size_t i = 0; i < lines; ++i) {
        if (i == 0 || i == lines / 2 || i == lines - 1) {
            source += "#mark" + std::to_string(i) + "#";
        }
        source += line;
        source += "\r\n";
    }
    QVERIFY(source.size() >= 50'000'000);
    QVERIFY(runThroughButton(w, "#mark(\\d+)#", source));
    QCOMPARE(w.ends.back(), RunEnd::listed);
    const MatchTable* table = w.c.table;
    QCOMPARE(table->rowCount(), 3);
    QCOMPARE(table->cellText(2, 2), std::to_string(lines - 1));
    // Where the last match lies in the editor: every line before it counts its characters
    // (each two-byte character one) and its line break one.
    const qsizetype lineChars = QString::fromUtf8(pieceUtf8).size() * piecesPerLine + 1;
    const auto markChars = [](std::size_t n) { return qsizetype(std::to_string(n).size() + 6); };
    const std::optional<SourceSpan> span = table->sourceSpan(2);
    QVERIFY(span.has_value());
    QCOMPARE(qsizetype(span->start),
             qsizetype(lines - 1) * lineChars + markChars(0) + markChars(lines / 2));
    QCOMPARE(qsizetype(span->length), markChars(lines - 1));
    QVERIFY(dialogs.messages.empty());
}

// A large table cleared by the next run gets the view a fresh row header (the old one held
// storage for every row); the view must look and behave as before.
void WindowStressTest::rowHeaderAfterLargeClear() {
    FakeDialogs dialogs;
    ShownWindow w;
    std::string source;
    for (int line = 0; line < 12000; ++line) {
        source += "7777777777\r\n";
    }
    QVERIFY(runThroughButton(w, "\\d", source));
    QCOMPARE(w.c.table->rowCount(), 120000);
    QVERIFY(runThroughButton(w, "(7{10})", source));
    QCOMPARE(w.c.table->rowCount(), 12000);
    const QHeaderView* rows = w.c.resultList->verticalHeader();
    QVERIFY(rows != nullptr);
    QVERIFY(rows->isHidden());
    QCOMPARE(rows->defaultSectionSize(), 18);
    QCOMPARE(rows->sectionResizeMode(0), QHeaderView::Fixed);
    QCOMPARE(rows->count(), 12000);
    QCOMPARE(w.c.resultList->rowHeight(11999), 18);
    w.c.resultList->scrollToBottom();
    QCOMPARE(w.c.resultList->rowAt(w.c.resultList->viewport()->height() - 1) >= 0, true);
    QVERIFY(!w.c.resultList->grab().isNull());
}

void WindowStressTest::commandsWithoutClipboard_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("confirms"); // asks first and copies the old pattern

    QTest::newRow("escape") << "escapeButton" << true;
    QTest::newRow("generalise") << "tidyButton" << true;
    QTest::newRow("line breaks") << "newlineButton" << false;
    QTest::newRow("blanks") << "blankButton" << false;
    QTest::newRow("quotes") << "quoteButton" << false;
    QTest::newRow("collapse") << "collapseButton" << false;
    QTest::newRow("optimise") << "optimiseButton" << false;
    QTest::newRow("fold") << "dedupeButton" << false;
}

void WindowStressTest::commandsWithoutClipboard() {
    QFETCH(QString, button);
    QFETCH(bool, confirms);
    FakeDialogs dialogs;
    dialogs.inputAnswers.push_back(AnsiText("1"));
    // The clipboard is held elsewhere: every copy fails.
    UiHooks noClipboard = uiHooks();
    std::vector<AnsiText> copiesTried;
    noClipboard.setClipboardText = [&](const AnsiText& text) {
        copiesTried.push_back(text);
        return false;
    };
    ScopedUiHooks scope(noClipboard);
    ShownWindow w;

    // Two-byte characters whose trail bytes read as "\", "[", "a" and "{", and runs for the
    // collapse and the fold to work on.
    const AnsiText pattern =
        gbk("价格") + "\x81\x5C\x81\x5B\x81\x61\x81\x7B" + " a.b\\s\\s\"(x)\"\r\n111" + gbk("元");
    const std::map<QString, std::function<AnsiText(const AnsiText&)>> expected{
        {"escapeButton", [](const AnsiText& p) { return escapeMetachars(p); }},
        {"tidyButton", [](const AnsiText& p) { return generaliseChars(p); }},
        {"newlineButton", [](const AnsiText& p) { return replaceLineBreaks(p); }},
        {"blankButton", [](const AnsiText& p) { return replaceBlanks(p); }},
        {"quoteButton", [](const AnsiText& p) { return replaceQuotes(p); }},
        {"collapseButton", [](const AnsiText& p) { return collapseEscapes(p, "s"); }},
        {"optimiseButton", [](const AnsiText& p) { return smartOptimise(p, "s"); }},
        {"dedupeButton", [](const AnsiText& p) { return foldRepeats(p, "1"); }},
    };
    writeText(w.c.patternBox, pattern);
    QCOMPARE(readText(w.c.patternBox), pattern); // the editor keeps every byte of it
    auto* target = w.c.mainWindow->findChild<QPushButton*>(button);
    QVERIFY(target != nullptr);
    QTest::mouseClick(target, Qt::LeftButton);

    const AnsiText after = readText(w.c.patternBox);
    QCOMPARE(after, expected.at(button)(pattern));
    QVERIFY(after != pattern);
    // Nothing is reported: the only box is the confirmation the command always asks.
    QCOMPARE(dialogs.messages.size(), std::size_t(confirms ? 1 : 0));
    if (confirms) {
        QCOMPARE(dialogs.messages[0].flags, MB_QUESTION_OKCANCEL);
        QCOMPARE(copiesTried, std::vector<AnsiText>{pattern});
    } else {
        QVERIFY(copiesTried.empty());
    }
    QCOMPARE(dialogs.clipboardWrites, 0);
}

QTEST_MAIN(WindowStressTest)
#include "window_stress_test.moc"
