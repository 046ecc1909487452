#include "ui/main/BlockDelegate.h"

#include "ui/main/ColumnBlock.h"

namespace ui {

BlockDelegate::BlockDelegate(const ColumnBlock& block, QObject* parent)
    : QStyledItemDelegate(parent), block_(block) {}

void BlockDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    if (block_.contains(index.column()))
        option->state |= QStyle::State_Selected;
}

} // namespace ui
