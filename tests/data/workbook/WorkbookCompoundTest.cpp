// The compound file a workbook is stored in, damaged in the tables and chains the reader follows
// to its workbook stream, each damage refused, and changed in the ways real writers differ from
// the tests' writer (a short last sector, names in capitals, tables the workbook does not use),
// each read alike.
#include "WorkbookFixtures.h"
#include "data/workbook/Bytes.h"
#include "data/workbook/CompoundFile.h"
#include "support/FileCopies.h"

#include <QtEndian>
#include <functional>
#include <stdexcept>
#include <tuple>

using namespace data::workbook;
using namespace test::workbook;
using test::contentsOf;

namespace {

constexpr qsizetype SectorSize = 512; // of every workbook the tests write

// Byte by byte, each read checked against the file's size.
quint32 numberAt(const QByteArray& file, qsizetype at) {
    if (at < 0 || at + 4 > file.size())
        throw std::out_of_range("a number lies outside the file");
    quint32 number = 0;
    for (int i = 3; i >= 0; --i)
        number = number << 8 | quint8(file.at(at + i));
    return number;
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

TEST_F(WorkbookCompound, RefusesEveryChainOutOfBoundsOrInALoopAndReadsWhatWritersVaryAlike) {
    const std::vector<std::tuple<const char*, const char*, Damage, bool>> cases{
        {"types.xls", "as written", [](QByteArray&) {}, false},
        {"small.xls", "as written, its later entries nameless", [](QByteArray&) {}, false},
        {"types.xls", "a listing of the allocation table that names itself the next",
         [](QByteArray& f) {
             setNumber(f, 0x44, appendListing(f, 0));
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
        {"types.xls", "the workbook stream longer than its chain",
         [](QByteArray& f) { setNumber(f, entryPlace(f, 1) + 0x78, 0x7FFFFFC0); }, true},
        {"small.xls", "the small workbook's block followed by itself in the mini table",
         [](QByteArray& f) {
             const quint32 first = numberAt(f, entryPlace(f, 1) + 0x74);
             setNumber(f, sectorPlace(numberAt(f, 0x3C)) + 4 * first, first);
         },
         true},
        {"small.xls", "the mini table outside the file",
         [](QByteArray& f) { setNumber(f, 0x3C, 0x00FFFFFF); }, true},
        {"types.xls", "the mini table outside the file, which the workbook does not use",
         [](QByteArray& f) { setNumber(f, 0x3C, 0x00FFFFFF); }, false},
        {"types.xls", "the last sector cut short of its zeros",
         [](QByteArray& f) {
             while (f.endsWith('\0'))
                 f.chop(1);
         },
         false},
        {"types.xls", "the stream named WORKBOOK, the root's name longer than its entry",
         [](QByteArray& f) {
             const QByteArray upper = QByteArrayLiteral("W\0O\0R\0K\0B\0O\0O\0K\0");
             f.replace(entryPlace(f, 1), upper.size(), upper);
             setShort(f, entryPlace(f, 0) + 0x40, 0xFFFF);
         },
         false},
    };
    for (const auto& [workbook, what, damage, refused] : cases) {
        const QByteArray original = contentsOf(madeWorkbook(workbook));
        ASSERT_FALSE(workbookStream(original).isEmpty()) << workbook;
        QByteArray copy = original;
        damage(copy);
        bool broken = false;
        try {
            EXPECT_TRUE(workbookStream(copy) == workbookStream(original)) << what;
        } catch (const Broken&) {
            broken = true;
        }
        EXPECT_EQ(broken, refused) << what;
    }
}

} // namespace
