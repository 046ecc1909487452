#pragma once

#include "data/ColInfo.h"

#include <QString>

namespace grid {

// The grid's statement with every column in the table's order and no rows: it shows the
// column headers alone.
QString listBuildFieldsSql(const data::ColInfoTable& columns, int fieldCount,
                           const QString& recordSource);

// The statement of the rows behind a node: every column in the table's order, limited by the
// node's condition; the root's empty condition leaves out the WHERE clause.
QString listBuildDataSql(const data::ColInfoTable& columns, int fieldCount,
                         const QString& recordSource, const QString& filter);

// The direction of the grid's sort; None before any header click.
enum class SortDirection { None, Ascending, Descending };

// The sort a header click chooses: a new column starts ascending, the same column toggles.
struct SortChoice {
    QString column;
    SortDirection direction = SortDirection::None;
};
SortChoice chooseSort(const SortChoice& current, const QString& clickedColumn);

// The sort text a double-click hands to the grid's rows: column, blank, direction ("ASC" or
// "DESC"). Before any header click both are empty and the text is a single blank.
QString sortText(const SortChoice& choice);

} // namespace grid
