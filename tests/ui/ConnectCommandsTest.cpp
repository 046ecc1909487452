// The connect commands of the File menu, their dialogs and their failures.
#include "data/Connection.h"
#include "data/odbc/DriverList.h"
#include "data/workbook/WorkbookFixtures.h"
#include "support/FileCopies.h"
#include "support/NwindWindowFixture.h"
#include "support/TemporaryOdbcConfig.h"
#include "ui/dialogs/frmLogin.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

// Plays the person at the login dialog: notes what the boxes hold, types the three texts when
// given, then presses a button or key.
ui::ScriptedUiSeam::FormScript login(QStringList* seen, QStringList typed,
                                     std::function<void(frmLogin&)> finish) {
    return [=](QDialog& d) {
        auto& login = static_cast<frmLogin&>(d);
        QLineEdit* boxes[] = {login.txtUserName, login.txtPassword, login.txtDatabase};
        seen->clear();
        for (int i = 0; i < 3; ++i) {
            *seen << boxes[i]->text();
            if (!typed.isEmpty())
                boxes[i]->setText(typed[i]);
        }
        finish(login);
    };
}

} // namespace

using ConnectCommands = NwindWindowFixture;

TEST_F(ConnectCommands, AnAccessFileConnectsAndOpensThePickerAndACancelledDialogIsSilent) {
    frmMain& f = openWindow();
    seam.queueFile(std::nullopt);
    f.mnuFileCnctMSACC->trigger();
    EXPECT_EQ(seam.fileRequests.size(), 1u);
    EXPECT_TRUE(seam.messages.empty());
    EXPECT_FALSE(state->DbConnection);
    EXPECT_FALSE(f.mnuFileOpen->isEnabled());

    // The connect ends by opening the picker, which reads the new source's tables.
    state->RefillPicker = false;
    bool refillWhenPicking = false;
    connectNwind([&](QDialog&) { refillWhenPicking = state->RefillPicker; });
    EXPECT_EQ(seam.formsShown, QStringList({"frmOpenSource"}));
    EXPECT_TRUE(refillWhenPicking);
    ASSERT_TRUE(state->DbConnection);
    EXPECT_EQ(state->DbProvider, "Microsoft.Jet.OLEDB.4.0");
    EXPECT_EQ(state->SourceFilePath, nwind());
    EXPECT_TRUE(f.mnuFileOpen->isEnabled());

    // A file that cannot be opened is reported; the earlier source stays open.
    QTemporaryDir dir;
    const QString cut = test::writeFile(dir, "cut.mdb", test::contentsOf(nwind()).left(12288));
    const auto earlier = state->DbConnection;
    for (const QString& bad : {dir.filePath("missing.mdb"), cut}) {
        seam.queueFile(bad);
        f.mnuFileCnctMSACC->trigger();
        EXPECT_TRUE(errorShown().contains(QFileInfo(bad).fileName())) << bad.toStdString();
        EXPECT_EQ(status(), "Ready");
        EXPECT_EQ(state->DbConnection, earlier);
        EXPECT_EQ(state->SourceFilePath, nwind());
    }
}

TEST_F(ConnectCommands, LoginCancelKeepsTheTypedTextsAndOkStartsEmptyNextTime) {
    TemporaryOdbcConfig noSources("");
    frmMain& f = openWindow();
    QStringList seen;
    const auto cancel = [](frmLogin& l) { l.cmdCancel->click(); };
    seam.queueForm(login(&seen, {"scott", "tiger", "sales"}, cancel));
    f.mnuFileCnctODBC->trigger();
    EXPECT_FALSE(state->LoginAccepted);
    EXPECT_TRUE(seam.messages.empty());

    // The texts stay for the next login; OK hands them over as typed; the unknown data source
    // ends in the "Error!" box.
    seam.queueForm(login(&seen, {" us;er ", "pa'ss", "no such source"},
                         [](frmLogin& l) { QTest::keyClick(l.txtDatabase, Qt::Key_Return); }));
    f.mnuFileCnctODBC->trigger();
    EXPECT_EQ(seen, QStringList({"scott", "tiger", "sales"}));
    EXPECT_TRUE(state->LoginAccepted);
    EXPECT_EQ(QStringList({state->OracleUser, state->OraclePassword, state->OracleDatabase}),
              QStringList({" us;er ", "pa'ss", "no such source"}));
    EXPECT_TRUE(errorShown().startsWith(
        "The data source \"no such source\" is not defined on this computer.\n"));
    EXPECT_EQ(status(), "Ready");
    EXPECT_EQ(state->DbProvider, "");
    EXPECT_FALSE(f.mnuFileOpen->isEnabled());

    settle();
    seam.queueForm(login(&seen, {}, cancel));
    f.mnuFileCnctODBC->trigger();
    EXPECT_EQ(seen, QStringList({"", "", ""}));
}

// The driver manager keeps the first driver list it is pointed at for the rest of the process:
// one list per test.
TEST_F(ConnectCommands, ExcelWithoutAnyWorkbookDriverSaysSoAndAsksForNoFile) {
    TemporaryOdbcConfig drivers("[PostgreSQL Unicode]\nDriver=/nowhere/psql.so\n");
    data::odbc::setBuiltInWorkbookDriverListed(false);
    frmMain& f = openWindow();
    state->ExcelDriverName = "stale";
    f.mnuFileCnctExl->trigger();
    data::odbc::setBuiltInWorkbookDriverListed(true);
    ASSERT_EQ(seam.messages.size(), 1u);
    EXPECT_EQ(seam.messages[0].title, "Excel Connect Error!");
    EXPECT_EQ(seam.messages[0].icon, ui::IconExclamation);
    EXPECT_TRUE(seam.fileRequests.empty());
    EXPECT_EQ(state->ExcelDriverName, "");
}

TEST_F(ConnectCommands, TheLastDriverNamingXlsWinsAndACancelledFileDialogIsSilent) {
    TemporaryOdbcConfig drivers("[Other XLS Reader]\nDriver=/nowhere/a.so\n\n"
                                "[PostgreSQL Unicode]\nDriver=/nowhere/psql.so\n\n"
                                "[sheets (*.Xls) driver]\nDriver=/nowhere/b.so\n\n"
                                "[Plain]\nDriver=/nowhere/c.so\n");
    frmMain& f = openWindow();
    EXPECT_EQ(data::odbc::odbcDriverDescriptions().first(), data::odbc::BuiltInWorkbookDriver);
    seam.queueFile(std::nullopt);
    f.mnuFileCnctExl->trigger();
    EXPECT_EQ(state->ExcelDriverName, "sheets (*.Xls) driver");
    EXPECT_EQ(seam.fileRequests.size(), 1u);
    EXPECT_TRUE(seam.messages.empty());
}

TEST_F(ConnectCommands, AWorkbookOpensThroughTheProgramsOwnDriverAndItsSheetsArePicked) {
    const QString book = test::workbook::sharedWorkbook("profiles.xls");
    ASSERT_NO_FATAL_FAILURE(test::requireFixture("workbooks/profiles.xls"));
    TemporaryOdbcConfig noInstalledDrivers("");
    frmMain& f = openWindow();
    const auto pick = std::make_shared<ui::script::Pick>();
    seam.queueFile(book);
    seam.queueForm(ui::script::pickTable("AXISDEF$", pick));
    f.mnuFileCnctExl->trigger();
    ASSERT_TRUE(seam.messages.empty()) << seam.messages[0].text.toStdString();
    EXPECT_EQ(state->ExcelDriverName, data::odbc::BuiltInWorkbookDriver);
    EXPECT_EQ(state->DbProvider, "MSDASQL.1");
    EXPECT_EQ(state->SourceFilePath, book);
    EXPECT_TRUE(pick->listed.contains("SYSTEM TABLE/AXISDEF$"));
    EXPECT_EQ(state->Grouping.RecordSource, "[AXISDEF$]");
    EXPECT_EQ(state->Grouping.FieldCount, 3);
    EXPECT_TRUE(f.mnuFileOpen->isEnabled());

    // A file that is not a workbook at all is reported; the open one stays.
    QTemporaryDir dir;
    const auto open = state->DbConnection;
    seam.queueFile(test::writeFile(dir, "notes.xls", "plain text\n"));
    f.mnuFileCnctExl->trigger();
    EXPECT_FALSE(errorShown().isEmpty());
    EXPECT_EQ(state->DbConnection, open);
    EXPECT_EQ(state->SourceFilePath, book);
}

// A file named when the program starts connects by what it holds, whatever its name, and picks
// the table named with it; the file dialogs then start in its folder, in this run and the next.
// A file that cannot be opened is said so and leaves the window as it was.
TEST_F(ConnectCommands, AFileNamedAtTheStartConnectsByWhatItHoldsAndPicksItsTable) {
    TemporaryOdbcConfig noInstalledDrivers("");
    frmMain& f = openWindow();
    f.openFile(nwind(), "Shippers");
    ASSERT_TRUE(seam.messages.empty()) << seam.messages[0].text.toStdString();
    EXPECT_TRUE(seam.formsShown.isEmpty());
    EXPECT_EQ(state->Grouping.RecordSource, "[Shippers]");
    EXPECT_TRUE(f.tvTreeView->Nodes(1)->Text().startsWith("Quarrymere (3;"));

    // By its contents: a workbook under another name, its sheet picked.
    QTemporaryDir dir;
    const QString book = test::writeFile(
        dir, "book.dat", test::contentsOf(test::workbook::sharedWorkbook("issue20.xls")));
    f.openFile(book, "Sheet1$");
    ASSERT_TRUE(seam.messages.empty()) << seam.messages[0].text.toStdString();
    EXPECT_EQ(state->DbProvider, "MSDASQL.1");
    EXPECT_EQ(state->Grouping.RecordSource, "[Sheet1$]");
    seam.queueFile(std::nullopt);
    f.mnuFileCnctMSACC->trigger();
    EXPECT_EQ(seam.fileRequests.back().folder, dir.path());

    // A table the file lacks is said so, and the picker opens.
    seam.queueForm(ui::script::pickTable("Orders"));
    f.openFile(nwind(), "Nope");
    ASSERT_EQ(seam.messages.size(), 1u);
    EXPECT_EQ(seam.messages[0].text, "\"" + nwind() + "\" has no table or view \"Nope\".");
    seam.messages.clear();
    EXPECT_EQ(seam.formsShown, QStringList({"frmOpenSource"}));
    EXPECT_EQ(state->Grouping.RecordSource, "[Orders]");

    const auto open = state->DbConnection;
    const struct {
        QString file;
        QString message;
    } bad[] = {
        {test::writeFile(dir, "notes.txt", "plain text\n"), "it is neither an Access database"},
        {dir.filePath("gone.txt"), "Could not find file"},
        {QDir(dir.path()).mkdir("somedir.mdb") ? dir.filePath("somedir.mdb") : "", "a folder"},
        {"/dev/null", "a device"},
        {test::writeFile(dir, "notes.mdb", "plain text\n"), "notes.mdb"}, // the reader's message
    };
    for (const auto& b : bad) {
        f.openFile(b.file, "Orders");
        const QString error = errorShown();
        EXPECT_TRUE(error.contains(b.message)) << error.toStdString();
        EXPECT_EQ(state->DbConnection, open);
        EXPECT_EQ(status(), "Ready");
    }

    // Files that could not be opened leave the folder of the last one that could. The dialog
    // first shows the first of its choices, then the one last connected with.
    closeWindow();
    openWindow();
    seam.queueFile(std::nullopt);
    form->mnuFileCnctMSACC->trigger();
    EXPECT_EQ(seam.fileRequests.back().folder, QFileInfo(nwind()).absolutePath());
    EXPECT_EQ(seam.fileRequests.back().chosenFilter, "");
    seam.queueFile(nwind(), "Microsoft Access MDB (*.mdb)");
    seam.queueForm(ui::script::pickTable("Shippers"));
    form->mnuFileCnctMSACC->trigger();
    closeWindow();
    openWindow();
    seam.queueFile(std::nullopt);
    form->mnuFileCnctMSACC->trigger();
    EXPECT_EQ(seam.fileRequests.back().chosenFilter, "Microsoft Access MDB (*.mdb)");
}
