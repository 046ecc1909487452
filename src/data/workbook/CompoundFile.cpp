#include "data/workbook/CompoundFile.h"

#include "data/workbook/Bytes.h"
#include "data/workbook/Directory.h"

#include <vector>

namespace data::workbook {

namespace {

using Sector = quint32;
using Table = std::vector<Sector>; // each sector's successor in its chain
constexpr Sector EndOfChain = 0xFFFFFFFE;
constexpr Sector Unused = 0xFFFFFFFF;
constexpr qsizetype HeaderSize = 512;
constexpr int HeaderTableEntries = 109; // the first sectors of the allocation table

// The blocks of a chain in its table, each visited once: a chain that comes back to a block it
// has passed has a cycle, and no chain is longer than its table, which the file's size bounds.
template <typename PlaceOf>
std::vector<qsizetype> chain(Sector start, const Table& table, PlaceOf placeOf) {
    std::vector<qsizetype> places;
    std::vector<bool> visited(table.size());
    for (Sector at = start; at != EndOfChain && at != Unused; at = table[at]) {
        require(at < table.size() && !visited[at]);
        visited[at] = true;
        places.push_back(placeOf(at));
    }
    return places;
}

Table tableOf(QByteArrayView bytes) {
    Table table;
    table.reserve(static_cast<std::size_t>(bytes.size() / 4));
    for (qsizetype at = 0; at + 4 <= bytes.size(); at += 4)
        table.push_back(readAt<quint32>(bytes, at));
    return table;
}

class Compound {
public:
    explicit Compound(QByteArrayView file) : file_(file) {
        require(file.size() >= HeaderSize);
        const int shift = readAt<quint16>(file, 0x1E);
        const int miniShift = readAt<quint16>(file, 0x20);
        require((shift == 9 || shift == 12) && miniShift == 6);
        sectorSize_ = qsizetype(1) << shift;
        miniSectorSize_ = qsizetype(1) << miniShift;
        fileSectors_ = (file.size() - HeaderSize) / sectorSize_;
        // FreeXL takes the cutoff from the header only when the header counts sectors of the mini
        // table, and reads from the mini stream a workbook stream of the cutoff's size too.
        if (readAt<quint32>(file, 0x40) > 0)
            miniCutoff_ = readAt<quint32>(file, 0x38);
        readAllocationTable();
        miniTable_ = tableOf(contents(sectorChain(readAt<quint32>(file, 0x3C)), sectorSize_));
    }

    WorkbookStream workbook() const {
        const WorkbookEntries entries = workbookEntries(sectorAt(readAt<quint32>(file_, 0x30)));
        if (!entries.workbook)
            return {};
        return contentsOf(*entries.workbook, entries.root);
    }

    bool encryptedPackage() const {
        return holdsEncryptedPackage(
            contents(sectorChain(readAt<quint32>(file_, 0x30)), sectorSize_));
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

    // The header lists the first 109 sectors of the allocation table, an unused place holding
    // Unused; further sectors are listed in a chain of as many sectors as the header counts, each
    // ending in the number of the next, where EndOfChain ends the listing. FreeXL reads every
    // sector listed so, however often and however many; so each must be a sector of the file
    // listed once, as each sector of the listing's chain is passed once. That bounds the table,
    // and the chains read through it, by the file's size. (The header's count of them is not
    // read: FreeXL does not read it either.)
    void readAllocationTable() {
        std::vector<Sector> listed;
        std::vector<bool> seen(static_cast<std::size_t>(fileSectors_));
        const auto mark = [&](Sector sector) {
            require(sector < fileSectors_ && !seen[sector]);
            seen[sector] = true;
        };
        const auto list = [&](Sector sector) {
            mark(sector);
            listed.push_back(sector);
        };
        for (int i = 0; i < HeaderTableEntries; ++i)
            if (const Sector sector = readAt<quint32>(file_, 0x4C + 4 * i); sector != Unused)
                list(sector);
        const qsizetype perSector = sectorSize_ / 4 - 1;
        Sector next = readAt<quint32>(file_, 0x44);
        bool ended = false;
        for (quint32 steps = readAt<quint32>(file_, 0x48); steps > 0; --steps) {
            require(!ended);
            mark(next);
            const QByteArrayView listing = sectorAt(next);
            for (qsizetype i = 0; i < perSector && !ended; ++i) {
                const Sector sector = readAt<quint32>(listing, 4 * i);
                ended = sector == EndOfChain;
                if (!ended && sector != Unused)
                    list(sector);
            }
            next = readAt<quint32>(listing, 4 * perSector);
            ended = ended || next == EndOfChain;
        }
        QByteArray table;
        for (const Sector sector : listed)
            table += sectorAt(sector).toByteArray();
        table_ = tableOf(table);
    }

    QByteArrayView sectorAt(Sector index) const {
        require(index < fileSectors_);
        return slice(file_, (qsizetype(index) + 1) * sectorSize_, sectorSize_);
    }

    // A stream no larger than the cutoff lives in the mini stream, whose sectors of 64 bytes are
    // chained through the mini table and stored in the chain of the root entry. FreeXL reads a
    // small workbook stream from the mini stream's start on, whatever the chain says; so it must
    // start there and run on in order, or FreeXL would read other bytes than those checked.
    // FreeXL also takes the whole mini stream into memory, by the size the root entry gives, and
    // reads the workbook from it: that size must hold the workbook and be held by the chain.
    WorkbookStream contentsOf(const DirectoryEntry& entry,
                              const std::optional<DirectoryEntry>& root) const {
        const qsizetype size = entry.size;
        WorkbookStream stream;
        if (size <= miniCutoff_) {
            require(root.has_value());
            const std::vector<qsizetype> container = sectorChain(root->start);
            require(size <= root->size && root->size <= qsizetype(container.size()) * sectorSize_);
            stream.blockSize = miniSectorSize_;
            Sector next = 0;
            stream.blockPlaces = chain(entry.start, miniTable_, [&](Sector s) {
                require(s == next++);
                const qsizetype at = qsizetype(s) * miniSectorSize_;
                require(at / sectorSize_ < qsizetype(container.size()));
                return container[static_cast<std::size_t>(at / sectorSize_)] + at % sectorSize_;
            });
        } else {
            stream.blockSize = sectorSize_;
            stream.blockPlaces = sectorChain(entry.start);
        }
        stream.bytes = contents(stream.blockPlaces, stream.blockSize);
        require(stream.bytes.size() >= size);
        stream.bytes.truncate(size);
        return stream;
    }

    QByteArrayView file_;
    qsizetype sectorSize_ = 0;
    qsizetype miniSectorSize_ = 0;
    qsizetype fileSectors_ = 0;
    qsizetype miniCutoff_ = 0; // none without a mini table
    Table table_;
    Table miniTable_;
};

} // namespace

WorkbookStream workbookStream(QByteArrayView file) {
    return Compound(file).workbook();
}

bool isEncryptedPackage(QByteArrayView file) {
    return Compound(file).encryptedPackage();
}

} // namespace data::workbook
