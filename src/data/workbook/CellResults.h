#pragma once

#include "data/workbook/CellValue.h"
#include "data/workbook/WorkbookGlobals.h"

#include <QByteArrayView>
#include <unordered_map>
#include <vector>

// What FreeXL leaves out of a workbook or gets wrong, read from its records: the text of the cells
// that name a shared string, the result Excel
// keeps with each formula (FreeXL gives formula cells no value), whether a truth-value cell holds
// TRUE, FALSE or an error (FreeXL gives 1 or 0 for all three), and the exact date and time of a
// number shown as a date (FreeXL drops the time when the format shows none, and counts every
// hundredth year as a leap year).
namespace data::workbook {

struct SheetResults {
    std::unordered_map<quint32, CellValue> cells; // by cellKey
    unsigned rows = 0;                            // one past the last row with a result
    unsigned columns = 0;

    static quint32 cellKey(unsigned row, unsigned column) { return (row << 16) | column; }
    const CellValue* find(unsigned row, unsigned column) const {
        const auto found = cells.find(cellKey(row, column));
        return found == cells.end() ? nullptr : &found->second;
    }
};

// One entry per worksheet (no chart sheet), in the workbook's order, from the workbook stream of
// an Excel 5 to 2003 file. A number is a date when its cell's format shows a date or a time (see
// WorkbookGlobals::number). Error values are empty cells. Throws Broken when the records do not
// hold together.
std::vector<SheetResults> readCellResults(QByteArrayView workbookStream,
                                          const WorkbookGlobals& globals);

} // namespace data::workbook
