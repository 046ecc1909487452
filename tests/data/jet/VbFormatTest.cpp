#include "data/jet/JetTestSupport.h"

#include <gtest/gtest.h>

using namespace data::jet::testing;

namespace {

struct FormatCase {
    const char* value; // an SQL expression
    const char* mask;
    const char* expected;
};

void expectFormats(QueryRunner& runner, std::initializer_list<FormatCase> cases) {
    for (const FormatCase& c : cases) {
        const QByteArray sql = QByteArray("vb_format(") + c.value + ", '" + c.mask + "')";
        EXPECT_EQ(runner.eval(sql).toString(), QString::fromUtf8(c.expected)) << sql.constData();
    }
}

} // namespace

TEST(VbFormatDates, MasksOfTheDateGroupings) {
    QueryRunner runner;
    expectFormats(runner,
                  {
                      {"'2001-03-04 10:05:09'", R"(yyyy\/mm\/dd hh:nn:ss)", "2001/03/04 10:05:09"},
                      {"'2001-03-04 10:05:09'", R"(yyyy\/mm\/dd hh:nn)", "2001/03/04 10:05"},
                      {"'2001-03-04 10:05:09'", R"(yyyy\/mm\/dd hh)", "2001/03/04 10"},
                      {"'2001-03-04 10:05:09'", R"(yyyy\/y)", "2001/63"},
                      {"'2001-03-04 10:05:09'", R"(yyyy\/ww)", "2001/10"},
                      {"'2001-03-04 10:05:09'", "YYYY", "2001"},
                      {"'2001-03-04'", R"(yyyy\/mm\/dd hh:nn:ss)", "2001/03/04 00:00:00"},
                  });
}

// Weeks start on Sunday and week 1 holds January 1.
TEST(VbFormatDates, YearWeekAndQuarterBoundaries) {
    QueryRunner runner;
    expectFormats(runner, {
                              // 2005 begins on a Saturday: the Sunday after is week 2.
                              {"'2005-01-01'", R"(yyyy\/ww)", "2005/1"},
                              {"'2005-01-02'", R"(yyyy\/ww)", "2005/2"},
                              {"'2005-01-01'", R"(yyyy\/y)", "2005/1"},
                              {"'2005-12-31'", R"(yyyy\/ww)", "2005/53"},
                              {"'2005-12-31'", R"(yyyy\/y)", "2005/365"},
                              // 2000 is a leap year begun on a Saturday: its last day is week 54.
                              {"'2000-12-31'", R"(yyyy\/ww)", "2000/54"},
                              {"'2000-12-31'", R"(yyyy\/y)", "2000/366"},
                              {"'2001-12-31'", R"(yyyy\/ww)", "2001/53"},
                              {"'2002-01-01'", R"(yyyy\/ww)", "2002/1"},
                              {"'2004-02-29'", R"(yyyy\/y)", "2004/60"},
                              {"'2004-02-29'", R"(yyyy\/mm\/dd)", "2004/02/29"},
                              {"'2004-03-01'", R"(yyyy\/y)", "2004/61"},
                              {"'2001-03-31'", R"(yyyy\/\Qq)", "2001/Q1"},
                              {"'2001-04-01'", R"(yyyy\/\Qq)", "2001/Q2"},
                              {"'2001-09-30'", R"(yyyy\/\Qq)", "2001/Q3"},
                              {"'2001-12-31 23:59:59'", R"(yyyy\/\Qq)", "2001/Q4"},
                          });
}

TEST(VbFormatDates, LettersQuotingAndMinutes) {
    QueryRunner runner;
    expectFormats(runner, {
                              {"'2001-03-04 10:05:09'", "hh:mm", "10:05"},
                              {"'2001-03-04 10:05:09'", "mm:ss", "05:09"},
                              {"'2001-03-04 10:05:09'", "mm/dd hh:mm", "03/04 10:05"},
                              {"'2001-03-04 10:05:09'", "d/m/yy", "4/3/01"},
                              {"'2001-03-04 10:05:09'", "h:n:s", "10:5:9"},
                              {"'2001-03-04 10:05:09'", R"(\y\e\a\r yyyy)", "year 2001"},
                              {"'2001-03-04 10:05:09'", R"("Week" ww)", "Week 10"},
                              {"'2001-03-04 22:05:09'", "h:nn AM/PM", "10:05 PM"},
                              {"'2001-03-04 00:05:09'", "hh:nn am/pm", "12:05 am"},
                              {"'2001-03-04 13:05:09'", "h a/p", "1 p"},
                              {"'2001-03-04'", "dddd, mmmm d", "Sunday, March 4"},
                              {"'2001-03-04'", "ddd mmm", "Sun Mar"},
                              {"'2001-03-04'", "w", "1"},
                          });
    QueryRunner german(std::make_shared<MemoryTableSource>(), QLocale(QStringLiteral("de_DE")));
    expectFormats(german, {{"'2001-03-04'", "d. mmmm yyyy", "4. März 2001"}});
}

TEST(VbFormatDates, NumbersAreSerialDatesAndOtherTextStays) {
    QueryRunner runner;
    expectFormats(runner, {
                              {"36954.5", "yyyy-mm-dd hh:nn", "2001-03-04 12:00"},
                              {"0", "yyyy-mm-dd", "1899-12-30"},
                              {"'3/4/2001'", "yyyy-mm-dd", "2001-03-04"},
                              {"'not a date'", "yyyy", "not a date"},
                          });
    EXPECT_TRUE(runner.eval("vb_format(NULL, 'yyyy')").isNull());
}

TEST(VbFormatNumbers, Placeholders) {
    QueryRunner runner;
    expectFormats(runner, {
                              {"1234.5", "#,##0.00", "1,234.50"},
                              {"1234567", "#,##0", "1,234,567"},
                              {"0.5", "0%", "50%"},
                              {"0.5", "#.##", ".5"},
                              {"2.5", "0", "3"},
                              {"-2.5", "0", "-3"},
                              {"1.005", "0.00", "1.01"},
                              {"7", "000", "007"},
                              {"-5", "0;(0)", "(5)"},
                              {"0", R"(0;(0);\z\e\r\o)", "zero"},
                              {"'12.5'", "0.0", "12.5"},
                              {"1234.5", "Standard", "1,234.50"},
                              {"'abc'", "0.00", "abc"},
                          });
    QueryRunner german(std::make_shared<MemoryTableSource>(), QLocale(QStringLiteral("de_DE")));
    expectFormats(german, {{"1234.5", "#,##0.00", "1.234,50"}});
}
