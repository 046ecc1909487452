#include "server/ServerConnection.h"

#include "data/Connection.h"
#include "data/Recordset.h"
#include "data/odbc/OdbcProvider.h"
#include "support/DataFailure.h"

#include <gtest/gtest.h>

using namespace data;
using namespace test::server;
using test::failureOf;

namespace {

QVariant noteCount(const std::shared_ptr<Connection>& c) {
    return query(c, "SELECT COUNT(1) FROM public.notes")->Fields(0).Value();
}

} // namespace

TEST(ServerConnection, ReadOnlyConnectionReadsButRefusesEveryWrite) {
    auto c = connectToServer();
    for (const char* write :
         {"CREATE TEMP TABLE scratch (a integer)", "INSERT INTO public.notes VALUES (3, 'third')",
          "UPDATE public.notes SET note = 'changed'", "DELETE FROM public.notes"}) {
        EXPECT_FALSE(failureOf([&] { query(c, write); }).isEmpty()) << write;
    }
    EXPECT_EQ(noteCount(c), 2);

    // The same statements go through when the ODBC connection may write.
    auto writer = odbc::openOdbcProvider(odbcConnectionString(), false);
    writer->execute("CREATE TEMP TABLE scratch (a integer)");
    writer->execute("INSERT INTO scratch VALUES (1)");
    const auto count = writer->execute("SELECT COUNT(1) FROM scratch");
    ASSERT_TRUE(count->next());
    EXPECT_EQ(count->value(0), 1);
}

TEST(ServerConnection, FailuresCarryTheDriversDescription) {
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

    auto c = connectToServer();
    const QString badStatement = failureOf([&] { query(c, "SELECT * FROM sales.no_such_table"); });
    EXPECT_TRUE(badStatement.contains("sales.no_such_table")) << badStatement.toStdString();
}

TEST(ServerConnection, TablesOfEverySchemaByTypeThenSchemaThenName) {
    auto rs = connectToServer()->OpenSchema(ado::adSchemaTables);
    ASSERT_EQ(rs->fieldCount(), 4);
    QStringList listed;
    for (; !rs->Eof(); rs->MoveNext()) {
        QStringList row;
        for (const char* field : {"TABLE_CATALOG", "TABLE_SCHEMA", "TABLE_NAME", "TABLE_TYPE"})
            row << rs->Fields(field).Value().toString();
        listed << row.join('|');
    }
    EXPECT_EQ(listed, QStringList({"quarry|public|notes|TABLE", "quarry|sales|kinds|TABLE",
                                   "quarry|sales|orders|TABLE", "quarry|sales|east_orders|VIEW",
                                   "quarry|sales|readings|VIEW"}));
}
