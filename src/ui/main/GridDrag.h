#pragma once

#include <QObject>
#include <QPixmap>
#include <QPoint>
#include <functional>

namespace ui {

// How the pointer stands to the dragged-over widget, as DragOver reports it.
enum DragOverState { DragEnter = 0, DragLeave = 1, DragOverInside = 2 };

// A drag the program starts by hand, in the middle of a press. Until the button comes up the
// pointer shows the drag picture and no widget sees the mouse: moves report to `over` while the
// pointer is over the area (and once more as it leaves), and a release over the area reports to
// `drop`. Positions are pixels relative to the area's top left corner.
class GridDrag : public QObject {
public:
    using Over = std::function<void(QPoint, int state)>;
    using Drop = std::function<void(QPoint)>;

    GridDrag(QWidget* area, Over over, Drop drop);
    ~GridDrag() override;

    bool active() const { return active_; }
    void begin(const QPixmap& picture);
    void setPicture(const QPixmap& picture);
    // Ends the drag without a drop.
    void cancel();
    // Ends the drag as if the button came up at `global`.
    void finish(QPoint global);

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    void track(QPoint global);
    void stop();

    QWidget* area_;
    Over over_;
    Drop drop_;
    bool active_ = false;
    bool inside_ = false;
};

} // namespace ui
