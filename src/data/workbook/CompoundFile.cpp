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
constexpr qsizetype DefaultMiniCutoff = 4096;

// The blocks of a chain in its table, each visited once: a chain that comes back to a block it
// has passed has a cycle, and no chain is longer than its table, which the file's size bounds.
std::vector<Sector> chain(Sector start, const Table& table) {
    std::vector<Sector> blocks;
    std::vector<bool> visited(table.size());
    for (Sector at = start; at != EndOfChain && at != Unused; at = table[at]) {
        require(at < table.size() && !visited[at]);
        visited[at] = true;
        blocks.push_back(at);
    }
    return blocks;
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
    explicit Compound(QByteArrayView file) {
        require(file.size() >= HeaderSize);
        const int shift = readAt<quint16>(file, 0x1E);
        require(shift == 9 || shift == 12);
        require(readAt<quint16>(file, 0x20) == 6);
        sectorSize_ = qsizetype(1) << shift;
        // Writers leave the last sector short; it reads as padded with zeros (a copy bounded by
        // the file's size and one sector).
        file_ = file.toByteArray();
        const qsizetype over = file_.size() % sectorSize_;
        if (over != 0)
            file_.append(sectorSize_ - over, '\0');
        fileSectors_ = file_.size() / sectorSize_ - 1;
        readAllocationTable();
        directory_ = sectors(readAt<quint32>(file_, 0x30));
    }

    QByteArray workbook() const {
        const std::optional<DirectoryEntry> entry = workbookEntry(directory_);
        if (!entry)
            return {};
        const quint32 cutoff = readAt<quint32>(file_, 0x38);
        const qsizetype miniCutoff = cutoff == 0 ? DefaultMiniCutoff : cutoff;
        QByteArray bytes;
        if (entry->size < miniCutoff) {
            // A small stream lives in the mini stream, whose blocks of 64 bytes are chained
            // through the mini table and stored in the chain of the root entry.
            const std::optional<DirectoryEntry> root = rootEntry(directory_);
            require(root.has_value());
            const QByteArray mini = sectors(root->start);
            const Table miniTable = tableOf(sectors(readAt<quint32>(file_, 0x3C)));
            for (const Sector block : chain(entry->start, miniTable))
                bytes += slice(mini, qsizetype(block) * MiniSectorSize, MiniSectorSize);
        } else {
            bytes = sectors(entry->start);
        }
        require(bytes.size() >= qsizetype(entry->size));
        bytes.truncate(entry->size);
        return bytes;
    }

    bool encryptedPackage() const { return holdsEncryptedPackage(directory_); }

private:
    static constexpr qsizetype MiniSectorSize = 64;

    // The sectors of a chain in the file, whose first sector is its header.
    QByteArray sectors(Sector start) const {
        QByteArray data;
        for (const Sector sector : chain(start, table_))
            data += sectorAt(sector);
        return data;
    }

    // The header lists the first 109 sectors of the allocation table, an unused place holding
    // Unused; further sectors are listed in a chain of sectors, each ending in the number of the
    // next, which ends at EndOfChain or Unused. A sector listed beyond the file's end is passed
    // over (a table cut short leaves the chains through it to end there); each sector is listed
    // once and each of the listing's chain passed once, which bounds the table by the file.
    void readAllocationTable() {
        std::vector<Sector> listed;
        std::vector<bool> seen(static_cast<std::size_t>(fileSectors_));
        const auto mark = [&](Sector sector) {
            require(!seen[sector]);
            seen[sector] = true;
        };
        const auto list = [&](Sector sector) {
            if (sector >= fileSectors_)
                return;
            mark(sector);
            listed.push_back(sector);
        };
        for (int i = 0; i < HeaderTableEntries; ++i)
            list(readAt<quint32>(file_, 0x4C + 4 * i));
        const qsizetype perSector = sectorSize_ / 4 - 1;
        const bool extended = readAt<quint32>(file_, 0x48) != 0;
        for (Sector next = readAt<quint32>(file_, 0x44);
             extended && next != EndOfChain && next != Unused;) {
            require(next < fileSectors_);
            mark(next);
            const QByteArrayView listing = sectorAt(next);
            for (qsizetype i = 0; i < perSector; ++i)
                list(readAt<quint32>(listing, 4 * i));
            next = readAt<quint32>(listing, 4 * perSector);
        }
        QByteArray table;
        for (const Sector sector : listed)
            table += sectorAt(sector);
        table_ = tableOf(table);
    }

    QByteArrayView sectorAt(Sector index) const {
        require(index < fileSectors_);
        return slice(file_, (qsizetype(index) + 1) * sectorSize_, sectorSize_);
    }

    QByteArray file_;
    qsizetype sectorSize_ = 0;
    qsizetype fileSectors_ = 0;
    Table table_;
    QByteArray directory_;
};

} // namespace

QByteArray workbookStream(QByteArrayView file) {
    return Compound(file).workbook();
}

bool isEncryptedPackage(QByteArrayView file) {
    return Compound(file).encryptedPackage();
}

} // namespace data::workbook
