#pragma once

#include "data/workbook/CellResults.h"

#include <QByteArray>
#include <QString>
#include <vector>

// The reader's own look at a workbook file before FreeXL reads it. FreeXL trusts the lengths and
// positions it reads and can crash on a damaged file, so the file's structure is checked first:
// the compound document's chains and directory, and the framing of every record. The same pass
// reads what FreeXL leaves out (see CellResults) and what it gets wrong (see FreeXlBytes).
namespace data::workbook {

struct CheckedWorkbook {
    QByteArray freeXlBytes;            // the file as FreeXL is to read it
    std::vector<SheetResults> results; // by worksheet
};

// Throws the data::Error the user sees when the file is no workbook, one of a version before
// Excel 5, or a damaged one.
CheckedWorkbook checkWorkbook(const QString& path, const QByteArray& contents);

} // namespace data::workbook
