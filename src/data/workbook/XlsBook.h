#pragma once

#include "data/workbook/CellValue.h"
#include "data/workbook/SheetCells.h"
#include "data/workbook/WorkbookRecords.h"

#include <QString>
#include <QStringList>
#include <optional>

// A workbook (.xls of Excel 5 to 2003, BIFF5 and BIFF8) opened for reading. The reader reads the
// file whole and lists its worksheets; a worksheet's cells are read from the workbook stream
// when it is selected, one worksheet at a time. Chart sheets, Excel 4 macro sheets and modules
// are left out.
namespace data::workbook {

// How far a worksheet's values reach: row and column counts from the sheet's top left corner.
struct SheetExtent {
    unsigned rows = 0;
    unsigned columns = 0;
};

class XlsBook {
public:
    // Fails with the data::Error the user sees for a missing file, a file that is no workbook,
    // a damaged one, one protected by a password or one that lists no worksheet.
    explicit XlsBook(const QString& path);

    const QString& path() const { return path_; }
    // The worksheets in the workbook's order.
    const QStringList& sheetNames() const { return sheetNames_; }

    // Makes the sheet the one whose cells are read; fails with data::Error when its records do
    // not hold together.
    SheetExtent select(int sheet);
    CellValue cell(unsigned row, unsigned column) const;

private:
    QString path_; // absolute, as messages show it
    WorkbookStreamRecords records_;
    QStringList sheetNames_;
    std::vector<qsizetype> sheetOffsets_; // by worksheet
    int selected_ = -1;
    SheetCells cells_;
};

} // namespace data::workbook
