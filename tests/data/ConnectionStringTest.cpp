#include "data/ConnectionString.h"

#include "data/Error.h"

#include <gtest/gtest.h>

using data::ConnectionString;

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
        try {
            ConnectionString::parse(text);
            ADD_FAILURE() << text;
        } catch (const data::Error& e) {
            EXPECT_FALSE(e.description().isEmpty());
        }
    }
}
