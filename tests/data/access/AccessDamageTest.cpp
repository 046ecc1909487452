// Copies of the sample files changed in a few bytes so that a chain the reader follows loops or a
// reference names what is not there: reading each ends, quickly and without a crash, in a
// data::Error that says the file is damaged and why.
#include "AccessFixtures.h"
#include "JetPages.h"
#include "data/access/AccessFile.h"
#include "support/FileCopies.h"

using data::access::AccessFile;
using namespace test::access;

namespace {

constexpr std::uint32_t CatalogDefinitionPage = 2;
constexpr std::uint32_t NearlyAGigabyte = 0x3fffffff;
constexpr int MovedAway = 0x4000;
constexpr char ReferenceMap = 1;

// The catalog's reference to the row listing its pages names an empty row past the last of
// its page.
void pointUsageMapPastLastRow(JetPages& pages) {
    const qsizetype at = pages.pageStart(CatalogDefinitionPage) + pages.usageMapOffset();
    const std::uint32_t mapPage = pages.word32(at) >> 8;
    std::uint32_t row = mapPage << 8 | std::uint32_t(pages.rowCount(mapPage) + 1);
    while (pages.rowSize(row) != 0)
        ++row;
    pages.putWord32(at, row);
}

// The catalog's list of its pages, a bitmap, is marked as a list of map pages instead: its
// bits read as page numbers far past the end of the file.
void readPageBitmapAsMapPages(JetPages& pages) {
    const std::uint32_t row =
        pages.word32(pages.pageStart(CatalogDefinitionPage) + pages.usageMapOffset());
    pages.bytes()[pages.rowStart(row)] = ReferenceMap;
}

// The catalog's definition continues on its own page.
void loopCatalogDefinition(JetPages& pages) {
    pages.putWord32(pages.pageStart(CatalogDefinitionPage) + 4, CatalogDefinitionPage);
}

// The catalog's definition claims so many indexes that its columns would lie far past its page.
void claimManyIndexes(JetPages& pages) {
    pages.putWord32(pages.pageStart(CatalogDefinitionPage) + pages.indexCountOffset(), 0x01000000);
}

// The catalog's first column name claims 65,535 bytes, more than its definition's pages hold
// (Jet 4, whose names have a two-byte length).
void claimLongColumnName(JetPages& pages) {
    const qsizetype definition = pages.pageStart(CatalogDefinitionPage);
    constexpr int ColumnCount = 45, ColumnsStart = 63, IndexEntry = 12, ColumnEntry = 25;
    const qsizetype names = definition + ColumnsStart +
                            pages.word32(definition + pages.indexCountOffset()) * IndexEntry +
                            pages.word16(definition + ColumnCount) * ColumnEntry;
    pages.putWord16(names, 0xFFFF);
}

// The catalog's first row is marked as moved away, to where it is now.
void moveRowOntoItself(JetPages& pages) {
    const std::uint32_t row = pages.firstDataPage(CatalogDefinitionPage) << 8;
    const qsizetype start = pages.rowStart(row);
    pages.putWord16(pages.rowEntry(row),
                    std::uint16_t((start - pages.pageStart(row >> 8)) | MovedAway));
    pages.putWord32(start, row);
}

// The second row of a memo or OLE value's chain names itself as the next.
void loopLongValueChain(JetPages& pages) {
    const std::uint32_t second = pages.word32(pages.rowStart(pages.chainedValue().firstRow));
    pages.putWord32(pages.rowStart(second), second);
}

// The reference to a chained memo or OLE value claims nearly a gigabyte; its chain stays short.
void claimHugeLongValue(JetPages& pages) {
    pages.putWord32(pages.chainedValue().reference, NearlyAGigabyte);
}

// The catalog's definition continues on a page past the end of the file.
void continueDefinitionPastTheEnd(JetPages& pages) {
    pages.putWord32(pages.pageStart(CatalogDefinitionPage) + 4, 0x00FFFFFF);
}

// The catalog's first page of rows is marked as a page of another kind (a table definition).
void markRowPageAsDefinition(JetPages& pages) {
    pages.bytes()[pages.pageStart(pages.firstDataPage(CatalogDefinitionPage))] = 2;
}

// The catalog's first page of rows claims more rows than the page has room to list.
void claimTooManyRows(JetPages& pages) {
    const std::uint32_t page = pages.firstDataPage(CatalogDefinitionPage);
    pages.putWord16(pages.pageStart(page) + pages.rowCountOffset(), 0x7FFF);
}

// The catalog's first row starts past the end of its page.
void placeRowPastItsPage(JetPages& pages) {
    pages.putWord16(pages.rowEntry(pages.firstDataPage(CatalogDefinitionPage) << 8), 0x1FFF);
}

// The catalog's first row is marked as moved away, to the definition's page.
void moveRowToDefinition(JetPages& pages) {
    const std::uint32_t row = pages.firstDataPage(CatalogDefinitionPage) << 8;
    const qsizetype start = pages.rowStart(row);
    pages.putWord16(pages.rowEntry(row),
                    std::uint16_t((start - pages.pageStart(row >> 8)) | MovedAway));
    pages.putWord32(start, CatalogDefinitionPage << 8);
}

// A chained memo or OLE value's first piece is on a page past the end of the file.
void chainLongValuePastTheEnd(JetPages& pages) {
    pages.putWord32(pages.chainedValue().reference + 4, 0xFFFFFF00);
}

// A chained memo or OLE value's first piece is on the catalog's definition page.
void chainLongValueToDefinition(JetPages& pages) {
    pages.putWord32(pages.chainedValue().reference + 4, CatalogDefinitionPage << 8);
}

TEST(AccessDamage, EndsLoopsAndMissingRowsInAMessage) {
    QTemporaryDir dir;
    const struct {
        const char* fixture;
        void (*damage)(JetPages&);
        const char* detail;
    } cases[] = {
        {"nwind.mdb", pointUsageMapPastLastRow, "names no list of its pages"},
        {"testV2000.mdb", pointUsageMapPastLastRow, "names no list of its pages"},
        {"nwind.mdb", loopCatalogDefinition, "'MSysObjects' loops back on itself"},
        {"testV2000.mdb", loopCatalogDefinition, "'MSysObjects' loops back on itself"},
        {"nwind.mdb", readPageBitmapAsMapPages, "page list of table 'MSysObjects' points beyond"},
        {"testV2000.mdb", readPageBitmapAsMapPages,
         "page list of table 'MSysObjects' points beyond"},
        {"nwind.mdb", claimManyIndexes, "'MSysObjects' is cut short"},
        {"testV2000.mdb", claimManyIndexes, "'MSysObjects' is cut short"},
        {"testV2000.mdb", claimLongColumnName, "'MSysObjects' is cut short"},
        {"nwind.mdb", moveRowOntoItself, "moved too many times"},
        {"testV2000.mdb", moveRowOntoItself, "moved too many times"},
        {"nwind.mdb", loopLongValueChain, "loops back on itself"},
        {"nwind.mdb", claimHugeLongValue, "more than the file holds"},
        {"nwind.mdb", continueDefinitionPastTheEnd, "lies beyond the end of the file"},
        {"testV2000.mdb", markRowPageAsDefinition, "is not a data page"},
        {"nwind.mdb", claimTooManyRows, "claims 32767 rows"},
        {"testV2000.mdb", placeRowPastItsPage, "lies outside the page"},
        {"nwind.mdb", moveRowToDefinition, "which is not the table's"},
        {"nwind.mdb", chainLongValuePastTheEnd, "beyond the end of the file"},
        {"nwind.mdb", chainLongValueToDefinition, "which holds no data"},
    };
    for (const auto& c : cases) {
        QByteArray copy = test::contentsOf(accessFixture(c.fixture));
        JetPages pages(copy);
        c.damage(pages);
        const QString failure =
            test::readFailure<AccessFile>(test::writeFile(dir, c.fixture, copy));
        EXPECT_TRUE(failure.contains("is damaged") && failure.contains(c.detail))
            << c.fixture << ", expected " << c.detail << ": " << failure.toStdString();
    }
}

} // namespace
