#include "data/ConnectionString.h"

#include "QtPrinters.h"
#include "data/Dialect.h"
#include "support/DataFailure.h"

#include <gtest/gtest.h>

using namespace data;

// Keys ignore case, unquoted blanks are dropped and quoted values keep theirs; what the connect
// commands write reads back as given, and broken texts fail.
TEST(ConnectionStringText, KeysIgnoreCaseQuotedValuesKeepTheirBlanksAndQuotingRoundTrips) {
    const auto cs =
        ConnectionString::parse("Provider=Microsoft.Jet.OLEDB.4.0;Data Source= /home/me/nwind.mdb");
    EXPECT_EQ(cs.value("provider"), "Microsoft.Jet.OLEDB.4.0");
    EXPECT_EQ(cs.value("DATA SOURCE"), "/home/me/nwind.mdb");
    EXPECT_FALSE(cs.contains("User ID"));

    const auto spaced = ConnectionString::parse(" Driver = My Driver ;; DBQ=/a b/c.xls ; ");
    ASSERT_EQ(spaced.pairs().size(), 2u);
    EXPECT_EQ(spaced.value("driver"), "My Driver");
    EXPECT_EQ(spaced.value("dbq"), "/a b/c.xls");
    // Later pairs replace earlier ones.
    EXPECT_EQ(ConnectionString::parse("a=1;A=2").pairs().size(), 1u);
    EXPECT_EQ(ConnectionString::parse("a=1;A=2").value("a"), "2");

    // Quoted values keep semicolons, quotes and blanks.
    const auto quoted = ConnectionString::parse(
        "Provider=MSDAORA.1;Data Source ='sales';User ID=scott;Password=\"ti;ger\"\"x\"");
    EXPECT_EQ(quoted.value("Data Source"), "sales");
    EXPECT_EQ(quoted.value("Password"), "ti;ger\"x");
    EXPECT_EQ(ConnectionString::parse("A='it''s'").value("a"), "it's");
    EXPECT_EQ(ConnectionString::parse("A==B=1").value("a=b"), "1");

    // What the connect commands write reads back as given, whatever the characters.
    for (const QString value : {"plain", "", "semi;colon", "it's", "say \"hi\"", "both ' and \"",
                                " lead", "trail ", "x'; Provider=evil"}) {
        const auto oracle = ConnectionString::parse(oracleConnectionString(value, value, value));
        EXPECT_EQ(oracle.value("Provider"), "MSDAORA.1") << value.toStdString();
        EXPECT_EQ(QStringList({oracle.value("Data Source"), oracle.value("User ID"),
                               oracle.value("Password")}),
                  QStringList({value, value, value}));
        const auto excel = ConnectionString::parse(excelConnectionString(value, value));
        EXPECT_EQ(QStringList({excel.value("Driver"), excel.value("DBQ")}),
                  QStringList({value, value}));
    }
    EXPECT_EQ(ConnectionString::quoteValue("plain"), "plain");
    for (const char* text : {"A='unclosed", "JustAWord", "=value", "A='x' trailing"})
        EXPECT_FALSE(test::failureOf([&] { ConnectionString::parse(text); }).isEmpty()) << text;
}
