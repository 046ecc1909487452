// Connections and recordsets over the Access sample database through the Jet provider.
#include "data/AdoTypes.h"
#include "data/Connection.h"
#include "data/Dialect.h"
#include "data/Recordset.h"
#include "data/RowFilter.h"
#include "data/access/AccessFixtures.h"
#include "support/FileCopies.h"

using namespace data;
using test::failureOf;
using test::access::accessFixture;

namespace {

std::shared_ptr<Connection> openAccess(const QString& path) {
    auto c = std::make_shared<Connection>();
    c->CursorLocation = ado::adUseClient;
    c->Open(accessConnectionString(path), "", "", -1);
    return c;
}

std::shared_ptr<Recordset> run(const std::shared_ptr<Connection>& c, const QString& sql,
                               int cursor = ado::adOpenForwardOnly) {
    auto rs = std::make_shared<Recordset>();
    rs->Open(sql, c, cursor, ado::adLockReadOnly, -1);
    return rs;
}

using AccessConnection = test::access::WithAccessFixtures;

// The fields of the rows the criteria below filter.
int field(const QString& name) {
    const QStringList names{"TABLE_TYPE", "TABLE_NAME", "ROWS"};
    return static_cast<int>(names.indexOf(name.toUpper()));
}
bool match(const QString& criteria, std::vector<QVariant> row) {
    return RowFilter::parse(criteria, field).matches(row);
}

} // namespace

// Recordsets move and sort as their cursor allows; bad statements fail with a description and
// leave the connection working and the file as it was.
TEST_F(AccessConnection, RecordsetsMoveAndSortAsTheirCursorAllowsAndBadStatementsFail) {
    const QString path = accessFixture("nwind.mdb");
    const auto before = test::FileState::of(path);
    auto c = openAccess(path);
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

    EXPECT_TRUE(failureOf([&] { run(c, "SELECT * FROM [NoSuchTable]"); }).contains("NoSuchTable"));
    EXPECT_FALSE(failureOf([&] { run(c, "DELETE FROM [Orders]"); }).isEmpty());
    // The connection goes on working after each failure.
    EXPECT_EQ(run(c, "SELECT Count(1) AS N FROM [Customers]")->Fields(0).Value().toInt(), 91);
    EXPECT_EQ(test::FileState::of(path), before);

    Connection unknown;
    EXPECT_TRUE(
        failureOf([&] { unknown.Open("Provider=Nope.1;Data Source=x"); }).contains("Nope.1"));
    EXPECT_FALSE(unknown.isOpen());
}

// The criteria the picker filters the table list by: text compares exactly, quotes inside the
// value written doubled.
TEST(RowFilterCriteria, MatchAsWrittenAndFailWhenBroken) {
    const std::vector<QVariant> row{"O'Brien's TABLE", "MSysObjects", 12};
    EXPECT_TRUE(match("TABLE_TYPE = 'O''Brien''s TABLE'", row));
    EXPECT_FALSE(match("TABLE_TYPE = 'o''brien''s table'", row));
    for (const char* criteria : {"TABLE_TYPE = 'open", "NOPE = 1", "TABLE_TYPE 'x'"})
        EXPECT_THROW(RowFilter::parse(criteria, field), data::Error) << criteria;
}
