// The report-view settings of resultList and its row operations.
#include "ui/result_list.h"

#include "match/match_table.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTableView>

namespace vexlo {
namespace {

constexpr int ROW_HEIGHT = 18;
// A clear of at least this many rows gets the view a fresh row header (see setUpResultList).
constexpr int FRESH_HEADER_ROWS = 100000;

void setUpRowHeader(QHeaderView* rows) {
    rows->hide();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setMinimumSectionSize(1);
    rows->setDefaultSectionSize(ROW_HEIGHT);
}

void applyColumnWidths(QTableView* view, const MatchTable* table, int first, int last) {
    for (int column = first; column <= last; ++column) {
        view->horizontalHeader()->resizeSection(column, table->columnWidth(column));
    }
}

} // namespace

void setUpResultList(QTableView* view, MatchTable* table) {
    view->setModel(table);
    view->setShowGrid(false);
    view->setSortingEnabled(false);
    view->setWordWrap(false);
    view->setCornerButtonEnabled(false);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);

    setUpRowHeader(view->verticalHeader());
    // The row header keeps an item for every row it has seen, and Qt keeps that storage when
    // the rows go (about 13 bytes a row: 64 MB after five million). Once a large table is
    // cleared, a fresh header gives it back; the old one is deleted by the view.
    QObject::connect(table, &QAbstractItemModel::rowsRemoved, view,
                     [view, table](const QModelIndex&, int first, int last) {
                         if (table->rowCount() == 0 && last - first + 1 >= FRESH_HEADER_ROWS) {
                             auto* fresh = new QHeaderView(Qt::Vertical, view);
                             setUpRowHeader(fresh);
                             view->setVerticalHeader(fresh);
                         }
                     });

    QHeaderView* columns = view->horizontalHeader();
    columns->setSectionsMovable(true);
    columns->setSectionsClickable(true);
    columns->setSortIndicatorShown(false);
    columns->setHighlightSections(false);
    columns->setStretchLastSection(false);
    columns->setSectionResizeMode(QHeaderView::Interactive);
    columns->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    applyColumnWidths(view, table, 0, table->columnCount() - 1);
    QObject::connect(table, &QAbstractItemModel::columnsInserted, view,
                     [view, table](const QModelIndex&, int first, int last) {
                         applyColumnWidths(view, table, first, last);
                     });
    QObject::connect(table, &QAbstractItemModel::modelReset, view, [view, table] {
        applyColumnWidths(view, table, 0, table->columnCount() - 1);
    });
}

int currentRow(const QTableView* view) {
    const QItemSelectionModel* selection = view->selectionModel();
    if (selection == nullptr) {
        return -1;
    }
    const QModelIndexList rows = selection->selectedRows();
    return rows.isEmpty() ? -1 : rows.front().row();
}

void selectRow(QTableView* view, int row) {
    QItemSelectionModel* selection = view->selectionModel();
    if (selection == nullptr) {
        return;
    }
    if (row < 0) {
        selection->clearSelection();
        return;
    }
    if (row >= view->model()->rowCount()) {
        return;
    }
    const QModelIndex index = view->model()->index(row, 0);
    selection->setCurrentIndex(index,
                               QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void ensureVisible(QTableView* view, int row) {
    if (row < 0 || row >= view->model()->rowCount()) {
        return;
    }
    view->scrollTo(view->model()->index(row, 0));
}

} // namespace vexlo
