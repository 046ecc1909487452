// The record source picker: the tables it lists under their types, what picks one, when it reads
// the source's tables again, its smallest size, and the column table a picked table fills.
#include "data/jet/JetTestSupport.h"
#include "support/NwindWindowFixture.h"
#include "ui/dialogs/frmOpenSource.h"

#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTreeView>
#include <algorithm>

using ui::script::selectNode;

using Picker = NwindWindowFixture;

TEST_F(Picker, ListsTablesAndSavedQueriesByTypeUnderTheFilesPathAndPicksOnOk) {
    openWindow();
    QStringList tables;
    connectNwind([&](QDialog& d) {
        auto& picker = static_cast<frmOpenSource&>(d);
        const tree::NodePtr root = picker.sTree->Nodes(1);
        EXPECT_EQ(root->Text(), nwind());
        EXPECT_TRUE(root->Expanded());
        EXPECT_EQ(picker.sTree->SelectedItem(), root);
        tables = ui::script::listedTables(picker);

        // OK on the root or on a group does nothing and leaves the dialog open.
        picker.OKButton->click();
        selectNode(picker, "TABLE");
        picker.OKButton->click();
        EXPECT_TRUE(picker.isVisible());
        selectNode(picker, "Order Details");
        picker.OKButton->click();
        EXPECT_FALSE(picker.isVisible());
    });
    // By type, then name, without regard to case; the saved queries last.
    QStringList sorted = tables;
    std::sort(sorted.begin(), sorted.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    EXPECT_EQ(tables, sorted);
    EXPECT_TRUE(tables.contains("TABLE/Orders"));
    EXPECT_TRUE(tables.contains("SYSTEM TABLE/MSysObjects"));
    EXPECT_EQ(tables.filter(QRegularExpression("^VIEW/")).size(), 22);
    EXPECT_EQ(state->Grouping.RecordSource, "[Order Details]");

    // The main window: a fresh root, the columns read, the grid showing their headers alone.
    EXPECT_EQ(form->tvTreeView->Count(), 1);
    EXPECT_EQ(form->lblTitle[1]->text(), "[Order Details]");
    const QAbstractItemModel& shown = *form->grdDataGrid->findChild<QTableView*>()->model();
    ASSERT_EQ(shown.columnCount(), 5);
    EXPECT_EQ(shown.headerData(0, Qt::Horizontal).toString(), "OrderID");
    EXPECT_EQ(shown.rowCount(), 0);
    // (A pick that fails: the wide table below; a saved query the engine cannot answer names
    // itself in DrillTest and SavedQueryTest.)
}

TEST_F(Picker, ReopenedWithoutANewConnectItReadsNoSchemaAndKeepsTreeAndSelection) {
    openWindow();
    connectNwind([&](QDialog& d) {
        selectNode(static_cast<frmOpenSource&>(d), "Customers");
        emit static_cast<frmOpenSource&>(d).sTree->DblClick();
    });
    EXPECT_EQ(state->Grouping.RecordSource, "[Customers]");
    const auto before = state->DetailRecordset;

    // Closed untouched, or by Escape, the picker counts as Cancel.
    seam.queueForm([](QDialog&) {});
    form->mnuFileOpen->trigger();
    EXPECT_FALSE(state->SourceChosen);
    seam.queueForm([&](QDialog& d) {
        QTest::keyClick(static_cast<frmOpenSource&>(d).sTree->view(), Qt::Key_Escape);
        EXPECT_FALSE(d.isVisible());
        EXPECT_EQ(d.result(), QDialog::Rejected);
    });
    form->mnuFileOpen->trigger();
    EXPECT_FALSE(state->SourceChosen);

    seam.queueForm([&](QDialog& d) {
        auto& picker = static_cast<frmOpenSource&>(d);
        EXPECT_EQ(picker.sTree->SelectedItem()->Text(), "Customers");
        // A double-click or Enter on a group picks nothing; Enter on a table picks it.
        selectNode(picker, "TABLE");
        emit picker.sTree->DblClick();
        QTest::keyClick(picker.sTree->view(), Qt::Key_Return);
        EXPECT_TRUE(picker.isVisible());
        selectNode(picker, "Customers");
        QTest::keyClick(picker.sTree->view(), Qt::Key_Return);
        EXPECT_FALSE(picker.isVisible());
    });
    form->mnuFileOpen->trigger();
    EXPECT_EQ(state->DbConnection->schemaReads(), 1);
    // Picking the same table again re-reads the structure; the grid's statement is unchanged,
    // so nothing new is opened for it.
    EXPECT_EQ(state->DetailRecordset, before);
}

namespace {

// Empty tables named by their width: "W1001" has 1001 columns.
std::shared_ptr<data::jet::TableSource> wideTables() {
    auto source = std::make_shared<data::jet::testing::MemoryTableSource>();
    for (int width : {1001, 1002, 3}) {
        data::jet::SourceTable table{QString("W%1").arg(width), {}};
        for (int i = 0; i < width; ++i)
            table.columns.push_back({QString("C%1").arg(i), i == 0 ? 202 : 3, 0});
        source->add(table, {});
    }
    return source;
}

} // namespace

// A table type with an apostrophe, and tables as wide as the column table and one column wider.
TEST_F(Picker, TheColumnTableHoldsAThousandAndOneColumnsAndRefusesMore) {
    openWindow();
    state->DbConnection = data::jet::testing::connectTo(
        wideTables(), {{"W1001", "TABLE"}, {"W1002", "ODD 'KIND'"}, {"W3", "TABLE"}});
    state->DbProvider = "Microsoft.Jet.OLEDB.4.0";
    state->RefillPicker = true;
    form->mnuFileOpen->setEnabled(true);
    const auto pick = [&](const QString& table) {
        const auto picked = std::make_shared<ui::script::Pick>();
        seam.queueForm(ui::script::pickTable(table, picked));
        form->mnuFileOpen->trigger();
        return picked->listed;
    };
    EXPECT_EQ(pick("W1001"), QStringList({"ODD 'KIND'/W1002", "TABLE/W1001", "TABLE/W3"}));
    ASSERT_TRUE(seam.messages.empty());
    EXPECT_EQ(state->Grouping.FieldCount, 1001);
    EXPECT_EQ(state->Grouping.ColInfo[1000].ColName, "C1000");

    pick("W1002");
    EXPECT_TRUE(errorShown().contains("1002"));
    // No record source is open after it, and nothing of the wider table was written.
    EXPECT_EQ(state->Grouping.FieldCount, 0);
    EXPECT_EQ(state->Grouping.RecordSource, "");
    EXPECT_EQ(state->Grouping.ColInfo[1000].ColName, "");

    // A narrower table after the wide one leaves nothing of it behind its own columns.
    pick("W3");
    ASSERT_TRUE(seam.messages.empty());
    EXPECT_EQ(state->Grouping.FieldCount, 3);
    for (int i = 3; i <= data::ColInfoUpper; ++i)
        ASSERT_TRUE(state->Grouping.ColInfo[i].ColName.isEmpty() &&
                    state->Grouping.ColInfo[i].ColConv == data::Conversion::Spare)
            << i;
}
