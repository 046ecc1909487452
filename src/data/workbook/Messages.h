#pragma once

#include "data/Error.h"
#include "data/FileMessages.h"

#include <QString>

// The descriptions the user sees when a workbook or one of its worksheets cannot be read.
namespace data::workbook::messages {

using data::messages::cannotOpen;
using data::messages::fileNotFound;
Error notAWorkbook(const QString& path);
Error passwordProtected(const QString& path);
Error damaged(const QString& path, const QString& detail);
Error emptySheet(const QString& tableName);
} // namespace data::workbook::messages
