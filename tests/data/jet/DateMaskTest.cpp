// What a date mask of Format tells the engine. The span of dates a comparison with its text
// stands for: every date the mask writes as the text must lie in it, or the condition would lose
// rows (the tree's own masks are checked through whole trees grouped by every date group). And
// grouping by text that only holds numbers (and letters the case-insensitive collation would not
// reorder) runs without the collation, so that the grouping index serves it, with the same groups.
#include "data/jet/vb/DateMask.h"

#include "data/TextCollation.h"
#include "data/jet/CalendarDate.h"
#include "data/jet/JetTestSupport.h"
#include "data/jet/Translate.h"
#include "data/jet/vb/RegionalSettings.h"

#include <QLocale>
#include <gtest/gtest.h>

using namespace data::jet;
using data::jet::vb::DateMask;

namespace {

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

TEST(JetDateGrouping, MasksOfNumbersGroupWithoutTheCollation) {
    Engine engine(data::jet::testing::ordersAndT());
    const auto groupBy = [&](const QString& expression) {
        const QString sql =
            QString::fromUtf8(translate("SELECT " + expression +
                                            " AS CNAME, COUNT(1) AS CCNT FROM [Orders] WHERE "
                                            "[OrderDate] IS NOT NULL  GROUP BY " +
                                            expression,
                                        engine)
                                  .sqliteSql);
        return sql.mid(sql.indexOf("GROUP BY "));
    };
    EXPECT_EQ(groupBy(R"(Format([OrderDate], "yyyy\/\Qq"))"),
              R"(GROUP BY vb_format("OrderDate", 'yyyy\/\Qq'))");
    // Names, regional formats, letters of both cases, text columns: the collation stays.
    for (const char* expression :
         {R"(Format([OrderDate], "yyyy mmm"))", R"(Format([OrderDate], "Short Date"))",
          R"(Format([OrderDate], 'yyyy "aB"'))", R"(Format([OrderDate], 'yyyy_\Q'))",
          R"(Format([Customer], "yyyy"))", R"(Format([OrderDate]))"})
        EXPECT_TRUE(groupBy(expression).endsWith(" COLLATE JETTEXT")) << expression;

    // What a mask can write, and which alphabets sort the same without the collation.
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
}
