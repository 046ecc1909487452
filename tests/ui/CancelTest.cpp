// Escape in the middle of an operation of the real window: the tree, the grid and the clipboard
// stay as they were, the status says "Cancelled" with no "Error!" box, and the next command
// works. Escape is pressed just before the command and heard at the operation's first turn of
// the window's events, as a key pressed while the window is busy is.
#include "data/AdoTypes.h"
#include "data/Recordset.h"
#include "data/jet/JetProvider.h"
#include "data/jet/JetTestSupport.h"
#include "support/NwindWindowFixture.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QKeyEvent>
#include <QTest>
#include <QTimer>

namespace {

// A window over a table large enough that its operations run longer than the window waits
// between two turns of its events.
class Cancelling : public NwindWindowFixture {
protected:
    void SetUp() override {
        NwindWindowFixture::SetUp();
        namespace jt = data::jet::testing;
        auto source = std::make_shared<jt::MemoryTableSource>();
        std::vector<jt::Row> rows;
        for (int i = 0; i < Rows; ++i)
            rows.push_back({QString("City %1").arg(i % 5000), QString("Region %1").arg(i % 7),
                            std::int64_t(i % 50), double(i) / 4});
        source->add({"Sales",
                     {{"City", data::ado::adVarWChar, 0},
                      {"Region", data::ado::adVarWChar, 0},
                      {"Qty", data::ado::adInteger, 0},
                      {"Amount", data::ado::adDouble, 0}}},
                    std::move(rows));
        store("AutoQuery", "True");
        openWindow();
        state->DbConnection = jt::connectTo(source, {{"Sales", "TABLE", {}, {}}});
        state->DbProvider = data::JetProvider;
        state->RefillPicker = true;
        form->mnuFileOpen->setEnabled(true);
        ui::script::queuePick(seam, "Sales");
        form->mnuFileOpen->trigger();
        ASSERT_TRUE(seam.messages.empty()) << seam.messages[0].text.toStdString();
    }

    // The rows the grid's view holds now, without reading more.
    QStringList shownRows() {
        QAbstractItemModel& shown = *form->grdDataGrid->findChild<QTableView*>()->model();
        QStringList rows;
        for (int r = 0; r < shown.rowCount(); ++r)
            rows << shown.index(r, 0).data().toString() + ' ' + shown.index(r, 3).data().toString();
        return rows;
    }
    // Escape, pressed just before the command: heard at the operation's first turn of events.
    void pressEscape() {
        QCoreApplication::postEvent(
            form->tvTreeView->findChild<QWidget*>(),
            new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
    }

    static constexpr int Rows = 400000;
};

TEST_F(Cancelling, LeavesTreeGridAndClipboardAsTheyWereAndTheNextCommandWorks) {
    const ui::NodePtr root = form->tvTreeView->Nodes(1);

    // A level of the tree (5,000 cities): nothing half-built under the node.
    pressEscape();
    click(root);
    EXPECT_EQ(root->Children(), 0);
    EXPECT_EQ(status(), "Cancelled");
    click(root);
    EXPECT_EQ(root->Children(), 5000);
    EXPECT_EQ(status(), "Ready");

    // A sort of the grid that runs its statement again (its rows are not all read).
    click(root);
    const QStringList rows = shownRows();
    emit form->grdDataGrid->HeadClick(2);
    pressEscape();
    emit form->grdDataGrid->DblClick();
    EXPECT_EQ(status(), "Cancelled");
    EXPECT_EQ(shownRows(), rows);
    EXPECT_EQ(state->DetailRecordset->Sort(), "");
    emit form->grdDataGrid->DblClick();
    EXPECT_NE(shownRows(), rows);

    // Copy of every row's columns.
    seam.clipboard = "kept";
    form->grdDataGrid_GotFocus();
    form->grdDataGrid->setSelStartCol(0);
    form->grdDataGrid->setSelEndCol(3);
    pressEscape();
    form->mnuEditCopy->trigger();
    EXPECT_EQ(seam.clipboard, "kept");
    EXPECT_EQ(status(), "Cancelled");
    form->mnuEditCopy->trigger();
    EXPECT_EQ(seam.clipboard.count('\n'), Rows + 1);

    EXPECT_TRUE(seam.messages.empty()) << seam.messages[0].text.toStdString();
}

// The index that speeds up the tree is made when the window is idle: a key pressed while it is
// being made stops it and goes ahead, and it is made once the window is idle again.
TEST_F(Cancelling, IndexGivesWayToInputAndIsMadeLater) {
    const auto indexes = [&] {
        auto& jet = dynamic_cast<data::jet::JetProvider&>(state->DbConnection->provider());
        data::jet::Statement count =
            jet.engine().prepare("SELECT count(*) FROM sqlite_master WHERE type = 'index'");
        return count.step() ? count.value(0).toInt() : -1;
    };
    ASSERT_EQ(indexes(), 0); // the pick leaves it to the idle window
    // The key comes at the index's first turn of the window's events.
    QTimer::singleShot(1, [&] {
        QCoreApplication::postEvent(form->tvTreeView->findChild<QWidget*>(),
                                    new QKeyEvent(QEvent::KeyPress, Qt::Key_End, Qt::NoModifier));
    });
    QCoreApplication::processEvents();
    EXPECT_EQ(indexes(), 0);
    EXPECT_EQ(status(), "Ready");
    for (QDeadlineTimer waiting(60000); indexes() == 0 && !waiting.hasExpired();)
        QTest::qWait(20);
    EXPECT_GT(indexes(), 0);
    EXPECT_TRUE(seam.messages.empty());
}

} // namespace
