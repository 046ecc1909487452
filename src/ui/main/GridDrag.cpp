#include "ui/main/GridDrag.h"

#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QWidget>

namespace ui {

namespace {

// The program's drag pictures are arrows pointing at their top left corner.
QCursor cursorFor(const QPixmap& picture) {
    return picture.isNull() ? QCursor(Qt::DragMoveCursor) : QCursor(picture, 0, 0);
}

} // namespace

GridDrag::GridDrag(QWidget* area, Over over, Drop drop)
    : area_(area), over_(std::move(over)), drop_(std::move(drop)) {}

GridDrag::~GridDrag() {
    if (active_)
        stop();
}

void GridDrag::begin(const QPixmap& picture) {
    if (active_)
        return;
    active_ = true;
    inside_ = false;
    QApplication::setOverrideCursor(cursorFor(picture));
    qApp->installEventFilter(this);
}

void GridDrag::setPicture(const QPixmap& picture) {
    if (active_)
        QApplication::changeOverrideCursor(cursorFor(picture));
}

void GridDrag::cancel() {
    if (active_)
        stop();
}

void GridDrag::finish(QPoint global) {
    if (!active_)
        return;
    stop();
    const QPoint local = area_->mapFromGlobal(global);
    if (area_->rect().contains(local))
        drop_(local);
}

void GridDrag::stop() {
    active_ = false;
    qApp->removeEventFilter(this);
    QApplication::restoreOverrideCursor();
}

void GridDrag::track(QPoint global) {
    const QPoint local = area_->mapFromGlobal(global);
    const bool inside = area_->rect().contains(local);
    if (!inside && !inside_)
        return;
    const int state = !inside ? DragLeave : inside_ ? DragOverInside : DragEnter;
    inside_ = inside;
    over_(local, state);
}

bool GridDrag::eventFilter(QObject* object, QEvent* event) {
    // A window's mouse event is handed on to the widget under the pointer; the drag takes it
    // there, once.
    if (!object->isWidgetType())
        return false;
    switch (event->type()) {
    case QEvent::MouseMove:
        track(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
        break;
    case QEvent::MouseButtonRelease:
        finish(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        break;
    default:
        return false;
    }
    event->accept();
    return true;
}

} // namespace ui
