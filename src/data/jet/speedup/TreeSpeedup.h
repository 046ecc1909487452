#pragma once

#include "data/LevelShape.h"
#include "data/jet/Engine.h"
#include "data/jet/KeptRows.h"
#include "data/jet/Translate.h"
#include "data/jet/speedup/GroupingIndex.h"

#include <vector>

// The engine's speed-up for the grouping tree, and where it decides how a level is read: from
// the level's shape, never from its statement's text.
//
// - A level-2 statement of the grouped rows under one first-level group, where the summary of
//   the first two levels is in place for the tree's order and the level's statistics column,
//   reads its groups from the summary (see GroupSummary; or PairGroups, counted from the
//   columns' codes where no index is made).
// - A first level that the index does not begin with (right after a regroup) reads its groups
//   made in one pass over the table or counted from the column's codes (see LevelGroups).
// - Any other level reads the table, where the index serves it; a condition on the formatted
//   dates the index begins with is then searched in the index alone. Where no index begins
//   with the column of the first level's groups made so, any statement (a level's, the grid's)
//   that asks for one value of that column reads the rows of its group alone, and one that asks
//   for one value of each of the first two columns whose pairs are in place, its pair's rows.
//
// Without the speed-up every level gives the same rows, values and types, only more slowly.
namespace data::jet {

class TreeSpeedup final : public KeptRows {
public:
    explicit TreeSpeedup(Engine& engine) : engine_(engine) {}

    // Makes the first level's groups in one pass, with their rows, and where they do not serve
    // every node alone, the index for the tree's order over the record source where it names a
    // table; the terms end before one the table cannot answer (a column that is not there).
    // Fails with data::Error, and with data::Cancelled when the user stops it.
    void prepare(const QString& recordSource, const std::vector<LevelTerm>& terms);

    // How the level's statement reads its rows; nothing where the speed-up does not serve it.
    // Fails with data::Cancelled when the user stops a pass it makes.
    LevelReading reading(const LevelShape& shape);

    // The rows of a first level's group, kept by the pass that made the level's groups, or of a
    // pair of the first two levels: the nodes below read them alone where no index for the
    // order is in place.
    KeptCondition rowsWhere(const TableInfo& table, const std::vector<AskedValue>& asked) override;

private:
    const GroupsTable* summaryFor(const TableInfo& table, const LevelShape& shape) const;
    const GroupsTable* levelGroupsFor(const TableInfo& table, const LevelShape& shape);
    const ColumnInfo* indexedDates(const TableInfo& table, const LevelShape& shape) const;

    Engine& engine_;
    GroupingIndex index_;
};

} // namespace data::jet
