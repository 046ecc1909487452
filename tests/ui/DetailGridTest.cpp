// The detail grid of the real window over the Access sample file: the rows behind the selected
// node, the load rule, Auto Query Details, and sorting from the column headers.
#include "data/Connection.h"
#include "data/Recordset.h"
#include "state/Module1.h"
#include "support/NwindWindowFixture.h"
#include "ui/main/DataGrid.h"
#include "ui/main/StatusBar.h"

#include <QAction>
#include <QLabel>
#include <QRegularExpression>

namespace {

class DetailGrid : public NwindWindowFixture {
protected:
    void openWithAutoQuery(const QString& table, bool autoQuery) {
        store("AutoQuery", autoQuery ? "True" : "False");
        openTable(table);
    }
    QString status() { return form->sbStatusBar->Panels(1)->text(); }
    QStringList column(int c) {
        QStringList cells;
        for (const QString& row : gridRows())
            cells << row.split('\t').at(c);
        return cells;
    }
    // The count a node's label starts with.
    static int countOf(const ui::NodePtr& node) {
        const QString text = node->Text();
        const int open = text.lastIndexOf(" (");
        return text.mid(open + 2).section(QRegularExpression("[;)]"), 0, 0).toInt();
    }
};

} // namespace

TEST_F(DetailGrid, ShowsExactlyTheRowsOfTheSelectedNode) {
    openWithAutoQuery("Order Details", true);
    const QString all = "SELECT [OrderID], [ProductID], [UnitPrice], [Quantity], [Discount] FROM "
                        "[Order Details]";
    EXPECT_EQ(state->LastDetailSQL, all); // the root: no WHERE clause
    EXPECT_EQ(gridRows().size(), 2155);

    const ui::NodePtr root = form->tvTreeView->Nodes(1);
    click(root);
    EXPECT_EQ(state->LastDetailSQL, all);
    ui::NodePtr order = root->Child();
    for (int i = 0; i < 5; ++i) // a node with several rows
        order = order->Next();
    click(order);
    EXPECT_TRUE(order->Expanded()); // the level the click built is shown
    EXPECT_EQ(state->LastDetailSQL, all + " WHERE [OrderID] = " + order->Text().section(' ', 0, 0));
    const QStringList orderIds = column(0);
    EXPECT_EQ(orderIds.size(), countOf(order));
    EXPECT_GT(orderIds.size(), 1);
    EXPECT_EQ(orderIds.filter(order->Text().section(' ', 0, 0)).size(), orderIds.size());

    const ui::NodePtr product = order->Child();
    click(product);
    EXPECT_EQ(gridRows().size(), countOf(product));
    EXPECT_EQ(column(1), QStringList{product->Text().section(' ', 0, 0)});
    EXPECT_EQ(status(), "Ready");

    // Opened again, the new root is selected and stands for every row, whatever depth was
    // clicked before.
    ui::script::queuePick(seam, "Order Details");
    form->mnuFileOpen->trigger();
    EXPECT_EQ(state->LastDetailSQL, all);
    EXPECT_EQ(gridRows().size(), 2155);
    EXPECT_TRUE(seam.messages.empty());
}

TEST_F(DetailGrid, LoadsAStatementOnceAndRetriesOneThatFailed) {
    openWithAutoQuery("Shippers", true);
    const auto bound = state->DetailRecordset;
    const auto model = form->grdDataGrid->dataSource();
    form->mnuExtrasUpdDtls->trigger();
    form->mnuExtrasUpdDtls->trigger();
    EXPECT_EQ(state->DetailRecordset, bound); // not queried again
    EXPECT_EQ(status(), "Ready");

    // The table vanishes under the program: the failure is shown, nothing that was bound is lost.
    const QString last = state->LastDetailSQL;
    const QString source = state->Grouping.RecordSource;
    state->Grouping.RecordSource = "[Gone]";
    for (int attempt = 1; attempt <= 2; ++attempt) {
        form->mnuExtrasUpdDtls->trigger();
        ASSERT_EQ(seam.messages.size(), size_t(attempt)); // each attempt queries again
        EXPECT_EQ(seam.messages.back().title, "Error!");
        EXPECT_EQ(state->LastDetailSQL, last);
        EXPECT_EQ(state->DetailRecordset, bound);
        EXPECT_EQ(form->grdDataGrid->dataSource(), model);
        EXPECT_EQ(status(), "Ready");
    }
    state->Grouping.RecordSource = source;
    click(form->tvTreeView->Nodes(1));
    click(form->tvTreeView->Nodes(1)->Child());
    EXPECT_EQ(gridRows().size(), 1);
    EXPECT_EQ(seam.messages.size(), size_t(2));
}

TEST_F(DetailGrid, AutoQueryDecidesWhetherAClickLoadsTheRows) {
    openWithAutoQuery("Shippers", false);
    EXPECT_TRUE(state->LastDetailSQL.endsWith(" WHERE 1 = 0"));
    const ui::NodePtr root = form->tvTreeView->Nodes(1);
    click(root);
    click(root->Child());
    EXPECT_TRUE(gridRows().isEmpty());

    form->mnuExtrasAutoQ->trigger(); // on: the selected node's rows at once
    EXPECT_TRUE(form->mnuExtrasAutoQ->isChecked());
    EXPECT_TRUE(state->AutoQueryEnabled);
    EXPECT_EQ(gridRows().size(), 1);

    const auto model = form->grdDataGrid->dataSource();
    form->mnuExtrasAutoQ->trigger(); // off: the grid keeps what it shows
    EXPECT_FALSE(form->mnuExtrasAutoQ->isChecked());
    EXPECT_FALSE(state->AutoQueryEnabled);
    EXPECT_EQ(form->grdDataGrid->dataSource(), model);
    click(root->Child()->Next());
    EXPECT_TRUE(gridRows().isEmpty());
    EXPECT_TRUE(seam.messages.empty());
}

TEST_F(DetailGrid, HeaderClicksChooseTheSortAndADoubleClickAppliesIt) {
    openWithAutoQuery("Order Details", true);
    emit form->grdDataGrid->GotFocus();
    EXPECT_EQ(state->ActivePane, "GRID");

    // Before any header click the sort text is a single blank: the rows stay as they are.
    const QStringList unsorted = gridRows();
    emit form->grdDataGrid->DblClick();
    EXPECT_EQ(state->DetailRecordset->Sort(), " ");
    EXPECT_EQ(gridRows(), unsorted);

    const QStringList expected{"ASC", "DESC", "ASC"};
    for (const QString& direction : expected) {
        emit form->grdDataGrid->HeadClick(3);
        EXPECT_EQ(state->SortColumn, "[Quantity]");
        EXPECT_EQ(state->SortDirection, direction);
    }
    emit form->grdDataGrid->HeadClick(3);
    emit form->grdDataGrid->HeadClick(1); // another column starts ascending
    EXPECT_EQ(state->SortColumn, "[ProductID]");
    EXPECT_EQ(state->SortDirection, "ASC");
    emit form->grdDataGrid->HeadClick(1001); // no such column: nothing changes
    ASSERT_EQ(seam.messages.size(), size_t(1));
    EXPECT_EQ(seam.messages[0].title, "Error!");
    EXPECT_EQ(state->SortColumn, "[ProductID]");

    // More rows than were read: the statement runs again in order.
    emit form->grdDataGrid->HeadClick(3);
    emit form->grdDataGrid->HeadClick(3);
    emit form->grdDataGrid->DblClick();
    const QStringList quantities = column(3);
    ASSERT_EQ(quantities.size(), 2155);
    for (int i = 1; i < quantities.size(); ++i)
        ASSERT_GE(quantities[i - 1].toInt(), quantities[i].toInt()) << i;

    // A reload binds unsorted rows; the remembered choice still toggles.
    click(form->tvTreeView->Nodes(1));
    click(form->tvTreeView->Nodes(1)->Child());
    emit form->grdDataGrid->HeadClick(3);
    EXPECT_EQ(state->SortDirection, "ASC");
}

TEST_F(DetailGrid, RowsInMemorySortAsTheEngineDoes) {
    openWithAutoQuery("Customers", true);
    // Every row is read before the sort; one address starts with a small letter.
    ASSERT_EQ(gridRows().size(), 91);
    emit form->grdDataGrid->HeadClick(4);
    EXPECT_EQ(state->SortColumn, "[Address]");
    emit form->grdDataGrid->DblClick();
    data::Recordset engine;
    engine.Open("SELECT [Address] FROM [Customers] ORDER BY [Address]", state->DbConnection,
                data::ado::adOpenStatic, -1, -1);
    QStringList expected;
    for (; !engine.Eof(); engine.MoveNext())
        expected << engine.Fields(0).Value().toString();
    EXPECT_EQ(column(4), expected);
    EXPECT_TRUE(seam.messages.empty());
}
