#include "grid/DropGap.h"

namespace grid {

namespace {

double middle(const ColumnExtent& column) {
    return column.left + column.width * 0.5;
}

// Whether the pointer at x picks the gap between columns a and b, the one on the left.
bool betweenQualifies(const ColumnExtent& a, const ColumnExtent& b, double x) {
    if (a.left > 0 && b.left > 0)
        return middle(a) <= x && x <= middle(b);
    if (a.left == 0 && b.left > 0)
        return x <= middle(b);
    if (a.left > 0 && b.left == 0)
        return x >= middle(a);
    return false;
}

} // namespace

bool inHeaderBand(double y, double rowHeight) {
    return 0 < y && y < rowHeight;
}

bool overColumns(const std::vector<ColumnExtent>& columns, int start, int end, double x) {
    const int count = int(columns.size());
    if (start < 0 || end < start || end >= count)
        return false;
    return columns[start].left <= x && x <= columns[end].left + columns[end].width;
}

std::optional<int> dropGap(const std::vector<ColumnExtent>& columns, double gridWidth, double x,
                           int start, int end, GapPick pick) {
    const int count = int(columns.size());
    if (count == 0)
        return std::nullopt;
    if (x >= 0 && columns[0].left >= 0 && x <= middle(columns[0]) && start >= 1)
        return 0;
    if (x <= gridWidth && columns[count - 1].left > 0 && x >= middle(columns[count - 1]) &&
        end < count - 1)
        return count;
    std::optional<int> found;
    for (int i = 0; i + 1 < count; ++i) {
        if (!(i + 1 < start || i > end) || !betweenQualifies(columns[i], columns[i + 1], x))
            continue;
        found = i + 1;
        if (pick == GapPick::First)
            break;
    }
    return found;
}

} // namespace grid
