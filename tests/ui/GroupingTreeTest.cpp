// The grouping tree of the real window over the Access sample file: the root's count, levels
// built by clicks, titles, the null group, date groups, and levels pruned again. (A column of raw
// bytes refusing to be grouped is checked by DrillTest, which clicks the same window.)
#include "support/NwindWindowFixture.h"
#include "tree/LocaleScope.h"

#include <QAction>
#include <QLabel>
#include <QRegularExpression>

using test::access::accessFixture;

namespace {

class GroupingTree : public NwindWindowFixture {
protected:
    void reopen(const QString& table) {
        ui::script::queuePick(seam, table);
        form->mnuFileOpen->trigger();
        ASSERT_EQ(state->Grouping.RecordSource, "[" + table + "]");
    }
    // Clicks the node and its first child, its first grandchild, ... `levels` times; returns the
    // node reached.
    ui::NodePtr down(ui::NodePtr node, int levels) {
        for (int i = 0; i < levels && node; ++i) {
            click(node);
            node = node->Child();
        }
        return node;
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
    test::LocaleScope region(test::UnitedStates);
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
    EXPECT_TRUE(state->Grouping.ColInfo[0].ColGrouped);

    // A node that has its children builds nothing again, yet shows its column in the title
    // and binds the grid anew (as after the grid had shown other rows).
    const int count = form->tvTreeView->Count();
    click(root);
    EXPECT_EQ(form->lblTitle[0]->text(), "Column: Halyard");
    state->LastDetailSQL.clear();
    click(second);
    EXPECT_EQ(form->tvTreeView->Count(), count);
    EXPECT_EQ(form->lblTitle[0]->text(), "Column: ShipperID");
    EXPECT_EQ(state->SelectedDepth, 1);
    EXPECT_FALSE(state->LastDetailSQL.isEmpty());
    // Below the last column there is nothing to build.
    const ui::NodePtr last = down(second->Child(), 1);
    ASSERT_TRUE(last);
    click(last);
    EXPECT_EQ(state->SelectedDepth, state->Grouping.FieldCount);
    EXPECT_EQ(last->Children(), 0);
    EXPECT_TRUE(seam.messages.empty());

    // Levels go again from a depth down.
    form->delNodes(root, 2, 0);
    EXPECT_EQ(second->Children(), 0);
    EXPECT_EQ(root->Children(), 3);
    form->delNodes(root, 0, 0);
    EXPECT_EQ(root->Children(), 3);
    form->delNodes(root, 1, 0);
    EXPECT_EQ(form->tvTreeView->Count(), 1);
}

TEST_F(GroupingTree, ADepthKeepsTheDateGroupItWasFirstBuiltWith) {
    openTable("Orders");
    const QRegularExpression year(R"(^\d{4} \(1\)$)"), month(R"(^\d{4}/\d{2} \(1\)$)");
    ui::NodePtr root = form->tvTreeView->Nodes(1);
    click(root);
    // Below two orders: the customer, the employee, then the order date.
    const ui::NodePtr first = down(root->Child(), 3);
    ASSERT_TRUE(first);
    ASSERT_EQ(state->Grouping.ColInfo[3].ColName, "OrderDate");
    EXPECT_TRUE(year.match(first->Text()).hasMatch()) << first->Text().toStdString();

    form->mnuViewMonthly->trigger();
    EXPECT_EQ(state->DateGroupType, "Month");
    const ui::NodePtr second = down(root->Child()->Next(), 3);
    ASSERT_TRUE(second);
    EXPECT_TRUE(year.match(second->Text()).hasMatch()) << second->Text().toStdString();
    EXPECT_EQ(state->Grouping.ColInfo[3].ColDateGroup, "Year");
    // A depth first built after the change takes the new choice; every node still selects its
    // own rows.
    click(second);
    ASSERT_TRUE(second->Child());
    EXPECT_TRUE(month.match(second->Child()->Text()).hasMatch())
        << second->Child()->Text().toStdString();

    // Opening the record source again starts every depth afresh.
    reopen("Orders");
    root = form->tvTreeView->Nodes(1);
    click(root);
    const ui::NodePtr again = down(root->Child(), 3);
    ASSERT_TRUE(again);
    EXPECT_TRUE(month.match(again->Text()).hasMatch()) << again->Text().toStdString();
    EXPECT_TRUE(seam.messages.empty());
}
