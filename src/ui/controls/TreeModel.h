#pragma once

#include "tree/NodeCollection.h"

#include <QAbstractItemModel>
#include <functional>

namespace ui {

class ImageList;

using tree::NodeCollection;
using tree::NodePtr;
using tree::TreeNode;

// Shows a NodeCollection to a QTreeView as a one-column model, the node being each index's
// internal pointer. It watches the nodes it shows, so that the view hears of every change of
// the tree's shape, text and images, whoever makes it. It shows a collection of its own until
// given another, which must outlive it or be replaced.
class TreeModel : public QAbstractItemModel, private NodeCollection::Watcher {
    Q_OBJECT

public:
    explicit TreeModel(QObject* parent = nullptr);
    ~TreeModel() override;

    void show(NodeCollection& nodes);
    const NodeCollection& nodes() const { return *nodes_; }
    NodeCollection& nodes() { return *nodes_; }
    void setImageList(const ImageList* images);

    // Told before rows go, while the view still shows them, and when Expanded is set.
    std::function<void(const TreeNode* parent, int first, int last)> removingRows;
    std::function<void(TreeNode&)> expandedChanged;

    // The index showing a node of this tree (invalid for null); data::Error for any other node.
    QModelIndex indexOf(const TreeNode* node) const;
    static TreeNode* nodeAt(const QModelIndex& index);

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    void adding(const TreeNode* parent, int row) override;
    void added() override;
    void removing(const TreeNode* parent, int first, int last) override;
    void removed() override;
    void clearing() override;
    void cleared() override;
    void sorting() override;
    void sorted() override;
    void changed(TreeNode& node) override;
    void expandedSet(TreeNode& node) override;

    NodeCollection own_;
    NodeCollection* nodes_ = &own_;
    const ImageList* images_ = nullptr;
    QModelIndexList sortedFrom_;
};

} // namespace ui
