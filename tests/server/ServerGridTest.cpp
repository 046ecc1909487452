// The detail grid of the real window over a server result that fails part way while the user
// scrolls: the failure is told once, the rows read stay, and the program goes on working.
#include "server/ServerEnvironment.h"
#include "support/MainWindowFixture.h"
#include "ui/main/DataGrid.h"
#include "ui/main/StatusBar.h"
#include "ui/session/PickerScript.h"

#include <QAction>
#include <QLabel>
#include <QTableView>
#include <QTest>

using test::server::dataSource;

using ServerGrid = MainWindowFixture;

TEST_F(ServerGrid, AReadThatFailsWhileScrollingIsToldOnceAndKeepsTheRowsShown) {
    frmMain& f = openWindow();
    f.resize(900, 600);
    f.mnuExtrasAutoQ->trigger();
    seam.queueForm(ui::script::login(dataSource().user, dataSource().password, dataSource().dsn));
    ui::script::queuePick(seam, "sales.readings");
    f.mnuFileCnctODBC->trigger();
    ASSERT_TRUE(seam.messages.empty()) << seam.messages[0].text.toStdString();
    const QAbstractItemModel& shown = *f.grdDataGrid->findChild<QTableView*>()->model();
    QTest::qWait(50);
    ASSERT_GT(shown.rowCount(), 0);

    // The 700th reading cannot be computed: scrolling down reaches it.
    for (int i = 0; i < 10 && seam.messages.empty(); ++i) {
        f.grdDataGrid->Scroll(0, 1 << 30);
        QTest::qWait(50);
    }
    ASSERT_EQ(seam.messages.size(), 1u);
    EXPECT_EQ(seam.messages[0].title, "Error!");
    EXPECT_TRUE(seam.messages[0].text.contains("division by zero"))
        << seam.messages[0].text.toStdString();
    const int kept = shown.rowCount();
    EXPECT_GE(kept, 256);
    EXPECT_LT(kept, 700);
    EXPECT_EQ(shown.index(kept - 1, 0).data().toInt(), kept);

    // Scrolling on neither reads nor tells more; the window still answers.
    f.grdDataGrid->Scroll(0, 1 << 30);
    QTest::qWait(50);
    EXPECT_EQ(shown.rowCount(), kept);
    EXPECT_EQ(seam.messages.size(), 1u);
    EXPECT_EQ(f.sbStatusBar->Panels(1)->text(), "Ready");
    f.mnuExtrasUpdDtls->trigger();
    EXPECT_EQ(seam.messages.size(), 1u);
}
