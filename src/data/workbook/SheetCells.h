#pragma once

#include "data/workbook/CellValue.h"
#include "data/workbook/WorkbookGlobals.h"

#include <QByteArrayView>
#include <unordered_map>

// The cells of one worksheet of an Excel 5 to 2003 workbook, read from its records: numbers
// (NUMBER, RK, MULRK), text (LABEL, RSTRING, and LABELSST naming a shared string), truth values
// and errors (BOOLERR) and the result Excel keeps with each formula. A number whose format shows
// a date or a time is that date and time (see WorkbookGlobals::number). Error values are empty
// cells. Every other record (formatting, blank cells, charts nested in the sheet, records of
// versions or features the reader does not know) is passed over by its length.
namespace data::workbook {

struct SheetCells {
    std::unordered_map<quint32, CellValue> cells; // by cellKey
    unsigned rows = 0;                            // one past the last row with a cell
    unsigned columns = 0;                         // one past the last column with a cell

    static quint32 cellKey(unsigned row, unsigned column) { return (row << 16) | column; }
    const CellValue* find(unsigned row, unsigned column) const {
        const auto found = cells.find(cellKey(row, column));
        return found == cells.end() ? nullptr : &found->second;
    }
};

// The cells of the sheet whose BOF record lies at the offset of the workbook stream; what they
// cost is in proportion to the cells the sheet holds. Throws Broken when its records do not hold
// together: a record runs past the stream's end or a cell record past its own.
SheetCells readSheetCells(QByteArrayView workbookStream, qsizetype offset,
                          const WorkbookGlobals& globals);

} // namespace data::workbook
