#include "tree/DateGrouping.h"

#include <QDateTime>
#include <gtest/gtest.h>

using namespace tree;

namespace {

const QString Jet = "Microsoft.Jet.OLEDB.4.0";
const QString Oracle = "MSDAORA.1";
const QString Odbc = "MSDASQL.1";

struct Masks {
    QString keyword, jet, oracle, odbc;
};

// Every granularity's mask in each dialect, as the databases are to receive them.
const Masks Table[] = {
    {"Second", R"(yyyy\/mm\/dd hh:nn:ss)", "'YYYY/MM/DD HH24:MI:SS'", R"('yyyy\/mm\/dd hh:nn:ss')"},
    {"Minute", R"(yyyy\/mm\/dd hh:nn)", "'YYYY/MM/DD HH24:MI'", R"('yyyy\/mm\/dd hh:nn')"},
    {"Hour", R"(yyyy\/mm\/dd hh)", "'YYYY/MM/DD HH24'", R"('yyyy\/mm\/dd hh')"},
    {"Day", R"(yyyy\/y)", "'YYYY/DDD'", R"('yyyy\/y')"},
    {"Week", R"(yyyy\/ww)", "'YYYY/WW'", R"('yyyy\/ww')"},
    {"Month", R"(yyyy\/mm)", "'YYYY/MM'", R"('yyyy\/mm')"},
};

} // namespace

TEST(DateGrouping, EachGranularityFormatsWithItsMaskAndFiltersWithTheSameExpression) {
    for (const Masks& m : Table) {
        const QString jet = "Format(D, \"" + m.jet + "\")";
        const QString oracle = "to_char(D, " + m.oracle + ")";
        const QString odbc = "Format(D, " + m.odbc + ")";
        EXPECT_EQ(TreeBuildDate("D", m.keyword, Jet), jet);
        EXPECT_EQ(TreeBuildDate("D", m.keyword, Oracle), oracle);
        EXPECT_EQ(TreeBuildDate("D", m.keyword, Odbc), odbc);
        EXPECT_EQ(MakeFilterDate("D", "2001/03", m.keyword, Jet), jet + " = '2001/03'");
        EXPECT_EQ(MakeFilterDate("D", "2001/03", m.keyword, Oracle), oracle + " = '2001/03'");
        EXPECT_EQ(MakeFilterDate("D", "2001/03", m.keyword, Odbc), odbc + " = '2001/03'");
    }
    EXPECT_EQ(MakeFilterDate("[OrderDate]", "2001/03", "Month", Jet),
              R"(Format([OrderDate], "yyyy\/mm") = '2001/03')");
}

TEST(DateGrouping, QuarterAndYearHaveTheirOwnForms) {
    EXPECT_EQ(TreeBuildDate("[D]", "Quarter", Jet), R"(Format([D], "yyyy\/\Qq"))");
    EXPECT_EQ(TreeBuildDate("[D]", "Quarter", Odbc), R"(Format([D], 'yyyy\/\Qq'))");
    EXPECT_EQ(TreeBuildDate("D", "Quarter", Oracle),
              "to_char(D, 'YYYY/') || 'Q' || to_char(D, 'Q')");
    EXPECT_EQ(MakeFilterDate("D", "2001/Q3", "Quarter", Oracle),
              "to_char(D, 'YYYY/') || 'Q' || to_char(D, 'Q') = '2001/Q3'");
    EXPECT_EQ(TreeBuildDate("[D]", "Year", Jet), R"(Format([D], "YYYY"))");
    EXPECT_EQ(TreeBuildDate("D", "Year", Oracle), "to_char(D, 'YYYY')");
    EXPECT_EQ(TreeBuildDate("[D]", "Year", Odbc), "Format$([D], 'YYYY')");
    EXPECT_EQ(MakeFilterDate("[D]", "2001", "Year", Odbc), "Format$([D], 'YYYY') = '2001'");
}

TEST(DateGrouping, NoneGroupsByTheDateAndFiltersWithAnExactLiteral) {
    EXPECT_EQ(TreeBuildDate("[D]", "None", Jet), "[D]");
    EXPECT_EQ(TreeBuildDate("D", "None", Oracle), "D");
    const QVariant when = QDateTime(QDate(1925, 2, 3), QTime(14, 5, 9));
    EXPECT_EQ(MakeFilterDate("[D]", when, "None", Jet), "[D] = CDate('1925-02-03 14:05:09')");
    EXPECT_EQ(MakeFilterDate("[D]", when, "None", Odbc), "[D] = CDate('1925-02-03 14:05:09')");
    EXPECT_EQ(MakeFilterDate("D", when, "None", Oracle),
              "D = to_date('1925-02-03 14:05:09', 'YYYY-MM-DD HH24:MI:SS')");
    EXPECT_EQ(MakeFilterDate("D", when.toDateTime().addMSecs(250), "None", Oracle),
              "D = to_timestamp('1925-02-03 14:05:09.250', 'YYYY-MM-DD HH24:MI:SS.FF3')");
    EXPECT_EQ(MakeFilterDate("[D]", QDate(2031, 12, 31), "None", Jet),
              "[D] = CDate('2031-12-31 00:00:00')");
}

TEST(DateGrouping, QuotesAreDoubledAndUnknownKeywordsOrProvidersGiveNothing) {
    EXPECT_EQ(MakeFilterDate("[D]", "20'01", "Year", Jet), R"(Format([D], "YYYY") = '20''01')");
    for (const char* keyword : {"", "year", "Decade"}) {
        EXPECT_EQ(TreeBuildDate("[D]", keyword, Jet), "");
        EXPECT_EQ(MakeFilterDate("[D]", "2001", keyword, Jet), "");
    }
    for (const char* provider : {"", "SQLOLEDB", "msdaora.1"}) {
        EXPECT_EQ(TreeBuildDate("[D]", "Year", provider), "");
        EXPECT_EQ(TreeBuildDate("[D]", "None", provider), "");
        EXPECT_EQ(MakeFilterDate("[D]", "2001", "Year", provider), "");
    }
    EXPECT_EQ(DateGroupKeywords.size(), 9);
}
