#include "data/workbook/Directory.h"

#include "data/workbook/Bytes.h"

#include <QString>

namespace data::workbook {

namespace {

constexpr qsizetype EntrySize = 128;
constexpr qsizetype NameRoom = 64;
constexpr quint8 Stream = 2;
constexpr quint8 Root = 5;

// The entry's name: its characters up to the first zero, within the room an entry has (a length
// past the room is read as the room; unused entries may hold anything there).
QString nameOf(QByteArrayView entry) {
    const qsizetype bytes = std::min<qsizetype>(readAt<quint16>(entry, 0x40), NameRoom);
    QString name;
    for (qsizetype i = 0; i + 1 < bytes; i += 2) {
        const QChar character(readAt<quint16>(entry, i));
        if (character.isNull())
            break;
        name.append(character);
    }
    return name;
}

DirectoryEntry contentsOf(QByteArrayView entry) {
    return {readAt<quint32>(entry, 0x74), readAt<quint32>(entry, 0x78)};
}

std::optional<DirectoryEntry> streamNamed(QByteArrayView directory, QLatin1String wanted) {
    for (qsizetype at = 0; at + EntrySize <= directory.size(); at += EntrySize) {
        const QByteArrayView entry = slice(directory, at, EntrySize);
        if (readAt<quint8>(entry, 0x42) == Stream &&
            nameOf(entry).compare(wanted, Qt::CaseInsensitive) == 0)
            return contentsOf(entry);
    }
    return std::nullopt;
}

} // namespace

std::optional<DirectoryEntry> workbookEntry(QByteArrayView directory) {
    if (auto workbook = streamNamed(directory, QLatin1String("Workbook")))
        return workbook;
    return streamNamed(directory, QLatin1String("Book"));
}

std::optional<DirectoryEntry> rootEntry(QByteArrayView directory) {
    if (directory.size() < EntrySize || readAt<quint8>(directory, 0x42) != Root)
        return std::nullopt;
    return contentsOf(slice(directory, 0, EntrySize));
}

bool holdsEncryptedPackage(QByteArrayView directory) {
    return streamNamed(directory, QLatin1String("EncryptionInfo")).has_value();
}

} // namespace data::workbook
