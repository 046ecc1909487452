#pragma once

#include "tree/OrderList.h"

#include <QString>
#include <any>
#include <memory>

namespace tree {

class NodeCollection;
class TreeNode;

using NodePtr = std::shared_ptr<TreeNode>;

// One node of a TreeView, as the program's handlers hold it. The tree keeps every node it
// holds alive; a handle kept after the node was removed stays safe to use: the node is then
// detached, its navigation answers null or 0 and asking its Index raises data::Error.
class TreeNode : public std::enable_shared_from_this<TreeNode> {
public:
    TreeNode(const TreeNode&) = delete;
    TreeNode& operator=(const TreeNode&) = delete;

    // 1-based position in the tree's Nodes collection, which is in order of adding.
    int Index() const;

    const QString& Text() const { return text_; }
    void setText(const QString& text);
    const QString& Tag() const { return tag_; }
    void setTag(const QString& tag) { tag_ = tag; }
    // What the node stands for beyond its text, kept for the program's own use.
    const std::any& Value() const { return value_; }
    void setValue(std::any value) { value_ = std::move(value); }
    // A key of the tree's ImageList.
    const QString& Image() const { return image_; }
    void setImage(const QString& key);

    bool Expanded() const { return expanded_; }
    void setExpanded(bool expanded);

    // Navigation, in the order the tree shows the nodes.
    NodePtr Parent() const;
    int Children() const { return children_.size(); }
    NodePtr Child() const { return held(children_.first()); }
    NodePtr FirstSibling() const;
    NodePtr LastSibling() const;
    NodePtr Next() const;
    NodePtr Root() const;

private:
    friend class NodeCollection;
    struct Made {};

public:
    // Nodes are made by NodeCollection only.
    TreeNode(Made, NodeCollection* owner, TreeNode* parent, const QString& text,
             const QString& image);

private:
    static NodePtr held(const TreeNode* node) { return node ? node->held_ : nullptr; }
    const OrderList<TreeNode>* siblings() const;

    NodeCollection* owner_;
    TreeNode* parent_;
    QString text_;
    QString tag_;
    std::any value_;
    QString image_;
    bool expanded_ = false;
    OrderLink<TreeNode> added_{this};   // place in the collection, in order of adding
    OrderLink<TreeNode> sibling_{this}; // place among its siblings, as shown
    OrderList<TreeNode> children_;
    NodePtr held_; // the collection's own hold on the node while it is in the tree
};

} // namespace tree
