// Linked tables, made by turning Table1's row of MSysObjects in a copy of a Jet 4 sample into a
// link: listed as "LINK", read from the linked file where it is found, and refused with a clear
// message when the file is missing, when the link is to an ODBC data source, or when links go
// round.
#include "AccessFixtures.h"
#include "RecordingSink.h"
#include "data/access/AccessFile.h"
#include "data/access/Jet4Edit.h"
#include "data/access/TextDecoder.h"
#include "support/FileCopies.h"

#include <QtEndian>
#include <mdbtools.h>

using namespace test::access;
using data::access::AccessFile;

namespace {

constexpr int AccessLink = 6, OdbcLink = 4;

// testV2000.mdb with its Table1 made a link of `type` to `foreignName` in `database`.
QByteArray linkedCopy(int type, const QString& database, const QString& foreignName) {
    const QString sample = accessFixture("testV2000.mdb");
    const StoredTable objects = storedTable(sample, "MSysObjects");
    const StoredColumn& name = objects.columns.at("Name");
    const StoredColumn& file = objects.columns.at("Database");
    const StoredColumn& foreign = objects.columns.at("ForeignName");
    QByteArray copy = test::contentsOf(sample);
    rewriteRows(copy, objects, [&](RowParts& row) {
        const QByteArray& stored = row.values.at(name.varIndex);
        const auto* bytes = reinterpret_cast<const unsigned char*>(stored.constData());
        if (data::access::decodeUtf16Text(bytes, std::size_t(stored.size())) != "Table1")
            return;
        qToLittleEndian(std::int16_t(type),
                        row.fixed.data() + 2 + objects.columns.at("Type").fixedOffset);
        row.values.at(file.varIndex) =
            file.type == MDB_MEMO ? inlineMemo(utf16(database)) : utf16(database);
        row.values.at(foreign.varIndex) = utf16(foreignName);
        row.setPresent(file);
        row.setPresent(foreign);
    });
    return copy;
}

class AccessLinks : public WithAccessFixtures {
protected:
    QTemporaryDir front, elsewhere;
};

TEST_F(AccessLinks, AreReadFromTheLinkedFileAtItsPathOrBesideTheDatabaseOrEndInAMessage) {
    AccessFile nwind(accessFixture("nwind.mdb"));
    const LoadedTable customers = loadTable(nwind, "Customers");
    const QByteArray northwind = test::contentsOf(accessFixture("nwind.mdb"));
    const QString stored = test::writeFile(elsewhere, "back.mdb", northwind);
    test::writeFile(front, "beside.mdb", northwind);
    test::writeFile(front, "middle.mdb",
                    linkedCopy(AccessLink, "C:\\Data\\beside.mdb", "Customers"));
    const test::FileState before = test::FileState::of(stored);
    // At the stored path; beside the database under a path of another machine; through a link
    // in another file, stored relative to the database.
    for (const QString& database :
         {stored, QString("C:\\Data\\beside.mdb"), QString("middle.mdb")}) {
        SCOPED_TRACE(database.toStdString());
        const QString foreign = database == "middle.mdb" ? "Table1" : "Customers";
        AccessFile file(
            test::writeFile(front, "front.mdb", linkedCopy(AccessLink, database, foreign)));
        const auto entries = file.tableEntries();
        EXPECT_EQ(std::count_if(entries.begin(), entries.end(),
                                [](const auto& e) { return e.name + e.type == "Table1LINK"; }),
                  1);
        const LoadedTable linked = loadTable(file, "TABLE1");
        EXPECT_EQ(linked.definition.name, "Table1");
        EXPECT_EQ(linked.names(), customers.names());
        EXPECT_EQ(linked.rows, customers.rows);
    }
    EXPECT_EQ(test::FileState::of(stored), before);

    // Links that cannot be followed end in a message.
    test::writeFile(front, "self.mdb", linkedCopy(AccessLink, "self.mdb", "Table1"));
    const struct {
        int type;
        QString database, foreign, message;
    } cases[] = {
        {AccessLink, "C:\\Data\\gone.mdb", "Customers",
         "The table 'Table1' is linked to the database 'C:\\Data\\gone.mdb', which cannot be "
         "found, and there is no '" +
             front.filePath("gone.mdb") + "' either."},
        {OdbcLink, "", "dbo.Orders",
         "The table 'Table1' is a link to an ODBC data source, which is not followed. Connect to "
         "that data source itself to explore it."},
        {AccessLink, "self.mdb", "Table1",
         "The table 'Table1' is a link that leads back to itself or through too many other "
         "links."},
        {AccessLink, "self.mdb", "Nowhere",
         "The table 'Table1' is linked to the table 'Nowhere' of the database '" +
             front.filePath("self.mdb") + "', which holds no such table."},
    };
    for (const auto& [type, database, foreign, message] : cases) {
        AccessFile file(test::writeFile(front, "front.mdb", linkedCopy(type, database, foreign)));
        EXPECT_EQ(test::failureOf([&] { file.describe("Table1"); }), message);
        RecordingSink sink;
        EXPECT_EQ(test::failureOf([&] { file.load("Table1", sink); }), message);
        EXPECT_TRUE(file.describe("Table2").has_value()) << "the file's own tables still read";
    }
}

} // namespace
