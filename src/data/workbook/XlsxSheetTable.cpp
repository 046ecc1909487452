#include "data/workbook/XlsxSheetTable.h"

#include "data/AdoTypes.h"
#include "data/workbook/CellText.h"
#include "data/workbook/ColumnNames.h"
#include "data/workbook/ColumnType.h"
#include "data/workbook/Messages.h"
#include "data/workbook/SheetRows.h"

#include <algorithm>
#include <map>
#include <optional>

namespace data::workbook {

namespace {

// The most columns a table of the engine holds.
constexpr unsigned MaxTableColumns = 2000;

// The table a sheet's cells make, learned cell by cell in the order the part holds them.
class SheetShape {
public:
    // A sheet is as large as its values: cells that hold none (formatting alone, an empty text,
    // an error) do not widen or lengthen it.
    void add(unsigned row, unsigned column, const CellValue& cell) {
        if (isEmpty(cell))
            return;
        range_.endRow = std::max(range_.endRow, row + 1);
        range_.endColumn = std::max(range_.endColumn, column + 1);
        firstColumn_ = std::min(firstColumn_.value_or(column), column);
        if (!headerRow_)
            headerRow_ = row;
        if (row == *headerRow_) {
            headers_[column] = cell;
        } else {
            if (types_.size() <= column)
                types_.resize(column + 1);
            types_[column].add(cell);
        }
    }

    const std::optional<unsigned>& headerRow() const { return headerRow_; }

    // Fails with data::Error when no cell holds a value.
    SheetTable table(const QString& tableName, const QString& decimalPoint) const {
        if (!headerRow_)
            throw messages::emptySheet(tableName);
        UsedRange range = range_;
        range.firstRow = *headerRow_;
        range.firstColumn = *firstColumn_;
        if (range.columnCount() > MaxTableColumns)
            throw messages::tooWide(tableName, range.columnCount(), MaxTableColumns);
        std::vector<ColumnType> types = types_;
        types.resize(range.endColumn);

        QStringList texts;
        for (unsigned column = range.firstColumn; column < range.endColumn; ++column) {
            const auto header = headers_.find(column);
            texts.append(header == headers_.end() ? QString()
                                                  : cellText(header->second, decimalPoint));
        }
        SheetTable table{range, {tableName, {}}};
        const QStringList names = columnNames(texts);
        for (qsizetype i = 0; i < names.size(); ++i)
            table.definition.columns.push_back(
                {names[i], types[range.firstColumn + static_cast<std::size_t>(i)].adoType()});
        return table;
    }

private:
    UsedRange range_;
    std::optional<unsigned> headerRow_;
    std::optional<unsigned> firstColumn_;
    std::map<unsigned, CellValue> headers_; // by column
    std::vector<ColumnType> types_;         // by column of the sheet
};

// Whether a value can be given as a column of that type, as it is in a column judged from it.
bool fits(int adoType, const CellValue& cell) {
    switch (adoType) {
    case ado::adDouble:
        return isEmpty(cell) || std::holds_alternative<double>(cell);
    case ado::adBoolean:
        return isEmpty(cell) || std::holds_alternative<bool>(cell);
    case ado::adDate:
        return isEmpty(cell) || std::holds_alternative<jet::DateTimeParts>(cell);
    default:
        return true; // text takes every value
    }
}

} // namespace

SheetTable describeXlsxSheet(const XlsxPackage& package, const QString& part,
                             const XlsxCellContext& context, const QString& tableName,
                             const QString& decimalPoint, unsigned sampleRows) {
    SheetShape shape;
    readXlsxCells(package, part, context,
                  [&](unsigned row, unsigned column, const CellValue& cell) {
                      if (shape.headerRow() && row - *shape.headerRow() > sampleRows)
                          return false;
                      shape.add(row, column, cell);
                      return true;
                  });
    return shape.table(tableName, decimalPoint);
}

SheetTable loadXlsxSheet(const XlsxPackage& package, const QString& part,
                         const XlsxCellContext& context, const SheetTable& table,
                         const QString& decimalPoint, jet::RowSink& sink) {
    const UsedRange& range = table.range;
    const auto& columns = table.definition.columns;
    SheetShape shape;
    bool fitting = true;                   // every value so far fits the table given
    unsigned nextRow = range.firstRow + 1; // the first row not yet stored
    readXlsxCells(
        package, part, context, [&](unsigned row, unsigned column, const CellValue& cell) {
            shape.add(row, column, cell);
            // Missing cells and those without a value are nulls.
            if (!fitting || row <= range.firstRow || isEmpty(cell))
                return true;
            const auto index = static_cast<std::size_t>(column - range.firstColumn);
            if (column < range.firstColumn || column >= range.endColumn ||
                !fits(columns[index].adoType, cell)) {
                fitting = false; // the table given is not this sheet's
                return true;
            }
            // The rows before this cell's are complete, missing ones all nulls.
            for (; nextRow < row; ++nextRow)
                sink.endRow();
            deliverCell(sink, static_cast<int>(index), columns[index].adoType, cell, decimalPoint);
            return true;
        });
    SheetTable learned = shape.table(table.definition.name, decimalPoint);
    if (fitting)
        for (; nextRow < learned.range.endRow; ++nextRow)
            sink.endRow();
    return learned;
}

bool sameTable(const SheetTable& a, const SheetTable& b) {
    const auto sameColumn = [](const jet::SourceColumn& x, const jet::SourceColumn& y) {
        return x.name == y.name && x.adoType == y.adoType && x.scale == y.scale;
    };
    return a.range.firstRow == b.range.firstRow && a.range.firstColumn == b.range.firstColumn &&
           a.range.endColumn == b.range.endColumn && a.definition.name == b.definition.name &&
           std::equal(a.definition.columns.begin(), a.definition.columns.end(),
                      b.definition.columns.begin(), b.definition.columns.end(), sameColumn);
}

} // namespace data::workbook
