#include "ui/controls/TreeView.h"

#include "data/Error.h"
#include "ui/controls/Pictures.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QHeaderView>
#include <QSignalSpy>
#include <QTest>
#include <QTreeView>
#include <gtest/gtest.h>

using tree::NodePtr;
using tree::TreeNode;
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

    TreeView tree;
};

} // namespace

// The shape itself is NodeCollection's (tests/tree/NodeTreeTest.cpp); the tree control keeps
// its selection out of what goes, whoever removes it.
TEST_F(TreeViewTest, RemovingTheSelectedNodeSelectsANeighbourQuietly) {
    addSample();
    const NodePtr alpha = tree.Nodes(1), a1 = tree.Nodes(2), a2x = tree.Nodes(4);
    const NodePtr beta = tree.Nodes(5);
    QSignalSpy clicks(&tree, &TreeView::NodeClick);
    EXPECT_EQ(tree.SelectedItem(), nullptr);
    tree.setSelectedItem(a2x.get());
    EXPECT_EQ(tree.view()->currentIndex(), tree.indexOf(a2x.get()));

    // Removing the selected node, or a node above it, selects its next sibling, else its
    // previous one, else its parent.
    const NodePtr a3 = tree.Add(1, tvwChild, "", "A3"); // the newest child goes last
    tree.Remove(3);                                     // A2, holding A2x
    EXPECT_EQ(tree.SelectedItem(), a3);
    tree.Remove(4);
    EXPECT_EQ(tree.SelectedItem(), a1);
    tree.Remove(2);
    EXPECT_EQ(tree.SelectedItem(), alpha);
    tree.Remove(1);
    EXPECT_EQ(tree.SelectedItem(), beta);
    // Children removed at once give way to their parent.
    tree.setSelectedItem(tree.Add(1, tvwChild, "", "B1").get());
    tree.RemoveChildren(*beta);
    EXPECT_EQ(tree.SelectedItem(), beta);
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_THROW(tree.setSelectedItem(a2x.get()), data::Error);
    EXPECT_THROW(tree.Add(1, 1, "", "x"), data::Error);

    // The view shows the top level sorted, while positions stay in order of adding.
    tree.Add(0, 0, "", "aardvark");
    tree.setSorted(true);
    EXPECT_EQ(tree.indexOf(tree.Nodes(1).get()).row(), 1);
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

TEST_F(TreeViewTest, DisplayFollowsNodesAndSettingsAndFitsTheWidestLabel) {
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

    // The tree shows its labels whole: its column is as wide as the widest label, which it
    // measures once and again only when the label or the font changes.
    tree.resize(120, 200);
    tree.show();
    QTreeView* view = tree.view();
    const auto fits = [&](const QString& text) {
        QApplication::processEvents(); // the tree lays its items out when idle
        return view->header()->sectionSize(0) >= view->fontMetrics().horizontalAdvance(text);
    };
    const NodePtr node = tree.Add(0, 0, "", "Short", "closed");
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
