// Values as grid cells and tree labels write them, in an English and a German region.
#include "data/ValueText.h"

#include "data/AdoTypes.h"
#include "data/RegionalFormats.h"
#include "tree/LocaleScope.h"

#include <QDateTime>
#include <gtest/gtest.h>

using namespace data;

namespace {

const QLocale English(QStringLiteral("en_US"));
const QLocale German(QStringLiteral("de_DE"));

struct Case {
    QVariant value;
    int type;
    const char* english;
    const char* german;
};

void expectTexts(std::initializer_list<Case> cases) {
    for (const Case& c : cases) {
        EXPECT_EQ(valueText(c.value, c.type, English), c.english) << c.english;
        EXPECT_EQ(valueText(c.value, c.type, German), c.german) << c.german;
    }
}

} // namespace

// Nulls, text, truth values and whole numbers ignore the region; other numbers take its decimal
// separator, without grouping, and otherwise as VB writes them (see VbFunctionsTest).
TEST(ValueText, NumbersAndDatesAsTheRegionWritesThem) {
    expectTexts({
        {QVariant(), ado::adDate, "", ""},
        {QString("3.5"), ado::adDouble, "3.5", "3.5"},
        {qlonglong(0), ado::adBoolean, "False", "False"},
        {qlonglong(-1234567), ado::adInteger, "-1234567", "-1234567"},
        {quint64(18446744073709551615u), ado::adUnsignedBigInt, "18446744073709551615",
         "18446744073709551615"},
        {-1234567.25, ado::adDouble, "-1234567.25", "-1234567,25"},
        {3.14159265, ado::adCurrency, "3.1416", "3,1416"},
        {double(0.15f), ado::adSingle, "0.15", "0,15"}, // not 0.150000005960464
        // Bytes show as a placeholder naming their size.
        {QByteArray(10746, '\xff'), ado::adLongVarBinary, "<Binary: 10,746 bytes>",
         "<Binary: 10.746 bytes>"},
        {QByteArray(1, 'a'), ado::adVarWChar, "<Binary: 1 byte>", "<Binary: 1 byte>"},
    });
    // Numbers are told by their type or by their value; booleans and dates are none.
    EXPECT_TRUE(showsAsNumber(QString("12.50"), ado::adNumeric));
    EXPECT_TRUE(showsAsNumber(2.5, ado::adEmpty));
    EXPECT_FALSE(showsAsNumber(qlonglong(-1), ado::adBoolean));
    EXPECT_FALSE(showsAsNumber(QDate(2001, 3, 4), ado::adDate));

    // Dates have four-digit years, and the time unless it is midnight.
    const QDate day(1994, 8, 4);
    const QTime afternoon(14, 5, 9);
    expectTexts({
        {QDateTime(day, QTime(0, 0)), ado::adDate, "8/4/1994", "04.08.1994"},
        {day, ado::adDBDate, "8/4/1994", "04.08.1994"},
        {QDateTime(day, afternoon), ado::adDate, "8/4/1994 2:05:09 PM", "04.08.1994 14:05:09"},
        {afternoon, ado::adDBTime, "2:05:09 PM", "14:05:09"},
        // Access keeps a time alone on day zero.
        {QDateTime(QDate(1899, 12, 30), afternoon), ado::adDate, "2:05:09 PM", "14:05:09"},
    });

    // Without a locale given, the program's own one applies.
    const test::LocaleScope german(test::Germany);
    EXPECT_EQ(valueText(QDateTime(day, afternoon), ado::adDate), "04.08.1994 14:05:09");
    EXPECT_EQ(valueText(-0.5, ado::adDouble), "-0,5");

    // The region's formats, read once into their parts, write what QLocale::toString writes with
    // them, in every region Qt knows.
    const QDate days[] = {{1994, 8, 4}, {2024, 12, 31}, {105, 1, 9}};
    const QTime times[] = {{0, 0, 1}, {9, 5, 7}, {12, 30, 0}, {23, 59, 59}};
    for (const QLocale& region : QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript,
                                                          QLocale::AnyTerritory)) {
        const QString dateFormat = withFourDigitYear(region.dateFormat(QLocale::ShortFormat));
        const QString timeFormat = withoutTimeZone(region.timeFormat(QLocale::LongFormat));
        for (const QDate day : days)
            for (const QTime time : times)
                ASSERT_EQ(valueText(QDateTime(day, time, Qt::UTC), ado::adDate, region),
                          region.toString(day, dateFormat) + u' ' +
                              region.toString(time, timeFormat))
                    << region.name().toStdString();
    }
}
