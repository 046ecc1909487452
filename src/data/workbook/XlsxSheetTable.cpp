#include "data/workbook/XlsxSheetTable.h"

#include "data/workbook/CellText.h"
#include "data/workbook/ColumnNames.h"
#include "data/workbook/ColumnType.h"
#include "data/workbook/Messages.h"
#include "data/workbook/SheetRows.h"

#include <algorithm>
#include <map>
#include <optional>

namespace data::workbook {

SheetTable describeXlsxSheet(const XlsxPackage& package, const QString& part,
                             const XlsxCellContext& context, const QString& tableName,
                             const QString& decimalPoint) {
    UsedRange range;
    std::optional<unsigned> headerRow;
    std::optional<unsigned> firstColumn;
    std::map<unsigned, CellValue> headers; // by column
    std::vector<ColumnType> types;         // by column of the sheet
    readXlsxCells(package, part, context,
                  [&](unsigned row, unsigned column, const CellValue& cell) {
                      range.endRow = std::max(range.endRow, row + 1);
                      range.endColumn = std::max(range.endColumn, column + 1);
                      if (isEmpty(cell))
                          return;
                      firstColumn = std::min(firstColumn.value_or(column), column);
                      if (!headerRow)
                          headerRow = row;
                      if (row == *headerRow) {
                          headers[column] = cell;
                      } else {
                          if (types.size() <= column)
                              types.resize(column + 1);
                          types[column].add(cell);
                      }
                  });
    if (!headerRow)
        throw messages::emptySheet(tableName);
    range.firstRow = *headerRow;
    range.firstColumn = *firstColumn;
    types.resize(range.endColumn);

    QStringList texts;
    for (unsigned column = range.firstColumn; column < range.endColumn; ++column) {
        const auto header = headers.find(column);
        texts.append(header == headers.end() ? QString() : cellText(header->second, decimalPoint));
    }
    SheetTable table{range, {tableName, {}}};
    const QStringList names = columnNames(texts);
    for (qsizetype i = 0; i < names.size(); ++i)
        table.definition.columns.push_back(
            {names[i], types[range.firstColumn + static_cast<std::size_t>(i)].adoType()});
    return table;
}

void loadXlsxSheet(const XlsxPackage& package, const QString& part, const XlsxCellContext& context,
                   const SheetTable& table, const QString& decimalPoint, jet::RowSink& sink) {
    const UsedRange& range = table.range;
    const auto& columns = table.definition.columns;
    unsigned nextRow = range.firstRow + 1; // the first row not yet stored
    readXlsxCells(package, part, context,
                  [&](unsigned row, unsigned column, const CellValue& cell) {
                      if (row <= range.firstRow || row >= range.endRow ||
                          column < range.firstColumn || column >= range.endColumn)
                          return;
                      // The rows before this cell's are complete, missing ones all nulls.
                      for (; nextRow < row; ++nextRow)
                          sink.endRow();
                      const int index = static_cast<int>(column - range.firstColumn);
                      deliverCell(sink, index, columns[static_cast<std::size_t>(index)].adoType,
                                  cell, decimalPoint);
                  });
    for (; nextRow < range.endRow; ++nextRow)
        sink.endRow();
}

} // namespace data::workbook
