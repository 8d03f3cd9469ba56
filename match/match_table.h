// MatchTable: the result table's model. Keeps the run's subject once and every match as
// offsets into it; cell texts are built when the view or cellText asks for them.
#pragma once

#include "text/ansi_text.h"

#include <QAbstractTableModel>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vexlo {

/// A stretch of the source text in editor units (a line break counts one character).
struct SourceSpan {
    CharPos start;
    CharPos length;
};

/// Matches found by a run, handed from the worker to the window thread in one piece.
struct MatchBatch {
    int groups = 0;                     // capturing groups of the pattern
    std::vector<std::int32_t> offsets;  // 2 * (groups + 1) per match, UTF-16 units, -1 unset
};

class MatchTable : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit MatchTable(QObject* parent = nullptr);

    // The table operations the commands use (rows and columns 0-based).
    void clearRows();
    int columnCount(const QModelIndex& parent = {}) const override;
    void deleteColumn(int column);
    /// Deletes every column from count on, with one removal (one by one, a view lays its
    /// header out again for each); nothing when there are count columns or fewer.
    void keepColumns(int count);
    /// Adds a left-aligned column after the last one; returns its index.
    int appendColumn(const QString& title, int width);
    /// The whole text of a cell in code page 936; empty when the cell does not exist.
    AnsiText cellText(int row, int column) const;
    /// Width in pixels a column was created with.
    int columnWidth(int column) const;

    /// The subject the next batches index into (UTF-16, line breaks as CR LF); null for none,
    /// which leaves every text cell empty. Finds the subject's CR LF pairs itself.
    void setSubject(std::shared_ptr<const std::u16string> subject);
    /// As above with lineBreaks, the ascending offsets of the CR of every CR LF pair of
    /// subject, worked out beforehand (the match run does it on its worker).
    void setSubject(std::shared_ptr<const std::u16string> subject,
                    std::vector<std::int32_t> lineBreaks);
    /// Appends every match of batch as rows, with one row insertion; adds the group columns
    /// the table lacks first. A batch whose group count differs from the rows already in the
    /// table, or whose offsets are not whole matches, is ignored.
    void appendBatch(const MatchBatch& batch);
    /// Where row's match lies in the source text, in editor units; nullopt for no such row.
    std::optional<SourceSpan> sourceSpan(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    struct Column {
        QString title;
        int width = 0;
    };

    const std::int32_t* rowOffsets(int row) const;
    /// The subject units of match (group 0) or group g of row; empty when unset or invalid.
    std::u16string_view cellUnits(int row, int group) const;
    CharPos editorPosition(std::int32_t offset) const;

    // Everything below lives on the thread of the model (the window thread).
    std::vector<Column> columns_;
    std::shared_ptr<const std::u16string> subject_;
    std::vector<std::int32_t> lineBreaks_; // offsets of the CR of each CR LF, ascending
    // Rows as offsets, stride_ values a row, in chunks of chunkRows_ rows, so that appending
    // never moves or copies what is stored already.
    std::vector<std::unique_ptr<std::int32_t[]>> chunks_;
    int groups_ = 0;
    int stride_ = 2;
    int chunkRows_ = 1;
    int rows_ = 0;
};

} // namespace vexlo
