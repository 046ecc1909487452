#pragma once

#include <QHeaderView>

namespace ui {

class ColumnBlock;

// The grid's column header. Pressing the left button on a column and dragging along the header
// sweeps a block of adjacent columns; pressing and releasing on one column without wandering to
// another is a click on it. The header reports both and draws the grid's block highlighted; the
// owner keeps the block itself. Pressing on the edge between two columns resizes as usual.
class GridHeader : public QHeaderView {
    Q_OBJECT

public:
    explicit GridHeader(const ColumnBlock& block, QWidget* parent = nullptr);

    // Drops a press in progress without a click, for when a drag of the grid takes the mouse.
    void abandonPress();

signals:
    void swept(int from, int to);
    void headClicked(int column);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

private:
    bool onResizeEdge(int x) const;
    int columnTowards(int x) const;

    const ColumnBlock& block_;
    int pressed_ = -1;
    int current_ = -1;
    bool wandered_ = false;
    bool resizing_ = false;
};

} // namespace ui
