#pragma once

#include "data/ColInfo.h"

#include <QStringList>

namespace tree {

// The names of the columns the tree's levels group by, in the order of the levels: the grid's
// columns up to the first one that cannot be grouped, below which no level is ever built.
QStringList groupingOrder(const data::ColInfoTable& columns, int fieldCount);

} // namespace tree
