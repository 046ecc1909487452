#include "ui/controls/LabelSizes.h"

#include "tree/TreeNode.h"
#include "ui/controls/TreeModel.h"

namespace ui {

QSize LabelSizes::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    const TreeNode* node = TreeModel::nodeAt(index);
    if (!node)
        return QStyledItemDelegate::sizeHint(option, index);
    // The node's own text and picture name, rather than the model's values for them, which
    // would look the picture up for every row.
    const QPair<QString, QString> key(node->Text(), node->Image());
    if (const auto known = sizes_.constFind(key); known != sizes_.cend())
        return *known;
    if (sizes_.size() >= MostKept)
        sizes_.clear();
    return *sizes_.insert(key, QStyledItemDelegate::sizeHint(option, index));
}

} // namespace ui
