#pragma once

#include "data/jet/Catalog.h"
#include "data/jet/speedup/GroupKeys.h"
#include "data/jet/speedup/GroupRows.h"
#include "data/jet/speedup/GroupSummary.h"

#include <QString>
#include <cstddef>
#include <memory>
#include <optional>

// The groups of a tree level over a whole table, made by the engine in one pass over the table's
// rows. Right after the columns are put in a new order, no index serves the new first level: its
// statement would have SQLite sort every row under the text collation, which costs several times
// what reading them does. Here the rows are read once in their stored order and grouped by a key
// equal for exactly the values the column's collation holds equal (text folded to lower case,
// whole reals as the integers they equal), and the groups are kept as a table in the shape of
// the summary of the first two levels (see GroupSummary and GroupsTable): one row per group, and
// one for the rows without a value, with the group's rows, its values counted, and the statistics
// of the next column gathered by jet_statistics' own code.
//
// The level's statements then read that table; their answers are the statements' own: a
// statement over the table sorts the rows by the column, those of one group in their stored
// order, so it shows the value of a group's first row and adds its figures in the order kept
// here.
//
// The pass also keeps the keys, which find the group of a value a condition asks for, and each
// group's rows by id (see GroupRows), so that the nodes below the level read their group's rows
// alone.
namespace data::jet {

class ColumnCodes;
class Database;

// More groups than this, or keys longer than this in all (long texts), are left to the
// statement: the pass would hold too much to save time.
inline constexpr int MostLevelGroups = 100000;
inline constexpr std::size_t MostLevelKeyBytes = 64 * 1024 * 1024;

// What the pass leaves.
struct LevelGroups {
    GroupsTable table; // of the groups, the last one that of the rows without a value
    GroupKeys keys;    // the number of each value's group
    // The rows of each group, in the same order; null where the table's row ids do not number
    // its rows from 1 in their order (the engine's tables always do).
    std::shared_ptr<const GroupRows> rows;
};

// Makes the table `name` of the groups of `column` of `table`, with the statistics of
// `statistics` (a column of numbers) or none. Empty, with nothing made, where the groups are
// more than MostLevelGroups or their keys more than MostLevelKeyBytes, or where the column holds a
// value of another kind than it is declared with. With the column's `codes` (see TableCodes) the
// groups are counted from them, and only the statistics column is read. After a failure
// (data::Error) the caller drops the table `name`.
std::optional<LevelGroups> makeLevelGroups(Database& database, const TableInfo& table,
                                           const ColumnInfo& column, const ColumnInfo* statistics,
                                           const QString& name, const ColumnCodes* codes = nullptr);

// Whether the column is one the pass groups: numbers or text stored as they are.
bool groupedInOnePass(const ColumnInfo& column);

} // namespace data::jet
