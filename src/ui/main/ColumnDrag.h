#pragma once

#include "grid/DropGap.h"

#include <QPixmap>
#include <functional>
#include <optional>
#include <vector>

class QObject;

namespace ui {

class DataGrid;
class Feedback;

// The grid's header as the place where the tree's grouping order changes: a press and drag
// along the header selects a block of adjacent columns, a press on the selected block picks it
// up, and releasing it over a gap between columns moves it there. What the move does to the
// column table, the tree and the grid's rows is the window's (`move`); the header's state
// during the drag is kept here. Positions are twips from the grid's corner.
class ColumnDrag {
public:
    ColumnDrag(DataGrid& grid, Feedback& feedback);

    // Moves the grid's columns `first` to `last` into `gap` and shows the grid in the new
    // order; answers the block's first column at its new place.
    std::function<int(int first, int last, int gap)> move;
    // Told at the end of every drop, moved or not.
    std::function<void()> dropped;

    // The pictures the pointer shows: a block picked up, over a gap it can drop into, and over
    // one it cannot.
    QPixmap ddrag, drop, ndrop;

    bool DraggingColumns = false;
    bool SelectingColumns = false;
    bool GridMouseDown = false;
    int DragSelStart = 0;
    int DragSelEnd = 0;

    void MouseDown(int button, int shift, double x, double y);
    void MouseMove(int button, int shift, double x, double y);
    void MouseUp(int button, int shift, double x, double y);
    void DragOver(QObject* source, double x, double y, int state);
    void DragDrop(QObject* source, double x, double y);
    // Forgets a selection or drag in progress.
    void reset();

private:
    // The grid's columns measured, and the header's block and drop gaps on them.
    std::vector<grid::ColumnExtent> columnExtents() const;
    bool selectionExists() const;
    bool overSelection(double x) const;
    std::optional<int> dropGap(double x, grid::GapPick pick) const;
    void scrollAtEdge(double x);
    void keepDraggedBlock();
    void moveSelection(int gap);

    DataGrid& grid_;
    Feedback& feedback_;
};

} // namespace ui
