#pragma once

#include "data/Error.h"

#include <QString>

// The descriptions of failures that are the same for every kind of file: one the reader cannot
// open at all, or a table it does not hold.
namespace data::messages {

Error fileNotFound(const QString& path);
Error cannotOpen(const QString& path, const QString& reason);

// A statement names a table or query the source does not hold.
Error noSuchTable(const QString& name);

} // namespace data::messages
