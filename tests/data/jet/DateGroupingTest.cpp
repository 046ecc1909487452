// Date groupings written with Format: grouping by text that only holds numbers (and letters the
// case-insensitive collation would not reorder) runs without the collation, with the same groups.
#include "data/AdoTypes.h"
#include "data/jet/JetTestDatabase.h"
#include "data/jet/JetTestSupport.h"
#include "data/jet/JetTextCollation.h"
#include "data/jet/Translate.h"
#include "data/jet/vb/DateMask.h"

#include <gtest/gtest.h>

using namespace data::jet;
using namespace data::jet::testing;
using namespace data::ado;

namespace {

QString grouping(const QString& expression) {
    return "SELECT " + expression + " AS CNAME, COUNT(1) AS CCNT FROM [Orders] WHERE [OrderDate] " +
           "IS NOT NULL  GROUP BY " + expression;
}

QString groupBySql(JetTestDatabase& db, const QString& expression) {
    const QString sql = QString::fromUtf8(translate(grouping(expression), db).sqliteSql);
    return sql.mid(sql.indexOf("GROUP BY "));
}

// The rows of a translated statement run in the engine, each as its values joined by "|".
QStringList engineRows(QueryRunner& runner, const QString& jetSql) {
    const Translation translation = translate(jetSql, runner.engine());
    Statement statement = runner.engine().prepare(translation.sqliteSql);
    QStringList rows;
    while (statement.step()) {
        QStringList values;
        for (int i = 0; i < statement.columnCount(); ++i)
            values << statement.value(i).toString();
        rows << values.join(u'|');
    }
    return rows;
}

} // namespace

TEST(JetDateGrouping, MasksOfNumbersGroupWithoutTheCollation) {
    JetTestDatabase db;
    EXPECT_EQ(groupBySql(db, R"(Format([OrderDate], "yyyy\/mm"))"),
              R"(GROUP BY vb_format("OrderDate", 'yyyy\/mm'))");
    EXPECT_EQ(groupBySql(db, R"(Format$([OrderDate], "yyyy\/mm\/dd hh:nn:ss"))"),
              R"(GROUP BY vb_format("OrderDate", 'yyyy\/mm\/dd hh:nn:ss'))");
    EXPECT_EQ(groupBySql(db, R"(Format([OrderDate], "yyyy\/\Qq"))"),
              R"(GROUP BY vb_format("OrderDate", 'yyyy\/\Qq'))");
    EXPECT_EQ(db.rows(grouping(R"(Format([OrderDate], "yyyy\/mm"))")),
              QList<QStringList>({{"2001/03", "2"}, {"2001/08", "1"}, {"2002/01", "1"}}));

    // Names, regional formats, letters of both cases, text columns: the collation stays.
    for (const char* expression :
         {R"(Format([OrderDate], "yyyy mmm"))", R"(Format([OrderDate], "Short Date"))",
          R"(Format([OrderDate], 'yyyy "aB"'))", R"(Format([OrderDate], 'yyyy_\Q'))",
          R"(Format([Customer], "yyyy"))", R"(Format([OrderDate]))"})
        EXPECT_TRUE(groupBySql(db, expression).endsWith(" COLLATE JETTEXT")) << expression;

    const Translation ordered = translate(
        R"(SELECT [OrderID] FROM [Orders] ORDER BY Format([OrderDate], "yyyy\/mm") DESC)", db);
    EXPECT_TRUE(ordered.sqliteSql.endsWith(R"(ORDER BY vb_format("OrderDate", 'yyyy\/mm') DESC)"));
}

TEST(JetDateGrouping, CountOfALiteralCountsRows) {
    JetTestDatabase db;
    EXPECT_EQ(translate("SELECT Count(1) AS N, Count('x'), Count(#2001-01-01#), Count(True), "
                        "Count([Region]), Count(Null) FROM [Orders]",
                        db)
                  .sqliteSql,
              "SELECT count(*) AS \"N\", count(*) AS \"Expr1000\", count(*) AS \"Expr1001\", "
              "count(*) AS \"Expr1002\", count(\"Region\") AS \"Expr1003\", count(NULL) AS "
              "\"Expr1004\" FROM \"Orders\"");
    EXPECT_EQ(db.rows("SELECT Count(1), Count([Region]), Count(Null) FROM [Orders]"),
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

    EXPECT_TRUE(collatesAsBinary(u"0123456789/: -"));
    EXPECT_TRUE(collatesAsBinary(u"0123456789/Q"));
    EXPECT_TRUE(collatesAsBinary(u"Ab"));  // a < b as A < b
    EXPECT_FALSE(collatesAsBinary(u"aB")); // a < b but B < a
    EXPECT_FALSE(collatesAsBinary(u"Q_")); // q > _ but Q < _
    EXPECT_FALSE(collatesAsBinary(u"0é"));
    EXPECT_TRUE(collatesAsBinary(u""));
}

// In the engine itself, with its own Format and collation; text that is no date never reaches
// a date column.
TEST(JetDateGrouping, EngineGroupsDatesByMonthAndQuarter) {
    auto source = std::make_shared<MemoryTableSource>();
    source->add({"Sales", {{"When", adDate, 0}}}, {{date(2001, 3, 4, 10, 5, 9)},
                                                   {date(2001, 3, 31)},
                                                   {date(2001, 4, 1)},
                                                   {QString("2001-12-24")},
                                                   {QString("n/a")},
                                                   {QString("N/A")},
                                                   {nullptr}});
    QueryRunner runner(source);
    runner.engine().findTable("Sales");
    EXPECT_EQ(runner.column("SELECT count(\"When\") FROM Sales"), QVariantList{4});
    EXPECT_EQ(engineRows(runner, R"(SELECT Format([When], "yyyy\/mm") AS CNAME, COUNT(1) AS CCNT )"
                                 R"(FROM [Sales] WHERE [When] IS NOT NULL  GROUP BY )"
                                 R"(Format([When], "yyyy\/mm"))"),
              QStringList({"2001/03|2", "2001/04|1", "2001/12|1"}));
    EXPECT_EQ(engineRows(runner, R"(SELECT Format([When], "yyyy\/\Qq") AS CNAME, COUNT(1) AS )"
                                 R"(CCNT FROM [Sales] GROUP BY Format([When], "yyyy\/\Qq"))"),
              QStringList({"|3", "2001/Q1|2", "2001/Q2|1", "2001/Q4|1"}));
}
