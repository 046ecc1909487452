#pragma once

#include "drill/DrillWindow.h"
#include "drill/TreeWalk.h"

#include <QString>
#include <vector>

namespace drill {

// A node whose figures do not hold, or a message box the drill brought up at a node.
struct Violation {
    QString path;
    QString what;
};

struct CheckReport {
    int nodes = 0;
    std::vector<Violation> violations;
};

// Checks every node of the tree, whose levels the drill built down to `builtDepth`:
// - the counts of the children of a node whose level was built add up to the node's count,
//   unless its click brought up a message box (one of `clicks`), which says why they do not;
// - the node's condition (makeFilter) selects exactly its count of rows of the record source,
//   and the statistics its label shows are those of its numeric column over exactly those rows;
// - Update Details on the node binds exactly its count of rows to the grid, read to the end.
// The message boxes of the drill's clicks, and those shown during the check, are violations at
// the node they came up at; the report lists the clicks' first.
CheckReport checkTree(DrillWindow& window, int builtDepth, const std::vector<ClickMessage>& clicks);

} // namespace drill
