#include "data/ConnectionString.h"
#include "data/Dialect.h"

#include <gtest/gtest.h>

using namespace data;

TEST(Dialect, ProviderNamesCompareExactly) {
    EXPECT_EQ(dialectOf("Microsoft.Jet.OLEDB.4.0"), Dialect::Jet);
    EXPECT_EQ(dialectOf("MSDASQL.1"), Dialect::OdbcBridge);
    EXPECT_EQ(dialectOf("MSDAORA.1"), Dialect::Oracle);
    EXPECT_EQ(dialectOf("msdaora.1"), Dialect::None);
    EXPECT_EQ(dialectOf(""), Dialect::None);
}

TEST(Dialect, OrdinaryValuesGiveTheConnectCommandsOwnText) {
    EXPECT_EQ(accessConnectionString("/data/nwind.mdb"),
              "Provider=Microsoft.Jet.OLEDB.4.0;Data Source= /data/nwind.mdb");
    EXPECT_EQ(excelConnectionString("Workbook Driver (*.xls)", "/data/book.xls"),
              "Provider=MSDASQL.1;Driver=Workbook Driver (*.xls);DBQ=/data/book.xls");
    EXPECT_EQ(oracleConnectionString("sales", "scott", "tiger"),
              "Provider=MSDAORA.1;Data Source ='sales';User ID=scott;Password=tiger");
    EXPECT_EQ(oracleConnectionString("", "", ""),
              "Provider=MSDAORA.1;Data Source ='';User ID=;Password=");
}

TEST(Dialect, AwkwardValuesArriveIntact) {
    const auto oracle = ConnectionString::parse(
        oracleConnectionString("O'Brien's db", "us;er", "pa\"ss;word'"));
    EXPECT_EQ(oracle.value("Data Source"), "O'Brien's db");
    EXPECT_EQ(oracle.value("User ID"), "us;er");
    EXPECT_EQ(oracle.value("Password"), "pa\"ss;word'");
    EXPECT_EQ(oracle.value("Provider"), "MSDAORA.1");

    const auto excel = ConnectionString::parse(excelConnectionString("A;B", "/x/it's;here.xls"));
    EXPECT_EQ(excel.value("Driver"), "A;B");
    EXPECT_EQ(excel.value("DBQ"), "/x/it's;here.xls");
    EXPECT_EQ(ConnectionString::parse(accessConnectionString("/a;b.mdb")).value("Data Source"),
              "/a;b.mdb");
}
