#pragma once

#include <QByteArrayView>
#include <optional>

// The directory of a compound file: entries of 128 bytes, each a name (up to 31 UTF-16
// characters and a terminating zero, its length in bytes at 0x40), a kind (a storage, a stream,
// the root), and the first sector and size of what it holds. The first entry is the root, whose
// chain holds the mini stream of the small streams.
namespace data::workbook {

struct DirectoryEntry {
    quint32 start = 0;
    quint32 size = 0;
};

// The workbook stream: the stream named "Workbook", else the one named "Book" (Excel 5 and 95),
// their names compared without regard to letter case; none when the directory names neither.
std::optional<DirectoryEntry> workbookEntry(QByteArrayView directory);
// The root entry; none when the directory does not start with one.
std::optional<DirectoryEntry> rootEntry(QByteArrayView directory);

// Whether the directory names a stream "EncryptionInfo": the compound file then holds the
// encrypted package of a workbook of Excel 2007 and later, protected by a password.
bool holdsEncryptedPackage(QByteArrayView directory);

} // namespace data::workbook
