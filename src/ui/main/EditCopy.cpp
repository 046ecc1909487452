// Edit > Copy: the pane that last had the focus as plain text on the clipboard.
#include "data/Dialect.h"
#include "grid/CopyStatement.h"
#include "grid/CopyText.h"
#include "state/Module1.h"
#include "ui/controls/TreeView.h"
#include "ui/main/DataGrid.h"
#include "ui/main/TreeText.h"
#include "ui/main/frmMain.h"
#include "ui/seam/UiSeam.h"

using namespace ui;

namespace {
const QString NothingToCopy =
    QStringLiteral("Select the columns to copy by their headers, or click a cell of one.");
} // namespace

// The tree copies its visible part from the selected node down (the whole visible tree when no
// node is selected). The grid copies its selected columns of every row behind the selected node,
// read afresh from the data source; with no column selected, the column of the cell last clicked;
// with neither, the status bar says what to select. The clipboard is cleared only once all rows
// are read, so a failure leaves it as it was. Any other pane copies nothing. A failure shows the
// "Error!" box after "Ready" and the default pointer are back, since nothing is at work any more.
void frmMain::mnuEditCopy_Click() {
    feedback_.trap(
        [this] {
            feedback_.busy("Copying data...");
            if (m_.ActivePane == Pane::Tree) {
                seam_.clipboardClear();
                seam_.clipboardSetText(
                    TreeViewToString(*tvTreeView, tvTreeView->SelectedItem(), true));
            } else if (m_.ActivePane == Pane::Grid) {
                int first = grdDataGrid->SelStartCol(), last = grdDataGrid->SelEndCol();
                if (first < 0)
                    first = last = grdDataGrid->CurrentCol();
                if (first < 0) {
                    feedback_.ready();
                    feedback_.status(NothingToCopy);
                    return;
                }
                const tree::GroupingModel& grouping = m_.Grouping;
                const grid::CopyStatement copy = grid::copyStatement(
                    grouping.ColInfo, first, last, grouping.RecordSource,
                    data::dialectOf(m_.DbProvider), makeFilter(m_.SelectedDepth));
                const QString text = grid::copyText(copy, m_.DbConnection);
                seam_.clipboardClear();
                seam_.clipboardSetText(text);
            }
            feedback_.ready();
        },
        Feedback::OnFailure::ReadyFirst);
}

QString frmMain::TreeViewToString(const TreeView& TV, const NodePtr& StartNode, bool OnlyVisible) {
    return treeText(TV, StartNode, OnlyVisible,
                    [this](const std::exception& failure) { feedback_.showError(failure); });
}
