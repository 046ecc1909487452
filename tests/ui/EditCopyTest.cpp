// Edit > Copy in the real window over the Access sample file: the visible tree from the selected
// node, the selected grid columns of the rows behind the selected node, and what copies nothing.
#include "support/NwindWindowFixture.h"
#include "tree/LocaleScope.h"
#include "tree/NodeValue.h"

#include <QTableView>
#include <QTest>
#include <QTreeView>

namespace {

class EditCopy : public NwindWindowFixture {
protected:
    // Copies from the pane after giving it the focus, as a click into it does.
    QString copyTree() {
        emit form->tvTreeView->GotFocus();
        form->mnuEditCopy->trigger();
        return seam.clipboard;
    }
    QString copyGrid(int first, int last) {
        emit form->grdDataGrid->GotFocus();
        form->grdDataGrid->setSelStartCol(first);
        form->grdDataGrid->setSelEndCol(last);
        form->mnuEditCopy->trigger();
        return seam.clipboard;
    }
    // The child of `node` whose label begins with `value` and a blank.
    static tree::NodePtr child(const tree::NodePtr& node, const QString& value) {
        for (tree::NodePtr c = node->Child(); c; c = c->Next())
            if (c->Text().startsWith(value + " ("))
                return c;
        return nullptr;
    }
    void expectQuiet() {
        EXPECT_TRUE(seam.messages.empty()) << seam.messages[0].text.toStdString();
        EXPECT_EQ(status(), "Ready");
        EXPECT_EQ(seam.mousePointer(), ui::PointerDefault);
    }

    const test::LocaleScope region{test::UnitedStates};
};

} // namespace

TEST_F(EditCopy, TheTreeFromTheSelectedNodeAndTheSelectedGridColumnsOfItsRows) {
    openTable("Shippers");
    tree::NodePtr root = form->tvTreeView->Nodes(1);
    click(root);
    const tree::NodePtr first = child(root, "1"), second = child(root, "2");
    click(second);
    second->setExpanded(false); // its child stays out
    click(first);
    click(first->Child());
    const QString speedy = "\t1 (1)\n\t\tSpeedy Express (1)\n\t\t\t(503) 555-9831 (1)\n";
    EXPECT_EQ(copyTree(), "Speedy Express (1)\n\t(503) 555-9831 (1)\n");
    click(first);
    EXPECT_EQ(copyTree(), "1 (1)\n\tSpeedy Express (1)\n\t\t(503) 555-9831 (1)\n");
    // With no node selected, the whole tree as far as it is open; Ctrl+C in the tree copies too.
    form->tvTreeView->setSelectedItem(nullptr);
    seam.clipboard.clear();
    form->tvTreeView->view()->setFocus();
    QTest::keyClick(form->tvTreeView->view(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(seam.clipboard, "Quarrymere (3; Min: 1.00; Max: 3.00; Avg: 2.00; Sum: 6.00)\n" +
                                  speedy + "\t2 (1)\n\t3 (1)\n");

    // Grid columns: every row behind the node, fetched afresh; the values of several columns as
    // the engine's & writes them, a single one as the grid shows it, Null as nothing; each line
    // ends with LF.
    ui::script::queuePick(seam, "Orders");
    form->mnuFileOpen->trigger();
    root = form->tvTreeView->Nodes(1);
    click(root);
    click(child(root, "10248"));
    EXPECT_EQ(copyGrid(3, 7), "OrderDate\tRequiredDate\tShippedDate\tShipVia\tFreight\n"
                              "8/4/1994\t9/1/1994\t8/16/1994\t3\t32.38\n");
    EXPECT_EQ(copyGrid(10, 11), "ShipCity\tShipRegion\nReims\t\n");
    click(child(root, "11008")); // not shipped
    EXPECT_EQ(copyGrid(5, 5), "ShippedDate\n\n");
    // With no column selected, a clicked cell's column.
    form->mnuExtrasAutoQ->trigger(); // the grid shows the node's rows
    form->grdDataGrid->setSelStartCol(-1);
    auto* view = form->grdDataGrid->findChild<QTableView*>();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                      view->visualRect(view->model()->index(0, 1)).center());
    form->mnuEditCopy->trigger();
    EXPECT_EQ(seam.clipboard, "CustomerID\nERNSH\n");
    expectQuiet();
}

// Nothing reaches the clipboard before a pane had the focus, or from a grid without selected
// columns. A node whose rows are gone fails at its first row: the "Error!" box, the clipboard as
// it was, and "Ready" with the default pointer, since nothing is at work any more.
TEST_F(EditCopy, NothingToCopyAndRowsThatAreGoneLeaveTheClipboardAlone) {
    openWindow(false); // hidden: no pane gets the focus
    seam.clipboard = "kept";
    form->mnuEditCopy->trigger();
    EXPECT_EQ(state->ActivePane, Pane::None);
    expectQuiet();
    openTable("Shippers");
    emit form->grdDataGrid->GotFocus();
    form->mnuEditCopy->trigger();
    EXPECT_FALSE(seam.clipboardCleared);
    EXPECT_TRUE(seam.messages.empty());
    EXPECT_TRUE(status().startsWith("Select the columns to copy")) << status().toStdString();
    EXPECT_EQ(seam.mousePointer(), ui::PointerDefault);

    const tree::NodePtr root = form->tvTreeView->Nodes(1);
    click(root);
    const tree::NodePtr node = root->Child();
    click(node);
    auto gone = std::any_cast<tree::NodeValue>(node->Value());
    gone.value = 99;
    node->setValue(gone);
    EXPECT_EQ(copyGrid(0, 1), "kept");
    EXPECT_FALSE(seam.clipboardCleared);
    EXPECT_TRUE(errorShown().startsWith("Either BOF or EOF is True"));
    EXPECT_EQ(status(), "Ready");
    EXPECT_EQ(seam.mousePointer(), ui::PointerDefault);
}
