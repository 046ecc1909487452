#include "ui/main/GridColumns.h"

#include "ui/controls/Twips.h"

#include <QHeaderView>

namespace ui {

int GridColumns::Count() const {
    return header_->count();
}

double GridColumns::Left(int column) const {
    const int position = header_->sectionViewportPosition(column);
    if (position < 0)
        return 0;
    return twips::fromPxX(header_->viewport()->mapTo(grid_, QPoint(position, 0)).x());
}

double GridColumns::Width(int column) const {
    return twips::fromPxX(header_->sectionSize(column));
}

} // namespace ui
