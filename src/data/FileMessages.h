#pragma once

#include "data/Error.h"

#include <QString>

// The descriptions of failures that are the same for every kind of file: one the reader cannot
// open at all, or a table it does not hold.
namespace data::messages {

Error fileNotFound(const QString& path);
Error cannotOpen(const QString& path, const QString& reason);

// Fails, saying what the path names instead, unless it names a regular file this user may read:
// a path that names nothing, a folder, a device, a pipe or socket, or a file without permission
// to read it. Checked before a file is opened, so that no reader waits on a pipe or reads a
// device without end.
void requireReadableFile(const QString& path);

// A statement names a table or query the source does not hold.
Error noSuchTable(const QString& name);

} // namespace data::messages
