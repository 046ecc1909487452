#pragma once

#include "data/workbook/XlsxPackage.h"

#include <QString>
#include <vector>

// Which cell styles of a workbook package show their numbers as dates or times: each cell names
// its style by index in the list of cell formats, each of which names a number format, built in
// (below 164) or written out in the styles part.
namespace data::workbook {

// By style index; none when `part` is empty. Fails with data::Error on damage.
std::vector<bool> readXlsxDateStyles(const XlsxPackage& package, const QString& part);

} // namespace data::workbook
