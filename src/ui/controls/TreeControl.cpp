#include "ui/controls/TreeControl.h"

#include "ui/controls/LabelSizes.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

namespace ui {

TreeControl::TreeControl(QWidget* parent) : QTreeView(parent), labels_(new LabelSizes(this)) {
    setItemDelegate(labels_);
    setHeaderHidden(true);
    setEditTriggers(NoEditTriggers);
    setSelectionMode(SingleSelection);
    setUniformRowHeights(true);
    // Labels carry counts and statistics at their end: show them whole and scroll sideways
    // rather than cut them short.
    setTextElideMode(Qt::ElideNone);
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

void TreeControl::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        labels_->forget();
    QTreeView::changeEvent(event);
}

void TreeControl::focusInEvent(QFocusEvent* event) {
    QTreeView::focusInEvent(event);
    if (focused)
        focused();
}

void TreeControl::keyPressEvent(QKeyEvent* event) {
    if (keyPressing && !keyPressing(*event))
        return;
    const QModelIndexList before = selectionModel()->selectedIndexes();
    QTreeView::keyPressEvent(event);
    const QModelIndexList after = selectionModel()->selectedIndexes();
    if (!after.isEmpty() && after != before && selectionMovedByKey)
        selectionMovedByKey();
}

void TreeControl::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        QTreeView::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    event->accept();
}

void TreeControl::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        QTreeView::mouseReleaseEvent(event);
    else
        event->accept();
}

void TreeControl::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        QTreeView::mouseDoubleClickEvent(event);
    else
        event->accept();
}

} // namespace ui
