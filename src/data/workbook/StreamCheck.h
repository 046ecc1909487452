#pragma once

#include "data/workbook/WorkbookGlobals.h"

#include <QByteArrayView>

// A workbook stream checked the way FreeXL walks it: record after record from the start, each
// sheet's records from a BOF record that the list of sheets points to, up to its EOF record,
// passing over the substreams nested in a sheet (see Substreams). FreeXL trusts what it reads and
// can crash where a record claims more than it holds, where a worksheet claims more cells than a
// workbook can have, or where one sheet's records run into another's; each of these throws
// Broken here first.
namespace data::workbook {

// A stream of Excel 5 to 2003 (BIFF5 or BIFF8) with its globals.
void checkStream(QByteArrayView stream, const WorkbookGlobals& globals);

} // namespace data::workbook
