#pragma once

#include "data/Error.h"
#include "data/FileMessages.h"

#include <QString>

// The descriptions the user sees when an Access file cannot be read, worded as the database
// engine words them where it has a message of its own.
namespace data::access::messages {

using data::messages::cannotOpen;
using data::messages::fileNotFound;
Error unrecognizedFormat(const QString& path);
Error damaged(const QString& path, const QString& detail);
// Linked tables that cannot be read.
Error linkedFileMissing(const QString& table, const QString& storedPath, const QString& beside);
Error linkedTableMissing(const QString& table, const QString& foreignName, const QString& path);
Error odbcLink(const QString& table);
Error linkLoop(const QString& table);
} // namespace data::access::messages
