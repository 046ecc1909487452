#pragma once

#include "data/workbook/CellValue.h"
#include "data/workbook/StringTable.h"
#include "data/workbook/XlsxPackage.h"

#include <QString>
#include <functional>
#include <vector>

// The cells of a worksheet part, read as a stream in the order the part holds them: row by row,
// each row's cells from left to right, as every program that writes the format writes them. A
// cell's value is what it shows, read by its kind: a shared string (by index), an inline string
// (its runs joined), a number (a date and time when its style shows a date), a truth value, a
// date written as text, or the result kept with a formula. An error value, an empty text and a
// cell that holds no value are empty cells.
namespace data::workbook {

struct XlsxCellContext {
    const StringTable& sharedStrings;
    const std::vector<bool>& dateStyles; // by style index
    bool dates1904 = false;
};

// Rows and columns from 0; called for every cell the part holds, empty ones too, until it returns
// false.
using XlsxCellVisitor = std::function<bool(unsigned row, unsigned column, const CellValue& cell)>;

// Fails with data::Error on damage in what was read: a part that is no well-formed XML or is cut
// short, a cell outside the sheet's bounds or out of order, a shared string that is not there, a
// number that is none.
void readXlsxCells(const XlsxPackage& package, const QString& part, const XlsxCellContext& context,
                   const XlsxCellVisitor& visit);

} // namespace data::workbook
