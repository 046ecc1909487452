#include "data/workbook/UsedRange.h"

#include <algorithm>

namespace data::workbook {

UsedRange usedRange(const XlsBook& book, const SheetExtent& extent) {
    UsedRange range{extent.rows, extent.rows, extent.columns, extent.columns};
    for (unsigned row = 0; row < extent.rows; ++row)
        for (unsigned column = 0; column < extent.columns; ++column)
            if (!isEmpty(book.cell(row, column))) {
                range.firstRow = std::min(range.firstRow, row);
                range.firstColumn = std::min(range.firstColumn, column);
            }
    return range;
}

} // namespace data::workbook
