#include "data/Connection.h"
#include "data/access/AccessFixtures.h"
#include "grid/RecordsetModel.h"
#include "support/AccessWindowFixture.h"
#include "ui/dialogs/frmOpenSource.h"
#include "ui/main/DataGrid.h"
#include "ui/main/TreeView.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>

using test::access::accessFixture;

namespace {

// Selects the node with this text in the picker's tree.
ui::NodePtr select(frmOpenSource& picker, const QString& text) {
    for (int i = 1; i <= picker.sTree->Count(); ++i)
        if (picker.sTree->Nodes(i)->Text() == text) {
            picker.sTree->setSelectedItem(picker.sTree->Nodes(i).get());
            return picker.sTree->Nodes(i);
        }
    ADD_FAILURE() << "no node " << text.toStdString();
    return {};
}

QStringList childTexts(const ui::NodePtr& node) {
    QStringList texts;
    for (ui::NodePtr c = node->Child(); c; c = c->Next())
        texts << c->Text();
    return texts;
}

} // namespace

class Picker : public AccessWindowFixture {
protected:
    void SetUp() override {
        AccessWindowFixture::SetUp();
        if (IsSkipped() || HasFailure())
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
    QStringList groups, tables;
    connect([&](QDialog& d) {
        auto& picker = static_cast<frmOpenSource&>(d);
        EXPECT_EQ(picker.windowTitle(), "Open");
        const ui::NodePtr root = picker.sTree->Nodes(1);
        EXPECT_EQ(root->Text(), accessFixture("nwind.mdb"));
        EXPECT_EQ(root->Tag(), "R");
        EXPECT_TRUE(root->Expanded());
        EXPECT_EQ(picker.sTree->SelectedItem(), root);
        groups = childTexts(root);
        for (ui::NodePtr g = root->Child(); g; g = g->Next()) {
            EXPECT_EQ(g->Tag(), "tType");
            for (ui::NodePtr t = g->Child(); t; t = t->Next())
                EXPECT_EQ(t->Tag(), "tTable");
        }
        tables = childTexts(root->Child()->LastSibling());

        // OK on the root or on a group does nothing and leaves the dialog open.
        picker.OKButton->click();
        EXPECT_TRUE(picker.isVisible());
        select(picker, "TABLE");
        picker.OKButton->click();
        EXPECT_TRUE(picker.isVisible());
        select(picker, "Order Details");
        picker.OKButton->click();
        EXPECT_FALSE(picker.isVisible());
    });
    EXPECT_EQ(groups, QStringList({"ACCESS TABLE", "SYSTEM TABLE", "TABLE"}));
    EXPECT_TRUE(tables.contains("Orders"));
    EXPECT_TRUE(state->SourceChosen);
    EXPECT_FALSE(state->RefillPicker);
    EXPECT_EQ(state->RecordSource, "[Order Details]");

    // The main window: a fresh root, the columns read, the grid showing their headers.
    EXPECT_EQ(form->tvTreeView->Count(), 1);
    EXPECT_EQ(form->tvTreeView->Nodes(1)->Tag(), "Halyard");
    EXPECT_EQ(form->lblTitle[1]->text(), "[Order Details]");
    EXPECT_EQ(state->FieldCount, 5);
    EXPECT_EQ(state->ColInfo[0].ColSQL, "[OrderID]");
    EXPECT_EQ(state->ColInfo[5].ColConv, "0");
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
        select(picker, "Customers");
        emit picker.sTree->DblClick();
    });
    EXPECT_EQ(state->RecordSource, "[Customers]");
    EXPECT_EQ(state->DbConnection->schemaReads(), 1);
    const auto before = state->DetailRecordset;

    form->mnuFileOpen->trigger();
    EXPECT_EQ(state->DbConnection->schemaReads(), 1);
    EXPECT_FALSE(state->SourceChosen) << "closed untouched: Cancel";

    int tablesShown = 0;
    seam.queueForm([&](QDialog& d) {
        auto& picker = static_cast<frmOpenSource&>(d);
        EXPECT_EQ(picker.sTree->SelectedItem()->Text(), "Customers");
        tablesShown = picker.sTree->Count();
        // A double-click on a group picks nothing.
        select(picker, "TABLE");
        emit picker.sTree->DblClick();
        EXPECT_TRUE(picker.isVisible());
        select(picker, "Customers");
        picker.OKButton->click();
    });
    form->mnuFileOpen->trigger();
    EXPECT_GT(tablesShown, 3);
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
