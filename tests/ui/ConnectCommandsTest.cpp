#include "data/DriverList.h"
#include "support/MainWindowFixture.h"
#include "support/TemporaryOdbcConfig.h"
#include "ui/dialogs/frmLogin.h"
#include "ui/dialogs/frmOpenSource.h"
#include "ui/main/StatusBar.h"
#include "ui/main/TreeView.h"

#include <QAction>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Plays the person at the login dialog: types the three texts, then presses a button or key.
ui::ScriptedUiSeam::FormScript typeLogin(QString user, QString password, QString database,
                                         std::function<void(frmLogin&)> finish) {
    return [=](QDialog& d) {
        auto& login = static_cast<frmLogin&>(d);
        if (!user.isNull()) {
            login.txtUserName->setText(user);
            login.txtPassword->setText(password);
            login.txtDatabase->setText(database);
        }
        finish(login);
    };
}

QStringList boxesOf(frmLogin& login) {
    return {login.txtUserName->text(), login.txtPassword->text(), login.txtDatabase->text()};
}

} // namespace

using ConnectCommands = MainWindowFixture;

TEST_F(ConnectCommands, LoginCancelKeepsTheTypedTextsAndOkStartsEmptyNextTime) {
    TemporaryOdbcConfig noSources("");
    frmMain& f = openWindow();
    QStringList seen;
    seam.queueForm(typeLogin("scott", "tiger", "sales", [](frmLogin& l) { l.cmdCancel->click(); }));
    f.mnuFileCnctODBC->trigger();
    EXPECT_FALSE(state->LoginAccepted);
    EXPECT_TRUE(seam.messages.empty());
    EXPECT_FALSE(state->DbConnection);

    // The close box and Escape count as Cancel too, and the texts stay.
    seam.queueForm([&](QDialog& d) {
        seen = boxesOf(static_cast<frmLogin&>(d));
        EXPECT_EQ(static_cast<frmLogin&>(d).txtPassword->echoMode(), QLineEdit::Password);
        d.close();
    });
    f.mnuFileCnctODBC->trigger();
    EXPECT_EQ(seen, QStringList({"scott", "tiger", "sales"}));
    EXPECT_FALSE(state->LoginAccepted);

    // OK hands the texts over as typed; the unknown data source ends in the "Error!" box.
    seam.queueForm(typeLogin(" us;er ", "pa'ss", "no such source",
                             [](frmLogin& l) { QTest::keyClick(l.txtDatabase, Qt::Key_Return); }));
    f.mnuFileCnctODBC->trigger();
    EXPECT_TRUE(state->LoginAccepted);
    EXPECT_EQ(state->OracleUser, " us;er ");
    EXPECT_EQ(state->OraclePassword, "pa'ss");
    EXPECT_EQ(state->OracleDatabase, "no such source");
    ASSERT_EQ(seam.messages.size(), 1u);
    EXPECT_EQ(seam.messages[0].title, "Error!");
    EXPECT_FALSE(seam.messages[0].text.isEmpty());
    EXPECT_EQ(f.sbStatusBar->Panels(1)->text(), "Ready");
    EXPECT_EQ(state->DbProvider, "");
    EXPECT_FALSE(f.mnuFileOpen->isEnabled());

    settle();
    seam.queueForm([&](QDialog& d) {
        seen = boxesOf(static_cast<frmLogin&>(d));
        static_cast<frmLogin&>(d).cmdCancel->click();
    });
    f.mnuFileCnctODBC->trigger();
    EXPECT_EQ(seen, QStringList({"", "", ""}));
}

TEST_F(ConnectCommands, ExcelWithoutAnyWorkbookDriverSaysSoAndAsksForNoFile) {
    TemporaryOdbcConfig drivers("[PostgreSQL Unicode]\nDriver=/nowhere/psql.so\n");
    data::setBuiltInWorkbookDriverListed(false);
    frmMain& f = openWindow();
    state->ExcelDriverName = "stale";
    f.mnuFileCnctExl->trigger();
    data::setBuiltInWorkbookDriverListed(true);
    ASSERT_EQ(seam.messages.size(), 1u);
    EXPECT_EQ(seam.messages[0].title, "Excel Connect Error!");
    EXPECT_EQ(seam.messages[0].icon, ui::IconExclamation);
    EXPECT_EQ(seam.messages[0].text,
              "The system could not find any Excel ODBC drivers. Please install the ODBC drivers "
              "before trying to connect to Excel!");
    EXPECT_TRUE(seam.fileRequests.empty());
    EXPECT_EQ(state->ExcelDriverName, "");
}

TEST_F(ConnectCommands, TheLastDriverNamingXlsWinsAndACancelledFileDialogIsSilent) {
    TemporaryOdbcConfig drivers("[Other XLS Reader]\nDriver=/nowhere/a.so\n\n"
                                "[PostgreSQL Unicode]\nDriver=/nowhere/psql.so\n\n"
                                "[sheets (*.Xls) driver]\nDriver=/nowhere/b.so\n\n"
                                "[Plain]\nDriver=/nowhere/c.so\n");
    frmMain& f = openWindow();
    EXPECT_EQ(f.GetEXCELDriver(), "sheets (*.Xls) driver");
    EXPECT_EQ(data::odbcDriverDescriptions().first(), data::BuiltInWorkbookDriver);
    seam.queueFile(std::nullopt);
    f.mnuFileCnctExl->trigger();
    EXPECT_EQ(state->ExcelDriverName, "sheets (*.Xls) driver");
    ASSERT_EQ(seam.fileRequests.size(), 1u);
    EXPECT_EQ(seam.fileRequests[0].title, "Connect to Excel-file");
    EXPECT_EQ(seam.fileRequests[0].filter, "Excel-File (*.xls)|*.xls");
    EXPECT_TRUE(seam.messages.empty());
    EXPECT_FALSE(state->DbConnection);
    EXPECT_FALSE(f.mnuFileOpen->isEnabled());

    // A driver that cannot be loaded is reported with the driver manager's words.
    seam.queueFile("/tmp/book.xls");
    f.mnuFileCnctExl->trigger();
    ASSERT_EQ(seam.messages.size(), 1u);
    EXPECT_EQ(seam.messages[0].title, "Error!");
    EXPECT_FALSE(state->DbConnection);
    EXPECT_EQ(state->DbProvider, "");
}

TEST_F(ConnectCommands, AWorkbookOpensThroughTheProgramsOwnDriverAndItsSheetsArePicked) {
    const QString book = QStringLiteral(QUARRYMERE_FIXTURES "/workbooks/profiles.xls");
    if (!QFileInfo::exists(book)) {
        if (qEnvironmentVariableIsSet("CI"))
            FAIL() << "The sample workbooks are missing";
        GTEST_SKIP() << "The sample workbooks are not on this machine";
    }
    TemporaryOdbcConfig noInstalledDrivers("");
    frmMain& f = openWindow();
    QString root, picked;
    seam.queueFile(book);
    seam.queueForm([&](QDialog& d) {
        auto& picker = static_cast<frmOpenSource&>(d);
        const ui::NodePtr top = picker.sTree->Nodes(1);
        root = top->Text();
        const ui::NodePtr sheet = top->Child()->Child();
        picked = sheet->Text();
        picker.sTree->setSelectedItem(sheet.get());
        picker.OKButton->click();
    });
    f.mnuFileCnctExl->trigger();
    ASSERT_TRUE(seam.messages.empty()) << seam.messages[0].text.toStdString();
    EXPECT_EQ(state->ExcelDriverName, data::BuiltInWorkbookDriver);
    EXPECT_EQ(state->DbProvider, "MSDASQL.1");
    EXPECT_EQ(state->SourceFilePath, book);
    EXPECT_EQ(root, book);
    EXPECT_TRUE(picked.endsWith('$'));
    EXPECT_EQ(state->RecordSource, "[" + picked + "]");
    EXPECT_GT(state->FieldCount, 0);
    EXPECT_TRUE(f.mnuFileOpen->isEnabled());

    // A workbook that is missing or not a workbook at all is reported; the open one stays.
    QTemporaryDir dir;
    const QString notABook = dir.filePath("notes.xls");
    {
        QFile file(notABook);
        file.open(QIODevice::WriteOnly);
        file.write("plain text\n");
    }
    const auto open = state->DbConnection;
    for (const QString& bad : {dir.filePath("missing.xls"), notABook}) {
        seam.messages.clear();
        seam.queueFile(bad);
        f.mnuFileCnctExl->trigger();
        ASSERT_EQ(seam.messages.size(), 1u) << bad.toStdString();
        EXPECT_EQ(seam.messages[0].title, "Error!");
        EXPECT_FALSE(seam.messages[0].text.isEmpty());
        EXPECT_EQ(state->DbConnection, open);
        EXPECT_EQ(state->SourceFilePath, book);
    }
}
