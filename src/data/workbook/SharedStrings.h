#pragma once

#include <QByteArrayView>
#include <QString>
#include <vector>

// The shared strings of an Excel 97 to 2003 workbook, which text cells (LABELSST) name by their
// index: the SST record holds their count, then each string as a character count, a flags byte,
// the sizes of its formatting, the characters and the formatting. No record holds more than
// 8224 bytes, so the strings run on into CONTINUE records, and one string may run over any
// number of them: where its characters cross into the next record, that record begins with a
// flags byte of its own, telling the width of the characters that follow there.
namespace data::workbook::biff {

// The strings of the SST record's data and its CONTINUE records' data, in the stream's order.
// Throws Broken when the strings the record counts run past the last of them.
std::vector<QString> sharedStrings(const std::vector<QByteArrayView>& records);

// One such string at the start of a record, run on into the CONTINUE records after it, as the
// text a formula results in is kept (String record). Throws Broken when it runs past the last.
QString continuedString(const std::vector<QByteArrayView>& records);

} // namespace data::workbook::biff
