#include "data/workbook/Directory.h"

#include "data/workbook/Bytes.h"

namespace data::workbook {

namespace {

constexpr qsizetype EntrySize = 128;
constexpr qsizetype NameRoom = 64;

// The entry's name as FreeXL compares it: its characters up to the first zero.
QString nameOf(QByteArrayView entry) {
    const int bytes = readAt<quint16>(entry, 0x40);
    require(bytes <= NameRoom && bytes % 2 == 0);
    QString name;
    for (int i = 0; i < bytes / 2; ++i) {
        const QChar character(readAt<quint16>(entry, 2 * i));
        if (character.isNull())
            break;
        name.append(character);
    }
    return name;
}

DirectoryEntry contentsOf(QByteArrayView entry) {
    return {readAt<quint32>(entry, 0x74), readAt<quint32>(entry, 0x78)};
}

} // namespace

WorkbookEntries workbookEntries(QByteArrayView firstSector) {
    WorkbookEntries found;
    for (qsizetype at = 0; at + EntrySize <= firstSector.size() && !found.workbook;
         at += EntrySize) {
        const QByteArrayView entry = slice(firstSector, at, EntrySize);
        const QString name = nameOf(entry);
        if (name == QLatin1String("Root Entry"))
            found.root = contentsOf(entry);
        if (name == QLatin1String("Workbook") || name == QLatin1String("Book"))
            found.workbook = contentsOf(entry);
    }
    return found;
}

bool holdsEncryptedPackage(QByteArrayView directory) {
    constexpr quint8 Stream = 2;
    for (qsizetype at = 0; at + EntrySize <= directory.size(); at += EntrySize) {
        // Unused entries (of another kind) may hold anything in place of a name.
        const QByteArrayView entry = slice(directory, at, EntrySize);
        if (readAt<quint8>(entry, 0x42) == Stream &&
            nameOf(entry) == QLatin1String("EncryptionInfo"))
            return true;
    }
    return false;
}

} // namespace data::workbook
