// Regrouping by moving columns in the real window's grid header over nwind's Orders, with the
// mouse: the header's selection and pick-up, refused drops, the right button and edge
// scrolling, and the tree and grid after moves.
#include "drill/ColumnMoves.h"
#include "support/NwindWindowFixture.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QScrollBar>

namespace {

class ColumnDrag : public NwindWindowFixture {
protected:
    void SetUp() override {
        NwindWindowFixture::SetUp();
        store("AutoQuery", "True");
        openTable("Orders");
    }
    QTableView* view() { return form->grdDataGrid->findChild<QTableView*>(); }
    QHeaderView* header() { return view()->horizontalHeader(); }
    QPoint onHeader(int column) {
        return {header()->sectionViewportPosition(column) + header()->sectionSize(column) / 2,
                header()->height() / 2};
    }
    QPoint edgeBefore(int column) { return {header()->sectionViewportPosition(column), 8}; }
    void mouse(QEvent::Type type, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
        QWidget* heads = header()->viewport();
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
        QMouseEvent event(type, at, heads->mapToGlobal(at),
                          type == QEvent::MouseMove ? Qt::NoButton : button, held, Qt::NoModifier);
        QApplication::sendEvent(heads, &event);
    }
    void move(int start, int end, int gap) {
        ASSERT_EQ(drill::dragColumns(*form, {start, end, gap}), std::nullopt);
    }
    QString columns() { return drill::gridColumnNames(*form); }
    int block() { return form->grdDataGrid->SelStartCol() * 10 + form->grdDataGrid->SelEndCol(); }
    tree::NodePtr child(const tree::NodePtr& node, int index) {
        tree::NodePtr c = node->Child();
        for (int i = 0; i < index; ++i)
            c = c->Next();
        return c;
    }
};

const QString OrdersColumns = "OrderID | CustomerID | EmployeeID | OrderDate | RequiredDate | "
                              "ShippedDate | ShipVia | Freight | ShipName | ShipAddress | ShipCity "
                              "| ShipRegion | ShipPostalCode | ShipCountry";

} // namespace

TEST_F(ColumnDrag, HeaderSelectsPicksUpRefusesAndMovesABlock) {
    form->resize(700, 500);
    settle();
    QScrollBar* across = view()->horizontalScrollBar();
    ASSERT_GT(across->maximum(), 0);

    // The right button selects nothing, yet scrolls the grid near its edge while held.
    mouse(QEvent::MouseButtonPress, onHeader(1), Qt::RightButton);
    mouse(QEvent::MouseMove, {header()->viewport()->width() - 4, 8}, Qt::RightButton);
    mouse(QEvent::MouseMove, {header()->viewport()->width() - 4, 8}, Qt::RightButton);
    EXPECT_EQ(across->value(), 2) << "one column per move";
    mouse(QEvent::MouseMove, {header()->viewport()->width() / 2, 8}, Qt::RightButton);
    EXPECT_EQ(across->value(), 2);
    mouse(QEvent::MouseButtonRelease, onHeader(1), Qt::RightButton);
    EXPECT_EQ(block(), -11);
    form->grdDataGrid->Scroll(-2, 0);

    // A held left button moving along the header selects nothing without a press there.
    mouse(QEvent::MouseMove, onHeader(2));
    EXPECT_EQ(block(), -11);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    mouse(QEvent::MouseButtonPress, onHeader(1));
    mouse(QEvent::MouseMove, onHeader(2));
    mouse(QEvent::MouseButtonRelease, onHeader(2));
    EXPECT_EQ(block(), 12);

    // Picked up, the block is offered the gap right before it: refused, nothing moves.
    mouse(QEvent::MouseButtonPress, onHeader(2));
    EXPECT_NE(QApplication::overrideCursor(), nullptr);
    mouse(QEvent::MouseMove, edgeBefore(1));
    EXPECT_TRUE(form->grdDataGrid->dragIconIs(form->columnDrag().ndrop));
    mouse(QEvent::MouseButtonRelease, edgeBefore(1));
    EXPECT_EQ(columns(), OrdersColumns);
    EXPECT_EQ(block(), 12);

    // To the front: a new root for the new first column, and the block selected in its place.
    mouse(QEvent::MouseButtonPress, onHeader(1));
    mouse(QEvent::MouseMove, edgeBefore(0) + QPoint(3, 0));
    EXPECT_TRUE(form->grdDataGrid->dragIconIs(form->columnDrag().drop));
    mouse(QEvent::MouseButtonRelease, edgeBefore(0) + QPoint(3, 0));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(columns().startsWith("CustomerID | EmployeeID | OrderID | OrderDate"));
    EXPECT_EQ(block(), 1);
    const tree::NodePtr root = form->tvTreeView->Nodes(1);
    EXPECT_EQ(root->Text(), "Quarrymere (830)");
    EXPECT_EQ(form->tvTreeView->SelectedItem(), root);
    EXPECT_EQ(form->lblTitle[1]->text(), "[Orders]");
    EXPECT_EQ(gridColumn(0).size(), 830);
    EXPECT_TRUE(seam.messages.empty());
}

TEST_F(ColumnDrag, AMoveKeepsTheLevelsThatStillHoldAndTheSelectedNodesRows) {
    move(6, 6, 0); // ShipVia first: three groups
    const tree::NodePtr root = form->tvTreeView->Nodes(1);
    EXPECT_TRUE(root->Text().startsWith("Quarrymere (830; Min: 1.00; Max: 3.00;"));
    click(root);
    const tree::NodePtr via = child(root, 1); // a shipper, then one of its orders
    click(via);
    const tree::NodePtr order = child(via, 0);
    click(order);
    const int kept = form->tvTreeView->Count() - order->Children();

    // ShipName between OrderID and CustomerID, neither of which shows figures: the levels that
    // group by the columns before them hold, the order's level grouped by CustomerID goes.
    move(8, 8, 2);
    EXPECT_TRUE(columns().startsWith("ShipVia | OrderID | ShipName | CustomerID | EmployeeID"));
    EXPECT_EQ(form->tvTreeView->Count(), kept);
    EXPECT_EQ(form->tvTreeView->SelectedItem(), order);
    EXPECT_EQ(state->SelectedDepth, 2);
    EXPECT_EQ(gridColumn(1), QStringList{order->Text().section(' ', 0, 0)});

    // CustomerID after OrderDate: EmployeeID, which shows figures, takes its place, so the
    // level whose labels show that column's figures goes.
    click(order);
    ASSERT_GT(order->Children(), 0);
    EXPECT_FALSE(order->Child()->Text().contains("; Min: "));
    move(3, 3, 6);
    EXPECT_TRUE(columns().startsWith("ShipVia | OrderID | ShipName | EmployeeID | OrderDate | "
                                     "CustomerID"));
    EXPECT_EQ(order->Children(), 0);
    click(order);
    EXPECT_TRUE(order->Child()->Text().contains("; Min: ")) << order->Child()->Text().toStdString();

    // ShipName after OrderDate, with a node of the level below the order selected: the levels
    // from the orders' down go, the shipper is selected and the grid shows its rows.
    click(order->Child());
    move(2, 2, 5);
    EXPECT_TRUE(columns().startsWith("ShipVia | OrderID | EmployeeID | OrderDate | ShipName"));
    EXPECT_EQ(via->Children(), 0);
    EXPECT_EQ(form->tvTreeView->SelectedItem(), via);
    EXPECT_EQ(state->SelectedDepth, 1);
    const QStringList shipVia = gridColumn(0);
    EXPECT_EQ(QString::number(shipVia.size()), via->Text().section('(', 1).section(';', 0, 0));
    EXPECT_EQ(shipVia.count(via->Text().section(' ', 0, 0)), shipVia.size());
    EXPECT_TRUE(seam.messages.empty());
}
