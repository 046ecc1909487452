// Date groupings written with Format: grouping by text that only holds numbers (and letters the
// case-insensitive collation would not reorder) runs without the collation, with the same groups.
#include "data/AdoTypes.h"
#include "data/TextCollation.h"
#include "data/jet/JetProvider.h"
#include "data/jet/JetTestSupport.h"
#include "data/jet/Translate.h"
#include "data/jet/vb/DateMask.h"

#include <gtest/gtest.h>

using namespace data::jet;
using namespace data::jet::testing;
using namespace data::ado;

namespace {

QString grouping(const QString& expression, const QString& table = "[Orders]",
                 const QString& column = "[OrderDate]") {
    return "SELECT " + expression + " AS CNAME, COUNT(1) AS CCNT FROM " + table + " WHERE " +
           column + " IS NOT NULL  GROUP BY " + expression;
}

QString groupBySql(Engine& engine, const QString& expression) {
    const QString sql = QString::fromUtf8(translate(grouping(expression), engine).sqliteSql);
    return sql.mid(sql.indexOf("GROUP BY "));
}

} // namespace

TEST(JetDateGrouping, MasksOfNumbersGroupWithoutTheCollation) {
    JetProvider provider(ordersAndT(), {});
    Engine& engine = provider.engine();
    EXPECT_EQ(groupBySql(engine, R"(Format([OrderDate], "yyyy\/mm"))"),
              R"(GROUP BY vb_format("OrderDate", 'yyyy\/mm'))");
    EXPECT_EQ(groupBySql(engine, R"(Format$([OrderDate], "yyyy\/mm\/dd hh:nn:ss"))"),
              R"(GROUP BY vb_format("OrderDate", 'yyyy\/mm\/dd hh:nn:ss'))");
    EXPECT_EQ(groupBySql(engine, R"(Format([OrderDate], "yyyy\/\Qq"))"),
              R"(GROUP BY vb_format("OrderDate", 'yyyy\/\Qq'))");
    EXPECT_EQ(rowsOf(provider, grouping(R"(Format([OrderDate], "yyyy\/mm"))")),
              QList<QStringList>({{"2001/03", "2"}, {"2001/08", "1"}, {"2002/01", "1"}}));

    // Names, regional formats, letters of both cases, text columns: the collation stays.
    for (const char* expression :
         {R"(Format([OrderDate], "yyyy mmm"))", R"(Format([OrderDate], "Short Date"))",
          R"(Format([OrderDate], 'yyyy "aB"'))", R"(Format([OrderDate], 'yyyy_\Q'))",
          R"(Format([Customer], "yyyy"))", R"(Format([OrderDate]))"})
        EXPECT_TRUE(groupBySql(engine, expression).endsWith(" COLLATE JETTEXT")) << expression;

    const Translation ordered = translate(
        R"(SELECT [OrderID] FROM [Orders] ORDER BY Format([OrderDate], "yyyy\/mm") DESC)", engine);
    EXPECT_TRUE(ordered.sqliteSql.endsWith(R"(ORDER BY vb_format("OrderDate", 'yyyy\/mm') DESC)"));
}

TEST(JetDateGrouping, CountOfALiteralCountsRows) {
    JetProvider provider(ordersAndT(), {});
    EXPECT_EQ(translate("SELECT Count(1) AS N, Count('x'), Count(#2001-01-01#), Count(True), "
                        "Count([Region]), Count(Null) FROM [Orders]",
                        provider.engine())
                  .sqliteSql,
              "SELECT count(*) AS \"N\", count(*) AS \"Expr1000\", count(*) AS \"Expr1001\", "
              "count(*) AS \"Expr1002\", count(\"Region\") AS \"Expr1003\", count(NULL) AS "
              "\"Expr1004\" FROM \"Orders\" NOT INDEXED");
    EXPECT_EQ(rowsOf(provider, "SELECT Count(1), Count([Region]), Count(Null) FROM [Orders]"),
              QList<QStringList>({{"6", "4", "0"}}));
}

TEST(JetDateGrouping, WhatAMaskCanWrite) {
    EXPECT_EQ(vb::DateMask(uR"(yyyy\/mm)").alphabet(), QString("0123456789/"));
    EXPECT_EQ(vb::DateMask(uR"(yyyy\/\Qq)").alphabet(), QString("0123456789/Q"));
    EXPECT_EQ(vb::DateMask(u"h:nn AM/PM").alphabet(), QString("0123456789: AMPM"));
    EXPECT_EQ(vb::DateMask(u"yy ww y d").alphabet(), QString("0123456789   "));
    for (const char16_t* mask : {u"mmm", u"dddd", u"ddddd", u"ttttt", u"c", u"hh AMPM"})
        EXPECT_FALSE(vb::DateMask(mask).alphabet().has_value())
            << QStringView(mask).toString().toStdString();

    EXPECT_TRUE(data::collatesAsBinary(u"0123456789/: -"));
    EXPECT_TRUE(data::collatesAsBinary(u"Ab"));  // a < b as A < b
    EXPECT_FALSE(data::collatesAsBinary(u"aB")); // a < b but B < a
    EXPECT_FALSE(data::collatesAsBinary(u"Q_")); // q > _ but Q < _
    EXPECT_FALSE(data::collatesAsBinary(u"0é"));
    EXPECT_TRUE(data::collatesAsBinary(u""));
}

// Text that is no date never reaches a date column, so it forms no group of its own.
TEST(JetDateGrouping, EngineGroupsDatesByMonthAndQuarter) {
    auto source = std::make_shared<MemoryTableSource>();
    source->add({"Sales", {{"When", adDate, 0}}}, {{date(2001, 3, 4, 10, 5, 9)},
                                                   {date(2001, 3, 31)},
                                                   {date(2001, 4, 1)},
                                                   {QString("2001-12-24")},
                                                   {QString("n/a")},
                                                   {QString("3/4/2001")},
                                                   {nullptr}});
    JetProvider provider(source, {});
    EXPECT_EQ(rowsOf(provider, grouping(R"(Format([When], "yyyy\/mm"))", "[Sales]", "[When]")),
              QList<QStringList>({{"2001/03", "2"}, {"2001/04", "1"}, {"2001/12", "1"}}));
    EXPECT_EQ(
        rowsOf(provider, R"(SELECT Format([When], "yyyy\/\Qq") AS CNAME, COUNT(1) AS CCNT )"
                         R"(FROM [Sales] GROUP BY Format([When], "yyyy\/\Qq"))"),
        QList<QStringList>({{"NULL", "3"}, {"2001/Q1", "2"}, {"2001/Q2", "1"}, {"2001/Q4", "1"}}));

    // A node's condition compares the same text without the collation (so that an index on the
    // formatted dates serves it); text the mask could not write keeps comparing without regard
    // to case.
    const auto count = [&](const QString& condition) {
        return rowsOf(provider, "SELECT COUNT(1) FROM [Sales] WHERE " + condition).value(0);
    };
    EXPECT_EQ(count(R"(Format([When], "yyyy\/\Qq") = '2001/Q1')"), QStringList({"2"}));
    EXPECT_EQ(count(R"(Format([When], "yyyy\/\Qq") = '2001/q1')"), QStringList({"2"}));
    EXPECT_EQ(count(R"(Format([When], "yyyy\/\Qq") < '2001/q2')"), QStringList({"2"}));
    EXPECT_EQ(count(R"(Format([When], "yyyy\/mm") = '2001/03')"), QStringList({"2"}));
    const QString sql = QString::fromUtf8(
        translate(R"(SELECT 1 FROM [Sales] WHERE Format([When], "yyyy\/mm") = '2001/03')",
                  provider.engine())
            .sqliteSql);
    EXPECT_TRUE(sql.contains(R"((vb_format("When", 'yyyy\/mm') = '2001/03'))"))
        << sql.toStdString();
}
