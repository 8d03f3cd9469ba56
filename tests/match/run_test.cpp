// The match run end to end on a QCoreApplication: columns and rows, failures, the options,
// runs that supersede runs, destruction mid-run and the engine's limit.
#include "match/match_table.h"
#include "match/run.h"

#include <QTest>

#include <gtest/gtest.h>

#include <optional>

namespace vexlo {
namespace {

constexpr int WAIT_MS = 20'000;

RunInputs inputsOf(const QString& pattern, const QString& subject, bool caseSensitive = false,
                   bool restoreQuotes = false) {
    return RunInputs{pattern, subject, caseSensitive, restoreQuotes};
}

/// What a run reported, as seen on the window thread.
struct Outcome {
    int firstRows = 0;
    int rowsWhenFirstRows = -1;
    int columnsWhenFirstRows = -1;
    std::optional<RunEnd> end;
    int rows = -1;
};

class MatchRunTest : public ::testing::Test {
  protected:
    /// Starts a run whose callbacks record into outcome.
    void start(const RunInputs& inputs, Outcome& outcome) {
        run.start(inputs, RunCallbacks{[&] {
                                           ++outcome.firstRows;
                                           outcome.rowsWhenFirstRows = table.rowCount();
                                           outcome.columnsWhenFirstRows = table.columnCount();
                                       },
                                       [&](RunEnd end, int rows) {
                                           EXPECT_FALSE(outcome.end) << "ended twice";
                                           outcome.end = end;
                                           outcome.rows = rows;
                                       }});
    }

    /// Runs inputs to the end; fails the test when the end does not come.
    Outcome runToEnd(const RunInputs& inputs) {
        Outcome outcome;
        start(inputs, outcome);
        EXPECT_TRUE(QTest::qWaitFor([&] { return outcome.end.has_value(); }, WAIT_MS));
        EXPECT_FALSE(run.running());
        return outcome;
    }

    QString header(int column) const {
        return table.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
    }

    std::vector<AnsiText> row(int r) const {
        std::vector<AnsiText> cells;
        for (int c = 0; c < table.columnCount(); ++c)
            cells.push_back(table.cellText(r, c));
        return cells;
    }

    MatchTable table;
    MatchRun run{table};
};

using Row = std::vector<AnsiText>;

TEST_F(MatchRunTest, GroupsBecomeColumnsAndRows) {
    const Outcome outcome =
        runToEnd(inputsOf(QStringLiteral("(\\d)(\\d)"), QStringLiteral("a12b34")));
    EXPECT_EQ(outcome.end, RunEnd::listed);
    EXPECT_EQ(outcome.rows, 2);
    EXPECT_EQ(outcome.firstRows, 1);
    EXPECT_EQ(outcome.rowsWhenFirstRows, 0);
    EXPECT_EQ(outcome.columnsWhenFirstRows, 2);
    ASSERT_EQ(table.columnCount(), 4);
    EXPECT_EQ(header(2), u"子匹配文本1");
    EXPECT_EQ(header(3), u"子匹配文本2");
    EXPECT_EQ(row(0), (Row{"1", "12", "1", "2"}));
    EXPECT_EQ(row(1), (Row{"2", "34", "3", "4"}));
}

TEST_F(MatchRunTest, ColumnsAreCutBackBeforeTheNextRun) {
    runToEnd(inputsOf(QStringLiteral("(a)(b)(c)(d)(e)"), QStringLiteral("abcde")));
    ASSERT_EQ(table.columnCount(), 7);
    const Outcome outcome = runToEnd(inputsOf(QStringLiteral("(b)"), QStringLiteral("abcde")));
    EXPECT_EQ(outcome.end, RunEnd::listed);
    ASSERT_EQ(table.columnCount(), 3);
    EXPECT_EQ(header(2), u"子匹配文本1");
    EXPECT_EQ(row(0), (Row{"1", "b", "b"}));
}

TEST_F(MatchRunTest, RejectedPatternAndNoMatchLeaveAnEmptyTable) {
    struct Case {
        const char* pattern;
        RunEnd end;
    };
    for (const Case& c : {Case{"(ab", RunEnd::rejected}, Case{"[z-a]", RunEnd::rejected},
                          Case{"q", RunEnd::noMatch}}) {
        runToEnd(inputsOf(QStringLiteral("(a)(b)"), QStringLiteral("ab")));
        ASSERT_EQ(table.rowCount(), 1);
        const Outcome outcome =
            runToEnd(inputsOf(QString::fromUtf8(c.pattern), QStringLiteral("ab")));
        EXPECT_EQ(outcome.end, c.end) << c.pattern;
        EXPECT_EQ(outcome.rows, 0) << c.pattern;
        EXPECT_EQ(outcome.firstRows, 0) << c.pattern;
        EXPECT_EQ(table.rowCount(), 0) << c.pattern;
        EXPECT_EQ(table.columnCount(), 2) << c.pattern;
    }
}

TEST_F(MatchRunTest, GroupThatTookNoPartIsAnEmptyCell) {
    const Outcome outcome = runToEnd(inputsOf(QStringLiteral("(x)?y"), QStringLiteral("y")));
    EXPECT_EQ(outcome.end, RunEnd::listed);
    ASSERT_EQ(table.columnCount(), 3);
    EXPECT_EQ(row(0), (Row{"1", "y", ""}));
    EXPECT_EQ(table.data(table.index(0, 2), Qt::DisplayRole).toString(), u"");
}

TEST_F(MatchRunTest, CaseAndQuoteOptions) {
    struct Case {
        QString pattern;
        QString subject;
        bool caseSensitive;
        bool restoreQuotes;
        std::vector<AnsiText> matches;
    };
    const QString quoted = QStringLiteral("say \"hi\" #引号");
    const Case cases[] = {
        {QStringLiteral("abc"), QStringLiteral("ABC abc"), false, false, {"ABC", "abc"}},
        {QStringLiteral("abc"), QStringLiteral("ABC abc"), true, false, {"abc"}},
        {QStringLiteral("#引号"), quoted, false, true, {"\"", "\""}},
        {QStringLiteral("#引号"), quoted, false, false, {"#\xD2\xFD\xBA\xC5"}},
    };
    for (const Case& c : cases) {
        const Outcome outcome =
            runToEnd(inputsOf(c.pattern, c.subject, c.caseSensitive, c.restoreQuotes));
        ASSERT_EQ(outcome.rows, int(c.matches.size())) << c.pattern.toStdString();
        for (int r = 0; r < outcome.rows; ++r)
            EXPECT_EQ(table.cellText(r, 1), c.matches[std::size_t(r)]) << c.pattern.toStdString();
    }
}

TEST_F(MatchRunTest, CaretMatchesAtEveryLine) {
    for (const QString& subject :
         {QStringLiteral("a1\na2\na3"), QStringLiteral("a1\r\na2\r\na3")}) {
        const Outcome outcome = runToEnd(inputsOf(QStringLiteral("^a"), subject));
        EXPECT_EQ(outcome.rows, 3);
    }
    // The engine sees each break as CR LF, so a break matches \r\n and is listed as such.
    runToEnd(inputsOf(QStringLiteral("1\\r\\na"), QStringLiteral("a1\na2")));
    EXPECT_EQ(table.cellText(0, 1), "1\r\na");
}

TEST_F(MatchRunTest, SourceSpanIsInEditorUnits) {
    // Chinese, an emoji (two units, "??" to the engine) and line breaks before the match.
    const QString subject = QString::fromUtf8("中文\n\xF0\x9F\x98\x80x\nab target");
    runToEnd(inputsOf(QStringLiteral("target|\\?"), subject));
    ASSERT_EQ(table.rowCount(), 3);
    EXPECT_EQ(table.cellText(0, 1), "?");
    const auto target = table.sourceSpan(2);
    ASSERT_TRUE(target);
    EXPECT_EQ(target->start, subject.indexOf(QStringLiteral("target")));
    EXPECT_EQ(target->length, 6);
    EXPECT_EQ(table.sourceSpan(1)->start, 4);
}

TEST_F(MatchRunTest, NewRunWhileOneIsFillingKeepsOnlyTheNewRows) {
    Outcome first;
    start(inputsOf(QStringLiteral("\\d"), QString(3'000'000, u'7')), first);
    ASSERT_TRUE(QTest::qWaitFor([&] { return table.rowCount() > 0; }, WAIT_MS));
    ASSERT_FALSE(first.end) << "the first run should still be filling";
    const Outcome second = runToEnd(inputsOf(QStringLiteral("(b)"), QStringLiteral("ab b")));
    EXPECT_EQ(second.end, RunEnd::listed);
    EXPECT_EQ(second.rows, 2);
    // Whatever the first worker still posted is dropped.
    QCoreApplication::processEvents();
    EXPECT_EQ(table.rowCount(), 2);
    EXPECT_EQ(table.columnCount(), 3);
    EXPECT_EQ(row(1), (Row{"2", "b", "b"}));
    EXPECT_FALSE(first.end);
}

TEST_F(MatchRunTest, QuickRestartsEndWithTheLastRunOnly) {
    int latest = -1;
    int lateEnds = 0;
    std::optional<int> lastRows;
    for (int i = 0; i < 200; ++i) {
        latest = i;
        // Run i lists i % 9 + 1 digits, each with one group.
        run.start(
            inputsOf(QStringLiteral("(\\d)"), QString(i % 9 + 1, u'5') + QString(20'000, u'x')),
            RunCallbacks{{}, [&, i](RunEnd, int rows) {
                             if (i != latest)
                                 ++lateEnds;
                             if (i == 199)
                                 lastRows = rows;
                         }});
        // Now and then let earlier runs deliver, so that stale batches are in the queue.
        if (i % 10 == 0)
            QCoreApplication::processEvents();
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return lastRows.has_value(); }, WAIT_MS));
    EXPECT_EQ(*lastRows, 199 % 9 + 1);
    EXPECT_EQ(table.rowCount(), 199 % 9 + 1);
    EXPECT_EQ(table.columnCount(), 3);
    QCoreApplication::processEvents();
    EXPECT_EQ(table.rowCount(), 199 % 9 + 1);
    EXPECT_EQ(lateEnds, 0);
}

TEST_F(MatchRunTest, CancelDropsTheRest) {
    Outcome outcome;
    start(inputsOf(QStringLiteral("\\d"), QString(2'000'000, u'7')), outcome);
    EXPECT_TRUE(run.running());
    ASSERT_TRUE(QTest::qWaitFor([&] { return table.rowCount() > 0; }, WAIT_MS));
    run.cancel();
    EXPECT_FALSE(run.running());
    const int rows = table.rowCount();
    QCoreApplication::processEvents();
    EXPECT_EQ(table.rowCount(), rows);
    EXPECT_FALSE(outcome.end);
}

TEST(MatchRunLifetime, DestroyingMidRunStopsItsWorker) {
    MatchTable table;
    bool ended = false;
    {
        MatchRun run(table);
        run.start(inputsOf(QStringLiteral("\\d"), QString(4'000'000, u'7')),
                  RunCallbacks{{}, [&](RunEnd, int) { ended = true; }});
        ASSERT_TRUE(QTest::qWaitFor([&] { return table.rowCount() > 0; }, WAIT_MS));
    }
    // The worker is joined; what it had posted is dropped, never appended to the table.
    const int rows = table.rowCount();
    QCoreApplication::processEvents();
    EXPECT_EQ(table.rowCount(), rows);
    EXPECT_LT(rows, 4'000'000);
    EXPECT_FALSE(ended);
}

TEST_F(MatchRunTest, RunawayPatternKeepsTheRowsFoundSoFar) {
    const QString subject = QStringLiteral("bbb") + QString(30, u'a') + QStringLiteral("!");
    Outcome outcome = runToEnd(inputsOf(QStringLiteral("(a+)+$"), subject));
    EXPECT_EQ(outcome.end, RunEnd::runaway);
    EXPECT_EQ(outcome.rows, 0);
    outcome = runToEnd(inputsOf(QStringLiteral("b|(a+)+$"), subject));
    EXPECT_EQ(outcome.end, RunEnd::runaway);
    EXPECT_EQ(outcome.rows, 3);
    EXPECT_EQ(table.rowCount(), 3);
}

TEST_F(MatchRunTest, ARunStartedFromTheEndCallbackRuns) {
    Outcome second;
    run.start(inputsOf(QStringLiteral("a"), QStringLiteral("a")),
              RunCallbacks{{}, [&](RunEnd, int) {
                               start(inputsOf(QStringLiteral("b"), QStringLiteral("bb")), second);
                           }});
    ASSERT_TRUE(QTest::qWaitFor([&] { return second.end.has_value(); }, WAIT_MS));
    EXPECT_EQ(second.rows, 2);
}

// A run over the text of the run before takes that run's converted subject; an edited text, one
// changed in place in a buffer the previous run saw, or an equal text in other storage must
// each give the rows of the text as it is now.
TEST_F(MatchRunTest, RunsOverTheSameOrAnEditedTextListTheTextAsItIsNow) {
    QString text = QStringLiteral("a1\nb2");
    runToEnd(inputsOf(QStringLiteral("\\w\\d"), text));
    ASSERT_EQ(table.rowCount(), 2);

    runToEnd(inputsOf(QStringLiteral("\\w\\d"), text)); // same storage
    ASSERT_EQ(table.rowCount(), 2);
    EXPECT_EQ(table.cellText(1, 1), "b2");
    EXPECT_EQ(table.sourceSpan(1)->start, 3);

    text[4] = QChar(u'7'); // changed in place: the run's copy is kept apart
    runToEnd(inputsOf(QStringLiteral("\\w\\d"), text));
    ASSERT_EQ(table.rowCount(), 2);
    EXPECT_EQ(table.cellText(1, 1), "b7");

    text.append(QStringLiteral("\nc3"));
    runToEnd(inputsOf(QStringLiteral("\\w\\d"), text));
    ASSERT_EQ(table.rowCount(), 3);
    EXPECT_EQ(table.cellText(2, 1), "c3");
    EXPECT_EQ(table.sourceSpan(2)->start, 6);

    const QString equalElsewhere = QString(text.constData(), text.size());
    runToEnd(inputsOf(QStringLiteral("\\w\\d"), equalElsewhere));
    EXPECT_EQ(table.rowCount(), 3);

    runToEnd(inputsOf(QStringLiteral("\\w\\d"), QStringLiteral("x9")));
    ASSERT_EQ(table.rowCount(), 1);
    EXPECT_EQ(table.cellText(0, 1), "x9");
}

} // namespace
} // namespace vexlo
