#pragma once

#include "tree/GroupingModel.h"
#include "tree/NodeCollection.h"

#include <functional>
#include <vector>

namespace tree {

// What the grouping tree's root was made for. Both show "Quarrymere (0)" until the root's
// figures are read; the root's tag, which the window's title names, tells them apart.
enum class RootKind {
    Start,  // the program's start, and a regroup from the first column
    Source, // a record source opened, or forgotten after a failure
};

// The grouping tree's nodes without a window: one root, and below it a level of children per
// node clicked, each child holding the NodeValue its condition is written from and the name of
// the column it groups as its tag. The window shows it (and holds which node is selected); the
// paths, depths and prunes the tree's logic needs are worked out here.
class NodeTree : public NodeCollection {
public:
    // Empties the tree down to a new root of the kind given; the top level stays sorted.
    const NodePtr& reset(RootKind kind);
    const NodePtr& root() const { return root_; }
    RootKind rootKind() const { return rootKind_; }
    bool isRoot(const TreeNode* node) const { return node && node == root_.get(); }

    // How many levels the node lies below the root; 0 for the root and for null.
    int depthOf(const TreeNode* node) const;
    // The values of `node` and its ancestors, the node taken to be at `depth`, walking up until
    // the root or depth 1: the root stands for every row, so levels the walk does not reach
    // add nothing.
    NodePath pathTo(const TreeNode* node, int depth) const;

    // One child a row under `node`, tagged with the column, reporting every 1,024 children;
    // when stopped (data::Cancelled) or failing, the children added go again.
    void addLevel(TreeNode& node, const QString& column, const std::vector<LevelRow>& rows);
    // Removes every node `depth` or more levels below the root, telling `told` what it checks
    // and deletes as it goes ("Checking Node ...", "deleting Node ...").
    void prune(int depth, const std::function<void(const QString&)>& told);

private:
    void prune(TreeNode& node, int depth, int nodeDepth,
               const std::function<void(const QString&)>& told);

    NodePtr root_;
    RootKind rootKind_ = RootKind::Start;
};

} // namespace tree
