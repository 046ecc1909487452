#pragma once

#include "data/jet/Ast.h"
#include "data/jet/ExprTranslator.h"
#include "data/jet/speedup/GroupSummary.h"

#include <optional>

// Whether a statement is a level-2 statement of the grouping tree that the summary of the first
// two levels' groups answers: one group of the first column, grouped by the second,
//
//   SELECT [City] AS CNAME, COUNT([City]) AS CCNT[, MIN([Amount]) AS CMIN, ...] FROM [Sales]
//   WHERE [City] IS NOT NULL AND [Region] = 'Southeast' GROUP BY [City]
//
// with the first column compared with a literal (or CDate of one) or tested for Null, and any
// statistics over the summary's statistics column. Its groups are then exactly the summary's
// rows of that first-column group, one row each, in the same order.
namespace data::jet {

bool answeredBySummary(const SelectStatement& st, const ExprScope& scope,
                       const GroupSummary& summary);

// A statement of a tree level over the whole table, which the level's groups made in one pass
// answer (see LevelGroups): the level's groups, or its null group,
//
//   SELECT [City] AS CNAME, COUNT([City]) AS CCNT[, MIN([Amount]) AS CMIN, ...] FROM [Sales]
//   WHERE [City] IS NOT NULL GROUP BY [City]
//   SELECT COUNT(1) AS CCNT[, MIN([Amount]) AS CMIN, ...] FROM [Sales] WHERE [City] IS NULL
//
// with its grouping column and the column of numbers its statistics are of (null for none).
struct WholeTableLevel {
    const ColumnInfo* column = nullptr;
    const ColumnInfo* statistics = nullptr;
};
std::optional<WholeTableLevel> wholeTableLevel(const SelectStatement& st, const ExprScope& scope);

} // namespace data::jet
