#pragma once

#include "data/workbook/CellResults.h"

#include <QByteArray>
#include <QString>
#include <vector>

// The reader's own look at a workbook file before FreeXL reads it. FreeXL trusts the lengths and
// positions it reads and can crash on a damaged file, so the file's structure is checked first:
// the compound document's chains and directory, and the framing of every record. The same pass
// reads what FreeXL leaves out (see CellResults).
namespace data::workbook {

// The results of each worksheet's cells, in the workbook's order; none for a workbook from
// before Excel 5, which FreeXL reads alone. Throws the data::Error the user sees when the file is
// no workbook or is damaged.
std::vector<SheetResults> checkWorkbook(const QString& path, const QByteArray& contents);

} // namespace data::workbook
