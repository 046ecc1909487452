#include "ui/main/TreeView.h"

#include "data/Error.h"
#include "ui/main/Pictures.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QHeaderView>
#include <QSignalSpy>
#include <QTest>
#include <QTreeView>
#include <gtest/gtest.h>

using ui::NodePtr;
using ui::TreeNode;
using ui::TreeView;
using ui::tvwChild;

namespace {

class TreeViewTest : public ::testing::Test {
protected:
    // Top level: Alpha (1) holding A1 (2) and A2 (3), A2 holding A2x (4); Beta (5).
    void addSample() {
        tree.Add(0, 0, "", "Alpha", "closed");
        tree.Add(1, tvwChild, "", "A1", "leaf");
        tree.Add(1, tvwChild, "", "A2", "closed");
        tree.Add(3, tvwChild, "", "A2x", "leaf");
        tree.Add(0, 0, "", "Beta", "closed");
    }

    // A node's parent, first child, next, first and last sibling and root ("-" for none), and
    // how many children it has.
    static QString around(const NodePtr& node) {
        const auto text = [](const NodePtr& n) { return n ? n->Text() : QString("-"); };
        return QStringList{text(node->Parent()),
                           text(node->Child()),
                           text(node->Next()),
                           text(node->FirstSibling()),
                           text(node->LastSibling()),
                           text(node->Root()),
                           QString::number(node->Children())}
            .join(' ');
    }

    QStringList topLevelTexts() {
        QStringList texts;
        for (NodePtr n = tree.Nodes(1)->FirstSibling(); n; n = n->Next())
            texts << n->Text();
        return texts;
    }

    TreeView tree;
};

} // namespace

TEST_F(TreeViewTest, NavigationFollowsTheShapeAndRemoveDetachesTheSubtreeAndSelectsANeighbour) {
    addSample();
    EXPECT_EQ(around(tree.Nodes(1)), "- A1 Beta Alpha Beta Alpha 2");
    EXPECT_EQ(around(tree.Nodes(2)), "Alpha - A2 A1 A2 Alpha 0");
    EXPECT_EQ(around(tree.Nodes(4)), "A2 - - A2x A2x Alpha 0");
    EXPECT_EQ(around(tree.Nodes(5)), "- - - Alpha Beta Beta 0");
    const NodePtr alpha = tree.Nodes(1), a1 = tree.Nodes(2), a2x = tree.Nodes(4);
    const NodePtr beta = tree.Nodes(5);
    QSignalSpy clicks(&tree, &TreeView::NodeClick);
    EXPECT_EQ(tree.SelectedItem(), nullptr);
    tree.setSelectedItem(a2x.get());
    EXPECT_EQ(tree.view()->currentIndex(), tree.indexOf(a2x.get()));

    // Removing the selected node, or a node above it, selects its next sibling, else its
    // previous one, else its parent.
    const NodePtr a3 = tree.Add(1, tvwChild, "", "A3"); // the newest child goes last
    EXPECT_EQ(around(tree.Nodes(3)), "Alpha A2x A3 A1 A3 Alpha 1");
    tree.Remove(3); // A2, holding A2x
    EXPECT_EQ(tree.Count(), 4);
    EXPECT_EQ(beta->Index(), 3);
    EXPECT_EQ(tree.SelectedItem(), a3);
    tree.Remove(4);
    EXPECT_EQ(tree.SelectedItem(), a1);
    tree.Remove(2);
    EXPECT_EQ(tree.SelectedItem(), alpha);
    tree.Remove(1);
    EXPECT_EQ(tree.SelectedItem(), beta);
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_EQ(tree.Nodes(1), beta);
    EXPECT_EQ(around(beta), "- - - Beta Beta Beta 0");
    for (const NodePtr& gone : {alpha, a1, a2x}) {
        EXPECT_THROW(gone->Index(), data::Error);
        EXPECT_EQ(around(gone), "- - - - - - 0");
    }
    a2x->setText("still safe");
    a2x->setExpanded(true);
    EXPECT_THROW(tree.setSelectedItem(a2x.get()), data::Error);

    EXPECT_THROW(tree.Nodes(0), data::Error);
    EXPECT_THROW(tree.Remove(2), data::Error);
    EXPECT_THROW(tree.Add(2, 1, "", "x"), data::Error);
    tree.Clear();
    EXPECT_EQ(tree.Count(), 0);
    EXPECT_THROW(beta->Index(), data::Error);
    EXPECT_EQ(tree.Add()->Index(), 1);
}

TEST_F(TreeViewTest, SortedOrdersOnlyTheTopLevel) {
    tree.Add(0, 0, "", "pear");
    tree.Add(1, tvwChild, "", "zeta");
    tree.Add(1, tvwChild, "", "alpha");
    tree.Add(0, 0, "", "Apple");
    tree.setSorted(true);
    EXPECT_EQ(topLevelTexts(), QStringList({"Apple", "pear"}));

    tree.Add(0, 0, "", "banana");
    tree.Add(0, 0, "", "Zucchini");
    tree.Add(0, 0, "", "aardvark");
    EXPECT_EQ(topLevelTexts(), QStringList({"aardvark", "Apple", "banana", "pear", "Zucchini"}));
    EXPECT_EQ(tree.Nodes(1)->Child()->Text(), "zeta");
    EXPECT_EQ(tree.Nodes(1)->Child()->Next()->Text(), "alpha");
    // Positions stay in order of adding; the view shows the sorted order.
    EXPECT_EQ(tree.Nodes(1)->Text(), "pear");
    EXPECT_EQ(tree.indexOf(tree.Nodes(1).get()).row(), 3);
    EXPECT_EQ(tree.view()->model()->index(0, 0).data().toString(), "aardvark");
}

TEST_F(TreeViewTest, ModelStaysConsistentThroughChanges) {
    // The tester checks the model after every change and reports what it finds as warnings.
    static QStringList failures;
    failures.clear();
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext&, const QString& text) { failures << text; });
    {
        QAbstractItemModelTester tester(tree.view()->model(),
                                        QAbstractItemModelTester::FailureReportingMode::Warning);
        addSample();
        tree.Nodes(3)->setExpanded(true);
        tree.setSorted(true);
        tree.Add(0, 0, "", "Aardvark");
        tree.Nodes(2)->setText("renamed");
        tree.Remove(3);
        tree.Add(2, tvwChild, "", "B1");
        tree.Clear();
    }
    qInstallMessageHandler(previous);
    EXPECT_TRUE(failures.isEmpty()) << failures.join("\n").toStdString();
}

TEST_F(TreeViewTest, DisplayFollowsNodesAndSettings) {
    const ui::ImageList images = ui::smallIcons();
    tree.setImageList(&images);
    addSample();
    const QModelIndex index = tree.indexOf(tree.Nodes(1).get());
    QSignalSpy changes(tree.view()->model(), &QAbstractItemModel::dataChanged);
    tree.Nodes(1)->setText("Renamed");
    EXPECT_EQ(changes.count(), 1) << "the view repaints the node";
    EXPECT_EQ(index.data().toString(), "Renamed");
    EXPECT_FALSE(index.data(Qt::DecorationRole).value<QPixmap>().isNull());
    EXPECT_FALSE(tree.view()->model()->flags(index) & Qt::ItemIsEditable);

    // Expanded is kept in step with the view both ways.
    tree.Nodes(1)->setExpanded(true);
    EXPECT_TRUE(tree.view()->isExpanded(index));
    tree.view()->collapse(index);
    EXPECT_FALSE(tree.Nodes(1)->Expanded());
    tree.view()->expand(index);
    EXPECT_TRUE(tree.Nodes(1)->Expanded());
}

TEST_F(TreeViewTest, ClicksAndKeyboardMovesRaiseNodeClickWithTheNodeSelected) {
    addSample();
    tree.resize(300, 400);
    tree.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&tree));
    const NodePtr beta = tree.Nodes(5);
    std::vector<NodePtr> selectedAtClick;
    QObject::connect(&tree, &TreeView::NodeClick, [&](TreeNode* node) {
        EXPECT_EQ(node, beta.get());
        selectedAtClick.push_back(tree.SelectedItem());
    });
    QSignalSpy doubles(&tree, &TreeView::DblClick);
    const QPoint at = tree.view()->visualRect(tree.indexOf(beta.get())).center();
    QTest::mouseClick(tree.view()->viewport(), Qt::LeftButton, {}, at);
    // A double click reaches a widget as a click followed by the double-click event.
    QTest::mouseClick(tree.view()->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(tree.view()->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(doubles.count(), 1);

    tree.setSelectedItem(tree.Nodes(1).get());
    QTest::keyClick(tree.view(), Qt::Key_Down);
    EXPECT_EQ(selectedAtClick, std::vector<NodePtr>({beta, beta, beta}));
    QTest::keyClick(tree.view(), Qt::Key_Down); // at the end the selection stays: no NodeClick
    EXPECT_EQ(selectedAtClick.size(), 3u);

    // Another button neither selects nor clicks: the grid keeps showing the selected node.
    const QPoint alpha = tree.view()->visualRect(tree.indexOf(tree.Nodes(1).get())).center();
    for (Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {
        QTest::mouseClick(tree.view()->viewport(), button, {}, alpha);
        QTest::mouseDClick(tree.view()->viewport(), button, {}, alpha);
    }
    EXPECT_EQ(tree.SelectedItem(), beta);
    EXPECT_EQ(selectedAtClick.size(), 3u);
    EXPECT_EQ(doubles.count(), 1);
}

// The tree shows its labels whole: its column is as wide as the widest label, which it measures
// once and again only when the label or the font changes.
TEST_F(TreeViewTest, FitsTheWidestLabelAsLabelsAndTheFontChange) {
    tree.resize(120, 200);
    tree.show();
    QTreeView* view = tree.view();
    const auto fits = [&](const QString& text) {
        QApplication::processEvents(); // the tree lays its items out when idle
        return view->header()->sectionSize(0) >= view->fontMetrics().horizontalAdvance(text);
    };
    const ui::NodePtr node = tree.Add(0, 0, "", "Short", "closed");
    const QString wide = "A label far wider than the tree, with its count (1,000,000)";
    EXPECT_TRUE(fits("Short"));
    EXPECT_FALSE(fits(wide));
    node->setText(wide);
    EXPECT_TRUE(fits(wide));
    QFont larger = view->font();
    larger.setPointSizeF(larger.pointSizeF() * 2);
    view->setFont(larger);
    EXPECT_TRUE(fits(wide));
}
