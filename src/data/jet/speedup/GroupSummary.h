#pragma once

#include "data/jet/Catalog.h"
#include "data/jet/GroupsTable.h"
#include "data/jet/Translate.h"

#include <QByteArray>
#include <array>
#include <optional>

// The figures of every group of the tree's first two levels, counted once when the grouping
// index is made. A level-2 node of a large first-level group covers tens of thousands of index
// entries that its level would otherwise count entry by entry on every click; in the summary the
// node is one row. It is made only where the first two levels group by plain columns and their
// groups hold several rows each on average; otherwise the index alone serves.
//
// The summary is a GroupsTable whose `first` and `second` are the two columns. Each summary row
// is one group of the two columns under their own collations (text compared
// without regard to case), made by one pass over the grouping index in its order. It keeps both
// columns' values as that pass leaves them (those of the group's last entry), the group's rows,
// the count of its second column's values, and the statistics of the third column when that
// column holds numbers (one jet_statistics value). Counted in the index's order over the same
// entries, every figure equals the one a level statement computes.
namespace data::jet {

class Database;

// Whether the column holds numbers, whose statistics a summary keeps.
bool holdsNumbers(const ColumnInfo* column);

// Groups of fewer rows than this on average are not worth a summary.
inline constexpr int MinRowsPerGroup = 8;

// Makes the summary `name` of the groups of the first two grouping terms (each the value of one
// column) of `table` and the statistics of a third column, read through the index `indexName`
// whose key begins with those terms, and an index over it. Where the groups would average fewer
// than MinRowsPerGroup rows, nothing is made and the result is empty. After a failure
// (data::Error) the caller drops the table `name`.
std::optional<GroupsTable> makeGroupSummary(Database& database, const TableInfo& table,
                                            const std::array<GroupingTerm, 2>& terms,
                                            const ColumnInfo* statistics,
                                            const QByteArray& indexName, const QString& name);

// The summary table `name`, empty: the two grouping columns as the source declares them, then
// the group's rows, its values counted and its figures.
void createSummaryTable(Database& database, const QString& name, const ColumnInfo& first,
                        const ColumnInfo& second);
// Indexes the filled summary table over its two columns and describes it.
GroupsTable indexedSummary(Database& database, const TableInfo& table, const QString& name,
                           const ColumnInfo& first, const ColumnInfo& second,
                           const ColumnInfo* statistics);

} // namespace data::jet
