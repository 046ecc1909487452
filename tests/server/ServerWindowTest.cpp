// The real main window logged in to the test server, which stands in for an Oracle database
// reached through its ODBC data source.
#include "server/ServerConnection.h"
#include "support/MainWindowFixture.h"
#include "ui/dialogs/frmOpenSource.h"
#include "ui/session/PickerScript.h"

#include <QApplication>
#include <QLabel>
#include <QTableView>
#include <QTest>

using test::server::dataSource;

using ServerWindow = MainWindowFixture;

// The picker names user@database and lists the tables of every schema by type, then schema, then
// name; the record source and its columns are written in double quotes, which keep the server's
// lower-case names.
TEST_F(ServerWindow, ThePickerListsTablesWithTheirSchemasAndCopyJoinsColumnsOnTheServer) {
    frmMain& f = openWindow();
    seam.queueForm(ui::script::login(dataSource().user, dataSource().password, dataSource().dsn));
    QString root;
    QStringList tables;
    seam.queueForm([&](QDialog& d) {
        root = static_cast<frmOpenSource&>(d).sTree->Nodes(1)->Text();
        const auto pick = std::make_shared<ui::script::Pick>();
        ui::script::pickTable("sales.orders", pick)(d);
        tables = pick->listed;
    });
    f.mnuFileCnctODBC->trigger();
    EXPECT_TRUE(seam.messages.empty()) << seam.messages[0].text.toStdString();
    EXPECT_EQ(state->DbProvider, "MSDAORA.1");
    EXPECT_EQ(root, dataSource().user + "@" + dataSource().dsn);
    EXPECT_EQ(tables, QStringList({"TABLE/public.notes", "TABLE/sales.kinds", "TABLE/sales.orders",
                                   "TABLE/sales.texts", "VIEW/sales.east_orders",
                                   "VIEW/sales.Odd Names", "VIEW/sales.readings"}));

    EXPECT_EQ(state->Grouping.RecordSource, "\"sales\".\"orders\"");
    ASSERT_GT(state->Grouping.FieldCount, 3);
    EXPECT_EQ(state->Grouping.ColInfo[0].ColSQL, "\"order_id\"");
    auto model = f.grdDataGrid->dataSource();
    EXPECT_EQ(model->columnCount(), state->Grouping.FieldCount);
    EXPECT_EQ(model->rowCount(), 0);
    EXPECT_TRUE(state->LastDetailSQL.endsWith(" FROM \"sales\".\"orders\" WHERE 1 = 0"));

    // Copy of several grid columns at a node: the server joins them with || Chr(9) || and writes
    // each value its own way; a Null among them makes the whole row Null, by the server's rule,
    // which leaves an empty line.
    const tree::NodePtr top = f.tvTreeView->Nodes(1);
    click(top);
    QStringList copied;
    for (tree::NodePtr node = top->Child(); node; node = node->Next()) {
        if (!node->Text().startsWith("2 (") && !node->Text().startsWith("4 ("))
            continue;
        click(node);
        emit f.grdDataGrid->GotFocus();
        f.grdDataGrid->setSelStartCol(1);
        f.grdDataGrid->setSelEndCol(3);
        f.mnuEditCopy->trigger();
        copied << seam.clipboard;
    }
    EXPECT_TRUE(seam.messages.empty()) << seam.messages[0].text.toStdString();
    EXPECT_EQ(copied, QStringList({"region\tcustomer\tamount\nWest\tZoë Ærø 東京\t-99.0001\n",
                                   "region\tcustomer\tamount\n\n"}));
}

// A server result that fails part way while the user scrolls: the failure is told once, the
// rows read stay, and the program goes on working.
TEST_F(ServerWindow, AReadThatFailsWhileScrollingIsToldOnceAndKeepsTheRowsShown) {
    frmMain& f = openWindow();
    f.resize(900, 600);
    f.mnuExtrasAutoQ->trigger();
    seam.queueForm(ui::script::login(dataSource().user, dataSource().password, dataSource().dsn));
    ui::script::queuePick(seam, "sales.readings");
    f.mnuFileCnctODBC->trigger();
    ASSERT_TRUE(seam.messages.empty()) << seam.messages[0].text.toStdString();
    auto& view = *f.grdDataGrid->findChild<QTableView*>();
    const QAbstractItemModel& shown = *view.model();
    const auto cell = [&](int row) { return shown.index(row, 0).data().toString(); };
    // The view paints in the turns of the event loop after a change: turned until the row at
    // its bottom stays where it is, however long each turn takes.
    const auto settle = [&] {
        for (int same = 0, turns = 0; same < 3 && turns < 1000; ++turns) {
            const int before = view.rowAt(view.viewport()->height() - 1);
            QApplication::processEvents();
            same = view.rowAt(view.viewport()->height() - 1) == before ? same + 1 : 0;
        }
    };
    settle();
    ASSERT_EQ(shown.rowCount(), 3000) << "the server counts the rows";
    EXPECT_EQ(cell(0), "1");

    // The 700th reading cannot be computed: the end of the grid lies far beyond it, where the
    // driver goes by position and answers that the rows end before it.
    view.scrollToBottom();
    settle();
    const QString error = errorShown();
    EXPECT_TRUE(error.contains("division by zero")) << error.toStdString();
    EXPECT_EQ(cell(0), "1") << "the rows read before stay";
    EXPECT_EQ(cell(2999), "");

    // Scrolling on neither reads nor tells more; the window still answers.
    view.scrollToTop();
    settle();
    EXPECT_EQ(cell(0), "1");
    EXPECT_EQ(status(), "Ready");
    f.mnuExtrasUpdDtls->trigger();
    EXPECT_TRUE(seam.messages.empty());
}
