// Cancel and Escape in the middle of an operation of the real window: the tree, the grid, the
// titles and the clipboard stay as they were, the status says "Cancelled" with no "Error!" box,
// the progress is gone, and the next command works. The window turns its events at every report
// of the work here, with the progress at once, so that a key or a press made while it works is
// heard whatever the machine's speed.
#include "QtPrinters.h"
#include "data/AdoTypes.h"
#include "data/PagedRecordset.h"
#include "data/jet/JetProvider.h"
#include "data/jet/JetTestSupport.h"
#include "drill/ColumnMoves.h"
#include "support/IndexForEveryOrder.h"
#include "support/NwindWindowFixture.h"
#include "ui/controls/OperationPump.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QHeaderView>
#include <QKeyEvent>
#include <QProgressBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <QWindow>

namespace {

namespace jt = data::jet::testing;

// A window over a table large enough that its operations report many times, and a second table
// that the engine loads only when it is picked.
class Cancelling : public NwindWindowFixture {
protected:
    void SetUp() override {
        NwindWindowFixture::SetUp();
        ui::OperationPump::timing = {0, 0};
        source = std::make_shared<jt::MemoryTableSource>();
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
        std::vector<jt::Row> people;
        for (int i = 0; i < 20000; ++i)
            people.push_back({QString("Person %1").arg(i), std::int64_t(i % 90)});
        source->add(
            {"People", {{"Name", data::ado::adVarWChar, 0}, {"Age", data::ado::adInteger, 0}}},
            std::move(people));
        store("AutoQuery", "True");
        openWindow();
        state->DbConnection =
            jt::connectTo(source, {{"Sales", "TABLE", {}, {}}, {"People", "TABLE", {}, {}}});
        state->DbProvider = data::JetProvider;
        state->RefillPicker = true;
        form->mnuFileOpen->setEnabled(true);
        pick("Sales");
        ASSERT_TRUE(seam.messages.empty()) << seam.messages[0].text.toStdString();
    }
    void TearDown() override {
        NwindWindowFixture::TearDown();
        ui::OperationPump::timing = {};
    }

    void pick(const QString& table) {
        ui::script::queuePick(seam, table);
        form->mnuFileOpen->trigger();
    }
    // The rows the grid's view holds now, without reading more.
    QStringList shownRows() {
        QAbstractItemModel& shown = *form->grdDataGrid->findChild<QTableView*>()->model();
        QStringList rows;
        for (int r = 0; r < shown.rowCount(); ++r)
            rows << shown.index(r, 0).data().toString() + ' ' + shown.index(r, 1).data().toString();
        return rows;
    }
    // Escape, pressed just before the command: heard at the operation's first report.
    void pressEscape() {
        QCoreApplication::postEvent(
            form->tvTreeView->findChild<QWidget*>(),
            new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
    }
    // A press and release of the mouse on Cancel as soon as the operation shows it, delivered
    // to the window as the desktop delivers them.
    void pressCancelWhenShown() {
        auto* watch = new QTimer(form);
        QObject::connect(watch, &QTimer::timeout, form, [this, watch] {
            QToolButton* cancel = form->sbStatusBar->cancelButton();
            // Shown and laid out beside the status text.
            if (!cancel->isVisible() || cancel->x() <= form->sbStatusBar->Panels(1)->x())
                return;
            watch->stop();
            watch->deleteLater();
            QWindow* window = form->windowHandle();
            const QPoint at = window->mapFromGlobal(cancel->mapToGlobal(cancel->rect().center()));
            QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, at);
        });
        watch->start(0);
    }
    // "Ready" or "Cancelled" only with the progress bar and Cancel gone.
    void expectAtRest(const QString& text) {
        EXPECT_EQ(status(), text);
        EXPECT_FALSE(form->sbStatusBar->cancelButton()->isVisible());
        EXPECT_FALSE(form->sbStatusBar->findChild<QProgressBar*>()->isVisible());
    }
    QString titles() { return form->lblTitle[0]->text() + " / " + form->lblTitle[1]->text(); }

    static constexpr int Rows = 400000;
    std::shared_ptr<jt::MemoryTableSource> source;
};

TEST_F(Cancelling, CancelPressedOnTheStatusBarStopsALevelACopyAndALoad) {
    const tree::NodePtr root = form->tvTreeView->Nodes(1);

    // A level of the tree (5,000 cities): nothing half-built under the node.
    pressCancelWhenShown();
    click(root);
    EXPECT_EQ(root->Children(), 0);
    expectAtRest("Cancelled");
    click(root);
    EXPECT_EQ(root->Children(), 5000);
    expectAtRest("Ready");

    // Copy of every row's columns: the clipboard keeps what it held.
    seam.clipboard = "kept";
    form->grdDataGrid_GotFocus();
    form->grdDataGrid->setSelStartCol(0);
    form->grdDataGrid->setSelEndCol(3);
    pressCancelWhenShown();
    form->mnuEditCopy->trigger();
    EXPECT_EQ(seam.clipboard, "kept");
    expectAtRest("Cancelled");
    form->mnuEditCopy->trigger();
    EXPECT_EQ(seam.clipboard.count('\n'), Rows + 1);
    expectAtRest("Ready");

    // The load of a table picked: the window stays on the table before, and it still works.
    const QString before = titles();
    const QString rootText = root->Text();
    const QStringList rows = shownRows();
    pressCancelWhenShown();
    pick("People");
    expectAtRest("Cancelled");
    EXPECT_EQ(state->Grouping.RecordSource, "[Sales]");
    EXPECT_EQ(state->Grouping.ColInfo[0].ColName, "City");
    EXPECT_EQ(form->tvTreeView->Nodes(1), root);
    EXPECT_EQ(root->Text(), rootText);
    EXPECT_EQ(root->Children(), 5000);
    EXPECT_EQ(titles(), before);
    EXPECT_EQ(shownRows(), rows);
    click(root->Child());
    EXPECT_EQ(root->Child()->Children(), 7);
    pick("People");
    EXPECT_EQ(state->Grouping.RecordSource, "[People]");
    EXPECT_EQ(shownRows().value(0), "Person 0 0");

    EXPECT_TRUE(seam.messages.empty()) << seam.messages[0].text.toStdString();
}

TEST_F(Cancelling, EscapeStopsTheAddingOfALevelsNodesAndASort) {
    const tree::NodePtr root = form->tvTreeView->Nodes(1);

    // Heard once the rows are read and the nodes are being added.
    QMetaObject::Connection adding = QObject::connect(form->tvTreeView->view()->model(),
                                                      &QAbstractItemModel::rowsInserted, form, [&] {
                                                          QObject::disconnect(adding);
                                                          pressEscape();
                                                      });
    click(root);
    EXPECT_EQ(root->Children(), 0);
    expectAtRest("Cancelled");
    EXPECT_EQ(form->tvTreeView->SelectedItem(), root);
    click(root);
    EXPECT_EQ(root->Children(), 5000);

    // A sort of the grid that runs its statement again (its rows are not all read).
    click(root);
    const QStringList rows = shownRows();
    emit form->grdDataGrid->HeadClick(2);
    pressEscape();
    emit form->grdDataGrid->DblClick();
    expectAtRest("Cancelled");
    EXPECT_EQ(shownRows(), rows);
    EXPECT_EQ(state->DetailRecordset->Sort(), "");
    emit form->grdDataGrid->DblClick();
    EXPECT_NE(shownRows(), rows);

    EXPECT_TRUE(seam.messages.empty()) << seam.messages[0].text.toStdString();
}

// A pick whose table cannot be read leaves an empty root and an empty, untitled grid; the root
// and Update Details then read nothing, and the "Error!" box comes with the progress gone.
TEST_F(Cancelling, APickThatFailsLeavesNoRecordSourceToReadFrom) {
    source->failAfterRows = 10000;
    bool restAtError = false;
    seam.messageShown = [&] {
        restAtError = status() == "Ready" && !form->sbStatusBar->cancelButton()->isVisible();
    };
    pick("People");
    EXPECT_EQ(errorShown(), "The file is damaged.");
    EXPECT_TRUE(restAtError);
    const tree::NodePtr root = form->tvTreeView->Nodes(1);
    EXPECT_EQ(form->tvTreeView->Count(), 1);
    EXPECT_EQ(root->Text(), "Quarrymere (0)");
    EXPECT_EQ(form->lblTitle[1]->text(), "");
    EXPECT_EQ(shownRows(), QStringList());

    const int loads = source->loadCalls["People"];
    click(root);
    EXPECT_EQ(status(), "No record source is open");
    form->mnuExtrasUpdDtls->trigger();
    EXPECT_EQ(status(), "No record source is open");
    EXPECT_EQ(root->Children(), 0);
    EXPECT_EQ(source->loadCalls["People"], loads);
    EXPECT_TRUE(seam.messages.empty()) << seam.messages[0].text.toStdString();
}

// The index that speeds up the tree is made when the window is idle: a key pressed while it is
// being made stops it and goes ahead, and it is made once the window is idle again. A drag along
// the header that goes on while it is being made is handed back whole and moves its block.
TEST_F(Cancelling, IndexGivesWayToInputAndIsMadeLater) {
    const IndexForEveryOrder indexed;
    const auto indexes = [&] {
        auto& jet = dynamic_cast<data::jet::JetProvider&>(state->DbConnection->provider());
        data::jet::Statement count =
            jet.engine().prepare("SELECT count(*) FROM sqlite_master WHERE type = 'index'");
        return count.step() ? count.value(0).toInt() : -1;
    };
    ASSERT_EQ(indexes(), 0); // the pick leaves it to the idle window
    QCoreApplication::postEvent(form->tvTreeView->findChild<QWidget*>(),
                                new QKeyEvent(QEvent::KeyPress, Qt::Key_End, Qt::NoModifier));
    form->prepareGroupingWhenIdle();
    EXPECT_EQ(indexes(), 0);
    expectAtRest("Ready");
    for (QDeadlineTimer waiting(60000); indexes() == 0 && !waiting.hasExpired();)
        QTest::qWait(20);
    EXPECT_GT(indexes(), 0);

    // Amount to the front, which leaves the index for the new order to the idle window; then
    // Region picked up, and dragged to the front while that index is being made.
    ASSERT_FALSE(drill::dragColumns(*form, {3, 3, 0}));
    QHeaderView* header = form->grdDataGrid->findChild<QTableView*>()->horizontalHeader();
    QWidget* heads = header->viewport();
    const QPoint region(header->sectionViewportPosition(2) + header->sectionSize(2) / 2,
                        header->height() / 2);
    const auto mouse = [&](QEvent::Type type, QPoint at, Qt::MouseButtons held) {
        return new QMouseEvent(type, at, heads->mapToGlobal(at),
                               type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held,
                               Qt::NoModifier);
    };
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                              QEvent::MouseButtonPress, QEvent::MouseMove}) {
        // The block picked up and moved over itself, where it cannot be dropped.
        std::unique_ptr<QEvent> now(mouse(
            type, region, type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton));
        QCoreApplication::sendEvent(heads, now.get());
    }
    ASSERT_TRUE(form->grdDataGrid->dragIconIs(form->columnDrag().ndrop));
    QCoreApplication::postEvent(heads, mouse(QEvent::MouseMove, {2, region.y()}, Qt::LeftButton));
    QCoreApplication::postEvent(heads, mouse(QEvent::MouseButtonRelease, {2, region.y()}, {}));
    form->prepareGroupingWhenIdle();
    const QString moved = "Region | Amount | City | Qty";
    for (QDeadlineTimer waiting(60000);
         drill::gridColumnNames(*form) != moved && !waiting.hasExpired();)
        QTest::qWait(20);
    EXPECT_EQ(drill::gridColumnNames(*form), moved);
    EXPECT_TRUE(seam.messages.empty());
}

} // namespace
