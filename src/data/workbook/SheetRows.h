#pragma once

#include "data/jet/TableSource.h"
#include "data/workbook/SheetTable.h"
#include "data/workbook/XlsBook.h"

// The rows of a worksheet table as the engine receives them.
namespace data::workbook {

// Pushes every row below the header row of the selected worksheet into the sink. Each value is
// given as its column's type; in a Text column every value is given as text (see cellText), so
// that no value is lost to a type it does not have. Empty cells are nulls.
// One cell as its column's type; the column's type was judged from its values, so a column of any
// type but Text holds values of that type only.
void deliverCell(jet::RowSink& sink, int column, int adoType, const CellValue& cell,
                 const QString& decimalPoint);

void loadSheet(const XlsBook& book, const SheetTable& table, const QString& decimalPoint,
               jet::RowSink& sink);

} // namespace data::workbook
