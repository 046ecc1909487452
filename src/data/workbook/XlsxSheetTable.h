#pragma once

#include "data/jet/TableSource.h"
#include "data/workbook/SheetTable.h"
#include "data/workbook/XlsxSheet.h"

// A worksheet of a workbook package as a table, by the same rules as a worksheet of an .xls
// workbook (see SheetTable, UsedRange, ColumnNames, ColumnType): the used range starts at the
// first row and the first column that hold a value and ends at the last cell the part holds;
// missing rows and cells within it are nulls. The part is read twice, as a stream each time:
// once to describe the table, once to load its rows, so that no more than a row is held.
namespace data::workbook {

// Fails with data::Error for a sheet without any value, as for .xls.
SheetTable describeXlsxSheet(const XlsxPackage& package, const QString& part,
                             const XlsxCellContext& context, const QString& tableName,
                             const QString& decimalPoint);

void loadXlsxSheet(const XlsxPackage& package, const QString& part, const XlsxCellContext& context,
                   const SheetTable& table, const QString& decimalPoint, jet::RowSink& sink);

} // namespace data::workbook
