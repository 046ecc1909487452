#pragma once

#include "data/jet/TableSource.h"
#include "data/workbook/SheetTable.h"
#include "data/workbook/XlsxSheet.h"

// A worksheet of a workbook package as a table, by the same rules as a worksheet of an .xls
// workbook (see SheetTable, UsedRange, ColumnNames, ColumnType): the used range starts at the
// first row and the first column that hold a value and ends at the last cell the part holds;
// missing rows and cells within it are nulls. The part is read as a stream, no more than a cell
// held at a time. A large sheet is described from its first rows and read whole only once, by
// its load, which learns the table from every cell as it goes and says when the first rows
// described it wrongly; a small one is read whole to be described.
namespace data::workbook {

// Describes the table from the header row and the `sampleRows` rows below it, or from every cell
// when the part holds no more. Fails with data::Error for a sheet without any value, as for .xls,
// and for damage in what it reads.
SheetTable describeXlsxSheet(const XlsxPackage& package, const QString& part,
                             const XlsxCellContext& context, const QString& tableName,
                             const QString& decimalPoint, unsigned sampleRows);

// Gives the sink every row as `table` describes them and returns the table as every cell of the
// part describes it. When the two are not the same table (sameTable), the rows given are wrong
// and are to be thrown away; the sink gets no value that does not fit its column.
SheetTable loadXlsxSheet(const XlsxPackage& package, const QString& part,
                         const XlsxCellContext& context, const SheetTable& table,
                         const QString& decimalPoint, jet::RowSink& sink);

// Whether two descriptions give the same table: columns, names, types, and where the range starts
// and how wide it is (its rows may differ: a load stores every row there is).
bool sameTable(const SheetTable& a, const SheetTable& b);

} // namespace data::workbook
