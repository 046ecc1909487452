#include "data/Connection.h"
#include "data/access/AccessFixtures.h"
#include "grid/RecordsetModel.h"
#include "support/AccessWindowFixture.h"
#include "ui/dialogs/frmOpenSource.h"
#include "ui/main/DataGrid.h"
#include "ui/session/PickerScript.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>

using test::access::accessFixture;
using ui::script::selectNode;

class Picker : public AccessWindowFixture {
protected:
    void SetUp() override {
        AccessWindowFixture::SetUp();
        if (HasFailure())
            return;
        openWindow();
    }

    // Connects to nwind.mdb and lets `script` play the person at the picker that opens.
    void connect(ui::ScriptedUiSeam::FormScript script) {
        seam.queueFile(accessFixture("nwind.mdb"));
        seam.queueForm(std::move(script));
        form->mnuFileCnctMSACC->trigger();
    }
};

TEST_F(Picker, ListsTheTablesByTypeUnderTheFilesPathAndPicksOnOk) {
    QStringList tables;
    connect([&](QDialog& d) {
        auto& picker = static_cast<frmOpenSource&>(d);
        const ui::NodePtr root = picker.sTree->Nodes(1);
        EXPECT_EQ(root->Text(), accessFixture("nwind.mdb"));
        EXPECT_TRUE(root->Expanded());
        EXPECT_EQ(picker.sTree->SelectedItem(), root);
        tables = ui::script::listedTables(picker);

        // OK on the root or on a group does nothing and leaves the dialog open.
        picker.OKButton->click();
        EXPECT_TRUE(picker.isVisible());
        selectNode(picker, "TABLE");
        picker.OKButton->click();
        EXPECT_TRUE(picker.isVisible());
        selectNode(picker, "Order Details");
        picker.OKButton->click();
        EXPECT_FALSE(picker.isVisible());
    });
    EXPECT_TRUE(tables.contains("TABLE/Orders"));
    EXPECT_TRUE(tables.contains("SYSTEM TABLE/MSysObjects"));
    EXPECT_TRUE(tables.first().startsWith("ACCESS TABLE/"));
    EXPECT_TRUE(state->SourceChosen);
    EXPECT_FALSE(state->RefillPicker);
    EXPECT_EQ(state->Grouping.RecordSource, "[Order Details]");

    // The main window: a fresh root, the columns read, the grid showing their headers.
    EXPECT_EQ(form->tvTreeView->Count(), 1);
    EXPECT_EQ(form->lblTitle[1]->text(), "[Order Details]");
    EXPECT_EQ(state->Grouping.FieldCount, 5);
    EXPECT_EQ(state->Grouping.ColInfo[5].ColConv, data::Conversion::Spare);
    auto model = form->grdDataGrid->dataSource();
    ASSERT_EQ(model->columnCount(), 5);
    EXPECT_EQ(model->headerData(0, Qt::Horizontal).toString(), "OrderID");
    EXPECT_EQ(model->rowCount(), 0);
    EXPECT_EQ(state->LastDetailSQL, "SELECT [OrderID], [ProductID], [UnitPrice], [Quantity], "
                                    "[Discount] FROM [Order Details] WHERE 1 = 0");
}

TEST_F(Picker, ReopeningWithoutANewConnectReadsNoSchemaAndKeepsTreeAndSelection) {
    connect([&](QDialog& d) {
        auto& picker = static_cast<frmOpenSource&>(d);
        selectNode(picker, "Customers");
        emit picker.sTree->DblClick();
    });
    EXPECT_EQ(state->Grouping.RecordSource, "[Customers]");
    const auto before = state->DetailRecordset;

    form->mnuFileOpen->trigger();
    EXPECT_FALSE(state->SourceChosen) << "closed untouched: Cancel";

    seam.queueForm([&](QDialog& d) {
        auto& picker = static_cast<frmOpenSource&>(d);
        EXPECT_EQ(picker.sTree->SelectedItem()->Text(), "Customers");
        // A double-click on a group picks nothing.
        selectNode(picker, "TABLE");
        emit picker.sTree->DblClick();
        EXPECT_TRUE(picker.isVisible());
        selectNode(picker, "Customers");
        picker.OKButton->click();
    });
    form->mnuFileOpen->trigger();
    EXPECT_EQ(state->DbConnection->schemaReads(), 1);
    // Picking the same table again re-reads the structure; the grid's statement is unchanged,
    // so nothing new is opened for it.
    EXPECT_EQ(state->DetailRecordset, before);
}

TEST_F(Picker, TheDialogSnapsItsSmallestSize) {
    connect([&](QDialog& d) {
        auto& picker = static_cast<frmOpenSource&>(d);
        picker.setWidth(2000);
        picker.setHeight(2000);
        QApplication::processEvents();
        EXPECT_NEAR(picker.Width(), 4000, 2 * px());
        EXPECT_NEAR(picker.Height(), 3000, 2 * px());
        EXPECT_NEAR(ui::twips::fromPxX(picker.sTree->width()), picker.Width() - 1920, 2 * px());
        EXPECT_NEAR(ui::twips::fromPxX(picker.OKButton->x()),
                    ui::twips::fromPxX(picker.sTree->width()) + 240, 2 * px());
        picker.CancelButton->click();
    });
    EXPECT_FALSE(state->SourceChosen);
}
