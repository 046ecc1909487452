// Connections, statements and values through psqlODBC against the test server, the way the
// Oracle login reaches a server.
#include "server/ServerConnection.h"

#include "data/AdoTypes.h"
#include "data/Connection.h"
#include "data/PagedRecordset.h"
#include "data/Recordset.h"
#include "data/WallClock.h"
#include "data/odbc/OdbcProvider.h"
#include "support/DataFailure.h"
#include "support/StoppingWatch.h"

#include <gtest/gtest.h>
#include <limits>

using namespace data;
using namespace test::server;
using test::failureOf;

namespace {

struct Expected {
    const char* field;
    int adoType;
    QVariant value;
};

} // namespace

TEST(ServerConnection, ReadsButRefusesEveryWriteAndFailuresCarryTheDriversDescription) {
    auto c = connectToServer();
    for (const char* write :
         {"CREATE TEMP TABLE scratch (a integer)", "INSERT INTO public.notes VALUES (3, 'third')",
          "UPDATE public.notes SET note = 'changed'", "DELETE FROM public.notes"}) {
        EXPECT_FALSE(failureOf([&] { query(c, write); }).isEmpty()) << write;
    }
    EXPECT_EQ(query(c, "SELECT COUNT(1) FROM public.notes")->Fields(0).Value(), 2);

    // The same statements go through when the ODBC connection may write.
    auto writer = odbc::openOdbcProvider(odbcConnectionString(), false);
    writer->execute("CREATE TEMP TABLE scratch (a integer)");
    writer->execute("INSERT INTO scratch VALUES (1)");
    const auto count = writer->execute("SELECT COUNT(1) FROM scratch");
    ASSERT_TRUE(count->next());
    EXPECT_EQ(count->value(0), 1);

    // Failures carry the driver's description.
    // The password holds ";", braces and a leading blank, which the connection string must
    // carry unchanged: without the blank it is wrong.
    const QString password = dataSource().password;
    ASSERT_TRUE(password.startsWith(' ') && password.contains(';') && password.contains('}'));
    EXPECT_TRUE(connectToServer(password)->isOpen());
    EXPECT_TRUE(failureOf([&] {
                    connectToServer(password.trimmed());
                }).contains("password authentication failed for user \"quarry\""));

    const QString unknown =
        failureOf([] { odbc::openOdbcProvider("DSN=no_such_source;UID=quarry;PWD=secret", true); });
    EXPECT_TRUE(unknown.contains("Data source name not found")) << unknown.toStdString();

    const QString badStatement = failureOf([&] { query(c, "SELECT * FROM sales.no_such_table"); });
    EXPECT_TRUE(badStatement.contains("sales.no_such_table")) << badStatement.toStdString();
}

// Each kind of column has its type code and value, texts and bytes come whole, and two results of
// one connection are read side by side.
TEST(ServerValues, EachKindHasItsTypeCodeAndValueTextsComeWholeAndResultsAreReadSideBySide) {
    const std::vector<Expected> expected = {
        {"small_value", ado::adSmallInt, -32768},
        {"int_value", ado::adInteger, std::numeric_limits<int>::min()},
        {"big_value", ado::adBigInt, std::numeric_limits<qlonglong>::min()},
        {"real_value", ado::adSingle, 1.5},
        {"double_value", ado::adDouble, -2.25},
        // More digits than a double holds: kept as the digits themselves.
        {"numeric_value", ado::adNumeric, QString("-12345678901234.5678")},
        {"whole_numeric", ado::adNumeric, QString("12345678901234567890")}, // beyond 64 bits
        {"char_value", ado::adWChar, QString("ab ")},
        {"varchar_value", ado::adVarWChar, QString("Grüße")},
        {"text_value", ado::adLongVarWChar, QString("x")},
        {"bool_value", ado::adBoolean, false},
        {"date_value", ado::adDBDate, QDate(1999, 12, 31)},
        {"time_value", ado::adDBTime, QTime(23, 59, 58)},
        {"timestamp_value", ado::adDBTimeStamp, wallClock({1999, 12, 31}, {23, 59, 58})},
        {"bytes_value", ado::adLongVarBinary, QByteArray("\x01")},
        {"uuid_value", ado::adGUID, QString("A0EEBC99-9C0B-4EF8-BB6D-6BB9BD380A11")},
    };
    auto rs = query(connectToServer(), "SELECT * FROM sales.kinds", ado::adOpenStatic);
    ASSERT_EQ(rs->fieldCount(), int(expected.size()));
    for (const Expected& e : expected) {
        const Field& f = rs->Fields(e.field);
        EXPECT_EQ(f.Type, e.adoType) << e.field;
        EXPECT_EQ(f.Value().typeId(), e.value.typeId()) << e.field;
        EXPECT_EQ(f.Value(), e.value) << e.field << ": " << f.Value().toString().toStdString();
    }
    rs->MoveNext();
    for (const Expected& e : expected)
        EXPECT_TRUE(rs->Fields(e.field).Value().isNull()) << e.field;
    rs->MoveNext();
    EXPECT_TRUE(rs->Eof());

    // A whole number that fits 64 bits comes as one; a fraction of a second is kept.
    auto rest = query(connectToServer(), "SELECT CAST(-42 AS numeric(10, 0)) AS whole, "
                                         "ordered FROM sales.orders WHERE order_id = 2");
    EXPECT_EQ(rest->Fields("whole").Value(), QVariant(qlonglong(-42)));
    EXPECT_EQ(rest->Fields("ordered").Value(), wallClock({2001, 3, 15}, {23, 59, 59, 250}));

    // Texts and bytes come whole.
    const std::pair<QVariant, QVariant> texts[] = {
        {QString("O'Brien; Sons"), QByteArray("\x00\xff\x10", 3)},
        {QString("Zoë Ærø 東京"), QByteArray()}, // empty, not null
        {QString(""), QVariant()},
        {QVariant(), QVariant()},
        // Values far longer than one read are put together piece by piece.
        {QString("long text 😀 ").repeated(1000) + "end",
         QByteArray::fromHex(QByteArray("0123456789abcdef").repeated(3000))},
    };
    rs = query(connectToServer(), "SELECT customer, receipt FROM sales.orders ORDER BY order_id");
    for (const auto& [customer, receipt] : texts) {
        ASSERT_FALSE(rs->Eof());
        for (const auto& [value, wanted] : {std::pair{rs->Fields(0).Value(), customer},
                                            std::pair{rs->Fields(1).Value(), receipt}}) {
            EXPECT_EQ(value.isNull(), wanted.isNull());
            EXPECT_EQ(value, wanted);
        }
        rs->MoveNext();
    }
    EXPECT_TRUE(rs->Eof());

    // Two results of one connection are read side by side.
    auto c = connectToServer();
    auto orders = query(c, "SELECT order_id FROM sales.orders ORDER BY order_id");
    auto notes = query(c, "SELECT note FROM public.notes ORDER BY id");
    QStringList seen;
    for (; !orders->Eof() || !notes->Eof();) {
        if (!orders->Eof()) {
            seen << orders->Fields(0).Value().toString();
            orders->MoveNext();
        }
        if (!notes->Eof()) {
            seen << notes->Fields(0).Value().toString();
            notes->MoveNext();
        }
    }
    EXPECT_EQ(seen, QStringList({"1", "first", "2", "second", "3", "4", "5"}));
}

// Rows by position from the server: counted by the server, and the same rows whether the driver
// fetches them by position or the rows before them are read and passed over.
TEST(ServerValues, RowsByPositionAreTheRowsOfAReadingFromTheStart) {
    const auto connection = connectToServer();
    const auto read = [&](bool byPosition) {
        odbc::scrollable = byPosition;
        PagedRecordset rows(connection, "SELECT n, n % 7 AS r FROM generate_series(1, 3000) AS n",
                            "n DESC");
        QStringList seen;
        for (qsizetype i = rows.count() - 1; i >= 0; i -= 97) {
            const auto* row = rows.row(i);
            seen << (row ? row->at(0).toString() + ":" + row->at(1).toString() : "missing");
        }
        return std::pair{rows.count(), seen};
    };
    const auto plain = read(false);
    const auto positioned = read(true);
    odbc::scrollable = true;
    EXPECT_EQ(plain.first, 3000);
    EXPECT_EQ(plain.second.first(), "1:1");
    EXPECT_EQ(positioned, plain);
}

// A statement the server is busy with, stopped by the operation running: cancelled through the
// driver, it ends in Cancelled long before the server would have answered, and the connection
// goes on; a watch that never stops sees a statement through.
TEST(ServerCancel, StopsAStatementTheServerIsBusyWithAndTheConnectionGoesOn) {
    auto c = connectToServer();
    {
        test::StoppingWatch watch(3);
        data::WatchScope watching(watch);
        // The server would sleep a day: a cancel that did not reach it hangs the test.
        EXPECT_THROW(query(c, "SELECT pg_sleep(86400)"), data::Cancelled);
    }
    test::StoppingWatch patient;
    data::WatchScope watching(patient);
    EXPECT_EQ(query(c, "SELECT COUNT(1) FROM public.notes")->Fields(0).Value(), 2);
}
