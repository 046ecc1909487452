#pragma once

#include "ui/main/NodeCollection.h"

#include <QAbstractItemModel>

namespace ui {

class ImageList;

// Shows a NodeCollection to a QTreeView as a one-column model, the node being each index's
// internal pointer. Every change of the tree's shape goes through here so that the view hears
// of it; text and image changes made on a node are passed on as they happen.
class TreeModel : public QAbstractItemModel {
    Q_OBJECT

public:
    explicit TreeModel(QObject* parent = nullptr);

    const NodeCollection& nodes() const { return nodes_; }
    NodeCollection& nodes() { return nodes_; }

    NodePtr add(TreeNode* parent, const QString& text, const QString& image);
    void remove(TreeNode& node);
    void removeChildren(TreeNode& parent);
    void clear();
    void setSorted(bool sorted);
    void setImageList(const ImageList* images);

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
    NodeCollection nodes_;
    const ImageList* images_ = nullptr;
};

} // namespace ui
