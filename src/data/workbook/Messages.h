#pragma once

#include "data/Error.h"
#include "data/FileMessages.h"

#include <QString>

// The descriptions the user sees when a workbook or one of its worksheets cannot be read.
namespace data::workbook::messages {

using data::messages::cannotOpen;
using data::messages::fileNotFound;
Error notAWorkbook(const QString& path);
// A zip archive that holds no workbook part.
Error notAWorkbookPackage(const QString& path);
Error passwordProtected(const QString& path);
// A part of a workbook package that would unpack to more than the limit given in bytes.
Error partTooLarge(const QString& path, const QString& part, qint64 limit);
// A workbook of a version before Excel 5, named as the user knows it ("Excel 4.0").
Error olderVersion(const QString& path, const QString& version);
Error damaged(const QString& path, const QString& detail);
// A part of a package that declares a document type, whose entities could expand without end.
Error documentType(const QString& path, const QString& part);
// A workbook whose sheets are all charts or others without cells.
Error noWorksheet(const QString& path);
Error emptySheet(const QString& tableName);
// A worksheet whose values reach across more columns than a table can have.
Error tooWide(const QString& tableName, unsigned columns, unsigned most);
} // namespace data::workbook::messages
