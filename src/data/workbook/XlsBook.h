#pragma once

#include "data/workbook/CellResults.h"
#include "data/workbook/CellValue.h"
#include "data/workbook/FreeXlHandle.h"

#include <QString>
#include <QStringList>

// A workbook (.xls of Excel 5 to 2003, BIFF5 and BIFF8) opened for reading through FreeXL. The
// reader reads the file whole, checks its structure and reads what FreeXL leaves out or gets
// wrong (see WorkbookRecords); those cells take the place of FreeXL's. FreeXL then reads the
// checked bytes from memory (see FreeXlHandle), and its cells are read one worksheet at a time.
// Chart sheets and the other sheets that hold no cells are left out.
namespace data::workbook {

// How far a worksheet's cells reach as the workbook records it: row and column counts from the
// sheet's top left corner.
struct SheetExtent {
    unsigned rows = 0;
    unsigned columns = 0;
};

class XlsBook {
public:
    // Fails with the data::Error the user sees for a missing file, a file that is no workbook,
    // a damaged one or one protected by a password.
    explicit XlsBook(const QString& path);

    const QString& path() const { return path_; }
    // The worksheets in the workbook's order.
    const QStringList& sheetNames() const { return sheetNames_; }

    // Makes the sheet the one whose cells are read.
    SheetExtent select(int sheet);
    CellValue cell(unsigned row, unsigned column) const;

private:
    QString path_; // absolute, as messages show it
    FreeXlHandle handle_;
    QStringList sheetNames_;
    std::vector<SheetResults> results_; // by worksheet
    const SheetResults* selectedResults_ = nullptr;
    SheetExtent freeXlExtent_;
};

} // namespace data::workbook
