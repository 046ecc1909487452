#pragma once

#include "Arguments.h"

namespace bench {

class WindowDrill;

// Column moves through the grid's header of the real window over the Sales table: a move that
// keeps the root and prunes the tree below a selected node, and one that starts the tree again
// from a new root, each with the engine's index build for the new order timed on its own.
// Prints Markdown.
void runMoveTimes(WindowDrill& window, const Counts& counts);

} // namespace bench
