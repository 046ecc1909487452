#include "data/workbook/SheetRows.h"

#include "data/AdoTypes.h"
#include "data/workbook/CellText.h"

namespace data::workbook {

void deliverCell(jet::RowSink& sink, int column, int adoType, const CellValue& cell,
                 const QString& decimalPoint) {
    if (isEmpty(cell))
        sink.setNull(column);
    else if (adoType == ado::adDouble)
        sink.setDouble(column, std::get<double>(cell));
    else if (adoType == ado::adBoolean)
        sink.setBoolean(column, std::get<bool>(cell));
    else if (adoType == ado::adDate) {
        const auto& date = std::get<jet::DateTimeParts>(cell);
        sink.setDateTime(column, date.year, date.month, date.day, date.hour, date.minute,
                         date.second);
    } else if (const auto* text = std::get_if<QString>(&cell))
        sink.setText(column, *text); // as it is, not a copy
    else
        sink.setText(column, cellText(cell, decimalPoint));
}

void loadSheet(const XlsBook& book, const SheetTable& table, const QString& decimalPoint,
               jet::RowSink& sink) {
    const UsedRange& range = table.range;
    const auto& columns = table.definition.columns;
    for (unsigned row = range.firstRow + 1; row < range.endRow; ++row) {
        for (unsigned column = range.firstColumn; column < range.endColumn; ++column) {
            const int index = static_cast<int>(column - range.firstColumn);
            deliverCell(sink, index, columns[static_cast<std::size_t>(index)].adoType,
                        book.cell(row, column), decimalPoint);
        }
        sink.endRow();
    }
}

} // namespace data::workbook
