#pragma once

#include "data/jet/TableSource.h"
#include "data/workbook/UsedRange.h"
#include "data/workbook/XlsBook.h"

// One worksheet seen as a table: the first row of its used range names the columns, every row
// below it is a row of the table, and each column's type is judged from all of its values.
namespace data::workbook {

struct SheetTable {
    UsedRange range;
    jet::SourceTable definition;
};

// Describes the worksheet the book has selected under the table name given. A sheet without any
// value fails with data::Error: a table needs at least one column.
SheetTable describeSheet(const XlsBook& book, const SheetExtent& extent, const QString& tableName,
                         const QString& decimalPoint);

} // namespace data::workbook
