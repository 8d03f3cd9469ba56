// MatchTable over offsets: columns, cells in both forms, batches across chunk boundaries,
// editor spans, and the model contract under QAbstractItemModelTester.
#include "match/match_table.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace vexlo {
namespace {

auto subjectOf(std::u16string text) {
    return std::make_shared<const std::u16string>(std::move(text));
}

MatchBatch batchOf(int groups, std::vector<std::int32_t> offsets) {
    MatchBatch batch;
    batch.groups = groups;
    batch.offsets = std::move(offsets);
    return batch;
}

QString display(const MatchTable& table, int row, int column) {
    return table.data(table.index(row, column), Qt::DisplayRole).toString();
}

TEST(MatchTable, StartsWithTheTwoFixedColumns) {
    MatchTable table;
    ASSERT_EQ(table.columnCount(), 2);
    EXPECT_EQ(table.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), u"序号");
    EXPECT_EQ(table.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), u"匹配文本 ");
    EXPECT_EQ(table.columnWidth(0), 50);
    EXPECT_EQ(table.columnWidth(1), 200);
    EXPECT_EQ(table.headerData(1, Qt::Horizontal, Qt::TextAlignmentRole).toInt(),
              int(Qt::AlignLeft | Qt::AlignVCenter));
    EXPECT_EQ(table.rowCount(), 0);
    EXPECT_EQ(table.cellText(0, 0), "");
}

TEST(MatchTable, ColumnsAppendAndDelete) {
    MatchTable table;
    EXPECT_EQ(table.appendColumn(QStringLiteral("x"), 70), 2);
    EXPECT_EQ(table.columnWidth(2), 70);
    table.deleteColumn(5);
    table.deleteColumn(-1);
    EXPECT_EQ(table.columnCount(), 3);
    table.deleteColumn(2);
    EXPECT_EQ(table.columnCount(), 2);
    EXPECT_EQ(table.columnWidth(2), 0);
}

TEST(MatchTable, BatchAddsGroupColumnsAndCellsInOneInsertion) {
    MatchTable table;
    QSignalSpy inserted(&table, &QAbstractItemModel::rowsInserted);
    table.setSubject(subjectOf(u"a12中文y"));
    // (\d)(x)? over the subject: "1" with group 1 "1" and group 2 unset, and "中文" as a
    // made-up second match to check the code page form of the cells.
    table.appendBatch(batchOf(2, {1, 2, 1, 2, -1, -1, 3, 5, 3, 5, 4, 5}));
    ASSERT_EQ(inserted.count(), 1);
    ASSERT_EQ(table.rowCount(), 2);
    ASSERT_EQ(table.columnCount(), 4);
    EXPECT_EQ(table.headerData(2, Qt::Horizontal, Qt::DisplayRole).toString(), u"子匹配文本1");
    EXPECT_EQ(table.headerData(3, Qt::Horizontal, Qt::DisplayRole).toString(), u"子匹配文本2");
    EXPECT_EQ(table.columnWidth(3), 100);

    EXPECT_EQ(display(table, 0, 0), u"1");
    EXPECT_EQ(display(table, 1, 0), u"2");
    EXPECT_EQ(display(table, 0, 1), u"1");
    EXPECT_EQ(display(table, 0, 3), u"");
    EXPECT_EQ(display(table, 1, 1), u"中文");
    EXPECT_EQ(display(table, 1, 3), u"文");
    EXPECT_EQ(table.cellText(1, 0), "2");
    EXPECT_EQ(table.cellText(1, 1), "\xD6\xD0\xCE\xC4");
    EXPECT_EQ(table.cellText(0, 3), "");
    EXPECT_EQ(table.cellText(2, 1), "");
    EXPECT_EQ(table.cellText(0, 4), "");
    EXPECT_EQ(table.data(table.index(1, 2), Qt::TextAlignmentRole).toInt(),
              int(Qt::AlignLeft | Qt::AlignVCenter));
}

TEST(MatchTable, ExistingColumnsAreKeptAndOnlyMissingOnesAdded) {
    MatchTable table;
    table.appendColumn(QStringLiteral("mine"), 80);
    table.setSubject(subjectOf(u"ab"));
    table.appendBatch(batchOf(2, {0, 2, 0, 1, 1, 2}));
    ASSERT_EQ(table.columnCount(), 4);
    EXPECT_EQ(table.headerData(2, Qt::Horizontal, Qt::DisplayRole).toString(), u"mine");
    EXPECT_EQ(table.headerData(3, Qt::Horizontal, Qt::DisplayRole).toString(), u"子匹配文本2");
    EXPECT_EQ(display(table, 0, 2), u"a");
}

// Regression: group columns were added, and cut back by the next run, one insertion or removal
// each; a view lays its header out again for each, so a pattern of a thousand groups held the
// window thread for about a second each way.
TEST(MatchTable, ThousandGroupColumnsComeAndGoInOneChangeEach) {
    MatchTable table;
    QSignalSpy inserted(&table, &QAbstractItemModel::columnsInserted);
    QSignalSpy removed(&table, &QAbstractItemModel::columnsRemoved);
    table.appendColumn(QStringLiteral("mine"), 80); // group 1's column is there already
    inserted.clear();
    table.setSubject(subjectOf(u"a"));
    std::vector<std::int32_t> offsets;
    for (int group = 0; group <= 1000; ++group) {
        offsets.insert(offsets.end(), {0, 1});
    }
    table.appendBatch(batchOf(1000, offsets));
    ASSERT_EQ(table.columnCount(), 1002);
    ASSERT_EQ(inserted.count(), 1);
    EXPECT_EQ(inserted[0][1].toInt(), 3);
    EXPECT_EQ(inserted[0][2].toInt(), 1001);
    EXPECT_EQ(table.headerData(2, Qt::Horizontal, Qt::DisplayRole).toString(), u"mine");
    EXPECT_EQ(table.headerData(1001, Qt::Horizontal, Qt::DisplayRole).toString(),
              u"子匹配文本1000");
    EXPECT_EQ(table.columnWidth(1001), 100);

    table.clearRows();
    table.keepColumns(2);
    ASSERT_EQ(table.columnCount(), 2);
    ASSERT_EQ(removed.count(), 1);
    EXPECT_EQ(removed[0][1].toInt(), 2);
    EXPECT_EQ(removed[0][2].toInt(), 1001);
    table.keepColumns(2); // nothing left to remove
    table.keepColumns(5);
    EXPECT_EQ(removed.count(), 1);
    EXPECT_EQ(table.columnCount(), 2);
}

TEST(MatchTable, RejectsBatchesThatDoNotFit) {
    MatchTable table;
    table.setSubject(subjectOf(u"abc"));
    table.appendBatch(batchOf(1, {0, 1, 0, 1}));
    table.appendBatch(batchOf(0, {1, 2}));    // other group count than the rows in the table
    table.appendBatch(batchOf(1, {1, 2, 1})); // not whole matches
    table.appendBatch(batchOf(-1, {}));
    EXPECT_EQ(table.rowCount(), 1);
    // Offsets outside the subject give empty cells rather than reading past it.
    table.appendBatch(batchOf(1, {2, 9, -5, 1}));
    EXPECT_EQ(table.cellText(1, 1), "");
    EXPECT_EQ(table.cellText(1, 2), "");
}

TEST(MatchTable, ManyBatchesAcrossChunksKeepEveryRow) {
    // One unit per match over a long subject, appended in uneven batches so that batches
    // straddle the table's storage chunks; group 1 is the same unit.
    const int rows = 100'000;
    std::u16string text;
    for (int i = 0; i < rows; ++i)
        text += char16_t(u'A' + i % 26);
    MatchTable table;
    table.setSubject(subjectOf(text));
    int row = 0;
    for (int size = 1; row < rows; size = size * 3 % 7919 + 1) {
        std::vector<std::int32_t> offsets;
        for (int i = 0; i < size && row < rows; ++i, ++row)
            offsets.insert(offsets.end(), {row, row + 1, row, row + 1});
        table.appendBatch(batchOf(1, std::move(offsets)));
    }
    ASSERT_EQ(table.rowCount(), rows);
    for (int r : {0, 1, 16383, 16384, 16385, 32767, 32768, 65535, 65536, 99999}) {
        const AnsiText letter(1, char('A' + r % 26));
        EXPECT_EQ(table.cellText(r, 0), std::to_string(r + 1)) << r;
        EXPECT_EQ(table.cellText(r, 1), letter) << r;
        EXPECT_EQ(table.cellText(r, 2), letter) << r;
    }
    table.clearRows();
    EXPECT_EQ(table.rowCount(), 0);
    EXPECT_EQ(table.columnCount(), 3);
    EXPECT_EQ(table.cellText(0, 1), "");
}

TEST(MatchTable, CellTextIsWholeHoweverLong) {
    std::u16string text(100'000, u'中');
    MatchTable table;
    table.setSubject(subjectOf(text));
    table.appendBatch(batchOf(0, {0, 100'000}));
    const AnsiText cell = table.cellText(0, 1);
    ASSERT_EQ(cell.size(), 200'000u);
    EXPECT_EQ(cell.substr(199'998), "\xD6\xD0");
    // The view gets a bounded beginning of it: a column shows a few dozen characters, and
    // laying out the whole text on every repaint would stall the window.
    const QString shown = display(table, 0, 1);
    EXPECT_GE(shown.size(), 1000);
    EXPECT_LT(shown.size(), 100'000);
    EXPECT_EQ(shown.left(3), u"中中中");
}

struct SpanCase {
    const char* name;
    std::u16string subject;
    std::int32_t start, end;
    CharPos editorStart, editorLength;
};

TEST(MatchTable, SourceSpanCountsEachLineBreakOnce) {
    const SpanCase cases[] = {
        {"no break", u"abcd", 1, 3, 1, 2},
        {"chinese before", u"中文ab", 2, 4, 2, 2},
        {"after two breaks", u"中\r\nx\r\nab", 6, 8, 4, 2},
        {"match spans a break", u"a\r\nb", 0, 4, 0, 3},
        {"match is the break", u"a\r\nb", 1, 3, 1, 1},
        {"starts on the lf", u"a\r\nb", 2, 4, 1, 2},
        {"empty match after break", u"a\r\n", 3, 3, 2, 0},
    };
    for (const auto& c : cases) {
        MatchTable table;
        table.setSubject(subjectOf(c.subject));
        table.appendBatch(batchOf(0, {c.start, c.end}));
        const auto span = table.sourceSpan(0);
        ASSERT_TRUE(span) << c.name;
        EXPECT_EQ(span->start, c.editorStart) << c.name;
        EXPECT_EQ(span->length, c.editorLength) << c.name;
        EXPECT_FALSE(table.sourceSpan(1)) << c.name;
        EXPECT_FALSE(table.sourceSpan(-1)) << c.name;
    }
}

TEST(MatchTable, SourceSpanWithBreaksGivenByTheRun) {
    MatchTable table;
    table.setSubject(subjectOf(u"a\r\nb\r\nc"), {1, 4});
    table.appendBatch(batchOf(0, {6, 7}));
    EXPECT_EQ(table.sourceSpan(0)->start, 4);
}

// The model contract, checked by Qt's tester through every change a run makes.
TEST(MatchTable, KeepsTheModelContract) {
    QStringList problems;
    static QStringList* sink = nullptr;
    sink = &problems;
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext&, const QString& message) {
            if (type != QtDebugMsg && type != QtInfoMsg)
                sink->append(message);
        });
    {
        MatchTable table;
        QAbstractItemModelTester tester(&table,
                                        QAbstractItemModelTester::FailureReportingMode::Warning);
        table.setSubject(subjectOf(u"x1y22z333\r\n4"));
        table.appendBatch(batchOf(1, {1, 2, 1, 2, 3, 5, 3, 4}));
        table.appendBatch(batchOf(1, {6, 9, 6, 7, 11, 12, -1, -1}));
        table.appendColumn(QStringLiteral("extra"), 10);
        table.deleteColumn(3);
        table.deleteColumn(2);
        table.setSubject(subjectOf(u"other"));
        table.clearRows();
        table.appendBatch(batchOf(0, {0, 5}));
        EXPECT_EQ(table.rowCount(), 1);
    }
    qInstallMessageHandler(previous);
    EXPECT_TRUE(problems.isEmpty()) << problems.join(u'\n').toStdString();
}

} // namespace
} // namespace vexlo
