#pragma once

#include "tree/TreeNode.h"

#include <QString>
#include <exception>
#include <functional>

namespace ui {

class TreeView;

// The tree's copied lines end with a line feed, as the grid's do.
inline const QString TreeLineEnd = QStringLiteral("\n");

// Told of a failure while a node was written.
using TreeTextFailure = std::function<void(const std::exception&)>;

// The tree as Copy writes it: one line per node, as many tabs as the node's depth below the node
// the walk starts at, then its text and TreeLineEnd. The walk starts at `start`, or, when it is
// null, at the first top-level node and goes on with the top-level nodes after it. A node's
// children follow it when `onlyVisible` is false or the node is expanded. A node whose writing
// fails is told to `failed` and adds nothing, neither its line nor anything below it; the walk
// goes on with the next node at the same depths as before. An empty tree gives "".
QString treeText(const TreeView& view, const tree::NodePtr& start, bool onlyVisible,
                 const TreeTextFailure& failed);

} // namespace ui
