// What the reader makes of the shared sample databases: their tables, column types and values.
// It never changes a file, and ends every kind of unreadable file in a data::Error. And the
// decoding of stored values that the sample files do not cover in full: dates before 1899 and at
// the ends of Jet's range, large and scaled Numerics, compressed UTF-16 text.
#include "data/access/AccessFile.h"

#include "AccessFixtures.h"
#include "JetPages.h"
#include "RecordingSink.h"
#include "data/AdoTypes.h"
#include "data/Error.h"
#include "data/access/JetNumeric.h"
#include "data/access/QueryCatalog.h"
#include "data/access/TextDecoder.h"
#include "data/jet/CalendarDate.h"
#include "support/FileCopies.h"

#include <array>
#include <cmath>
#include <map>
#include <set>

using data::access::AccessFile;
using namespace data::access;
using Parts = data::jet::DateTimeParts;
using data::jet::DateTimeParts;
using namespace test::access;
using test::contentsOf;
using test::writeFile;

namespace {

class AccessFileContent : public WithAccessFixtures {};

TEST_F(AccessFileContent, ListsTablesAndCountsEveryLiveRowOnceAndNoRowMarkedDeleted) {
    // (How many rows each user table holds, against mdbtools: CompareReaders.)
    AccessFile nwind(accessFixture("nwind.mdb"));
    // MSysObjects holds rows that grew and moved to other pages: each object comes once.
    const LoadedTable objects = loadTable(nwind, "MSysObjects");
    std::set<std::int64_t> ids;
    for (const Row& row : objects.rows)
        ids.insert(std::get<std::int64_t>(objects.value(row, "Id")));
    EXPECT_EQ(objects.rows.size(), 106u);
    EXPECT_EQ(ids.size(), objects.rows.size());

    // A row marked deleted, the first on the first data page of Orders (defined on page 449).
    QByteArray copy = test::contentsOf(accessFixture("nwind.mdb"));
    JetPages pages(copy);
    const qsizetype entry = pages.rowEntry(pages.firstDataPage(449) << 8);
    ASSERT_GT(entry, pages.pageSize());
    pages.putWord16(entry, pages.word16(entry) | 0x8000);
    QTemporaryDir dir;
    AccessFile edited(test::writeFile(dir, "deleted.mdb", copy));
    const LoadedTable before = loadTable(nwind, "Orders");
    const LoadedTable after = loadTable(edited, "Orders");
    ASSERT_EQ(after.rows.size(), before.rows.size() - 1);
    EXPECT_EQ(std::vector<Row>(before.rows.begin() + 1, before.rows.end()), after.rows);

    // Tables with their kinds, found whatever their case.
    std::map<QString, QString> kinds;
    QStringList names;
    for (const auto& entry : nwind.tableEntries()) {
        kinds[entry.name] = entry.type;
        if (entry.type != "VIEW")
            names.append(entry.name);
    }
    EXPECT_EQ(nwind.tableNames(), names);
    // The nine user tables, Access's and the engine's own, and the 22 saved queries.
    EXPECT_EQ(kinds.size(), 19u + 22u);
    EXPECT_EQ(kinds[QStringLiteral("Umsätze")] + kinds["MSysObjects"] + kinds["MSysAccessObjects"] +
                  kinds["Invoices"],
              "TABLESYSTEM TABLEACCESS TABLEVIEW");
    EXPECT_EQ(nwind.describe(QStringLiteral("UMSÄTZE"))->name, QStringLiteral("Umsätze"));
    EXPECT_FALSE(nwind.describe("Invoices").has_value());
    RecordingSink sink;
    EXPECT_THROW(nwind.load("Invoices", sink), data::Error);
    // Access's own queries for forms and reports, and queries flagged hidden or system, are not
    // listed; flag 8, which the listed queries of this Access 97 file carry, hides nothing.
    for (const auto& [flags, hidden] : std::vector<std::pair<unsigned, bool>>{
             {1, true}, {3, true}, {0x80000000u, true}, {8 | 128, false}})
        EXPECT_EQ(data::access::isHiddenQuery({"Sales Query", flags, {}}), hidden) << flags;
    // The picker's list, from a copy in which Access's catalog names a query from "~".
    QByteArray renamed = test::contentsOf(accessFixture("nwind.mdb"));
    JetPages catalog(renamed);
    for (std::uint32_t page = 3; catalog.pageStart(page + 1) <= renamed.size(); ++page) {
        const qsizetype start = catalog.pageStart(page);
        const qsizetype at = renamed.indexOf("Invoices Filter", start);
        if (renamed.at(start) == 1 && catalog.word32(start + 4) == 2 && at > start &&
            at < catalog.pageStart(page + 1))
            renamed[at] = '~';
    }
    QStringList views;
    for (const auto& entry : AccessFile(test::writeFile(dir, "hidden.mdb", renamed)).tableEntries())
        if (entry.type == "VIEW")
            views << entry.name;
    EXPECT_EQ(views.size(), 21);
    EXPECT_FALSE(views.contains("Invoices Filter") || views.contains("~nvoices Filter"));
    // A file without saved queries lists no view.
    for (const auto& entry : AccessFile(accessFixture("testV2000.mdb")).tableEntries())
        EXPECT_NE(entry.type, "VIEW") << entry.name.toStdString();
}

class EveryTypeTable : public AccessFileContent, public ::testing::WithParamInterface<QString> {};

TEST_P(EveryTypeTable, HoldsEachTypeWithItsCodeAndExactValue) {
    AccessFile file(accessFixture(GetParam()));
    const LoadedTable table = loadTable(file, "Table1");
    EXPECT_EQ(table.names(), QStringList({"A", "B", "C", "D", "E", "F", "G", "H", "I"}));
    EXPECT_EQ(table.types(), (std::vector<int>{202, 202, 17, 2, 3, 5, 7, 6, 11}));
    EXPECT_EQ(table.rowWhere("A", QString("abcdefg")),
              (Row{QString("abcdefg"), QString("hijklmnop"), std::int64_t{2}, std::int64_t{222},
                   std::int64_t{333333333}, 444.555, DateTimeParts{1974, 9, 21, 0, 0, 0},
                   Currency{35000}, true}));
    const Row& small = table.rowWhere("A", QString("a"));
    EXPECT_EQ(table.value(small, "G"), Value(DateTimeParts{1981, 12, 12, 0, 0, 0}));
    EXPECT_EQ(table.value(small, "H"), Value(Currency{0}));
    EXPECT_EQ(table.value(small, "I"), Value(false));

    const auto wide = file.describe("Table2").value();
    EXPECT_EQ(wide.columns.size(), 89u);
    EXPECT_EQ(wide.columns.back().name, "column89");
}

INSTANTIATE_TEST_SUITE_P(Jet3AndJet4, EveryTypeTable,
                         ::testing::Values(QString("testV1997.mdb"), QString("testV2000.mdb")));

TEST_F(AccessFileContent, KeepsTextNullsMoneyOleObjectsAndLongValuesOfNorthwind) {
    AccessFile nwind(accessFixture("nwind.mdb"));
    const LoadedTable orders = loadTable(nwind, "Orders");
    const Row& bonApp = orders.rowWhere("OrderID", std::int64_t{10331});
    EXPECT_EQ(orders.value(bonApp, "ShipName"), Value(QString("Bon app'")));
    EXPECT_EQ(orders.value(bonApp, "ShipRegion"), Value(Null{}));
    EXPECT_EQ(orders.value(bonApp, "Freight"), Value(Currency{101900}));
    EXPECT_EQ(orders.value(bonApp, "OrderDate"), Value(DateTimeParts{1994, 11, 16, 0, 0, 0}));

    // Jet 3 keeps names and text in the file's code page.
    const LoadedTable sales = loadTable(nwind, QStringLiteral("Umsätze"));
    EXPECT_EQ(sales.value(sales.rowWhere("OrderID", std::int64_t{10345}), "ShipAddress"),
              Value(QStringLiteral("Taucherstraße 10")));

    // OLE objects and long values come whole.
    const LoadedTable categories = loadTable(nwind, "Categories");
    EXPECT_EQ(categories.types(),
              (std::vector<int>{data::ado::adInteger, data::ado::adVarWChar,
                                data::ado::adLongVarWChar, data::ado::adLongVarBinary}));
    for (const Row& row : categories.rows) {
        const auto& picture = std::get<QByteArray>(categories.value(row, "Picture"));
        EXPECT_GT(picture.size(), 10000);
    }
    EXPECT_EQ(categories.value(categories.rowWhere("CategoryID", std::int64_t{1}), "Description"),
              Value(QString("Soft drinks, coffees, teas, beers, and ales")));

    // Values far beyond libmdb's bind buffer, spread over chains of pages.
    const LoadedTable modules = loadTable(nwind, "MSysModules2");
    qsizetype longest = 0;
    for (const Row& row : modules.rows)
        if (const auto* form = std::get_if<QByteArray>(&modules.value(row, "Form")))
            longest = std::max(longest, form->size());
    EXPECT_EQ(longest, 118377);
}

TEST_F(AccessFileContent, KeepsNumericColumnsExactAndReadsDatesAcrossJetsWholeRange) {
    AccessFile file(accessFixture("fixedNumericTestV2000.mdb"));
    const LoadedTable test = loadTable(file, "test");
    const int numeric = data::ado::adNumeric;
    EXPECT_EQ(test.types(), (std::vector<int>{data::ado::adLongVarWChar, numeric, numeric, numeric,
                                              numeric, numeric, numeric}));
    using W = std::int64_t;
    EXPECT_EQ(test.rows,
              (std::vector<Row>{{QString("some data"), W{1}, W{0}, W{0}, W{4}, W{-1}, W{1}}}));

    AccessFile datesFile(accessFixture("DateTestDatabase.mdb"));
    const LoadedTable dates = loadTable(datesFile, "DateTest");
    const auto at = [&](std::int64_t id, const char* column) {
        return dates.value(dates.rowWhere("IDCol", id), column);
    };
    EXPECT_EQ(at(2, "DateCol"), Value(DateTimeParts{9999, 1, 1, 0, 0, 0}));
    EXPECT_EQ(at(3, "TimeCol"), Value(DateTimeParts{1900, 1, 1, 0, 0, 0}));
    EXPECT_EQ(at(4, "DateTimeCol"), Value(DateTimeParts{632, 1, 1, 0, 0, 0}));
    EXPECT_EQ(at(6, "LongTextCol"), Value(QString("New line\r\nin field")));
}

QString failureOf(const QString& path) {
    return test::readFailure<AccessFile>(path);
}

class AccessFileFailure : public WithAccessFixtures {
protected:
    QTemporaryDir dir;
};

TEST_F(AccessFileFailure, NamesAMissingFileRefusesWhatIsNotADatabaseAndLeavesFilesUntouched) {
    EXPECT_EQ(failureOf(dir.filePath("absent.mdb")),
              QString("Could not find file '%1'.").arg(dir.filePath("absent.mdb")));
    EXPECT_EQ(failureOf(dir.path()),
              QString("Cannot open the file '%1': it is a folder, not a file.").arg(dir.path()));
    EXPECT_TRUE(failureOf("/dev/null").contains("it is a device")) << "read without end";

    QByteArray wrongVersion = contentsOf(accessFixture("testV2000.mdb"));
    wrongVersion[0x14] = 0x42;
    for (const auto& [name, contents] :
         {std::pair{"notes.mdb", QByteArray("Dear diary,\nthis is not a database.\n")},
          std::pair{"empty.mdb", QByteArray()}, std::pair{"future.accdb", wrongVersion}}) {
        const QString path = writeFile(dir, name, contents);
        EXPECT_EQ(failureOf(path), QString("Unrecognized database format '%1'.").arg(path));
    }

    // Reading leaves the file and its folder untouched.
    for (const char* fixture : {"nwind.mdb", "testV2000.mdb"}) {
        const auto sample = test::FileState::of(accessFixture(fixture));
        const QString copy = writeFile(dir, fixture, contentsOf(accessFixture(fixture)));
        const auto before = test::FileState::of(copy);
        EXPECT_GT(test::readEverything<AccessFile>(copy), 0);
        EXPECT_GT(test::readEverything<AccessFile>(accessFixture(fixture)), 0);
        EXPECT_EQ(test::FileState::of(copy), before) << fixture;
        EXPECT_EQ(test::FileState::of(accessFixture(fixture)), sample) << fixture;
    }
}

TEST(JetDate, CountsDaysFromTheEpochAndTheTimeForwards) {
    const double second = 1.0 / 86400;
    const std::pair<double, Parts> cases[] = {
        {36526.75, {2000, 1, 1, 18, 0, 0}},
        // Before the epoch the whole part counts back, the fraction still forwards from midnight.
        {-0.5, {1899, 12, 30, 12, 0, 0}},
        {-728.75, {1898, 1, 1, 18, 0, 0}},
        // To the nearest second, across midnight too.
        {2.0 + 3661.4 * second, {1900, 1, 1, 1, 1, 1}},
        {2.0 + 3661.6 * second, {1900, 1, 1, 1, 1, 2}},
        {36525.0 + 86399.7 * second, {2000, 1, 1, 0, 0, 0}},
        {-1.0 - 86399.7 * second, {1899, 12, 30, 0, 0, 0}},
        // The ends of Jet's range of years.
        {-657434.0, {100, 1, 1, 0, 0, 0}},
        {2958465.5, {9999, 12, 31, 12, 0, 0}},
    };
    for (const auto& [serial, parts] : cases)
        EXPECT_EQ(data::jet::fromSerialDate(serial), parts) << serial;
    for (const double outside : {-657435.0, 2958466.0, std::nan(""), 1e300})
        EXPECT_FALSE(data::jet::fromSerialDate(outside)) << outside;
}

// Sign byte, then the 128-bit magnitude as four little-endian words, most significant first.
std::array<unsigned char, NumericSize> numeric(bool negative, std::uint64_t high,
                                               std::uint64_t low) {
    std::array<unsigned char, NumericSize> bytes{};
    bytes[0] = negative ? 0x80 : 0x00;
    const std::uint32_t words[] = {
        static_cast<std::uint32_t>(high >> 32), static_cast<std::uint32_t>(high),
        static_cast<std::uint32_t>(low >> 32), static_cast<std::uint32_t>(low)};
    for (int w = 0; w < 4; ++w)
        for (int b = 0; b < 4; ++b)
            bytes[static_cast<std::size_t>(1 + 4 * w + b)] =
                static_cast<unsigned char>(words[w] >> (8 * b));
    return bytes;
}

TEST(JetNumeric, KeepsWholeNumbersExactAndScalesTheRest) {
    EXPECT_EQ(jetNumeric(numeric(false, 0, 123456789012345678).data(), 0),
              NumericValue(std::int64_t{123456789012345678}));
    EXPECT_EQ(jetNumeric(numeric(true, 0, 1ull << 63).data(), 0),
              NumericValue(std::numeric_limits<std::int64_t>::min()));
    EXPECT_EQ(jetNumeric(numeric(false, 0, 12345).data(), 2), NumericValue(123.45));
    EXPECT_EQ(jetNumeric(numeric(true, 0, 5).data(), 4), NumericValue(-0.0005));
    // 2^64 needs the high word; it no longer fits an exact integer.
    EXPECT_EQ(jetNumeric(numeric(false, 1, 0).data(), 0), NumericValue(18446744073709551616.0));
    EXPECT_EQ(jetNumeric(numeric(false, 0, 1ull << 63).data(), 0),
              NumericValue(9223372036854775808.0));
}

QString utf16(std::initializer_list<unsigned char> bytes) {
    const std::vector<unsigned char> stored(bytes);
    return decodeUtf16Text(stored.data(), stored.size());
}

TEST(Utf16Text, ReadsPlainAndCompressedForms) {
    EXPECT_EQ(utf16({'H', 0, 0xE9, 0, 0xA9, 0x03}), QStringLiteral("Hé\u03A9"));
    // Compressed: one-byte characters, a zero switching to full units and back.
    EXPECT_EQ(utf16({0xFF, 0xFE, 'a', 0xE4, 0, 0xA9, 0x03, 0xAC, 0x20, 0, 'z'}),
              QStringLiteral("a\u00E4\u03A9\u20ACz"));
    EXPECT_EQ(utf16({0xFF, 0xFE}), QString());
    EXPECT_EQ(utf16({0xFF, 0xFE, 'x', 0, 0x41}), QStringLiteral("x")); // a dangling half unit
}

} // namespace
