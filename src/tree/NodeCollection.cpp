#include "tree/NodeCollection.h"

#include "data/Error.h"

#include <algorithm>

namespace tree {

namespace {

bool textBefore(const QString& a, const QString& b) {
    return QString::compare(a, b, Qt::CaseInsensitive) < 0;
}

} // namespace

NodeCollection::~NodeCollection() {
    watcher_ = nullptr;
    clear();
}

const NodePtr& NodeCollection::at(int index) const {
    const TreeNode* node = added_.at(index - 1);
    if (!node)
        throw data::Error(
            QString("There is no node %1 in the tree; it holds %2.").arg(index).arg(count()));
    return node->held_;
}

const OrderList<TreeNode>& NodeCollection::childrenOf(const TreeNode* parent) const {
    return parent ? parent->children_ : top_;
}

OrderList<TreeNode>& NodeCollection::childrenOf(TreeNode* parent) {
    return parent ? parent->children_ : top_;
}

int NodeCollection::rowForNew(const TreeNode* parent, const QString& text) const {
    if (parent || !sorted_)
        return childCount(parent);
    return top_.countLeading([&](const TreeNode& node) { return !textBefore(text, node.text_); });
}

NodePtr NodeCollection::add(TreeNode* parent, const QString& text, const QString& image) {
    if (parent && !holds(*parent))
        throw data::Error("A node can only be added under a node of the same tree.");
    const int row = rowForNew(parent, text);
    if (watcher_)
        watcher_->adding(parent, row);
    auto node = std::make_shared<TreeNode>(TreeNode::Made{}, this, parent, text, image);
    node->held_ = node;
    added_.append(node->added_);
    childrenOf(parent).insert(row, node->sibling_);
    if (watcher_)
        watcher_->added();
    return node;
}

NodePtr NodeCollection::detach(TreeNode& node) {
    node.children_.clear();
    node.owner_ = nullptr;
    node.parent_ = nullptr;
    return std::move(node.held_);
}

void NodeCollection::remove(TreeNode& node) {
    if (!holds(node))
        throw data::Error("The node to remove is not in this tree.");
    const int row = rowOf(node);
    if (watcher_)
        watcher_->removing(node.parent_, row, row);
    detachSubtree(node);
    if (watcher_)
        watcher_->removed();
}

void NodeCollection::removeChildren(TreeNode& node) {
    if (!holds(node))
        throw data::Error("The node to empty is not in this tree.");
    const int count = childCount(&node);
    if (count == 0)
        return;
    if (watcher_)
        watcher_->removing(&node, 0, count - 1);
    for (int row = count - 1; row >= 0; --row)
        detachSubtree(*childAt(&node, row));
    if (watcher_)
        watcher_->removed();
}

void NodeCollection::detachSubtree(TreeNode& node) {
    childrenOf(node.parent_).erase(node.sibling_);
    // The handles keep the subtree alive until every node of it has been detached.
    std::vector<NodePtr> removed;
    std::vector<TreeNode*> pending{&node};
    while (!pending.empty()) {
        TreeNode* next = pending.back();
        pending.pop_back();
        added_.erase(next->added_);
        const auto children = next->children_.items();
        pending.insert(pending.end(), children.begin(), children.end());
        removed.push_back(detach(*next));
    }
}

void NodeCollection::clear() {
    if (watcher_)
        watcher_->clearing();
    const auto all = added_.items();
    added_.clear();
    top_.clear();
    std::vector<NodePtr> removed;
    removed.reserve(all.size());
    for (TreeNode* node : all)
        removed.push_back(detach(*node));
    if (watcher_)
        watcher_->cleared();
}

void NodeCollection::setSorted(bool sorted) {
    sorted_ = sorted;
    if (!sorted)
        return;
    if (watcher_)
        watcher_->sorting();
    auto nodes = top_.items();
    std::stable_sort(nodes.begin(), nodes.end(), [](const TreeNode* a, const TreeNode* b) {
        return textBefore(a->text_, b->text_);
    });
    top_.clear();
    for (TreeNode* node : nodes)
        top_.append(node->sibling_);
    if (watcher_)
        watcher_->sorted();
}

} // namespace tree
