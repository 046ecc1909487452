#include "ui/main/ColumnDrag.h"

#include "ui/controls/Feedback.h"
#include "ui/controls/Pictures.h"
#include "ui/main/DataGrid.h"

namespace ui {

namespace {

// Within this many twips of the grid's left or right edge a held button scrolls the grid by a
// column.
constexpr double EdgeScrollMargin = 500;

} // namespace

ColumnDrag::ColumnDrag(DataGrid& grid, Feedback& feedback)
    : ddrag(dragPicture()), drop(dropPicture()), ndrop(noDropPicture()), grid_(grid),
      feedback_(feedback) {}

void ColumnDrag::reset() {
    DraggingColumns = false;
    SelectingColumns = false;
    GridMouseDown = false;
}

std::vector<grid::ColumnExtent> ColumnDrag::columnExtents() const {
    const GridColumns columns = grid_.Columns();
    std::vector<grid::ColumnExtent> extents(size_t(columns.Count()));
    for (int i = 0; i < columns.Count(); ++i)
        extents[size_t(i)] = {columns.Left(i), columns.Width(i)};
    return extents;
}

bool ColumnDrag::selectionExists() const {
    return grid_.SelStartCol() > -1 && grid_.SelEndCol() > -1;
}

// Whether x lies over the selected columns.
bool ColumnDrag::overSelection(double x) const {
    return grid::overColumns(columnExtents(), grid_.SelStartCol(), grid_.SelEndCol(), x);
}

std::optional<int> ColumnDrag::dropGap(double x, grid::GapPick pick) const {
    return grid::dropGap(columnExtents(), grid_.Width(), x, grid_.SelStartCol(), grid_.SelEndCol(),
                         pick);
}

void ColumnDrag::scrollAtEdge(double x) {
    if (!GridMouseDown)
        return;
    if (x < EdgeScrollMargin)
        grid_.Scroll(-1, 0);
    else if (x > grid_.Width() - EdgeScrollMargin)
        grid_.Scroll(1, 0);
}

// The dragged block stays highlighted wherever the pointer goes.
void ColumnDrag::keepDraggedBlock() {
    grid_.setSelStartCol(DragSelStart);
    grid_.setSelEndCol(DragSelEnd);
}

void ColumnDrag::MouseDown(int button, int, double x, double y) {
    feedback_.trap([&] {
        const bool band = grid::inHeaderBand(y, grid_.RowHeight());
        const bool left = button == 1;
        if (left && band && !SelectingColumns && !selectionExists()) {
            // The header sweeps the new selection itself.
            SelectingColumns = true;
            DraggingColumns = false;
        }
        if (selectionExists()) {
            const bool over = overSelection(x);
            if (left && band && !over) {
                SelectingColumns = true;
                DraggingColumns = false;
            }
            if (left && band && over && !SelectingColumns) {
                DraggingColumns = true;
                // Picking the block up must not collapse it to the column pressed on.
                keepDraggedBlock();
                grid_.Drag(DragBegin);
                keepDraggedBlock();
            }
        }
        GridMouseDown = true;
    });
}

void ColumnDrag::MouseMove(int button, int, double x, double y) {
    feedback_.trap([&] {
        scrollAtEdge(x);
        if (!SelectingColumns && selectionExists() && button == 1 &&
            grid::inHeaderBand(y, grid_.RowHeight()) && overSelection(x)) {
            grid_.setDragIcon(ddrag);
            grid_.Drag(DragBegin);
        }
    });
}

void ColumnDrag::MouseUp(int, int, double, double) {
    feedback_.trap(
        [&] {
            GridMouseDown = false;
            if (SelectingColumns) {
                SelectingColumns = false;
                DragSelStart = grid_.SelStartCol();
                DragSelEnd = grid_.SelEndCol();
            }
        },
        Feedback::OnFailure::ReadyFirst);
}

void ColumnDrag::DragOver(QObject*, double x, double y, int) {
    feedback_.trap([&] {
        scrollAtEdge(x);
        keepDraggedBlock();
        if (!DraggingColumns)
            return;
        const bool droppable = grid::inHeaderBand(y, grid_.RowHeight()) &&
                               dropGap(x, grid::GapPick::First).has_value();
        grid_.setDragIcon(droppable ? drop : ndrop);
    });
}

void ColumnDrag::DragDrop(QObject*, double x, double) {
    feedback_.trap([&] {
        GridMouseDown = false;
        // The last feedback said the block cannot go here.
        if (grid_.dragIconIs(ndrop))
            return;
        if (DraggingColumns)
            if (const std::optional<int> gap = dropGap(x, grid::GapPick::Last))
                moveSelection(*gap);
        DraggingColumns = false;
        if (dropped)
            dropped();
    });
}

void ColumnDrag::moveSelection(int gap) {
    const int start = grid_.SelStartCol();
    const int last = grid_.SelEndCol() - start;
    DragSelStart = move(start, start + last, gap);
    DragSelEnd = DragSelStart + last;
    // A new binding clears the grid's selection: the moved block stays selected at its place.
    keepDraggedBlock();
}

} // namespace ui
