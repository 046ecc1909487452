// What a date mask of Format tells the engine. The span of dates a comparison with its text
// stands for: every date the mask writes as the text must lie in it, or the condition would lose
// rows (the tree's own masks are checked through whole trees grouped by every date group).
#include "data/jet/vb/DateMask.h"

#include "data/jet/CalendarDate.h"
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
