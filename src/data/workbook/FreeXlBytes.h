#pragma once

#include "data/workbook/CompoundFile.h"
#include "data/workbook/WorkbookGlobals.h"

#include <QByteArray>

// The file as FreeXL is to read it. FreeXL takes the EOF record of a chart on a worksheet for the
// end of the worksheet and then fails on the worksheet's next record, and it reads the values a
// chart plots as cells; it lists a chart sheet as a worksheet, and a sheet without a size spoils
// the cells of another. So the records the reader passes over (those of a substream nested in a
// sheet; the listing of a sheet that is no worksheet, and all of that sheet's records but its
// BOF and EOF) are given a type that no record has, which FreeXL passes over. Their lengths, and
// so every offset, stay as they are, and FreeXL numbers the worksheets as the reader does. The
// shared strings and the cells that name them are hidden too: the program reads them itself.
namespace data::workbook {

// The file's bytes with the workbook stream's hidden records retyped; the stream has been checked.
QByteArray freeXlBytes(QByteArray file, const WorkbookStream& stream,
                       const WorkbookGlobals& globals);

} // namespace data::workbook
