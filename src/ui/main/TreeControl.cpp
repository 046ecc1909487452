#include "ui/main/TreeControl.h"

#include <QHeaderView>
#include <QKeyEvent>

namespace ui {

TreeControl::TreeControl(QWidget* parent) : QTreeView(parent) {
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

} // namespace ui
