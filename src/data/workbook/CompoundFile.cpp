#include "data/workbook/CompoundFile.h"

#include "data/workbook/Bytes.h"

#include <QString>
#include <vector>

namespace data::workbook {

namespace {

using Sector = quint32;
using Table = std::vector<Sector>; // each sector's successor in its chain
constexpr Sector EndOfChain = 0xFFFFFFFE;
constexpr Sector Unused = 0xFFFFFFFF;
constexpr qsizetype HeaderSize = 512;
constexpr int HeaderTableEntries = 109; // the first sectors of the allocation table
constexpr qsizetype DirectoryEntrySize = 128;
constexpr quint8 StreamEntry = 2;

class Compound {
public:
    explicit Compound(QByteArrayView file) : file_(file) {
        require(file.size() >= HeaderSize);
        const int shift = readAt<quint16>(file, 0x1E);
        const int miniShift = readAt<quint16>(file, 0x20);
        require((shift == 9 || shift == 12) && miniShift == 6);
        sectorSize_ = qsizetype(1) << shift;
        miniSectorSize_ = qsizetype(1) << miniShift;
        miniCutoff_ = readAt<quint32>(file, 0x38);
        readAllocationTable();
        miniTable_ = tableOf(contents(sectorChain(readAt<quint32>(file, 0x3C)), sectorSize_));
    }

    WorkbookStream stream(const QString& name) const {
        const QByteArray directory =
            contents(sectorChain(readAt<quint32>(file_, 0x30)), sectorSize_);
        require(directory.size() >= DirectoryEntrySize);
        const QByteArrayView root = slice(directory, 0, DirectoryEntrySize);
        for (qsizetype at = 0; at + DirectoryEntrySize <= directory.size();
             at += DirectoryEntrySize) {
            const QByteArrayView entry = slice(directory, at, DirectoryEntrySize);
            if (entry.at(0x42) == StreamEntry && nameOf(entry).compare(name) == 0)
                return contentsOf(entry, root);
        }
        return {};
    }

private:
    // The places in the file of a chain's sectors.
    std::vector<qsizetype> sectorChain(Sector start) const {
        return chain(start, table_, [this](Sector s) {
            const qsizetype place = (qsizetype(s) + 1) * sectorSize_;
            slice(file_, place, sectorSize_);
            return place;
        });
    }

    QByteArray contents(const std::vector<qsizetype>& places, qsizetype blockSize) const {
        QByteArray data;
        for (const qsizetype place : places)
            data += slice(file_, place, blockSize).toByteArray();
        return data;
    }

    // The header lists the first 109 sectors of the allocation table; further sectors are
    // listed in a chain of sectors, each ending in the number of the next.
    void readAllocationTable() {
        const quint32 count = readAt<quint32>(file_, 0x2C);
        std::vector<Sector> sectors;
        for (int i = 0; i < HeaderTableEntries; ++i)
            sectors.push_back(readAt<quint32>(file_, 0x4C + 4 * i));
        const qsizetype perSector = sectorSize_ / 4 - 1;
        Sector next = readAt<quint32>(file_, 0x44);
        for (quint32 steps = readAt<quint32>(file_, 0x48); steps > 0 && next < EndOfChain;
             --steps) {
            const QByteArrayView listing = sectorAt(next);
            for (qsizetype i = 0; i < perSector; ++i)
                sectors.push_back(readAt<quint32>(listing, 4 * i));
            next = readAt<quint32>(listing, 4 * perSector);
        }
        require(count <= sectors.size());
        QByteArray table;
        for (quint32 i = 0; i < count; ++i)
            table += sectorAt(sectors[i]).toByteArray();
        table_ = tableOf(table);
    }

    QByteArrayView sectorAt(Sector index) const {
        return slice(file_, (qsizetype(index) + 1) * sectorSize_, sectorSize_);
    }

    // The places of a chain's blocks; a chain longer than its table has a cycle.
    template <typename PlaceOf>
    static std::vector<qsizetype> chain(Sector start, const Table& table, PlaceOf placeOf) {
        std::vector<qsizetype> places;
        Sector at = start;
        for (std::size_t steps = 0; at != EndOfChain && at != Unused; ++steps) {
            require(at < table.size() && steps < table.size());
            places.push_back(placeOf(at));
            at = table[at];
        }
        return places;
    }

    static Table tableOf(QByteArrayView bytes) {
        Table table;
        for (qsizetype at = 0; at + 4 <= bytes.size(); at += 4)
            table.push_back(readAt<quint32>(bytes, at));
        return table;
    }

    static QString nameOf(QByteArrayView entry) {
        const int bytes = readAt<quint16>(entry, 0x40);
        require(bytes >= 2 && bytes <= 64 && bytes % 2 == 0);
        QString name;
        for (int i = 0; i < bytes / 2 - 1; ++i)
            name.append(QChar(readAt<quint16>(entry, 2 * i)));
        return name;
    }

    // A stream smaller than the cutoff lives in the mini stream, whose sectors of 64 bytes are
    // chained through the mini table and stored in the chain of the root entry. FreeXL reads a
    // small workbook stream from the mini stream's start on, whatever the chain says; so it must
    // start there and run on in order, or FreeXL would read other bytes than those checked.
    WorkbookStream contentsOf(QByteArrayView entry, QByteArrayView root) const {
        const Sector start = readAt<quint32>(entry, 0x74);
        const qsizetype size = readAt<quint32>(entry, 0x78);
        WorkbookStream stream;
        if (size < miniCutoff_) {
            const std::vector<qsizetype> container = sectorChain(readAt<quint32>(root, 0x74));
            stream.blockSize = miniSectorSize_;
            Sector next = 0;
            stream.blockPlaces = chain(start, miniTable_, [&](Sector s) {
                require(s == next++);
                const qsizetype at = qsizetype(s) * miniSectorSize_;
                require(at / sectorSize_ < qsizetype(container.size()));
                return container[static_cast<std::size_t>(at / sectorSize_)] + at % sectorSize_;
            });
        } else {
            stream.blockSize = sectorSize_;
            stream.blockPlaces = sectorChain(start);
        }
        stream.bytes = contents(stream.blockPlaces, stream.blockSize);
        require(stream.bytes.size() >= size);
        stream.bytes.truncate(size);
        return stream;
    }

    QByteArrayView file_;
    qsizetype sectorSize_ = 0;
    qsizetype miniSectorSize_ = 0;
    qsizetype miniCutoff_ = 0;
    Table table_;
    Table miniTable_;
};

} // namespace

WorkbookStream workbookStream(QByteArrayView file) {
    const Compound compound(file);
    for (const char* name : {"Workbook", "Book"})
        if (WorkbookStream stream = compound.stream(QString::fromLatin1(name));
            !stream.bytes.isEmpty())
            return stream;
    return {};
}

} // namespace data::workbook
