#pragma once

#include "data/ColInfo.h"
#include "data/LevelShape.h"

#include <vector>

namespace tree {

// The terms the tree's levels group by, in the order of the levels: the grid's columns up to
// the first one that cannot be grouped, below which no level is ever built. A date column is
// grouped by its date group: the one fixed when its level was first built, else `dateGroup`,
// which a level built now would take.
std::vector<data::LevelTerm> groupingOrder(const data::ColInfoTable& columns, int fieldCount,
                                           data::DateGroup dateGroup);

// The term the column's level groups by: a date column by its date group, else `dateGroup`.
data::LevelTerm levelTerm(const data::ColInfoRec& column, data::DateGroup dateGroup);

} // namespace tree
