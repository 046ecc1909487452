#pragma once

#include "data/workbook/WorkbookGlobals.h"

#include <QByteArray>
#include <QString>
#include <memory>

// A workbook file of Excel 5 to 2003 read far enough to list its sheets: the workbook stream out
// of the compound document, and the records at its head (see WorkbookGlobals). The sheets' cells
// are read from the stream when a sheet is read (see SheetCells).
namespace data::workbook {

struct WorkbookStreamRecords {
    QByteArray stream;
    std::unique_ptr<WorkbookGlobals> globals; // reads the stream's bytes in place
};

// Throws the data::Error the user sees when the file is no workbook, one of a version before
// Excel 5, one protected by a password, or a damaged one.
WorkbookStreamRecords readWorkbookRecords(const QString& path, const QByteArray& contents);

} // namespace data::workbook
