#include "ui/controls/Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace ui::twips {

namespace {
constexpr double TwipsPerInch = 1440.0;

double logicalDpi(bool horizontal) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return 96.0;
    const double dpi = horizontal ? screen->logicalDotsPerInchX() : screen->logicalDotsPerInchY();
    return dpi > 0 ? dpi : 96.0;
}
} // namespace

double perPixelX() {
    return TwipsPerInch / logicalDpi(true);
}
double perPixelY() {
    return TwipsPerInch / logicalDpi(false);
}

int toPxX(double t) {
    return static_cast<int>(std::lround(t / perPixelX()));
}
int toPxY(double t) {
    return static_cast<int>(std::lround(t / perPixelY()));
}
double fromPxX(int px) {
    return px * perPixelX();
}
double fromPxY(int px) {
    return px * perPixelY();
}

} // namespace ui::twips
