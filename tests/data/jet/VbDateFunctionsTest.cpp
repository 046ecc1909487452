#include "data/jet/JetTestSupport.h"

#include <gtest/gtest.h>

using namespace data::jet::testing;

namespace {

QueryRunner runnerIn(const char* locale) {
    return QueryRunner(std::make_shared<MemoryTableSource>(), QLocale(QString::fromLatin1(locale)));
}

QString cdate(QueryRunner& runner, const char* text) {
    return runner.eval(QByteArray("vb_cdate('") + text + "')").toString();
}

} // namespace

TEST(VbCDate, ReadsEngineTextAndSerialNumbers) {
    QueryRunner runner;
    EXPECT_EQ(cdate(runner, "2001-03-04"), "2001-03-04 00:00:00");
    EXPECT_EQ(cdate(runner, "2001-03-04 10:05:09"), "2001-03-04 10:05:09");
    EXPECT_EQ(runner.eval("vb_cdate(36954.25)").toString(), "2001-03-04 06:00:00");
    EXPECT_EQ(cdate(runner, "10:05"), "1899-12-30 10:05:00");
    EXPECT_EQ(runner.eval("vb_cdbl(vb_cdate('2001-03-04 18:00:00'))").toDouble(), 36954.75);
    EXPECT_TRUE(runner.eval("vb_cdate(NULL)").isNull());
}

TEST(VbCDate, RefusesWhatIsNoDate) {
    QueryRunner runner;
    EXPECT_EQ(runner.errorOf("SELECT vb_cdate('abc')"), "Type mismatch");
    EXPECT_EQ(runner.errorOf("SELECT vb_cdate('2001-02-30')"), "Type mismatch");
    EXPECT_EQ(runner.errorOf("SELECT vb_cdate('')"), "Type mismatch");
    EXPECT_EQ(runner.errorOf("SELECT vb_cdate(1e9)"), "Overflow");
    EXPECT_EQ(runner.errorOf("SELECT vb_year('someday')"), "Type mismatch");
}

TEST(VbCDate, ReadsGermanRegionalFormats) {
    DefaultLocale german("de_DE");
    QueryRunner runner(std::make_shared<MemoryTableSource>(), QLocale());
    EXPECT_EQ(cdate(runner, "04.03.2001"), "2001-03-04 00:00:00");
    EXPECT_EQ(cdate(runner, "4.3.2001"), "2001-03-04 00:00:00");
    EXPECT_EQ(cdate(runner, "4.3.01"), "2001-03-04 00:00:00");
    EXPECT_EQ(cdate(runner, "4.3.45"), "1945-03-04 00:00:00");
    EXPECT_EQ(cdate(runner, "04.03.2001 10:05"), "2001-03-04 10:05:00");
    EXPECT_EQ(cdate(runner, " 04.03.2001   10:05:09 "), "2001-03-04 10:05:09");
    EXPECT_EQ(cdate(runner, "4. März 2001"), "2001-03-04 00:00:00");
    EXPECT_EQ(cdate(runner, "Sonntag, 4. März 2001 22:05"), "2001-03-04 22:05:00");
    EXPECT_EQ(runner.errorOf("SELECT vb_cdate('3/4/2001')"), "Type mismatch");
}

TEST(VbCDate, ReadsUsRegionalFormats) {
    QueryRunner runner = runnerIn("en_US");
    EXPECT_EQ(cdate(runner, "3/4/2001"), "2001-03-04 00:00:00");
    EXPECT_EQ(cdate(runner, "03/04/01"), "2001-03-04 00:00:00");
    EXPECT_EQ(cdate(runner, "3/4/2001 10:05 PM"), "2001-03-04 22:05:00");
    EXPECT_EQ(cdate(runner, "3/4/2001 12:05:09 AM"), "2001-03-04 00:05:09");
    EXPECT_EQ(cdate(runner, "3/4/2001 17:30"), "2001-03-04 17:30:00");
    EXPECT_EQ(cdate(runner, "March 4, 2001"), "2001-03-04 00:00:00");
    EXPECT_EQ(cdate(runner, "Sunday, March 4, 2001"), "2001-03-04 00:00:00");
}

// What Format writes in the region's way, CDate reads back.
TEST(VbCDate, RoundTripsThroughRegionalText) {
    for (const char* locale : {"de_DE", "en_US", "fr_FR"}) {
        QueryRunner runner = runnerIn(locale);
        for (const char* stored :
             {"2001-03-04 10:05:09", "1999-12-31 23:59:59", "2004-02-29 00:00:00"}) {
            const QByteArray sql =
                QByteArray("vb_cdate(vb_format('") + stored + "', 'ddddd ttttt'))";
            EXPECT_EQ(runner.eval(sql).toString(), stored) << locale << " " << stored;
        }
    }
}

TEST(VbDateParts, TakeTheFieldsOfAnyDateValue) {
    QueryRunner runner;
    const char* stored = "'2004-02-29 23:58:57'";
    const std::pair<const char*, int> parts[] = {{"vb_year", 2004}, {"vb_month", 2},
                                                 {"vb_day", 29},    {"vb_hour", 23},
                                                 {"vb_minute", 58}, {"vb_second", 57}};
    for (const auto& [function, expected] : parts)
        EXPECT_EQ(runner.eval(QByteArray(function) + "(" + stored + ")").toInt(), expected)
            << function;
    EXPECT_EQ(runner.eval("vb_year(36954)").toInt(), 2001);
    EXPECT_EQ(runner.eval("vb_month('March 4, 2001')").toInt(), 3);
    EXPECT_TRUE(runner.eval("vb_day(NULL)").isNull());
}
