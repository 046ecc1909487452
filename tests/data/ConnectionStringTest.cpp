#include "data/ConnectionString.h"

#include "data/Dialect.h"
#include "support/DataFailure.h"

#include <gtest/gtest.h>

using namespace data;

TEST(ConnectionStringText, KeysIgnoreCaseAndBlanksAroundKeysAndValuesAreDropped) {
    const auto cs =
        ConnectionString::parse("Provider=Microsoft.Jet.OLEDB.4.0;Data Source= /home/me/nwind.mdb");
    EXPECT_EQ(cs.value("provider"), "Microsoft.Jet.OLEDB.4.0");
    EXPECT_EQ(cs.value("DATA SOURCE"), "/home/me/nwind.mdb");
    EXPECT_FALSE(cs.contains("User ID"));
    EXPECT_EQ(cs.value("User ID"), "");

    const auto spaced = ConnectionString::parse(" Driver = My Driver ;; DBQ=/a b/c.xls ; ");
    ASSERT_EQ(spaced.pairs().size(), 2u);
    EXPECT_EQ(spaced.value("driver"), "My Driver");
    EXPECT_EQ(spaced.value("dbq"), "/a b/c.xls");
}

TEST(ConnectionStringText, QuotedValuesKeepSemicolonsQuotesAndBlanks) {
    const auto cs = ConnectionString::parse(
        "Provider=MSDAORA.1;Data Source ='sales';User ID=scott;Password=\"ti;ger\"\"x\"");
    EXPECT_EQ(cs.value("Data Source"), "sales");
    EXPECT_EQ(cs.value("Password"), "ti;ger\"x");
    EXPECT_EQ(ConnectionString::parse("A='it''s'").value("a"), "it's");
    EXPECT_EQ(ConnectionString::parse("A=' padded '").value("a"), " padded ");
    EXPECT_EQ(ConnectionString::parse("A==B=1").value("a=b"), "1");
}

TEST(ConnectionStringText, LaterPairsReplaceEarlierOnes) {
    const auto cs = ConnectionString::parse("a=1;A=2");
    ASSERT_EQ(cs.pairs().size(), 1u);
    EXPECT_EQ(cs.value("a"), "2");
}

TEST(ConnectionStringText, QuotingRoundTripsAwkwardValues) {
    for (const QString value : {"plain", "", "semi;colon", "it's", "say \"hi\"", "both ' and \"",
                                " lead", "trail ", "x'; Provider=evil"}) {
        const QString text = "Provider=P;Password=" + ConnectionString::quoteValue(value) + ";X=1";
        const auto cs = ConnectionString::parse(text);
        EXPECT_EQ(cs.value("Password"), value) << text.toStdString();
        EXPECT_EQ(cs.value("Provider"), "P");
        EXPECT_EQ(cs.value("X"), "1");
    }
    EXPECT_EQ(ConnectionString::quoteValue("plain"), "plain");
}

TEST(ConnectionStringText, BrokenTextsFailWithADescription) {
    for (const char* text : {"A='unclosed", "JustAWord", "=value", "A='x' trailing"}) {
        EXPECT_FALSE(test::failureOf([&] { ConnectionString::parse(text); }).isEmpty()) << text;
    }
}

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
}

TEST(Dialect, AwkwardValuesArriveIntact) {
    const auto oracle =
        ConnectionString::parse(oracleConnectionString("O'Brien's db", "us;er", "pa\"ss;word'"));
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
