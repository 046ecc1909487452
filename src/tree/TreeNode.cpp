#include "tree/TreeNode.h"

#include "data/Error.h"
#include "tree/NodeCollection.h"

namespace tree {

TreeNode::TreeNode(Made, NodeCollection* owner, TreeNode* parent, const QString& text,
                   const QString& image)
    : owner_(owner), parent_(parent), text_(text), image_(image) {}

int TreeNode::Index() const {
    if (!owner_)
        throw data::Error(
            QString("The node \"%1\" has been removed from the tree and has no index.").arg(text_));
    return OrderList<TreeNode>::positionOf(added_) + 1;
}

void TreeNode::setText(const QString& text) {
    text_ = text;
    if (owner_ && owner_->watcher_)
        owner_->watcher_->changed(*this);
}

void TreeNode::setImage(const QString& key) {
    image_ = key;
    if (owner_ && owner_->watcher_)
        owner_->watcher_->changed(*this);
}

void TreeNode::setExpanded(bool expanded) {
    expanded_ = expanded;
    if (owner_ && owner_->watcher_)
        owner_->watcher_->expandedSet(*this);
}

const OrderList<TreeNode>* TreeNode::siblings() const {
    return owner_ ? &owner_->childrenOf(parent_) : nullptr;
}

NodePtr TreeNode::Parent() const {
    return held(parent_);
}

NodePtr TreeNode::FirstSibling() const {
    const auto* list = siblings();
    return list ? held(list->first()) : nullptr;
}

NodePtr TreeNode::LastSibling() const {
    const auto* list = siblings();
    return list ? held(list->last()) : nullptr;
}

NodePtr TreeNode::Next() const {
    return owner_ ? held(OrderList<TreeNode>::next(sibling_)) : nullptr;
}

NodePtr TreeNode::Root() const {
    if (!owner_)
        return nullptr;
    const TreeNode* node = this;
    while (node->parent_)
        node = node->parent_;
    return node->held_;
}

} // namespace tree
