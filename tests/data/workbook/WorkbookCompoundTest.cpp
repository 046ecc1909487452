// The compound file a workbook is stored in, damaged in the tables and chains the reader follows
// to its workbook stream: each damage is refused before FreeXL, which trusts them, reads them.
#include "WorkbookFixtures.h"
#include "data/workbook/Bytes.h"
#include "data/workbook/CompoundFile.h"
#include "support/FileCopies.h"

#include <QtEndian>
#include <functional>
#include <tuple>

using namespace data::workbook;
using namespace test::workbook;
using test::contentsOf;

namespace {

constexpr qsizetype SectorSize = 512; // of every workbook the tests write

quint32 numberAt(const QByteArray& file, qsizetype at) {
    return qFromLittleEndian<quint32>(file.constData() + at);
}

void setNumber(QByteArray& file, qsizetype at, quint32 value) {
    qToLittleEndian<quint32>(value, file.data() + at);
}

void setShort(QByteArray& file, qsizetype at, quint16 value) {
    qToLittleEndian<quint16>(value, file.data() + at);
}

qsizetype sectorPlace(quint32 sector) {
    return (qsizetype(sector) + 1) * SectorSize;
}

// The place of a directory entry, counted from the root's (0); the workbook's is the next.
qsizetype entryPlace(const QByteArray& file, int entry) {
    return sectorPlace(numberAt(file, 0x30)) + 128 * entry;
}

// Adds a sector of unused numbers at the file's end, the last number naming the next; its index.
quint32 appendListing(QByteArray& file, quint32 next) {
    const auto index = static_cast<quint32>((file.size() - SectorSize) / SectorSize);
    QByteArray sector(SectorSize, '\xFF');
    setNumber(sector, SectorSize - 4, next == 0 ? index : next);
    file += sector;
    return index;
}

using Damage = std::function<void(QByteArray&)>;

class WorkbookCompound : public WithMadeWorkbooks {};

TEST_F(WorkbookCompound, RefusesEveryChainOrEntryFreeXlWouldFollowOutOfBounds) {
    const std::vector<std::tuple<const char*, const char*, Damage, bool>> cases{
        {"types.xls", "as written", [](QByteArray&) {}, false},
        {"small.xls", "as written, its later entries nameless", [](QByteArray&) {}, false},
        {"types.xls", "a listing of the allocation table that names itself the next",
         [](QByteArray& f) {
             setNumber(f, 0x44, appendListing(f, 0));
             setNumber(f, 0x48, 3);
         },
         true},
        {"types.xls", "the allocation table's one sector listed in every place of the header",
         [](QByteArray& f) {
             for (int i = 1; i < 109; ++i)
                 setNumber(f, 0x4C + 4 * i, numberAt(f, 0x4C));
         },
         true},
        {"types.xls", "the workbook stream's first sector followed by itself",
         [](QByteArray& f) {
             const quint32 first = numberAt(f, entryPlace(f, 1) + 0x74);
             setNumber(f, sectorPlace(numberAt(f, 0x4C)) + 4 * first, first);
         },
         true},
        {"types.xls", "the root's name longer than its entry",
         [](QByteArray& f) { setShort(f, entryPlace(f, 0) + 0x40, 0xFFFF); }, true},
        {"types.xls", "the root's name one byte longer than an entry has room for",
         [](QByteArray& f) { setShort(f, entryPlace(f, 0) + 0x40, 66); }, true},
        {"types.xls", "the workbook's name half a character long",
         [](QByteArray& f) { setShort(f, entryPlace(f, 1) + 0x40, 17); }, true},
        {"types.xls", "a workbook stream of the cutoff's size, which FreeXL reads as small",
         [](QByteArray& f) {
             setNumber(f, 0x38, numberAt(f, entryPlace(f, 1) + 0x78));
             setNumber(f, 0x40, 1);
         },
         true},
        {"small.xls",
         "a small workbook stream and no mini table counted, which FreeXL reads "
         "from the file's sectors",
         [](QByteArray& f) { setNumber(f, 0x40, 0); }, true},
        {"small.xls", "a mini stream larger than its chain",
         [](QByteArray& f) { setNumber(f, entryPlace(f, 0) + 0x78, 0x7FFFFFC0); }, true},
        {"small.xls", "a mini stream smaller than the workbook in it",
         [](QByteArray& f) { setNumber(f, entryPlace(f, 0) + 0x78, 1024); }, true},
    };
    for (const auto& [workbook, what, damage, refused] : cases) {
        QByteArray copy = contentsOf(madeWorkbook(workbook));
        ASSERT_FALSE(copy.isEmpty()) << workbook;
        damage(copy);
        bool broken = false;
        try {
            EXPECT_FALSE(workbookStream(copy).bytes.isEmpty()) << what;
        } catch (const Broken&) {
            broken = true;
        }
        EXPECT_EQ(broken, refused) << what;
    }
}

} // namespace
