#pragma once

#include "data/workbook/XlsBook.h"

// The part of a worksheet that a table is made of. It starts at the first row and the first
// column that hold a value and ends where the workbook records the sheet's cells to end, so
// that rows left empty at the bottom of a sheet's recorded range are rows of nulls. Cells with
// formatting but no value hold nothing.
namespace data::workbook {

struct UsedRange {
    unsigned firstRow = 0; // the header row
    unsigned endRow = 0;   // one past the last row
    unsigned firstColumn = 0;
    unsigned endColumn = 0;

    bool empty() const { return firstRow >= endRow || firstColumn >= endColumn; }
    unsigned columnCount() const { return empty() ? 0 : endColumn - firstColumn; }
};

// The used range of the selected worksheet; empty when no cell holds a value.
UsedRange usedRange(const XlsBook& book, const SheetExtent& extent);

} // namespace data::workbook
