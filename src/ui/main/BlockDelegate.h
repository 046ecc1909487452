#pragma once

#include <QStyledItemDelegate>

namespace ui {

class ColumnBlock;

// Draws the grid's cells, those of the selected column block as selected.
class BlockDelegate : public QStyledItemDelegate {
public:
    BlockDelegate(const ColumnBlock& block, QObject* parent);

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    const ColumnBlock& block_;
};

} // namespace ui
