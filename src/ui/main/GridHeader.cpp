#include "ui/main/GridHeader.h"

#include "ui/main/ColumnBlock.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionHeader>
#include <algorithm>

namespace ui {

GridHeader::GridHeader(const ColumnBlock& block, QWidget* parent)
    : QHeaderView(Qt::Horizontal, parent), block_(block) {
    // Columns change places only when the program binds them anew, and a press selects a
    // block here rather than through the view's cell selection.
    setSectionsMovable(false);
    setSectionsClickable(false);
    setHighlightSections(false);
    setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void GridHeader::abandonPress() {
    pressed_ = current_ = -1;
    if (!resizing_)
        return;
    resizing_ = false;
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(), QPointF(), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QHeaderView::mouseReleaseEvent(&release);
}

// Whether x lies within the style's grip margin of an edge that a drag would resize.
bool GridHeader::onResizeEdge(int x) const {
    const int column = logicalIndexAt(x);
    if (column < 0)
        return false;
    const int grip = style()->pixelMetric(QStyle::PM_HeaderGripMargin, nullptr, this);
    const int left = sectionViewportPosition(column);
    if (x < left + grip)
        return visualIndex(column) > 0;
    return x > left + sectionSize(column) - grip;
}

// The column under x, taking a point beyond the header's ends at the edge it passed.
int GridHeader::columnTowards(int x) const {
    return logicalIndexAt(std::clamp(x, 0, std::max(0, viewport()->width() - 1)));
}

void GridHeader::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || pressed_ >= 0 || resizing_)
        return;
    const int x = event->position().toPoint().x();
    if (onResizeEdge(x)) {
        resizing_ = true;
        QHeaderView::mousePressEvent(event);
        return;
    }
    const int column = logicalIndexAt(x);
    if (column < 0)
        return;
    pressed_ = current_ = column;
    wandered_ = false;
    emit swept(column, column);
}

void GridHeader::mouseMoveEvent(QMouseEvent* event) {
    if (pressed_ < 0) {
        QHeaderView::mouseMoveEvent(event);
        return;
    }
    const int column = columnTowards(event->position().toPoint().x());
    if (column < 0 || column == current_)
        return;
    current_ = column;
    wandered_ = true;
    emit swept(pressed_, column);
}

void GridHeader::mouseReleaseEvent(QMouseEvent* event) {
    if (resizing_) {
        resizing_ = false;
        QHeaderView::mouseReleaseEvent(event);
        return;
    }
    if (pressed_ < 0 || event->button() != Qt::LeftButton)
        return;
    const int column = pressed_;
    const bool click = !wandered_ && logicalIndexAt(event->position().toPoint()) == column;
    pressed_ = current_ = -1;
    if (click)
        emit headClicked(column);
}

void GridHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    if (!block_.contains(logicalIndex)) {
        QHeaderView::paintSection(painter, rect, logicalIndex);
        return;
    }
    // A selected column's caption in the highlight colours, laid out as the style lays it.
    QStyleOptionHeader option;
    initStyleOption(&option);
    initStyleOptionForIndex(&option, logicalIndex);
    option.rect = rect;
    option.rect = style()->subElementRect(QStyle::SE_HeaderLabel, &option, this);
    option.palette.setBrush(QPalette::ButtonText, palette().brush(QPalette::HighlightedText));
    painter->save();
    painter->fillRect(rect, palette().brush(QPalette::Highlight));
    painter->setPen(palette().color(QPalette::Dark));
    painter->drawLine(rect.topRight(), rect.bottomRight());
    painter->drawLine(rect.bottomLeft(), rect.bottomRight());
    style()->drawControl(QStyle::CE_HeaderLabel, &option, painter, this);
    painter->restore();
}

} // namespace ui
