#include "ui/main/WindowBounds.h"

#include <algorithm>

namespace ui {

QRect fitOnScreen(const QRect& outer, const QRect& available) {
    if (available.isEmpty())
        return outer;
    QRect fitted(outer.topLeft(), outer.size().boundedTo(available.size()));
    fitted.moveLeft(std::clamp(fitted.left(), available.left(),
                               available.left() + available.width() - fitted.width()));
    fitted.moveTop(std::clamp(fitted.top(), available.top(),
                              available.top() + available.height() - fitted.height()));
    return fitted;
}

} // namespace ui
