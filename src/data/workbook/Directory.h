#pragma once

#include <QByteArrayView>
#include <QString>
#include <optional>

// The directory of a compound file: entries of 128 bytes, each a name (up to 31 UTF-16
// characters and a terminating zero, its length in bytes at 0x40), a kind, and the first sector
// and size of what it holds (whatever its kind says, as FreeXL reads it). FreeXL reads the entries
// of the directory's first sector in order up to the first named "Workbook" or "Book", copies each
// name by the entry's own length, and takes the mini stream from the last of them named "Root
// Entry"; the program reads the same entries the same way, so that it checks the streams FreeXL
// goes on to read.
namespace data::workbook {

struct DirectoryEntry {
    quint32 start = 0;
    quint32 size = 0;
};

struct WorkbookEntries {
    std::optional<DirectoryEntry> workbook; // none when the sector names no workbook stream
    std::optional<DirectoryEntry> root;
};

// The entries FreeXL reads from the directory's first sector. Throws Broken when the name of one
// of them is longer than an entry has room for or is no whole number of characters.
WorkbookEntries workbookEntries(QByteArrayView firstSector);

// Whether the directory (all of its sectors) names a stream "EncryptionInfo": the compound file
// then holds the encrypted package of a workbook of Excel 2007 and later, protected by a password.
// Throws Broken as workbookEntries does.
bool holdsEncryptedPackage(QByteArrayView directory);

} // namespace data::workbook
