// The grouping tree and the detail grid of the real window over the Access sample file: levels
// built by clicks, titles, the rows behind the selected node, the load rule, Auto Query Details
// and sorting from the column headers. (Every node's count against its rows is checked by
// DrillTest, which clicks the same window.)
#include "data/Recordset.h"
#include "support/NwindWindowFixture.h"

#include <QHeaderView>
#include <QScrollBar>

namespace {

class NwindWindow : public NwindWindowFixture {
protected:
    void openWithAutoQuery(const QString& table, bool autoQuery) {
        store("AutoQuery", autoQuery ? "True" : "False");
        openTable(table);
    }
};

using GroupingTree = NwindWindow;
using DetailGrid = NwindWindow;

} // namespace

TEST_F(GroupingTree, ClicksBuildOneLevelEachAndTheTitleNamesItsColumn) {
    // The root of a window without a record source stands for nothing.
    openWindow();
    click(form->tvTreeView->Nodes(1));
    EXPECT_EQ(form->lblTitle[0]->text(), "Column: Quarrymere");
    EXPECT_EQ(form->tvTreeView->Count(), 1);

    openTable("Shippers");
    const tree::NodePtr root = form->tvTreeView->Nodes(1);
    click(root);
    EXPECT_EQ(form->lblTitle[0]->text(), "Column: Halyard");
    EXPECT_EQ(root->Children(), 3);
    EXPECT_TRUE(root->Expanded()) << "the level a click builds is shown";
    const tree::NodePtr second = root->Child()->Next();
    click(second);
    EXPECT_EQ(form->lblTitle[0]->text(), "Column: ShipperID");
    EXPECT_EQ(second->Children(), 1);

    // A node that has its children builds nothing again, yet binds the grid anew (as after the
    // grid had shown other rows).
    const int count = form->tvTreeView->Count();
    click(root);
    state->LastDetailSQL.clear();
    click(second);
    EXPECT_EQ(form->tvTreeView->Count(), count);
    EXPECT_FALSE(state->LastDetailSQL.isEmpty());
    EXPECT_TRUE(seam.messages.empty()); // (levels going from a depth down: ColumnDragTest)
}

TEST_F(DetailGrid, AutoQueryDecidesWhetherAClickShowsTheNodesRowsAndAStatementLoadsOnce) {
    openWithAutoQuery("Order Details", false);
    const QString all = "SELECT [OrderID], [ProductID], [UnitPrice], [Quantity], [Discount] FROM "
                        "[Order Details]";
    EXPECT_EQ(state->LastDetailSQL, all + " WHERE 1 = 0");
    const tree::NodePtr root = form->tvTreeView->Nodes(1);
    click(root);
    tree::NodePtr order = root->Child();
    for (int i = 0; i < 5; ++i) // a node with several rows
        order = order->Next();
    click(order);
    EXPECT_TRUE(gridRows().isEmpty());

    form->mnuExtrasAutoQ->trigger(); // on: the selected node's rows at once
    const QString id = order->Text().section(' ', 0, 0);
    EXPECT_EQ(state->LastDetailSQL, all + " WHERE [OrderID] = " + id);
    const QStringList ids = gridColumn(0);
    EXPECT_GT(ids.size(), 1);
    EXPECT_EQ(ids.count(id), ids.size());
    const tree::NodePtr product = order->Child();
    click(product);
    EXPECT_EQ(gridColumn(1), QStringList{product->Text().section(' ', 0, 0)});

    const auto model = form->grdDataGrid->dataSource();
    form->mnuExtrasAutoQ->trigger(); // off: the grid keeps what it shows
    EXPECT_EQ(form->grdDataGrid->dataSource(), model);
    click(product->Next());
    EXPECT_TRUE(gridRows().isEmpty());

    // Opened again, the new root is selected and stands for every row, whatever depth was
    // clicked before.
    form->mnuExtrasAutoQ->trigger();
    ui::script::queuePick(seam, "Order Details");
    form->mnuFileOpen->trigger();
    EXPECT_EQ(state->LastDetailSQL, all);
    EXPECT_EQ(gridRows().size(), 2155);
    EXPECT_TRUE(seam.messages.empty());

    // A statement already bound is not queried again. One that fails (the table vanishes under
    // the program) is shown, leaves what was bound and is queried again next time.
    const auto bound = state->DetailRecordset;
    const auto shown = form->grdDataGrid->dataSource();
    form->mnuExtrasUpdDtls->trigger();
    EXPECT_EQ(state->DetailRecordset, bound);
    state->Grouping.RecordSource = "[Gone]";
    for (int attempt = 1; attempt <= 2; ++attempt) {
        form->mnuExtrasUpdDtls->trigger();
        EXPECT_FALSE(errorShown().isEmpty()) << attempt;
        EXPECT_EQ(state->LastDetailSQL, all);
        EXPECT_EQ(state->DetailRecordset, bound);
        EXPECT_EQ(form->grdDataGrid->dataSource(), shown);
        EXPECT_EQ(status(), "Ready");
    }
}

// What the view itself shows after each binding, at its size in the window: a node of one row,
// then the root of 2,155 again used to leave the grid showing one row and no scroll bar. Then
// header clicks choose the sort and a double click applies it.
TEST_F(DetailGrid, EveryBindingShowsAScreenOfRowsAndHeaderClicksChooseTheSort) {
    openWithAutoQuery("Order Details", true);
    auto* view = form->grdDataGrid->findChild<QTableView*>();
    const auto shownRows = [&] {
        settle();
        const int last = view->rowAt(view->viewport()->height() - 1);
        return (last < 0 ? view->model()->rowCount() - 1 : last) - view->rowAt(0) + 1;
    };
    const int fit = view->viewport()->height() / view->verticalHeader()->defaultSectionSize();
    ASSERT_GT(fit, 5);
    const tree::NodePtr root = form->tvTreeView->Nodes(1);
    click(root);
    click(root->Child());
    click(root->Child()->Child());
    EXPECT_EQ(shownRows(), 1);
    click(root);
    EXPECT_GE(shownRows(), fit);
    EXPECT_GT(view->verticalScrollBar()->maximum(), 0);
    view->verticalScrollBar()->setValue(view->verticalScrollBar()->maximum());
    settle();
    EXPECT_GT(view->model()->rowCount(), 2 * fit) << "scrolling down reads further";

    emit form->grdDataGrid->GotFocus();
    EXPECT_EQ(state->ActivePane, Pane::Grid);
    emit form->grdDataGrid->DblClick(); // before any header click: no sort, and no error

    using grid::SortDirection;
    for (const SortDirection direction : {SortDirection::Ascending, SortDirection::Descending,
                                          SortDirection::Ascending, SortDirection::Descending}) {
        emit form->grdDataGrid->HeadClick(3);
        EXPECT_EQ(state->SortColumn, "[Quantity]");
        EXPECT_EQ(state->SortDirection, direction);
    }
    emit form->grdDataGrid->HeadClick(1001); // no such column: nothing changes
    EXPECT_FALSE(errorShown().isEmpty());
    EXPECT_EQ(state->SortDirection, SortDirection::Descending);

    // More rows than were read: the statement runs again in order.
    emit form->grdDataGrid->DblClick();
    const QStringList quantities = gridColumn(3);
    ASSERT_EQ(quantities.size(), 2155);
    for (int i = 1; i < quantities.size(); ++i)
        ASSERT_GE(quantities[i - 1].toInt(), quantities[i].toInt()) << i;

    // Rows all read are sorted in memory, in the engine's order (one address starts with a
    // small letter); another column starts ascending.
    ui::script::queuePick(seam, "Customers");
    form->mnuFileOpen->trigger();
    ASSERT_EQ(gridRows().size(), 91);
    emit form->grdDataGrid->HeadClick(4);
    emit form->grdDataGrid->DblClick();
    data::Recordset engine;
    engine.Open("SELECT [Address] FROM [Customers] ORDER BY [Address]", state->DbConnection,
                data::ado::adOpenStatic, -1, -1);
    QStringList expected;
    for (; !engine.Eof(); engine.MoveNext())
        expected << engine.Fields(0).Value().toString();
    EXPECT_EQ(gridColumn(4), expected);
    EXPECT_TRUE(seam.messages.empty());
}
