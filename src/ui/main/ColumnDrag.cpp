// The grid's header as the place where the tree's grouping order changes: a press and drag
// along the header selects a block of adjacent columns, a press on the selected block picks it
// up, and releasing it over a gap between columns moves it there. The column table follows,
// the tree keeps the levels the move leaves valid (or starts again from a new root) and the
// grid shows its columns in the new order.
#include "grid/DropGap.h"
#include "state/Module1.h"
#include "ui/main/DataGrid.h"
#include "ui/main/TreeView.h"
#include "ui/main/frmMain.h"
#include "ui/seam/UiSeam.h"

#include <QLabel>

using namespace ui;

namespace {

// Within this many twips of the grid's left or right edge a held button scrolls the grid by a
// column.
constexpr double EdgeScrollMargin = 500;

} // namespace

std::vector<grid::ColumnExtent> frmMain::gridColumnExtents() const {
    const GridColumns columns = grdDataGrid->Columns();
    std::vector<grid::ColumnExtent> extents(size_t(columns.Count()));
    for (int i = 0; i < columns.Count(); ++i)
        extents[size_t(i)] = {columns.Left(i), columns.Width(i)};
    return extents;
}

bool frmMain::gridSelectionExists() const {
    return grdDataGrid->SelStartCol() > -1 && grdDataGrid->SelEndCol() > -1;
}

// Whether x lies over the selected columns.
bool frmMain::overGridSelection(double x) const {
    return grid::overColumns(gridColumnExtents(), grdDataGrid->SelStartCol(),
                             grdDataGrid->SelEndCol(), x);
}

std::optional<int> frmMain::gridDropGap(double x, grid::GapPick pick) const {
    return grid::dropGap(gridColumnExtents(), grdDataGrid->Width(), x, grdDataGrid->SelStartCol(),
                         grdDataGrid->SelEndCol(), pick);
}

void frmMain::scrollGridAtEdge(double x) {
    if (!GridMouseDown)
        return;
    if (x < EdgeScrollMargin)
        grdDataGrid->Scroll(-1, 0);
    else if (x > grdDataGrid->Width() - EdgeScrollMargin)
        grdDataGrid->Scroll(1, 0);
}

// The dragged block stays highlighted wherever the pointer goes.
void frmMain::keepDraggedBlock() {
    grdDataGrid->setSelStartCol(DragSelStart);
    grdDataGrid->setSelEndCol(DragSelEnd);
}

void frmMain::grdDataGrid_MouseDown(int button, int, double x, double y) {
    feedback_.trap([&] {
        const bool band = grid::inHeaderBand(y, grdDataGrid->RowHeight());
        const bool left = button == 1;
        if (left && band && !SelectingColumns && !gridSelectionExists()) {
            // The header sweeps the new selection itself.
            SelectingColumns = true;
            DraggingColumns = false;
        }
        if (gridSelectionExists()) {
            const bool over = overGridSelection(x);
            if (left && band && !over) {
                SelectingColumns = true;
                DraggingColumns = false;
            }
            if (left && band && over && !SelectingColumns) {
                DraggingColumns = true;
                // Picking the block up must not collapse it to the column pressed on.
                keepDraggedBlock();
                grdDataGrid->Drag(DragBegin);
                keepDraggedBlock();
            }
        }
        GridMouseDown = true;
    });
}

void frmMain::grdDataGrid_MouseMove(int button, int, double x, double y) {
    feedback_.trap([&] {
        scrollGridAtEdge(x);
        if (!SelectingColumns && gridSelectionExists() && button == 1 &&
            grid::inHeaderBand(y, grdDataGrid->RowHeight()) && overGridSelection(x)) {
            grdDataGrid->setDragIcon(ddrag);
            grdDataGrid->Drag(DragBegin);
        }
    });
}

void frmMain::grdDataGrid_MouseUp(int, int, double, double) {
    feedback_.trap(
        [&] {
            GridMouseDown = false;
            if (SelectingColumns) {
                SelectingColumns = false;
                DragSelStart = grdDataGrid->SelStartCol();
                DragSelEnd = grdDataGrid->SelEndCol();
            }
        },
        Feedback::OnFailure::ReadyFirst);
}

void frmMain::grdDataGrid_DragOver(QObject*, double x, double y, int) {
    feedback_.trap([&] {
        scrollGridAtEdge(x);
        keepDraggedBlock();
        if (!DraggingColumns)
            return;
        const bool droppable = grid::inHeaderBand(y, grdDataGrid->RowHeight()) &&
                               gridDropGap(x, grid::GapPick::First).has_value();
        grdDataGrid->setDragIcon(droppable ? drop : ndrop);
    });
}

void frmMain::grdDataGrid_DragDrop(QObject*, double x, double) {
    feedback_.trap([&] {
        GridMouseDown = false;
        // The last feedback said the block cannot go here.
        if (grdDataGrid->dragIconIs(ndrop))
            return;
        if (DraggingColumns)
            if (const std::optional<int> gap = gridDropGap(x, grid::GapPick::Last))
                moveGridColumns(*gap);
        DraggingColumns = false;
        lblTitle[1]->setText(m_.Grouping.RecordSource);
        lblTitle[1]->repaint();
    });
}

void frmMain::moveGridColumns(int gap) {
    const int start = grdDataGrid->SelStartCol();
    const int last = grdDataGrid->SelEndCol() - start;
    const tree::GroupingModel::BlockMove move = m_.Grouping.moveBlock(start, start + last, gap);
    DragSelStart = move.first;
    DragSelEnd = move.first + last;

    if (move.discardFrom > 0) {
        seam_.setMousePointer(PointerHourglass);
        delNodes(tvTreeView->Nodes(1), move.discardFrom, 0);
        feedback_.ready();
        // The levels still standing group by the same columns as before; those below them
        // are built in the new order, which the source prepares for.
        prepareGrouping();
    } else {
        feedback_.busy("Deleting tree...");
        resetTree("Quarrymere");
        feedback_.ready();
        lblTitle[0]->setText("Column: ");
        TreeBuildRoot();
        tvTreeView->setSelectedItem(tvTreeView->Nodes(1).get());
    }
    // Pruning can take the selected node with it; the tree then selects its ancestor at the
    // deepest level kept. The grid's rows and later copies are those of the node now selected.
    m_.SelectedDepth = selectedNodeDepth();
    listDetails();
    // A new binding clears the grid's selection: the moved block stays selected at its place.
    keepDraggedBlock();
}
