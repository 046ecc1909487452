#pragma once

#include <QString>

namespace data {

// What a file given by name holds, as far as connecting to it goes: an Access database (Jet or
// ACE), an Excel workbook (a compound file or a bare BIFF stream of an older Excel), or neither.
enum class FileKind { Access, Workbook, Unknown };

// Decided by the file's first bytes; a file too short or unreadable to tell, or missing, goes
// by its extension (.mdb and .accdb, .xls), so that its reader reports what is wrong with it.
FileKind fileKindOf(const QString& path);

} // namespace data
