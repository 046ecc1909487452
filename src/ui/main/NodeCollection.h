#pragma once

#include "ui/main/OrderList.h"
#include "ui/main/TreeNode.h"

#include <functional>

namespace ui {

// The nodes of one tree without any widget: their shape, their positions in order of adding
// and the order of the top level. Positions, the node at a position, a node's row among its
// siblings and adding a node all take O(log n); removing a subtree of k nodes O(k log n).
class NodeCollection {
public:
    NodeCollection() = default;
    NodeCollection(const NodeCollection&) = delete;
    NodeCollection& operator=(const NodeCollection&) = delete;
    ~NodeCollection();

    int count() const { return added_.size(); }
    // The node at a 1-based position in order of adding; data::Error when there is none.
    const NodePtr& at(int index) const;

    // Adds a top-level node (parent null) or the last child of `parent`.
    NodePtr add(TreeNode* parent, const QString& text, const QString& image);
    // The row among its siblings that add() will give a node with this text.
    int rowForNew(const TreeNode* parent, const QString& text) const;
    // Removes the node and everything under it; all of them are detached.
    void remove(TreeNode& node);
    void clear();

    // When sorted, the top level is kept in case-insensitive order of Text: sorted when
    // switched on, and top-level nodes added afterwards go to their place. Children always keep
    // their order of adding.
    bool sorted() const { return sorted_; }
    void setSorted(bool sorted);

    bool holds(const TreeNode& node) const { return node.owner_ == this; }
    // The shape as a view walks it; a null parent stands for the top level.
    int childCount(const TreeNode* parent) const { return childrenOf(parent).size(); }
    TreeNode* childAt(const TreeNode* parent, int row) const { return childrenOf(parent).at(row); }
    static int rowOf(const TreeNode& node) {
        return OrderList<TreeNode>::positionOf(node.sibling_);
    }
    static TreeNode* parentOf(const TreeNode& node) { return node.parent_; }

    // Told when the program changes a node's text or image, and when it sets Expanded.
    std::function<void(TreeNode&)> changed;
    std::function<void(TreeNode&)> expandedSet;

private:
    friend class TreeNode;

    const OrderList<TreeNode>& childrenOf(const TreeNode* parent) const;
    OrderList<TreeNode>& childrenOf(TreeNode* parent);
    static NodePtr detach(TreeNode& node);

    OrderList<TreeNode> added_;
    OrderList<TreeNode> top_;
    bool sorted_ = false;
};

} // namespace ui
