#pragma once

// Positions and sizes of windows and controls are kept in twips, 1440 to the inch, as the
// program's layout rules are written in them. The screen's logical DPI turns them into pixels.
namespace ui::twips {

double perPixelX();
double perPixelY();

int toPxX(double twips);
int toPxY(double twips);
double fromPxX(int px);
double fromPxY(int px);

} // namespace ui::twips
