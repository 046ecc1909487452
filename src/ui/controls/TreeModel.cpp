#include "ui/controls/TreeModel.h"

#include "data/Error.h"
#include "ui/controls/Pictures.h"

#include <QPersistentModelIndex>

namespace ui {

TreeModel::TreeModel(QObject* parent) : QAbstractItemModel(parent) {
    own_.watch(this);
}

TreeModel::~TreeModel() {
    nodes_->watch(nullptr);
}

void TreeModel::show(NodeCollection& nodes) {
    beginResetModel();
    nodes_->watch(nullptr);
    nodes_ = &nodes;
    nodes_->watch(this);
    endResetModel();
}

void TreeModel::adding(const TreeNode* parent, int row) {
    beginInsertRows(indexOf(parent), row, row);
}

void TreeModel::added() {
    endInsertRows();
}

void TreeModel::removing(const TreeNode* parent, int first, int last) {
    if (removingRows)
        removingRows(parent, first, last);
    beginRemoveRows(indexOf(parent), first, last);
}

void TreeModel::removed() {
    endRemoveRows();
}

void TreeModel::clearing() {
    beginResetModel();
}

void TreeModel::cleared() {
    endResetModel();
}

void TreeModel::sorting() {
    emit layoutAboutToBeChanged({QPersistentModelIndex()}, VerticalSortHint);
    sortedFrom_ = persistentIndexList();
}

void TreeModel::sorted() {
    QModelIndexList after;
    after.reserve(sortedFrom_.size());
    for (const QModelIndex& index : sortedFrom_)
        after.append(indexOf(nodeAt(index)));
    changePersistentIndexList(sortedFrom_, after);
    sortedFrom_.clear();
    emit layoutChanged({QPersistentModelIndex()}, VerticalSortHint);
}

void TreeModel::changed(TreeNode& node) {
    const QModelIndex index = indexOf(&node);
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::DecorationRole});
}

void TreeModel::expandedSet(TreeNode& node) {
    if (expandedChanged)
        expandedChanged(node);
}

void TreeModel::setImageList(const ImageList* images) {
    emit layoutAboutToBeChanged();
    images_ = images;
    emit layoutChanged();
}

QModelIndex TreeModel::indexOf(const TreeNode* node) const {
    if (!node)
        return {};
    if (!nodes_->holds(*node))
        throw data::Error(QString("The node \"%1\" is not in this tree.").arg(node->Text()));
    return createIndex(NodeCollection::rowOf(*node), 0, node);
}

TreeNode* TreeModel::nodeAt(const QModelIndex& index) {
    return static_cast<TreeNode*>(index.internalPointer());
}

QModelIndex TreeModel::index(int row, int column, const QModelIndex& parent) const {
    if (column != 0)
        return {};
    TreeNode* node = nodes_->childAt(nodeAt(parent), row);
    return node ? createIndex(row, 0, node) : QModelIndex();
}

QModelIndex TreeModel::parent(const QModelIndex& child) const {
    const TreeNode* node = nodeAt(child);
    return node ? indexOf(NodeCollection::parentOf(*node)) : QModelIndex();
}

int TreeModel::rowCount(const QModelIndex& parent) const {
    if (parent.column() > 0)
        return 0;
    return nodes_->childCount(nodeAt(parent));
}

int TreeModel::columnCount(const QModelIndex&) const {
    return 1;
}

QVariant TreeModel::data(const QModelIndex& index, int role) const {
    const TreeNode* node = nodeAt(index);
    if (!node)
        return {};
    if (role == Qt::DisplayRole)
        return node->Text();
    if (role == Qt::DecorationRole && images_ && images_->contains(node->Image()))
        return images_->picture(node->Image());
    return {};
}

Qt::ItemFlags TreeModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

} // namespace ui
