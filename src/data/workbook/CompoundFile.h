#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <vector>

// A workbook file since Excel 5 is a compound document: a small file system of fixed-size
// sectors, chained through an allocation table, with a directory of named streams. The cells
// live in its stream "Workbook" ("Book" before Excel 97).
namespace data::workbook {

// The workbook stream and where its bytes lie in the file: the stream is stored in blocks of
// equal size (sectors, or the mini stream's sectors of 64 bytes for a small stream), each at its
// own place in the file.
struct WorkbookStream {
    QByteArray bytes; // empty when the file has none
    qsizetype blockSize = 0;
    std::vector<qsizetype> blockPlaces; // the file offset of each block, in the stream's order

    // The offset in the file of the stream's byte at the offset given, which lies in the stream.
    qsizetype fileOffset(qsizetype streamOffset) const {
        return blockPlaces[static_cast<std::size_t>(streamOffset / blockSize)] +
               streamOffset % blockSize;
    }
};

// The workbook stream of the file's bytes, found and read as FreeXL finds and reads it. Throws
// Broken when a chain, sector or directory entry points outside the file, when a chain comes back
// to a sector it has passed, or when a sector of the allocation table is listed twice.
WorkbookStream workbookStream(QByteArrayView file);

// Whether the file's directory names the stream of an encrypted package (see Directory). Throws
// Broken as workbookStream does.
bool isEncryptedPackage(QByteArrayView file);

} // namespace data::workbook
