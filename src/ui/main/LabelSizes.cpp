#include "ui/main/LabelSizes.h"

#include <QPixmap>

namespace ui {

QSize LabelSizes::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    const QVariant picture = index.data(Qt::DecorationRole);
    const qint64 pictureKey =
        picture.typeId() == QMetaType::QPixmap ? picture.value<QPixmap>().cacheKey() : -1;
    const QPair<QString, qint64> key(index.data(Qt::DisplayRole).toString(), pictureKey);
    if (const auto known = sizes_.constFind(key); known != sizes_.cend())
        return *known;
    if (sizes_.size() >= MostKept)
        sizes_.clear();
    return *sizes_.insert(key, QStyledItemDelegate::sizeHint(option, index));
}

} // namespace ui
