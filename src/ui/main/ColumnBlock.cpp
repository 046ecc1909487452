#include "ui/main/ColumnBlock.h"

#include <algorithm>

namespace ui {

bool ColumnBlock::contains(int column) const {
    return !isEmpty() && column >= std::min(start_, end_) && column <= std::max(start_, end_);
}

void ColumnBlock::setStart(int column) {
    if (column < 0)
        return clear();
    if (isEmpty())
        end_ = column;
    start_ = column;
}

void ColumnBlock::setEnd(int column) {
    if (column < 0)
        return clear();
    if (isEmpty())
        start_ = column;
    end_ = column;
}

void ColumnBlock::span(int from, int to) {
    if (from < 0 || to < 0)
        return clear();
    start_ = std::min(from, to);
    end_ = std::max(from, to);
}

void ColumnBlock::clear() {
    start_ = end_ = -1;
}

} // namespace ui
