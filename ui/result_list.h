// resultList: the report view over MatchTable, and the row operations commands use on it.
#pragma once

class QTableView;

namespace vexlo {

class MatchTable;

/// Shows table in view as a report: no grid, no row header, fixed row height, one whole row
/// selected at a time, movable column headers that sort nothing, column widths from the table.
void setUpResultList(QTableView* view, MatchTable* table);

/// Index of the selected row, or -1 when none is.
int currentRow(const QTableView* view);
/// Selects row (and gives it the focus mark); an index past the last row changes nothing; a
/// negative index clears the selection.
void selectRow(QTableView* view, int row);
/// Scrolls so that row is visible; an index with no row changes nothing.
void ensureVisible(QTableView* view, int row);

} // namespace vexlo
