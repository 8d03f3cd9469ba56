// MatchTable: rows are offsets into the one subject, stored in fixed chunks; a cell's text is
// cut out of the subject only when the view or cellText asks for it.
#include "match/match_table.h"

#include "match/engine_text.h"
#include "text/codepage.h"

#include <algorithm>
#include <limits>

namespace vexlo {

namespace {

constexpr int NUMBER_WIDTH = 50;
constexpr int MATCH_WIDTH = 200;
constexpr int GROUP_WIDTH = 100;
// About 256 KB of offsets a chunk, whatever the number of groups.
constexpr int CHUNK_VALUES = 64 * 1024;
// The view never needs more of a cell than this to draw it (a column shows a few dozen
// characters); laying out a text of megabytes would stall the window on every repaint.
constexpr qsizetype DISPLAY_LIMIT = 4096;

constexpr int alignment() {
    return int(Qt::AlignLeft | Qt::AlignVCenter);
}

QString groupTitle(int group) {
    return QStringLiteral("子匹配文本") + QString::number(group);
}

} // namespace

MatchTable::MatchTable(QObject* parent) : QAbstractTableModel(parent) {
    columns_.push_back({QStringLiteral("序号"), NUMBER_WIDTH});
    columns_.push_back({QStringLiteral("匹配文本 "), MATCH_WIDTH});
}

void MatchTable::clearRows() {
    if (rows_ > 0) {
        beginRemoveRows({}, 0, rows_ - 1);
        rows_ = 0;
        chunks_.clear();
        endRemoveRows();
    }
}

int MatchTable::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(columns_.size());
}

void MatchTable::deleteColumn(int column) {
    if (column < 0 || column >= int(columns_.size()))
        return;
    beginRemoveColumns({}, column, column);
    columns_.erase(columns_.begin() + column);
    endRemoveColumns();
}

void MatchTable::keepColumns(int count) {
    const int first = std::max(count, 0);
    if (first >= int(columns_.size()))
        return;
    beginRemoveColumns({}, first, int(columns_.size()) - 1);
    columns_.erase(columns_.begin() + first, columns_.end());
    endRemoveColumns();
}

int MatchTable::appendColumn(const QString& title, int width) {
    const int column = int(columns_.size());
    beginInsertColumns({}, column, column);
    columns_.push_back({title, width});
    endInsertColumns();
    return column;
}

AnsiText MatchTable::cellText(int row, int column) const {
    if (row < 0 || row >= rows_ || column < 0 || column >= int(columns_.size()))
        return {};
    if (column == 0)
        return std::to_string(row + 1);
    return utf16ToAnsi(cellUnits(row, column - 1));
}

int MatchTable::columnWidth(int column) const {
    if (column < 0 || column >= int(columns_.size()))
        return 0;
    return columns_[std::size_t(column)].width;
}

void MatchTable::setSubject(std::shared_ptr<const std::u16string> subject) {
    std::vector<std::int32_t> breaks;
    if (subject)
        breaks = lineBreakOffsets(*subject);
    setSubject(std::move(subject), std::move(breaks));
}

void MatchTable::setSubject(std::shared_ptr<const std::u16string> subject,
                            std::vector<std::int32_t> lineBreaks) {
    subject_ = std::move(subject);
    lineBreaks_ = std::move(lineBreaks);
    if (rows_ > 0 && !columns_.empty())
        emit dataChanged(index(0, 0), index(rows_ - 1, int(columns_.size()) - 1));
}

void MatchTable::appendBatch(const MatchBatch& batch) {
    if (batch.groups < 0)
        return;
    const int stride = 2 * (batch.groups + 1);
    if (batch.offsets.empty() || batch.offsets.size() % std::size_t(stride) != 0)
        return;
    if (rows_ > 0 && batch.groups != groups_)
        return;
    const std::size_t count = batch.offsets.size() / std::size_t(stride);
    if (count > std::size_t(std::numeric_limits<int>::max() - rows_))
        return;
    if (rows_ == 0) {
        groups_ = batch.groups;
        stride_ = stride;
        chunkRows_ = std::max(1, CHUNK_VALUES / stride);
        chunks_.clear();
    }
    // A column is added exactly when fewer than j + 2 exist, as each row's group j goes to
    // column j + 1.
    // All in one insertion: a view lays its header out again for each insertion, which
    // made a pattern of a thousand groups cost the window thread most of a second.
    const int firstMissing = std::max(int(columns_.size()) - 1, 1);
    if (firstMissing <= groups_) {
        beginInsertColumns({}, firstMissing + 1, groups_ + 1);
        for (int group = firstMissing; group <= groups_; ++group)
            columns_.push_back({groupTitle(group), GROUP_WIDTH});
        endInsertColumns();
    }

    beginInsertRows({}, rows_, rows_ + int(count) - 1);
    const std::int32_t* from = batch.offsets.data();
    std::size_t left = count;
    int row = rows_;
    while (left > 0) {
        const int inChunk = row % chunkRows_;
        if (inChunk == 0)
            chunks_.push_back(std::make_unique_for_overwrite<std::int32_t[]>(
                std::size_t(chunkRows_) * std::size_t(stride_)));
        const std::size_t take = std::min(left, std::size_t(chunkRows_ - inChunk));
        std::copy_n(from, take * std::size_t(stride_),
                    chunks_.back().get() + std::size_t(inChunk) * std::size_t(stride_));
        from += take * std::size_t(stride_);
        left -= take;
        row += int(take);
    }
    rows_ = row;
    endInsertRows();
}

std::optional<SourceSpan> MatchTable::sourceSpan(int row) const {
    if (row < 0 || row >= rows_)
        return std::nullopt;
    const std::int32_t* offsets = rowOffsets(row);
    const CharPos start = editorPosition(offsets[0]);
    const CharPos end = editorPosition(offsets[1]);
    return SourceSpan{start, std::max(0, end - start)};
}

int MatchTable::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

QVariant MatchTable::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rows_ || index.column() >= int(columns_.size()))
        return {};
    if (role == Qt::TextAlignmentRole)
        return alignment();
    if (role != Qt::DisplayRole)
        return {};
    if (index.column() == 0)
        return QString::number(index.row() + 1);
    const std::u16string_view units = cellUnits(index.row(), index.column() - 1);
    return QString(reinterpret_cast<const QChar*>(units.data()),
                   std::min(qsizetype(units.size()), DISPLAY_LIMIT));
}

QVariant MatchTable::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (section < 0 || section >= int(columns_.size()))
        return {};
    if (role == Qt::DisplayRole)
        return columns_[std::size_t(section)].title;
    if (role == Qt::TextAlignmentRole)
        return alignment();
    return {};
}

const std::int32_t* MatchTable::rowOffsets(int row) const {
    const auto chunk = std::size_t(row / chunkRows_);
    const auto inChunk = std::size_t(row % chunkRows_);
    return chunks_[chunk].get() + inChunk * std::size_t(stride_);
}

std::u16string_view MatchTable::cellUnits(int row, int group) const {
    if (!subject_ || group < 0 || group > groups_)
        return {};
    const std::int32_t* offsets = rowOffsets(row) + 2 * group;
    const std::int32_t start = offsets[0];
    const std::int32_t end = offsets[1];
    if (start < 0 || end < start || std::size_t(end) > subject_->size())
        return {};
    return std::u16string_view(*subject_).substr(std::size_t(start), std::size_t(end - start));
}

CharPos MatchTable::editorPosition(std::int32_t offset) const {
    // Each CR LF before offset is one character in the editor; an offset on the LF of a pair
    // falls on the line break itself.
    const auto before = std::lower_bound(lineBreaks_.begin(), lineBreaks_.end(), offset);
    return offset - CharPos(before - lineBreaks_.begin());
}

} // namespace vexlo
