#pragma once

#include <QObject>
#include <functional>

class QWidget;
class QMouseEvent;

namespace ui {

// Mouse arguments in the form the program's handlers take them: the button (1 left, 2 right,
// 4 middle; during a move, the buttons held down), the shift state (1 Shift, 2 Ctrl, 4 Alt) and
// the pointer position in twips relative to a reference widget.
struct MouseArgs {
    int button = 0;
    int shift = 0;
    double x = 0;
    double y = 0;
};

int vbButton(Qt::MouseButton button);
int vbButtons(Qt::MouseButtons buttons);
int vbShift(Qt::KeyboardModifiers modifiers);

// Watches one widget's presses, moves and releases and hands them on as MouseArgs, measured
// from the top left corner of `reference` (the watched widget itself when none is given).
class MouseRelay : public QObject {
public:
    using Handler = std::function<void(const MouseArgs&)>;

    MouseRelay(QWidget* watched, Handler down, Handler move, Handler up,
               QWidget* reference = nullptr);

    static MouseArgs argsFor(const QMouseEvent& event, QWidget* watched, QWidget* reference);

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    QWidget* watched_;
    QWidget* reference_;
    Handler down_, move_, up_;
};

} // namespace ui
