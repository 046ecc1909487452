#pragma once

#include "data/Provider.h"

#include <QString>
#include <memory>

namespace data::workbook {

// A provider answering Jet SQL over the worksheets of an Excel workbook (.xls), each a table
// named after its sheet with "$" appended. Fails with data::Error when the file cannot be read.
std::unique_ptr<Provider> openWorkbookProvider(const QString& path);

} // namespace data::workbook
