// The grouping tree of the real window over the Access sample file: the root's count, levels
// built by clicks, titles, the null group, and levels pruned again.
#include "support/AccessWindowFixture.h"
#include "ui/dialogs/frmOpenSource.h"
#include "ui/main/TreeView.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>

using test::access::accessFixture;

namespace {

class GroupingTree : public AccessWindowFixture {
protected:
    // Connects to nwind.mdb and picks the table.
    void openTable(const QString& table) {
        openWindow();
        seam.queueFile(accessFixture("nwind.mdb"));
        seam.queueForm([table](QDialog& d) {
            auto& picker = static_cast<frmOpenSource&>(d);
            for (int i = 1; i <= picker.sTree->Count(); ++i)
                if (picker.sTree->Nodes(i)->Text() == table)
                    picker.sTree->setSelectedItem(picker.sTree->Nodes(i).get());
            picker.OKButton->click();
        });
        form->mnuFileCnctMSACC->trigger();
        ASSERT_TRUE(seam.messages.empty()) << seam.messages[0].text.toStdString();
    }
    // Clicks a node as a person does.
    void click(const ui::NodePtr& node) {
        form->tvTreeView->setSelectedItem(node.get());
        emit form->tvTreeView->NodeClick(node.get());
    }
    QStringList children(const ui::NodePtr& node) {
        QStringList texts;
        for (ui::NodePtr c = node->Child(); c; c = c->Next())
            texts << c->Text();
        return texts;
    }
};

} // namespace

TEST_F(GroupingTree, TheStartRootDoesNothingButSetTheTitle) {
    openWindow();
    click(form->tvTreeView->Nodes(1));
    EXPECT_EQ(form->lblTitle[0]->text(), "Column: Quarrymere");
    EXPECT_EQ(form->tvTreeView->Count(), 1);
    EXPECT_TRUE(seam.messages.empty());
}

TEST_F(GroupingTree, ClicksBuildOneLevelEachWithCountsAndStatistics) {
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    openTable("Shippers");
    const ui::NodePtr root = form->tvTreeView->Nodes(1);
    EXPECT_EQ(root->Text(), "Quarrymere (3; Min: 1.00; Max: 3.00; Avg: 2.00; Sum: 6.00)");
    EXPECT_EQ(root->Tag(), "Halyard");

    click(root);
    EXPECT_EQ(form->lblTitle[0]->text(), "Column: Halyard");
    EXPECT_EQ(state->SelectedDepth, 0);
    EXPECT_EQ(children(root), QStringList({"1 (1)", "2 (1)", "3 (1)"}));
    EXPECT_EQ(root->Child()->Tag(), "ShipperID");

    const ui::NodePtr second = root->Child()->Next();
    click(second);
    EXPECT_EQ(state->SelectedDepth, 1);
    EXPECT_EQ(form->lblTitle[0]->text(), "Column: ShipperID");
    ASSERT_EQ(second->Children(), 1);
    EXPECT_EQ(second->Child()->Tag(), "CompanyName");
    EXPECT_TRUE(state->ColInfo[0].ColGrouped);

    // A node that has its children builds nothing again.
    const int count = form->tvTreeView->Count();
    click(second);
    EXPECT_EQ(form->tvTreeView->Count(), count);

    // Levels go again from a depth down.
    form->delNodes(root, 2, 0);
    EXPECT_EQ(second->Children(), 0);
    EXPECT_EQ(root->Children(), 3);
    form->delNodes(root, 0, 0);
    EXPECT_EQ(root->Children(), 3);
    form->delNodes(root, 1, 0);
    EXPECT_EQ(form->tvTreeView->Count(), 1);
    QLocale::setDefault(before);
}

TEST_F(GroupingTree, AColumnOfRawBytesCannotBeGrouped) {
    openTable("Categories");
    ASSERT_EQ(state->ColInfo[3].ColConv, "NOTHING");
    ui::NodePtr node = form->tvTreeView->Nodes(1);
    for (int depth = 0; depth < 3; ++depth) {
        click(node);
        ASSERT_GT(node->Children(), 0) << depth;
        node = node->Child();
    }
    click(node);
    ASSERT_EQ(seam.messages.size(), 1u);
    EXPECT_EQ(seam.messages[0].title, "Cannot Group Column");
    EXPECT_EQ(seam.messages[0].text, "The Database you are connected to does not support "
                                     "grouping on the following column Picture.");
    EXPECT_EQ(node->Children(), 0);
}
