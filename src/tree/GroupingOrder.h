#pragma once

#include "data/ColInfo.h"
#include "data/Dialect.h"

#include <QStringList>

namespace tree {

// The terms the tree's levels group by, in the order of the levels, in the dialect's SQL: the
// grid's columns up to the first one that cannot be grouped, below which no level is ever
// built. A date column is grouped by its date group: the one fixed when its level was first
// built, else `dateGroupType`, which a level built now would take.
QStringList groupingOrder(const data::ColInfoTable& columns, int fieldCount,
                          const QString& dateGroupType, data::Dialect dialect);

} // namespace tree
