// The span of dates a date level's node stands for: every date the mask writes as the node's
// text must lie in it, or the node's condition would lose rows.
#include "data/jet/CalendarDate.h"
#include "data/jet/vb/DateMask.h"
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

} // namespace

TEST(DateMaskSpan, HoldsEveryDateThatShowsAsTheText) {
    const vb::RegionalSettings regional(QLocale(QLocale::English, QLocale::UnitedStates));
    // The tree's masks, and others whose numbers do not all lead to a span.
    const QStringList masks = {R"(yyyy\/mm\/dd hh:nn:ss)",
                               R"(yyyy\/mm\/dd hh:nn)",
                               R"(yyyy\/mm\/dd hh)",
                               R"(yyyy\/y)",
                               R"(yyyy\/ww)",
                               R"(yyyy\/mm)",
                               R"(yyyy\/\Qq)",
                               "YYYY",
                               "mm/dd/yyyy",
                               "yyyy-mm-dd hh AM/PM",
                               "dd.mm.yyyy",
                               "yyyy mmmm"};
    const std::vector<DateTimeParts> dates = {{2001, 3, 4, 5, 6, 7},      {2000, 2, 29, 23, 59, 59},
                                              {2004, 12, 31, 23, 59, 59}, {2005, 1, 1, 0, 0, 0},
                                              {2024, 9, 30, 12, 0, 0},    {100, 1, 1, 0, 0, 0},
                                              {9999, 12, 31, 23, 59, 59}, {1999, 7, 1, 0, 0, 0}};
    for (const QString& text : masks) {
        const DateMask mask(text);
        for (const DateTimeParts& date : dates) {
            const QString shown = QString::fromUtf8(mask.apply(date, regional));
            const auto span = mask.span(shown.toLower());
            if (!span)
                continue;
            EXPECT_LE(textOf(span->from), textOf(date))
                << text.toStdString() << " " << textOf(date);
            if (span->until) {
                EXPECT_LT(textOf(date), textOf(*span->until))
                    << text.toStdString() << " " << textOf(date);
            }
        }
    }
}

TEST(DateMaskSpan, IsTheUnitTheTextNames) {
    const auto span = [](const char* mask, const char* text) {
        const auto s = DateMask(QString::fromUtf8(mask)).span(QString::fromUtf8(text));
        return s ? textOf(s->from) + " to " + (s->until ? textOf(*s->until) : "end")
                 : std::string("none");
    };
    EXPECT_EQ(span(R"(yyyy\/mm)", "2001/12"), "2001-12-01 00:00:00 to 2002-01-01 00:00:00");
    EXPECT_EQ(span(R"(yyyy\/\Qq)", "2001/q3"), "2001-07-01 00:00:00 to 2001-10-01 00:00:00");
    EXPECT_EQ(span(R"(yyyy\/y)", "2000/60"), "2000-02-29 00:00:00 to 2000-03-01 00:00:00");
    EXPECT_EQ(span(R"(yyyy\/mm\/dd hh:nn:ss)", "2004/12/31 23:59:59"),
              "2004-12-31 23:59:59 to 2005-01-01 00:00:00");
    EXPECT_EQ(span(R"(yyyy\/ww)", "2001/14"), "2001-01-01 00:00:00 to 2002-01-01 00:00:00");
    EXPECT_EQ(span("YYYY", "9999"), "9999-01-01 00:00:00 to end");
    EXPECT_EQ(span("yyyy-mm-dd hh AM/PM", "2001-03-04 05 PM"),
              "2001-03-04 00:00:00 to 2001-03-05 00:00:00");
    // Texts no date shows, and masks that do not write the year first with a stop after it.
    EXPECT_EQ(span(R"(yyyy\/mm)", "2001/13"), "none");
    EXPECT_EQ(span(R"(yyyy\/mm)", "North"), "none");
    EXPECT_EQ(span("yyyymm", "200103"), "none");
    EXPECT_EQ(span("mmm yyyy", "Mar 2001"), "none");
}
