#pragma once

#include "drill/Options.h"

#include <QString>
#include <optional>

class frmMain;

namespace drill {

// Moves a block of grid columns the way a person does it, with the mouse on the grid's real
// header: a press on the block's first column and a drag along the header to its last selects
// it, a second press on it picks it up, and the release over the gap drops it there. The events
// go through the window's own mouse and drag handlers. The grid is widened first, if need be,
// so that every column lies in view away from the edges that scroll it. Nothing when the drag
// was made (whether or not the grid took the block); otherwise why it could not be.
std::optional<QString> dragColumns(frmMain& form, const ColumnMove& move);

// Widens the window, if need be, as dragColumns does before a drag: every column of the grid in
// view away from the edges that scroll it.
void showEveryColumn(frmMain& form);

// The grid's column captions in order, joined by " | ".
QString gridColumnNames(frmMain& form);

} // namespace drill
