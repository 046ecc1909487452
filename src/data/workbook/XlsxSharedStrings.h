#pragma once

#include "data/workbook/XlsxPackage.h"

#include <QString>
#include <vector>

// The shared strings of a workbook package, which text cells name by their index. A string of
// formatted runs is the runs' texts joined; the phonetic readings some East Asian texts carry are
// no part of the text.
namespace data::workbook {

// Every string in order; none when `part` is empty. Fails with data::Error on damage.
std::vector<QString> readXlsxSharedStrings(const XlsxPackage& package, const QString& part);

} // namespace data::workbook
