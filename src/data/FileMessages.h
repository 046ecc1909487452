#pragma once

#include "data/Error.h"

#include <QString>

// The descriptions of a file a reader cannot open at all, the same for every kind of file.
namespace data::messages {

Error fileNotFound(const QString& path);
Error cannotOpen(const QString& path, const QString& reason);

} // namespace data::messages
