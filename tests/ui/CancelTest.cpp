// Escape in the middle of an operation of the real window: the tree, the grid and the clipboard
// stay as they were, the status says "Cancelled" with no "Error!" box, and the next command
// works. Escape is pressed just before the command and heard at the operation's first turn of
// the window's events, as a key pressed while the window is busy is.
#include "data/Recordset.h"
#include "support/NwindWindowFixture.h"
#include "ui/main/frmMain.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace {

class Cancelling : public NwindWindowFixture {
protected:
    // The rows the grid's view holds now, without reading more.
    QStringList shownRows() {
        QAbstractItemModel& shown = *form->grdDataGrid->findChild<QTableView*>()->model();
        QStringList rows;
        for (int r = 0; r < shown.rowCount(); ++r)
            rows << shown.index(r, 0).data().toString() + ' ' + shown.index(r, 3).data().toString();
        return rows;
    }
    void pressEscape() {
        QCoreApplication::postEvent(
            form->tvTreeView->findChild<QWidget*>(),
            new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
    }
};

TEST_F(Cancelling, LeavesTreeGridAndClipboardAsTheyWereAndTheNextCommandWorks) {
    store("AutoQuery", "True");
    openTable("Order Details");
    const ui::NodePtr root = form->tvTreeView->Nodes(1);

    // A level of the tree: nothing half-built under the node.
    pressEscape();
    click(root);
    EXPECT_EQ(root->Children(), 0);
    EXPECT_EQ(status(), "Cancelled");
    click(root);
    EXPECT_GT(root->Children(), 800);
    EXPECT_EQ(status(), "Ready");

    // A sort of the grid that runs its statement again (its rows are not all read).
    const QStringList rows = shownRows();
    emit form->grdDataGrid->HeadClick(3);
    pressEscape();
    emit form->grdDataGrid->DblClick();
    EXPECT_EQ(status(), "Cancelled");
    EXPECT_EQ(shownRows(), rows);
    EXPECT_EQ(state->DetailRecordset->Sort(), "");
    emit form->grdDataGrid->DblClick();
    EXPECT_NE(shownRows(), rows);
    EXPECT_EQ(gridRows().size(), 2155);

    // Copy of every row's columns.
    seam.clipboard = "kept";
    form->grdDataGrid_GotFocus();
    form->grdDataGrid->setSelStartCol(0);
    form->grdDataGrid->setSelEndCol(4);
    pressEscape();
    form->mnuEditCopy->trigger();
    EXPECT_EQ(seam.clipboard, "kept");
    EXPECT_EQ(status(), "Cancelled");
    form->mnuEditCopy->trigger();
    EXPECT_EQ(seam.clipboard.count('\r'), 2156);

    EXPECT_TRUE(seam.messages.empty()) << seam.messages[0].text.toStdString();
}

// The index that speeds up the tree is made when the window is idle; the first input stops it and
// goes ahead, and it is made once the window is idle again.
TEST_F(Cancelling, TheTreesIndexGivesWayToInputAndIsMadeLater) {
    openTable("Order Details");
    QCoreApplication::postEvent(form->tvTreeView->findChild<QWidget*>(),
                                new QKeyEvent(QEvent::KeyPress, Qt::Key_End, Qt::NoModifier));
    // The preparation waits for the event loop, as the index does after a table opens.
    QCoreApplication::processEvents();
    EXPECT_EQ(status(), "Ready");
    // Was it stopped and is it pending again? Finishing it now makes it, and the clicks that
    // follow give what they gave without it.
    const ui::NodePtr root = form->tvTreeView->Nodes(1);
    click(root);
    const int children = root->Children();
    form->finishPreparing();
    form->delNodes(root, 1, 0);
    click(root);
    EXPECT_EQ(root->Children(), children);
    EXPECT_TRUE(seam.messages.empty());
}

} // namespace
