#include "data/Connection.h"
#include "data/Recordset.h"
#include "data/access/AccessFixtures.h"
#include "support/AccessWindowFixture.h"
#include "support/FileCopies.h"
#include "ui/main/StatusBar.h"

#include <QAction>
#include <QLabel>

using test::access::accessFixture;

class AccessConnect : public AccessWindowFixture {
protected:
    QString status() { return form->sbStatusBar->Panels(1)->text(); }
};

TEST_F(AccessConnect, CancellingTheFileDialogChangesNothingAndSaysNothing) {
    frmMain& f = openWindow();
    seam.queueFile(std::nullopt);
    f.mnuFileCnctMSACC->trigger();
    ASSERT_EQ(seam.fileRequests.size(), 1u);
    EXPECT_EQ(seam.fileRequests[0].filter, "Microsoft Access MDB (*.mdb)|*.mdb");
    EXPECT_TRUE(seam.messages.empty());
    EXPECT_FALSE(state->DbConnection);
    EXPECT_FALSE(f.mnuFileOpen->isEnabled());
}

TEST_F(AccessConnect, ASuccessfulConnectRecordsTheProviderAndFileAndEnablesOpen) {
    frmMain& f = openWindow();
    state->RefillPicker = false;
    const QString path = accessFixture("nwind.mdb");
    seam.queueFile(path);
    bool refillWhenPicking = false;
    seam.queueForm([&](QDialog&) { refillWhenPicking = state->RefillPicker; });
    f.mnuFileCnctMSACC->trigger();
    // The connect ends by opening the picker, which reads the new source's tables.
    EXPECT_EQ(seam.formsShown, QStringList({"frmOpenSource"}));
    EXPECT_TRUE(refillWhenPicking);
    EXPECT_TRUE(seam.messages.empty());
    ASSERT_TRUE(state->DbConnection);
    EXPECT_TRUE(state->DbConnection->isOpen());
    EXPECT_EQ(state->DbConnection->CursorLocation, data::ado::adUseClient);
    EXPECT_EQ(state->DbProvider, "Microsoft.Jet.OLEDB.4.0");
    EXPECT_EQ(state->SourceFilePath, path);
    EXPECT_TRUE(f.mnuFileOpen->isEnabled());
    EXPECT_EQ(status(), "Ready");
    EXPECT_EQ(seam.mousePointer(), ui::PointerDefault);
}

TEST_F(AccessConnect, AFileThatCannotBeOpenedIsReportedAndTheEarlierSourceStaysUsable) {
    QTemporaryDir dir;
    const QString good = accessFixture("nwind.mdb");
    const QString notADatabase = test::writeFile(dir, "notes.mdb", "plain text\n");
    const QString truncated = test::writeFile(dir, "cut.mdb", test::contentsOf(good).left(12288));
    frmMain& f = openWindow();
    seam.queueFile(good);
    f.mnuFileCnctMSACC->trigger();
    const auto earlier = state->DbConnection;
    for (const QString& bad : {dir.filePath("missing.mdb"), notADatabase, truncated}) {
        seam.messages.clear();
        seam.queueFile(bad);
        f.mnuFileCnctMSACC->trigger();
        ASSERT_EQ(seam.messages.size(), 1u) << bad.toStdString();
        EXPECT_EQ(seam.messages[0].title, "Error!");
        EXPECT_EQ(seam.messages[0].icon, ui::IconCritical);
        EXPECT_TRUE(seam.messages[0].text.contains(QFileInfo(bad).fileName()));
        EXPECT_EQ(status(), "Ready");
        EXPECT_EQ(seam.mousePointer(), ui::PointerDefault);
        EXPECT_EQ(state->DbConnection, earlier);
        EXPECT_EQ(state->SourceFilePath, good);
        EXPECT_TRUE(f.mnuFileOpen->isEnabled());
    }
    data::Recordset rs;
    rs.Open("SELECT Count(1) AS N FROM [Orders]", state->DbConnection);
    EXPECT_EQ(rs.Fields(0).Value().toInt(), 830);
}
