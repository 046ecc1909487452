#include "ui/main/TreeModel.h"

#include "data/Error.h"
#include "ui/main/Pictures.h"

namespace ui {

TreeModel::TreeModel(QObject* parent) : QAbstractItemModel(parent) {
    nodes_.changed = [this](TreeNode& node) {
        const QModelIndex index = indexOf(&node);
        emit dataChanged(index, index, {Qt::DisplayRole, Qt::DecorationRole});
    };
}

NodePtr TreeModel::add(TreeNode* parent, const QString& text, const QString& image) {
    const int row = nodes_.rowForNew(parent, text);
    beginInsertRows(indexOf(parent), row, row);
    NodePtr node = nodes_.add(parent, text, image);
    endInsertRows();
    return node;
}

void TreeModel::remove(TreeNode& node) {
    const int row = NodeCollection::rowOf(node);
    beginRemoveRows(indexOf(NodeCollection::parentOf(node)), row, row);
    nodes_.remove(node);
    endRemoveRows();
}

void TreeModel::removeChildren(TreeNode& parent) {
    const int count = nodes_.childCount(&parent);
    beginRemoveRows(indexOf(&parent), 0, count - 1);
    for (int row = count - 1; row >= 0; --row)
        nodes_.remove(*nodes_.childAt(&parent, row));
    endRemoveRows();
}

void TreeModel::clear() {
    beginResetModel();
    nodes_.clear();
    endResetModel();
}

void TreeModel::setSorted(bool sorted) {
    if (!sorted) {
        nodes_.setSorted(false);
        return;
    }
    emit layoutAboutToBeChanged({QPersistentModelIndex()}, VerticalSortHint);
    nodes_.setSorted(true);
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& index : before)
        after.append(indexOf(nodeAt(index)));
    changePersistentIndexList(before, after);
    emit layoutChanged({QPersistentModelIndex()}, VerticalSortHint);
}

void TreeModel::setImageList(const ImageList* images) {
    emit layoutAboutToBeChanged();
    images_ = images;
    emit layoutChanged();
}

QModelIndex TreeModel::indexOf(const TreeNode* node) const {
    if (!node)
        return {};
    if (!nodes_.holds(*node))
        throw data::Error(QString("The node \"%1\" is not in this tree.").arg(node->Text()));
    return createIndex(NodeCollection::rowOf(*node), 0, node);
}

TreeNode* TreeModel::nodeAt(const QModelIndex& index) {
    return static_cast<TreeNode*>(index.internalPointer());
}

QModelIndex TreeModel::index(int row, int column, const QModelIndex& parent) const {
    if (column != 0)
        return {};
    TreeNode* node = nodes_.childAt(nodeAt(parent), row);
    return node ? createIndex(row, 0, node) : QModelIndex();
}

QModelIndex TreeModel::parent(const QModelIndex& child) const {
    const TreeNode* node = nodeAt(child);
    return node ? indexOf(NodeCollection::parentOf(*node)) : QModelIndex();
}

int TreeModel::rowCount(const QModelIndex& parent) const {
    if (parent.column() > 0)
        return 0;
    return nodes_.childCount(nodeAt(parent));
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
