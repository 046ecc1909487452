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
} // namespace data::access::messages
