#pragma once

#include "tree/OrderList.h"
#include "tree/TreeNode.h"

namespace tree {

// The nodes of one tree without any widget: their shape, their positions in order of adding
// and the order of the top level. Positions, the node at a position, a node's row among its
// siblings and adding a node all take O(log n); removing a subtree of k nodes O(k log n).
// Whoever shows the nodes watches them: it hears of every change before and after it is made,
// whoever makes it.
class NodeCollection {
public:
    class Watcher {
    public:
        virtual ~Watcher() = default;
        // A node is to go at `row` under `parent` (null: the top level), then has.
        virtual void adding(const TreeNode* parent, int row) = 0;
        virtual void added() = 0;
        // The rows `first` to `last` under `parent` are to go with all below them, then have.
        virtual void removing(const TreeNode* parent, int first, int last) = 0;
        virtual void removed() = 0;
        // Every node is to go, then has; the top level is to be sorted, then is.
        virtual void clearing() = 0;
        virtual void cleared() = 0;
        virtual void sorting() = 0;
        virtual void sorted() = 0;
        // The program changed a node's text or image, or set Expanded.
        virtual void changed(TreeNode& node) = 0;
        virtual void expandedSet(TreeNode& node) = 0;
    };

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
    // Removes every node under `node` at once.
    void removeChildren(TreeNode& node);
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

    // One watcher at a time; null for none.
    void watch(Watcher* watcher) { watcher_ = watcher; }

private:
    friend class TreeNode;

    const OrderList<TreeNode>& childrenOf(const TreeNode* parent) const;
    OrderList<TreeNode>& childrenOf(TreeNode* parent);
    static NodePtr detach(TreeNode& node);
    void detachSubtree(TreeNode& node);

    OrderList<TreeNode> added_;
    OrderList<TreeNode> top_;
    bool sorted_ = false;
    Watcher* watcher_ = nullptr;
};

} // namespace tree
