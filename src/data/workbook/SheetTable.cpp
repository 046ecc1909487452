#include "data/workbook/SheetTable.h"

#include "data/workbook/CellText.h"
#include "data/workbook/ColumnNames.h"
#include "data/workbook/ColumnType.h"
#include "data/workbook/Messages.h"

#include <vector>

namespace data::workbook {

SheetTable describeSheet(const XlsBook& book, const SheetExtent& extent, const QString& tableName,
                         const QString& decimalPoint) {
    const UsedRange range = usedRange(book, extent);
    if (range.empty())
        throw messages::emptySheet(tableName);

    QStringList headers;
    for (unsigned column = range.firstColumn; column < range.endColumn; ++column)
        headers.append(cellText(book.cell(range.firstRow, column), decimalPoint));

    std::vector<ColumnType> types(range.columnCount());
    for (unsigned row = range.firstRow + 1; row < range.endRow; ++row)
        for (unsigned column = range.firstColumn; column < range.endColumn; ++column)
            types[column - range.firstColumn].add(book.cell(row, column));

    SheetTable table{range, {tableName, {}}};
    const QStringList names = columnNames(headers);
    for (qsizetype i = 0; i < names.size(); ++i)
        table.definition.columns.push_back(
            {names[i], types[static_cast<std::size_t>(i)].adoType()});
    return table;
}

} // namespace data::workbook
