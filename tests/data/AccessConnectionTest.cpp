#include "data/AdoTypes.h"
#include "data/Connection.h"
#include "data/Error.h"
#include "data/Recordset.h"
#include "data/access/AccessFixtures.h"
#include "support/DataFailure.h"

#include <QCryptographicHash>
#include <QFile>
#include <QTemporaryDir>

using namespace data;
using test::failureOf;
using test::access::accessFixture;

namespace {

std::shared_ptr<Connection> openAccess(const QString& path) {
    auto c = std::make_shared<Connection>();
    c->CursorLocation = ado::adUseClient;
    c->Open("Provider=Microsoft.Jet.OLEDB.4.0;Data Source= " + path, "", "", -1);
    return c;
}

std::shared_ptr<Recordset> run(const std::shared_ptr<Connection>& c, const QString& sql,
                               int cursor = ado::adOpenForwardOnly) {
    auto rs = std::make_shared<Recordset>();
    rs->Open(sql, c, cursor, ado::adLockReadOnly, -1);
    return rs;
}

QByteArray checksum(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

class AccessConnection : public test::access::WithAccessFixtures {};

} // namespace

TEST_F(AccessConnection, ListsTablesByTypeThenNameWithNullCatalogAndSchema) {
    auto c = openAccess(accessFixture("nwind.mdb"));
    auto rs = c->OpenSchema(ado::adSchemaTables);
    ASSERT_EQ(rs->fieldCount(), 4);
    EXPECT_EQ(rs->Fields(2).Name, "TABLE_NAME");
    QStringList seen;
    QString lastType;
    bool orders = false;
    for (; !rs->Eof(); rs->MoveNext()) {
        EXPECT_TRUE(rs->Fields("TABLE_CATALOG").Value().isNull());
        EXPECT_TRUE(rs->Fields("TABLE_SCHEMA").Value().isNull());
        const QString type = rs->Fields("TABLE_TYPE").Value().toString();
        const QString name = rs->Fields("TABLE_NAME").Value().toString();
        EXPECT_GE(type, lastType);
        if (type != lastType)
            seen.clear();
        if (!seen.isEmpty()) {
            EXPECT_LE(seen.last().compare(name, Qt::CaseInsensitive), 0);
        }
        seen << name;
        lastType = type;
        orders |= name == "Orders" && type == "TABLE";
    }
    EXPECT_TRUE(orders);
    EXPECT_EQ(c->schemaReads(), 1);

    // The picker narrows the rowset to one table type with a filter.
    rs->setFilter("TABLE_TYPE = 'SYSTEM TABLE'");
    ASSERT_FALSE(rs->Eof());
    for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext())
        EXPECT_TRUE(rs->Fields("TABLE_NAME").Value().toString().startsWith("MSys"));
}

TEST_F(AccessConnection, RunsTheDrillDownStatementsOnRealTables) {
    auto c = openAccess(accessFixture("nwind.mdb"));
    auto structure = run(c, "Select * From [Orders] Where 1 = 0", -1);
    EXPECT_TRUE(structure->Eof());
    ASSERT_GT(structure->fieldCount(), 10);
    EXPECT_EQ(structure->Fields("OrderDate").Type, ado::adDate);
    EXPECT_EQ(structure->Fields("Freight").Type, ado::adCurrency);

    auto root = run(c,
                    "SELECT Count(1) AS CNNULL , Min([Freight]) AS CMIN, Max([Freight]) AS "
                    "CMAX, Avg([Freight]) AS CAVG, Sum([Freight]) AS CSUM FROM [Orders]",
                    ado::adOpenStatic);
    EXPECT_EQ(root->Fields("CNNULL").Value().toLongLong(), 830);
    EXPECT_GT(root->Fields("CSUM").Value().toDouble(), root->Fields("CMAX").Value().toDouble());

    // A level: its groups add up to the root, the null group included.
    auto level = run(c, "SELECT [ShipCountry] AS CNAME, COUNT([ShipCountry]) AS CCNT FROM "
                        "[Orders] WHERE [ShipCountry] IS NOT NULL  GROUP BY [ShipCountry]");
    qlonglong total = 0;
    for (; !level->Eof(); level->MoveNext())
        total += level->Fields("CCNT").Value().toLongLong();
    auto nulls = run(c, "SELECT COUNT(1) AS CCNT FROM [Orders] WHERE [ShipCountry] IS NULL");
    EXPECT_EQ(total + nulls->Fields("CCNT").Value().toLongLong(), 830);

    // A value with an apostrophe, and a month level under a filter.
    auto bon = run(c, "SELECT [ShipName] FROM [Orders] WHERE [ShipName] = 'Bon app'''");
    ASSERT_FALSE(bon->Eof());
    EXPECT_EQ(bon->Fields(0).Value().toString(), "Bon app'");
    auto months = run(c, "SELECT Format([OrderDate], \"yyyy\\/mm\") AS CNAME, COUNT(1) AS CCNT "
                         "FROM [Orders] WHERE [OrderDate] IS NOT NULL  AND [ShipCountry] = "
                         "'GERMANY' GROUP BY Format([OrderDate], \"yyyy\\/mm\")");
    ASSERT_FALSE(months->Eof());
    EXPECT_EQ(months->Fields("CNAME").Type, ado::adVarWChar);
    EXPECT_TRUE(months->Fields("CNAME").Value().toString().contains('/'));
}

TEST_F(AccessConnection, RecordsetsMoveAndSortAsTheirCursorAllows) {
    auto c = openAccess(accessFixture("nwind.mdb"));
    auto forward = run(c, "SELECT [OrderID] FROM [Orders]");
    forward->MoveFirst(); // still on the first row: allowed
    forward->MoveNext();
    EXPECT_FALSE(failureOf([&] { forward->MoveFirst(); }).isEmpty());

    auto sorted = run(c, "SELECT [OrderID], [Freight] FROM [Orders]", ado::adOpenStatic);
    sorted->setSort("[Freight] DESC");
    const double first = sorted->Fields("Freight").Value().toDouble();
    sorted->MoveNext();
    EXPECT_GE(first, sorted->Fields("Freight").Value().toDouble());
    sorted->setSort(" "); // a blank sort leaves the rows as they are
    EXPECT_FALSE(sorted->Eof());

    auto empty = run(c, "SELECT [OrderID] FROM [Orders] WHERE 1 = 0", ado::adOpenStatic);
    EXPECT_TRUE(empty->Eof());
    EXPECT_FALSE(failureOf([&] { empty->MoveFirst(); }).isEmpty());
    EXPECT_FALSE(failureOf([&] { empty->Fields(0).Value(); }).isEmpty());
}

TEST_F(AccessConnection, BadFilesAndStatementsFailWithADescriptionAndLeaveTheFileAlone) {
    QTemporaryDir dir;
    const QString text = dir.filePath("notes.mdb");
    {
        QFile f(text);
        f.open(QIODevice::WriteOnly);
        f.write("Just some text, not a database.\n");
    }
    const QString truncated = dir.filePath("cut.mdb");
    QFile::copy(accessFixture("nwind.mdb"), truncated);
    QFile::resize(truncated, QFileInfo(truncated).size() / 3);

    for (const QString& path : {dir.filePath("missing.mdb"), text, truncated}) {
        const QString failure = failureOf([&] {
            auto c = openAccess(path);
            run(c, "SELECT Count(1) AS N FROM [Orders]");
        });
        EXPECT_FALSE(failure.isEmpty()) << path.toStdString();
    }

    const QString path = accessFixture("nwind.mdb");
    const QByteArray before = checksum(path);
    auto c = openAccess(path);
    EXPECT_TRUE(failureOf([&] { run(c, "SELECT * FROM [NoSuchTable]"); }).contains("NoSuchTable"));
    EXPECT_FALSE(failureOf([&] { run(c, "SELECT [Nope] FROM [Orders]"); }).isEmpty());
    EXPECT_FALSE(failureOf([&] { run(c, "SELECT FROM WHERE"); }).isEmpty());
    EXPECT_FALSE(failureOf([&] { run(c, "DELETE FROM [Orders]"); }).isEmpty());
    // The connection goes on working after each failure.
    EXPECT_EQ(run(c, "SELECT Count(1) AS N FROM [Customers]")->Fields(0).Value().toInt(), 91);
    EXPECT_EQ(checksum(path), before);
}

TEST(Providers, AnUnknownProviderIsNamedInTheFailure) {
    Connection c;
    const QString failure = failureOf([&] { c.Open("Provider=Nope.1;Data Source=x"); });
    EXPECT_TRUE(failure.contains("Nope.1"));
    EXPECT_FALSE(c.isOpen());
}
