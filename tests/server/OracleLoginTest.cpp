// The database login and the picker of the real main window against the test server, which
// stands in for an Oracle database reached through its ODBC data source.
#include "server/ServerEnvironment.h"
#include "support/MainWindowFixture.h"
#include "ui/dialogs/frmLogin.h"
#include "ui/dialogs/frmOpenSource.h"
#include "ui/main/DataGrid.h"
#include "ui/session/PickerScript.h"

#include <QAction>
#include <QPushButton>

using test::server::dataSource;

namespace {

ui::ScriptedUiSeam::FormScript login(const QString& password) {
    return ui::script::login(dataSource().user, password, dataSource().dsn);
}

} // namespace

using OracleLogin = MainWindowFixture;

TEST_F(OracleLogin, AWrongPasswordIsReportedAndTheRightOneOpensThePicker) {
    frmMain& f = openWindow();
    seam.queueForm(login("not the password"));
    f.mnuFileCnctODBC->trigger();
    ASSERT_EQ(seam.messages.size(), 1u);
    EXPECT_EQ(seam.messages[0].title, "Error!");
    EXPECT_TRUE(seam.messages[0].text.contains("password", Qt::CaseInsensitive));
    EXPECT_EQ(state->DbProvider, "");
    EXPECT_FALSE(f.mnuFileOpen->isEnabled());

    // The picker names user@database and lists the tables with their schemas.
    seam.messages.clear();
    seam.queueForm(login(dataSource().password));
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
    EXPECT_TRUE(tables.contains("TABLE/public.notes"));
    EXPECT_TRUE(tables.contains("VIEW/sales.east_orders"));

    // The record source and its columns are written bare, as the server reads them.
    EXPECT_EQ(state->Grouping.RecordSource, "sales.orders");
    ASSERT_GT(state->Grouping.FieldCount, 3);
    EXPECT_EQ(state->Grouping.ColInfo[0].ColSQL, state->Grouping.ColInfo[0].ColName);
    auto model = f.grdDataGrid->dataSource();
    EXPECT_EQ(model->columnCount(), state->Grouping.FieldCount);
    EXPECT_EQ(model->rowCount(), 0);
    EXPECT_TRUE(state->LastDetailSQL.endsWith(" FROM sales.orders WHERE 1 = 0"));
}
