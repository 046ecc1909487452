#pragma once

#include "ui/main/ColumnBlock.h"
#include "ui/main/GridColumns.h"
#include "ui/main/GridDrag.h"
#include "ui/main/MouseRelay.h"

#include <QPixmap>
#include <QWidget>
#include <memory>

class QAbstractItemModel;
class QTableView;

namespace ui {

class GridHeader;

// What Drag is asked to do with a drag of the grid.
enum DragAction { DragCancel = 0, DragBegin = 1, DragEnd = 2 };

// The data grid: every column of the bound model in order, under a header one row high. The
// handlers work the grid through these members alone, so they keep the grid control's terms:
// positions and sizes in twips relative to the grid's top left corner, columns counted from 0,
// and a selection that is a block of adjacent columns, swept by pressing on a column header and
// dragging along it. The grid is also the container that gets dragged when a handler picks a
// column block up.
class DataGrid : public QWidget {
    Q_OBJECT

public:
    explicit DataGrid(QWidget* parent = nullptr);
    ~DataGrid() override;

    // Binds the rows and columns to show, and clears the column selection. A model that fetches
    // its rows in portions keeps doing so: the grid asks only for the rows it shows.
    void setDataSource(std::shared_ptr<QAbstractItemModel> model);
    std::shared_ptr<QAbstractItemModel> dataSource() const { return model_; }

    // The selected column block's ends, -1 when no column is selected. Setting a negative end
    // clears the selection; setting one end while none is selected selects that one column.
    int SelStartCol() const { return block_.start(); }
    int SelEndCol() const { return block_.end(); }
    void setSelStartCol(int column);
    void setSelEndCol(int column);
    // The column of the cell last clicked or moved to with the keys, -1 when there is none.
    int CurrentCol() const;

    // The height of a data row, which is also the header's height: the header band is
    // 0 < Y < RowHeight.
    double RowHeight() const;
    GridColumns Columns() const;
    // Scrolls by whole columns and rows, stopping at either end.
    void Scroll(int cols, int rows);

    double Width() const;

    // The pointer shown while the grid is dragged. Handlers tell the pictures apart by
    // dragIconIs, which holds for the very picture set and its copies.
    void setDragIcon(const QPixmap& picture);
    QPixmap DragIcon() const { return dragIcon_; }
    bool dragIconIs(const QPixmap& picture) const;

    // DragBegin, usually from a MouseDown or MouseMove handler, drags the grid until the button
    // comes up: meanwhile the grid raises DragOver instead of MouseMove and, when the button
    // comes up over it, DragDrop instead of MouseUp. DragCancel ends the drag without a drop;
    // DragEnd ends it as if the button came up where the pointer is.
    void Drag(int action);

signals:
    void GotFocus();
    void HeadClick(int colIndex);
    void DblClick();
    void MouseDown(const ui::MouseArgs& args);
    void MouseMove(const ui::MouseArgs& args);
    void MouseUp(const ui::MouseArgs& args);
    void DragOver(QObject* source, double x, double y, int state);
    void DragDrop(QObject* source, double x, double y);

protected:
    bool eventFilter(QObject* object, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void relayMouse(QWidget* watched);
    void sweep(int from, int to);
    void clearBlock();
    void repaintBlock();
    void fitRowHeight();

    ColumnBlock block_;
    std::shared_ptr<QAbstractItemModel> model_;
    QTableView* view_;
    QWidget* cells_ = nullptr; // the view's viewport, where the rows are drawn
    GridHeader* header_;
    GridDrag drag_;
    QPixmap dragIcon_;
};

} // namespace ui
