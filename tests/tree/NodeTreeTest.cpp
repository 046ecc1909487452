// The grouping tree's nodes without a window: their shape as the program walks it, what a
// removal leaves behind, the root, the paths and depths that conditions are written from, and
// the prune a column move asks for.
#include "tree/NodeTree.h"

#include "data/Error.h"
#include "support/StoppingWatch.h"

#include <gtest/gtest.h>

using tree::NodePtr;
using tree::NodeTree;
using tree::NodeValue;

namespace {

// A node's parent, first child, next, first and last sibling and root ("-" for none), and how
// many children it has.
QString around(const NodePtr& node) {
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

std::vector<tree::LevelRow> rows(const QStringList& labels) {
    std::vector<tree::LevelRow> level;
    for (const QString& label : labels)
        level.push_back(
            {NodeValue{label == "Null" ? QVariant() : QVariant(label), 202, label}, {}});
    return level;
}

QStringList texts(const NodePtr& parent) {
    QStringList list;
    for (NodePtr n = parent->Child(); n; n = n->Next())
        list << n->Text();
    return list;
}

} // namespace

TEST(NodeCollection, NavigationFollowsTheShapeARemovedSubtreeIsDetachedAndSortedOrdersTheTop) {
    tree::NodeCollection nodes;
    // Top level: Alpha (1) holding A1 (2) and A2 (3), A2 holding A2x (4); Beta (5).
    const NodePtr alpha = nodes.add(nullptr, "Alpha", "closed");
    const NodePtr a1 = nodes.add(alpha.get(), "A1", "leaf");
    const NodePtr a2 = nodes.add(alpha.get(), "A2", "closed");
    const NodePtr a2x = nodes.add(a2.get(), "A2x", "leaf");
    const NodePtr beta = nodes.add(nullptr, "Beta", "closed");
    EXPECT_EQ(around(alpha), "- A1 Beta Alpha Beta Alpha 2");
    EXPECT_EQ(around(a1), "Alpha - A2 A1 A2 Alpha 0");
    EXPECT_EQ(around(a2x), "A2 - - A2x A2x Alpha 0");
    EXPECT_EQ(around(beta), "- - - Alpha Beta Beta 0");

    nodes.remove(*a2);
    EXPECT_EQ(nodes.count(), 3);
    EXPECT_EQ(beta->Index(), 3);
    nodes.remove(*alpha);
    EXPECT_EQ(nodes.at(1), beta);
    for (const NodePtr& gone : {alpha, a1, a2x}) {
        EXPECT_THROW(gone->Index(), data::Error);
        EXPECT_EQ(around(gone), "- - - - - - 0");
    }
    a2x->setText("still safe");
    a2x->setExpanded(true);
    EXPECT_THROW(nodes.remove(*a2x), data::Error);
    EXPECT_THROW(nodes.add(a2x.get(), "x", ""), data::Error);
    EXPECT_THROW(nodes.at(0), data::Error);
    EXPECT_THROW(nodes.at(2), data::Error);
    nodes.clear();
    EXPECT_EQ(nodes.count(), 0);
    EXPECT_THROW(beta->Index(), data::Error);
    EXPECT_EQ(nodes.add(nullptr, "", "")->Index(), 1);

    // Sorted orders only the top level, and positions stay in order of adding.
    nodes.clear();
    const NodePtr pear = nodes.add(nullptr, "pear", "");
    nodes.add(pear.get(), "zeta", "");
    nodes.add(pear.get(), "alpha", "");
    nodes.add(nullptr, "Apple", "");
    nodes.setSorted(true);
    for (const char* text : {"banana", "Zucchini", "aardvark"})
        nodes.add(nullptr, text, "");
    QStringList top;
    for (NodePtr n = pear->FirstSibling(); n; n = n->Next())
        top << n->Text();
    EXPECT_EQ(top, QStringList({"aardvark", "Apple", "banana", "pear", "Zucchini"}));
    EXPECT_EQ(texts(pear), QStringList({"zeta", "alpha"}));
    EXPECT_EQ(nodes.at(1), pear);
    EXPECT_EQ(tree::NodeCollection::rowOf(*pear), 3);
}

TEST(NodeTree, TheRootIsKnownByWhatItIsAndPathsAndDepthsWalkUpToIt) {
    NodeTree nodes;
    EXPECT_EQ(nodes.depthOf(nullptr), 0);
    const NodePtr root = nodes.reset(tree::RootKind::Source);
    nodes.addLevel(*root, "City", rows({"Null", "Berlin", "Paris"}));
    const NodePtr paris = root->Child()->Next()->Next();
    nodes.addLevel(*paris, "Street", rows({"Rue"}));
    const NodePtr rue = paris->Child();
    EXPECT_TRUE(nodes.isRoot(root.get()));
    EXPECT_FALSE(nodes.isRoot(rue.get()));
    EXPECT_EQ(nodes.depthOf(root.get()), 0);
    EXPECT_EQ(nodes.depthOf(rue.get()), 2);

    auto path = [&](const NodePtr& node, int depth) {
        const tree::NodePath p = nodes.pathTo(node.get(), depth);
        QStringList labels;
        for (const NodeValue& v : p.values)
            labels << (v.isNull() ? "null" : v.value.toString());
        return QString::number(p.firstDepth) + ": " + labels.join(',');
    };
    EXPECT_EQ(path(rue, 2), "1: Paris,Rue");
    EXPECT_EQ(path(root->Child(), 1), "1: null");
    // A node taken to be shallower than it is gives only the levels down to depth 1; the root
    // gives none at any depth (a record source opened again, whatever depth was clicked).
    EXPECT_EQ(path(rue, 1), "1: Rue");
    EXPECT_EQ(path(root, 3), "4: ");

    // A new root is a new node, even with the same text; the old one is the root no longer.
    nodes.reset(tree::RootKind::Start);
    EXPECT_FALSE(nodes.isRoot(root.get()));
    EXPECT_EQ(nodes.depthOf(rue.get()), 0);
    EXPECT_EQ(nodes.count(), 1);
}

TEST(NodeTree, PruneRemovesTheLevelsFromADepthAndAStoppedLevelLeavesNothing) {
    NodeTree nodes;
    const NodePtr root = nodes.reset(tree::RootKind::Start);
    nodes.addLevel(*root, "A", rows({"a1", "a2"}));
    for (NodePtr a = root->Child(); a; a = a->Next()) {
        nodes.addLevel(*a, "B", rows({"b1", "b2"}));
        nodes.addLevel(*a->Child(), "C", rows({"c1"}));
    }
    EXPECT_EQ(nodes.count(), 1 + 2 + 4 + 2);
    QStringList told;
    const auto tell = [&](const QString& what) { told << what; };
    nodes.prune(3, tell);
    EXPECT_EQ(nodes.count(), 1 + 2 + 4);
    EXPECT_EQ(told, QStringList({"Checking Node a1", "Checking Node b1", "deleting Node c1",
                                 "Checking Node b1", "deleting Node c1"}));
    nodes.prune(0, tell);
    EXPECT_EQ(nodes.count(), 7);
    nodes.prune(2, tell);
    EXPECT_EQ(nodes.count(), 3);
    EXPECT_EQ(texts(root), QStringList({"a1", "a2"}));
    EXPECT_EQ(root->Child()->Children(), 0);
    nodes.prune(1, tell);
    EXPECT_EQ(nodes.count(), 1);
    EXPECT_EQ(nodes.root(), root);

    // A level stopped while its children are added: the node stays as it was.
    test::StoppingWatch stop(1);
    data::WatchScope watching(stop);
    EXPECT_THROW(nodes.addLevel(*root, "A", rows(QStringList(3000, "x"))), data::Cancelled);
    EXPECT_EQ(root->Children(), 0);
    EXPECT_EQ(nodes.count(), 1);
}
