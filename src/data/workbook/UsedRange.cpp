#include "data/workbook/UsedRange.h"

#include <algorithm>

namespace data::workbook {

UsedRange usedRange(const XlsBook& book, const SheetExtent& extent) {
    UsedRange range{extent.rows, extent.rows, extent.columns, extent.columns};
    // A row's cells are looked at only left of the first column found so far, so that a sheet
    // whose values start in its first column is walked down one column, not cell by cell.
    for (unsigned row = 0; row < extent.rows && range.firstColumn > 0; ++row)
        for (unsigned column = 0; column < range.firstColumn; ++column)
            if (!isEmpty(book.cell(row, column))) {
                range.firstRow = std::min(range.firstRow, row);
                range.firstColumn = column;
                break;
            }
    return range;
}

} // namespace data::workbook
