#pragma once

#include <QRect>

namespace ui {

// The window's outer bounds as stored bounds ask for them, kept on the screen: no larger than
// the screen's available area (the desktop less its panels) and moved inside it where it would
// reach past an edge, so that the title bar and status bar can always be reached.
QRect fitOnScreen(const QRect& outer, const QRect& available);

} // namespace ui
