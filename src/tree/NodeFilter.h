#pragma once

#include "data/ColInfo.h"
#include "data/Dialect.h"
#include "data/LevelShape.h"
#include "tree/NodeValue.h"

#include <QString>
#include <span>

namespace tree {

// The condition, without WHERE, that selects the rows behind a node: one comparison per level
// from the node up to depth 1, joined by " AND ". `path` holds the values of the node's
// ancestors and the node itself, from depth 1 to the node's depth; the node at depth L groups
// by column entry L - 1. An empty path (the root) gives "". A path that starts deeper, because
// the walk up from a node reached the root first, gives `firstDepth` to its first value; the
// depths above it add nothing.
QString makeFilter(std::span<const NodeValue> path, const data::ColInfoTable& columns,
                   data::Dialect dialect, int firstDepth = 1);

// The same path's conditions as typed terms, from the shallowest depth to the node; a column
// that is never grouped adds none.
std::vector<data::LevelCondition> pathConditions(std::span<const NodeValue> path,
                                                 const data::ColInfoTable& columns,
                                                 int firstDepth = 1);

} // namespace tree
