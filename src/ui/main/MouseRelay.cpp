#include "ui/main/MouseRelay.h"

#include "ui/controls/Twips.h"

#include <QMouseEvent>
#include <QWidget>

namespace ui {

int vbButton(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton:
        return 1;
    case Qt::RightButton:
        return 2;
    case Qt::MiddleButton:
        return 4;
    default:
        return 0;
    }
}

int vbButtons(Qt::MouseButtons buttons) {
    int result = 0;
    for (auto b : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton})
        if (buttons & b)
            result |= vbButton(b);
    return result;
}

int vbShift(Qt::KeyboardModifiers modifiers) {
    int result = 0;
    if (modifiers & Qt::ShiftModifier)
        result |= 1;
    if (modifiers & Qt::ControlModifier)
        result |= 2;
    if (modifiers & Qt::AltModifier)
        result |= 4;
    return result;
}

MouseRelay::MouseRelay(QWidget* watched, Handler down, Handler move, Handler up, QWidget* reference)
    : QObject(watched), watched_(watched), reference_(reference ? reference : watched),
      down_(std::move(down)), move_(std::move(move)), up_(std::move(up)) {
    watched->installEventFilter(this);
}

MouseArgs MouseRelay::argsFor(const QMouseEvent& event, QWidget* watched, QWidget* reference) {
    const QPoint local = event.position().toPoint();
    const QPoint p = watched == reference ? local : watched->mapTo(reference, local);
    MouseArgs args;
    args.button =
        event.type() == QEvent::MouseMove ? vbButtons(event.buttons()) : vbButton(event.button());
    args.shift = vbShift(event.modifiers());
    args.x = twips::fromPxX(p.x());
    args.y = twips::fromPxY(p.y());
    return args;
}

bool MouseRelay::eventFilter(QObject* object, QEvent* event) {
    if (object != watched_)
        return false;
    const Handler* handler = nullptr;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        handler = &down_;
        break;
    case QEvent::MouseMove:
        handler = &move_;
        break;
    case QEvent::MouseButtonRelease:
        handler = &up_;
        break;
    default:
        return false;
    }
    if (*handler)
        (*handler)(argsFor(*static_cast<QMouseEvent*>(event), watched_, reference_));
    return false;
}

} // namespace ui
