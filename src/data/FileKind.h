#pragma once

#include <QString>

namespace data {

// What a file given by name holds, as far as connecting to it goes: an Access database (Jet or
// ACE), an Excel workbook (a compound file, a bare BIFF stream of an older Excel, or the zip
// package of Excel 2007 and later), or neither.
enum class FileKind { Access, Workbook, Unknown };

// Whether the file is a zip archive, as the packages of Excel 2007 and later workbooks (.xlsx,
// .xlsm) are: by its first bytes, those of an archive's first entry or of an empty archive.
bool isZipPackage(const QString& path);

// Decided by the file's first bytes; a file too short or unreadable to tell, or missing, goes
// by its extension (.mdb and .accdb, .xls, .xlsx and .xlsm), so that its reader reports what is
// wrong with it.
FileKind fileKindOf(const QString& path);

} // namespace data
