// The engine's VB functions, which Jet SQL calls translate to, called from SQLite's SQL; and the
// dates a Format mask's text stands for.
#include "data/jet/JetTestSupport.h"
#include "data/jet/vb/DateMask.h"
#include "data/jet/vb/RegionalSettings.h"
#include "tree/LocaleScope.h"

#include <gtest/gtest.h>

using namespace data::jet;
using namespace data::jet::testing;
using data::jet::vb::DateMask;

namespace {

QueryRunner runnerIn(const char* locale) {
    return QueryRunner(std::make_shared<MemoryTableSource>(), QLocale(QString::fromLatin1(locale)));
}

// Each SQL expression's value as text; none is null.
void expectTexts(QueryRunner& runner,
                 std::initializer_list<std::pair<const char*, const char*>> cases) {
    for (const auto& [sql, expected] : cases) {
        const QVariant value = runner.eval(sql);
        EXPECT_FALSE(value.isNull()) << sql;
        EXPECT_EQ(value.toString(), QString::fromUtf8(expected)) << sql;
    }
}

struct FormatCase {
    const char* value; // an SQL expression
    const char* mask;
    const char* expected;
};

void expectFormats(std::initializer_list<FormatCase> cases, const char* locale = "en_US") {
    QueryRunner runner = runnerIn(locale);
    for (const FormatCase& c : cases) {
        const QByteArray sql = QByteArray("vb_format(") + c.value + ", '" + c.mask + "')";
        EXPECT_EQ(runner.eval(sql).toString(), QString::fromUtf8(c.expected)) << sql.constData();
    }
}

std::string textOf(const DateTimeParts& d) {
    const EngineDateText text = engineDateText(d);
    return std::string(text.data(), text.size());
}

// The span as "from to until", "from to end", or "none".
std::string span(const char* mask, const QString& text) {
    const auto s = DateMask(QString::fromUtf8(mask)).span(text);
    return s ? textOf(s->from) + " to " + (s->until ? textOf(*s->until) : "end") : "none";
}

} // namespace

// Halves go to the even neighbour; results beyond the type's range are an Overflow.
TEST(VbConversions, RoundingOverflowAndNumbersAsVbWritesAndReadsThem) {
    QueryRunner runner;
    expectTexts(runner, {
                            {"vb_cint(2.5)", "2"},
                            {"vb_cint(3.5)", "4"},
                            {"vb_cint(-2.5)", "-2"},
                            {"vb_cint(32767.4)", "32767"},
                            {"vb_cint(-32768.5)", "-32768"},
                            {"vb_cint(' 12 ')", "12"},
                            {"vb_clng(2147483646.5)", "2147483646"},
                            {"vb_clng(-2147483648)", "-2147483648"},
                            // A date counts as its serial number: noon rounds to the even day.
                            {"vb_clng('2001-03-04 12:00:00')", "36954"},
                            {"vb_ccur(1.23456)", "1.2346"},
                            {"vb_ccur('-7.00004')", "-7"},
                            {"vb_cdbl('2.5e3')", "2500"},
                            {"vb_cdbl('2001-03-04')", "36954"},
                            {"vb_cbool(0) || vb_cbool(0.1) || vb_cbool('True') || "
                             "vb_cbool(' false ') || vb_cbool('3')",
                             "0-1-10-1"},
                        });
    for (const char* sql : {"SELECT vb_cint(32767.5)", "SELECT vb_clng(2147483647.5)",
                            "SELECT vb_clng(1e300)", "SELECT vb_ccur(1e15)"})
        EXPECT_EQ(runner.errorOf(sql), "Overflow") << sql;
    for (const char* sql : {"SELECT vb_cint('abc')", "SELECT vb_cdbl('')", "SELECT vb_clng(x'00')",
                            "SELECT vb_cbool('maybe')"})
        EXPECT_EQ(runner.errorOf(sql), "Type mismatch") << sql;
    EXPECT_TRUE(runner.eval("vb_cint(NULL)").isNull());

    // Up to 15 significant digits, exponents only for the very large and the very small; in a
    // German region "," is the decimal point and "." groups digits, unless it cannot.
    expectTexts(runner, {
                            {"vb_cstr(0.1 + 0.2)", "0.3"},
                            {"vb_cstr(1.0 / 3)", "0.333333333333333"},
                            {"vb_cstr(123456789012345.0)", "123456789012345"},
                            {"vb_cstr(1e15)", "1E+15"},
                            {"vb_cstr(0.0001)", "0.0001"},
                            {"vb_cstr(0.00001)", "1E-05"},
                            {"vb_cstr(-0.0)", "0"},
                            {"vb_cstr(9223372036854775807)", "9223372036854775807"},
                            {"vb_cstr('2001-03-04 10:05:09')", "2001-03-04 10:05:09"},
                            {"vb_concat('x', 1.5)", "x1.5"},
                            {"vb_concat('a', NULL)", "a"},
                            {"vb_concat(NULL, NULL)", ""},
                            {"vb_nz(NULL)", ""},
                            {"vb_nz(NULL, 0)", "0"},
                            {"vb_nz('a', 'b')", "a"},
                        });
    EXPECT_TRUE(runner.eval("vb_nz(NULL, NULL)").isNull());
    QueryRunner german = runnerIn("de_DE");
    expectTexts(german, {{"vb_cstr(1.5)", "1,5"},
                         {"vb_concat(1.5, 'x')", "1,5x"},
                         {"vb_cdbl('1,5')", "1.5"},
                         {"vb_cdbl('1.500')", "1500"},
                         {"vb_cdbl('-2.5')", "-2.5"},
                         {"vb_cint('2,5')", "2"}});
}

// Weeks start on Sunday and week 1 holds January 1. (The masks of the tree's date groups are
// checked where the tree labels its nodes with them.) Letters, quoting, and "m" as minutes; and
// the placeholders of numbers.
TEST(VbFormat, DateBoundariesLettersQuotingMinutesAndNumberPlaceholders) {
    expectFormats({
        // 2005 begins on a Saturday: the Sunday after is week 2.
        {"'2005-01-01'", R"(yyyy\/ww)", "2005/1"},
        {"'2005-01-02'", R"(yyyy\/ww)", "2005/2"},
        {"'2005-12-31'", R"(yyyy\/ww)", "2005/53"},
        // 2000 is a leap year begun on a Saturday: its last day is week 54.
        {"'2000-12-31'", R"(yyyy\/ww)", "2000/54"},
        {"'2000-12-31'", R"(yyyy\/y)", "2000/366"},
        {"'2004-03-01'", R"(yyyy\/y)", "2004/61"},
        {"'2001-04-01'", R"(yyyy\/\Qq)", "2001/Q2"},
        {"'2001-12-31 23:59:59'", R"(yyyy\/\Qq)", "2001/Q4"},
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
        // Numbers are serial dates; other text stays as it is.
        {"36954.5", "yyyy-mm-dd hh:nn", "2001-03-04 12:00"},
        {"0", "yyyy-mm-dd", "1899-12-30"},
        {"'3/4/2001'", "yyyy-mm-dd", "2001-03-04"},
        {"'not a date'", "yyyy", "not a date"},
    });
    EXPECT_TRUE(QueryRunner().eval("vb_format(NULL, 'yyyy')").isNull());

    expectFormats({
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
    expectFormats(
        {{"'2001-03-04'", "d. mmmm yyyy", "4. März 2001"}, {"1234.5", "#,##0.00", "1.234,50"}},
        "de_DE");
}

TEST(VbCDate, ReadsEngineTextSerialNumbersAndRegionalFormats) {
    QueryRunner us = runnerIn("en_US");
    expectTexts(us, {{"vb_cdate('2001-03-04 10:05:09')", "2001-03-04 10:05:09"},
                     {"vb_cdate('10:05')", "1899-12-30 10:05:00"},
                     {"vb_cdate('3/4/2001')", "2001-03-04 00:00:00"},
                     {"vb_cdate('3/4/2001 10:05 PM')", "2001-03-04 22:05:00"},
                     {"vb_cdate('3/4/2001 12:05:09 AM')", "2001-03-04 00:05:09"},
                     {"vb_cdate('3/4/2001 17:30')", "2001-03-04 17:30:00"},
                     {"vb_cdate('Sunday, March 4, 2001')", "2001-03-04 00:00:00"},
                     {"vb_cdate(36954.25)", "2001-03-04 06:00:00"},
                     {"vb_cdbl(vb_cdate('2001-03-04 18:00:00'))", "36954.75"}});
    EXPECT_TRUE(us.eval("vb_cdate(NULL)").isNull());

    // Without a locale given, the program's own one applies.
    const test::LocaleScope german(test::Germany);
    QueryRunner de(std::make_shared<MemoryTableSource>(), QLocale());
    expectTexts(de, {{"vb_cdate('4.3.2001')", "2001-03-04 00:00:00"},
                     {"vb_cdate('4.3.45')", "1945-03-04 00:00:00"},
                     {"vb_cdate(' 04.03.2001   10:05:09 ')", "2001-03-04 10:05:09"},
                     {"vb_cdate('Sonntag, 4. März 2001 22:05')", "2001-03-04 22:05:00"}});
    EXPECT_EQ(de.errorOf("SELECT vb_cdate('3/4/2001')"), "Type mismatch");

    QueryRunner runner;
    for (const char* sql : {"SELECT vb_cdate('abc')", "SELECT vb_cdate('2001-02-30')",
                            "SELECT vb_cdate('')", "SELECT vb_year('someday')"})
        EXPECT_EQ(runner.errorOf(sql), "Type mismatch") << sql;
    EXPECT_EQ(runner.errorOf("SELECT vb_cdate(1e9)"), "Overflow");

    // What Format writes in the region's way, CDate reads back.
    for (const char* locale : {"de_DE", "en_US", "fr_FR"}) {
        QueryRunner regional = runnerIn(locale);
        for (const char* stored :
             {"2001-03-04 10:05:09", "1999-12-31 23:59:59", "2004-02-29 00:00:00"}) {
            const QByteArray sql =
                QByteArray("vb_cdate(vb_format('") + stored + "', 'ddddd ttttt'))";
            EXPECT_EQ(regional.eval(sql).toString(), stored) << locale << " " << stored;
        }
    }
}

TEST(VbDateParts, DatePartsAndPiecesOfText) {
    QueryRunner runner;
    expectTexts(runner, {{"vb_year(x) || '-' || vb_month(x) || '-' || vb_day(x) || ' ' || "
                          "vb_hour(x) || ':' || vb_minute(x) || ':' || vb_second(x) FROM "
                          "(SELECT '2004-02-29 23:58:57' AS x)",
                          "2004-2-29 23:58:57"},
                         {"vb_year(36954)", "2001"},
                         {"vb_month('March 4, 2001')", "3"}});
    EXPECT_TRUE(runner.eval("vb_day(NULL)").isNull());

    // Pieces of text.
    expectTexts(runner, {
                            {"vb_left('Hello', 2)", "He"},
                            {"vb_left('Hi', 5)", "Hi"},
                            {"vb_right('Hello', 3)", "llo"},
                            {"vb_mid('Hello', 2, 3)", "ell"},
                            {"vb_mid('Hello', 2)", "ello"},
                            {"vb_mid('Hello', 9)", ""},
                            {"vb_mid('Umsätze', 4, 2)", "ät"},
                            {"vb_left(12345, 2)", "12"},
                            {"vb_ucase('ärger')", "ÄRGER"},
                            {"vb_lcase('NORTH Ä')", "north ä"},
                            {"vb_trim('  a b  ') || vb_trim(char(9) || 'a ')", "a b\ta"},
                            {"vb_chr(65) || vb_chr(128) || vb_chr(228)", "A€ä"},
                            {"vb_len('Umsätze') || vb_len(1.5)", "73"},
                        });
    for (const char* sql : {"SELECT vb_left('a', -1)", "SELECT vb_mid('abc', 0)",
                            "SELECT vb_mid('abc', 1, -2)", "SELECT vb_chr(256)"})
        EXPECT_EQ(runner.errorOf(sql), "Invalid procedure call or argument") << sql;
    for (const char* sql : {"vb_len(NULL)", "vb_left(NULL, 2)", "vb_left('a', NULL)",
                            "vb_mid('abc', 1, NULL)", "vb_ucase(NULL)", "vb_trim(NULL)"})
        EXPECT_TRUE(runner.eval(sql).isNull()) << sql;
}

TEST(VbLike, JetPatternsWithoutRegardToCase) {
    QueryRunner runner;
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"North", "n*", true}, {"abc", "a?c", true},
        {"ac", "a?c", false},  {"a1c", "a#c", true},
        {"abc", "a#c", false}, {"B", "[a-c]", true},
        {"d", "[!a-c]", true}, {"aXb", "a[xy]b", true},
        {"*x", "[*]x", true},  {"ax", "[*]x", false},
        {"a-", "a[-]", true},  {"ärger", "[Ä]RGER", true},
        {"", "*", true},       {"mississippi", "*iss*ipp?", true},
        {"abc", "ab", false},  {"100%", "#*[%]", true},
    };
    for (const auto& [text, pattern, expected] : cases) {
        const QByteArray sql = QByteArray("vb_like('") + text + "', '" + pattern + "')";
        EXPECT_EQ(runner.eval(sql).toInt(), expected ? -1 : 0) << sql.constData();
    }
    EXPECT_EQ(runner.errorOf("SELECT vb_like('x', 'a[bc')"), "Invalid pattern string");
    EXPECT_TRUE(runner.eval("vb_like(NULL, 'a')").isNull());
}

// What a date mask of Format tells the engine. The span of dates a comparison with its text
// stands for: every date the mask writes as the text must lie in it, or the condition would lose
// rows (the tree's own masks are checked through whole trees grouped by every date group).
TEST(DateMaskSpan, IsTheUnitTheTextNamesAndHoldsEveryDateThatShowsAsTheText) {
    const vb::RegionalSettings regional(QLocale(QLocale::English, QLocale::UnitedStates));
    // Masks whose numbers do not all lead to a span, at the ends of the years dates can hold.
    for (const char* text : {R"(yyyy\/mm\/dd hh:nn:ss)", R"(yyyy\/y)", "mm/dd/yyyy",
                             "yyyy-mm-dd hh AM/PM", "dd.mm.yyyy", "yyyy mmmm"}) {
        for (const DateTimeParts& date :
             {DateTimeParts{2004, 12, 31, 23, 59, 59}, DateTimeParts{2024, 9, 30, 12, 0, 0},
              DateTimeParts{100, 1, 1, 0, 0, 0}, DateTimeParts{9999, 12, 31, 23, 59, 59}}) {
            const DateMask mask(QString::fromUtf8(text));
            const auto s = mask.span(QString::fromUtf8(mask.apply(date, regional)).toLower());
            if (!s)
                continue;
            EXPECT_LE(textOf(s->from), textOf(date)) << text << " " << textOf(date);
            if (s->until) {
                EXPECT_LT(textOf(date), textOf(*s->until)) << text << " " << textOf(date);
            }
        }
    }
    // The span is the unit the text names.
    EXPECT_EQ(span(R"(yyyy\/y)", "2000/60"), "2000-02-29 00:00:00 to 2000-03-01 00:00:00");
    EXPECT_EQ(span(R"(yyyy\/ww)", "2001/14"), "2001-01-01 00:00:00 to 2002-01-01 00:00:00");
    EXPECT_EQ(span("YYYY", "9999"), "9999-01-01 00:00:00 to end");
    EXPECT_EQ(span("yyyy-mm-dd hh AM/PM", "2001-03-04 05 PM"),
              "2001-03-04 00:00:00 to 2001-03-05 00:00:00");
    // Texts no date shows, and masks that do not write the year first with a stop after it.
    EXPECT_EQ(span(R"(yyyy\/mm)", "2001/13"), "none");
    EXPECT_EQ(span("yyyymm", "200103"), "none");
    EXPECT_EQ(span("mmm yyyy", "Mar 2001"), "none");
}
