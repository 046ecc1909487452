#pragma once

#include <QByteArrayView>
#include <set>

// A workbook stream checked the way FreeXL walks it: record after record from the start, each
// worksheet's records from a BOF record that the list of sheets points to, up to an EOF record.
// FreeXL trusts what it reads and can crash where a record claims more than it holds, where a
// worksheet claims more cells than a workbook can have, or where one worksheet's records run
// into another's; each of these throws Broken here first.
namespace data::workbook {

// A stream of Excel 5 to 2003 (BIFF5 or BIFF8), whose worksheets start at the offsets given.
void checkStream(QByteArrayView stream, quint16 version, const std::set<qsizetype>& sheetStarts);

// The bare record stream of a workbook from before Excel 5 (BIFF2 to BIFF4), one worksheet.
void checkBareStream(QByteArrayView stream);

} // namespace data::workbook
