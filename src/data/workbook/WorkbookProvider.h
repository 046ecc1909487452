#pragma once

#include "data/Provider.h"

#include <QString>
#include <memory>

namespace data::workbook {

// A provider answering Jet SQL over the worksheets of an Excel workbook, each a table named after
// its sheet with "$" appended: an .xls workbook (a compound file), or an .xlsx or .xlsm workbook
// (a zip package), told apart by the file's first bytes. Fails with data::Error when the file
// cannot be read.
std::unique_ptr<Provider> openWorkbookProvider(const QString& path);

} // namespace data::workbook
