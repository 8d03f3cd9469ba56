// MatchTable: the result table's model. Keeps the run's subject once and every match as
// offsets into it; cell texts are built when the view or cellText asks for them.
#pragma once

#include "text/ansi_text.h"

#include <QAbstractTableModel>

#include <memory>
#include <optional>
#include <string>
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
    /// Adds a left-aligned column after the last one; returns its index.
    int appendColumn(const QString& title, int width);
    /// The whole text of a cell in code page 936; empty when the cell does not exist.
    AnsiText cellText(int row, int column) const;
    /// Width in pixels a column was created with.
    int columnWidth(int column) const;

    /// The subject the next batches index into (UTF-16, line breaks as CR LF).
    void setSubject(std::shared_ptr<const std::u16string> subject);
    /// Appends every match of batch as rows, with one row insertion; adds the group columns
    /// the table lacks first.
    void appendBatch(const MatchBatch& batch);
    /// Where row's match lies in the source text, in editor units; nullopt for no such row.
    std::optional<SourceSpan> sourceSpan(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    // filled in by the match layer
};

} // namespace vexlo
