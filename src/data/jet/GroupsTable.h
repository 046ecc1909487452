#pragma once

#include "data/Error.h"
#include "data/jet/Catalog.h"

#include <QString>

// A table of groups that the grouping tree's speed-up keeps: one row per group of one or two
// columns, with the group's rows, its values counted and the statistics of one column of
// numbers, counted once. A statement translated to read such a table in place of its source
// (see translateLevel) reads its counts and statistics from those figures.
namespace data::jet {

struct GroupsTable {
    QString sourceTable;
    // The table's name and columns: the grouping columns as the source declares them, so that
    // conditions on them translate as over the source. The statistics column is listed too for
    // name look-ups, though the table holds only its figures.
    TableInfo table;
    // Column names: the first grouping column ("" where the groups are of one column), the
    // column whose values are counted, and the statistics column ("" when there are none).
    QString first, second, statistics;

    static constexpr char RowsColumn[] = "~rows";
    static constexpr char CountColumn[] = "~count";
    static constexpr char FiguresColumn[] = "~figures";
};

// A statement over a table of groups asked for an aggregate the groups do not hold (a count of
// another column, statistics of another column): it is to be read from its source instead.
class FigureNotHeld : public Error {
public:
    using Error::Error;
};

} // namespace data::jet
