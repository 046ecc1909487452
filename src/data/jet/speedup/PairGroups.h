#pragma once

#include "data/jet/Catalog.h"
#include "data/jet/GroupsTable.h"
#include "data/jet/speedup/GroupKeys.h"
#include "data/jet/speedup/GroupRows.h"

#include <QString>
#include <memory>
#include <optional>
#include <vector>

// The groups of the tree's first two levels counted from the codes of their two columns (see
// TableCodes), for an order whose first level's groups are too large for their kept rows to serve
// the nodes below them. Each pair of a first-level group and a group of the second column within
// it is one row of a summary in the shape GroupSummary makes, so that level 2 reads its groups
// from there; and each pair keeps its rows by id, so that every node below level 2 reads its
// pair's rows alone. No index is then made for the order: it would take as much memory as half
// the table and seconds for every million rows.
//
// A pair shows the values of its first row in stored order, and its figures add its rows'
// values in that order, as a statement over the table does.
namespace data::jet {

class ColumnCodes;
class Database;

struct PairGroups {
    GroupsTable summary;
    GroupKeys firstKeys, secondKeys; // the group of each value of the two columns
    std::uint32_t firstNulls = 0;    // the numbers of the groups of rows without a value
    std::uint32_t secondNulls = 0;
    std::shared_ptr<const GroupRows> rows; // each pair's
    // The pairs of each first-level group are numbered from firstPairs[g] up to
    // firstPairs[g + 1], the rows without a value of the first column last.
    std::vector<std::uint32_t> firstPairs;

    // The pair of two groups; none where no row holds both.
    std::optional<std::uint32_t> pair(std::uint32_t first, std::uint32_t second) const;
    // The rows of each first-level group, the rows of its pairs: they take no memory of their
    // own.
    std::shared_ptr<const GroupRows> firstRows() const;

    std::vector<std::uint32_t> pairOf; // by first * (secondNulls + 1) + second; NoGroup for none
};

// Makes the summary `name` of the pairs of `first` and `second` (columns of `table` held as
// `firstCodes` and `secondCodes`) with the statistics of the column `statistics` (of numbers) or
// none, and an index over it. Empty, with nothing made, where the pairs would average fewer than
// MinRowsPerGroup rows or could be more than there are rows. After a failure (data::Error) the
// caller drops the table `name`.
std::optional<PairGroups> makePairGroups(Database& database, const TableInfo& table,
                                         const ColumnInfo& first, const ColumnCodes& firstCodes,
                                         const ColumnInfo& second, const ColumnCodes& secondCodes,
                                         const ColumnInfo* statistics, const QString& name);

} // namespace data::jet
