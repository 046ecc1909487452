#pragma once

#include "data/workbook/StringTable.h"
#include "data/workbook/XlsxPackage.h"

#include <QString>

// The shared strings of a workbook package, which text cells name by their index. A string of
// formatted runs is the runs' texts joined; the phonetic readings some East Asian texts carry are
// no part of the text. The part is read by the program's own XML reader (see XmlScanner), which
// refuses a document type and with it any entity of the part's own.
namespace data::workbook {

// Every string in order; none when `part` is empty. A package holds no more strings than eight
// for each byte of its file (a million at least): a workbook's shared strings are all different,
// and different strings do not pack that tightly, so a list longer than that is a bomb of empty
// strings and is refused. Fails with data::Error on damage and for such a list.
StringTable readXlsxSharedStrings(const XlsxPackage& package, const QString& part);

} // namespace data::workbook
