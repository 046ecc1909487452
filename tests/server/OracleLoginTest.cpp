// The database login and the picker of the real main window against the test server, which
// stands in for an Oracle database reached through its ODBC data source.
#include "server/ServerEnvironment.h"
#include "support/MainWindowFixture.h"
#include "ui/dialogs/frmLogin.h"
#include "ui/dialogs/frmOpenSource.h"
#include "ui/main/DataGrid.h"
#include "ui/main/TreeView.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>

using test::server::dataSource;

namespace {

ui::ScriptedUiSeam::FormScript login(const QString& password) {
    return [password](QDialog& d) {
        auto& form = static_cast<frmLogin&>(d);
        form.txtUserName->setText(dataSource().user);
        form.txtPassword->setText(password);
        form.txtDatabase->setText(dataSource().dsn);
        form.cmdOK->click();
    };
}

} // namespace

using OracleLogin = MainWindowFixture;

TEST_F(OracleLogin, AWrongPasswordIsReportedWithTheServersWords) {
    frmMain& f = openWindow();
    seam.queueForm(login("not the password"));
    f.mnuFileCnctODBC->trigger();
    ASSERT_EQ(seam.messages.size(), 1u);
    EXPECT_EQ(seam.messages[0].title, "Error!");
    EXPECT_TRUE(seam.messages[0].text.contains("password", Qt::CaseInsensitive));
    EXPECT_EQ(state->DbProvider, "");
    EXPECT_FALSE(f.mnuFileOpen->isEnabled());
}

TEST_F(OracleLogin, ThePickerNamesUserAtDatabaseAndSchemaQualifiedTables) {
    frmMain& f = openWindow();
    seam.queueForm(login(dataSource().password));
    QString rootText;
    QStringList tables;
    seam.queueForm([&](QDialog& d) {
        auto& picker = static_cast<frmOpenSource&>(d);
        const ui::NodePtr root = picker.sTree->Nodes(1);
        rootText = root->Text();
        ui::NodePtr pick;
        for (ui::NodePtr group = root->Child(); group; group = group->Next())
            for (ui::NodePtr t = group->Child(); t; t = t->Next()) {
                tables << t->Text();
                if (t->Text() == "sales.orders")
                    pick = t;
            }
        ASSERT_TRUE(pick);
        picker.sTree->setSelectedItem(pick.get());
        picker.OKButton->click();
    });
    f.mnuFileCnctODBC->trigger();
    EXPECT_TRUE(seam.messages.empty()) << seam.messages[0].text.toStdString();
    EXPECT_EQ(state->DbProvider, "MSDAORA.1");
    EXPECT_EQ(rootText, dataSource().user + "@" + dataSource().dsn);
    EXPECT_TRUE(tables.contains("public.notes"));
    EXPECT_TRUE(tables.contains("sales.east_orders"));

    // The record source and its columns are written bare, as the server reads them.
    EXPECT_EQ(state->RecordSource, "sales.orders");
    ASSERT_GT(state->FieldCount, 3);
    EXPECT_FALSE(state->ColInfo[0].ColSQL.startsWith('['));
    EXPECT_EQ(state->ColInfo[0].ColSQL, state->ColInfo[0].ColName);
    auto model = f.grdDataGrid->dataSource();
    EXPECT_EQ(model->columnCount(), state->FieldCount);
    EXPECT_EQ(model->rowCount(), 0);
    EXPECT_TRUE(state->LastDetailSQL.endsWith(" FROM sales.orders WHERE 1 = 0"));
}
