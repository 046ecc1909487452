#include "tree/DateGrouping.h"

#include "data/Dialect.h"
#include "tree/SqlText.h"

#include <QDateTime>

namespace tree {

namespace {

using data::Dialect;

struct DateMasks {
    const char* keyword;
    const char* jet;
    const char* oracle;
    const char* odbc;
};

// One mask per granularity and dialect; the Oracle and ODBC masks carry their own quotes.
const DateMasks Masks[] = {
    {"Second", R"(yyyy\/mm\/dd hh:nn:ss)", "'YYYY/MM/DD HH24:MI:SS'", R"('yyyy\/mm\/dd hh:nn:ss')"},
    {"Minute", R"(yyyy\/mm\/dd hh:nn)", "'YYYY/MM/DD HH24:MI'", R"('yyyy\/mm\/dd hh:nn')"},
    {"Hour", R"(yyyy\/mm\/dd hh)", "'YYYY/MM/DD HH24'", R"('yyyy\/mm\/dd hh')"},
    {"Day", R"(yyyy\/y)", "'YYYY/DDD'", R"('yyyy\/y')"},
    {"Week", R"(yyyy\/ww)", "'YYYY/WW'", R"('yyyy\/ww')"},
    {"Month", R"(yyyy\/mm)", "'YYYY/MM'", R"('yyyy\/mm')"},
    {"Quarter", R"(yyyy\/\Qq)", "", R"('yyyy\/\Qq')"},
    {"Year", "YYYY", "'YYYY'", "'YYYY'"},
};

const DateMasks* masksOf(const QString& dateGroup) {
    for (const DateMasks& masks : Masks)
        if (dateGroup == QLatin1String(masks.keyword))
            return &masks;
    return nullptr;
}

// The grouping expression for a granularity other than "None".
QString formatted(const QString& column, const DateMasks& masks, Dialect dialect) {
    const QString dateGroup = QLatin1String(masks.keyword);
    switch (dialect) {
    case Dialect::Jet:
        return "Format(" + column + ", \"" + QLatin1String(masks.jet) + "\")";
    case Dialect::Oracle:
        if (dateGroup == "Quarter")
            return "to_char(" + column + ", 'YYYY/') || 'Q' || to_char(" + column + ", 'Q')";
        return "to_char(" + column + ", " + QLatin1String(masks.oracle) + ")";
    case Dialect::OdbcBridge:
        return (dateGroup == "Year" ? "Format$(" : "Format(") + column + ", " +
               QLatin1String(masks.odbc) + ")";
    case Dialect::None:
        break;
    }
    return QString();
}

// A date as a literal that the dialect reads back exactly, whatever the regional settings. A
// server's timestamp may hold fractions of a second, which a date literal cannot: such a value
// is written as a timestamp to the millisecond.
QString exactDate(const QVariant& value, Dialect dialect) {
    const QDateTime when = value.toDateTime();
    const QString text = when.isValid() ? when.toString("yyyy-MM-dd HH:mm:ss") : value.toString();
    if (dialect != Dialect::Oracle)
        return "CDate(" + quoted(text) + ")";
    if (when.isValid() && when.time().msec() != 0)
        return "to_timestamp(" + quoted(when.toString("yyyy-MM-dd HH:mm:ss.zzz")) +
               ", 'YYYY-MM-DD HH24:MI:SS.FF3')";
    return "to_date(" + quoted(text) + ", 'YYYY-MM-DD HH24:MI:SS')";
}

} // namespace

QString TreeBuildDate(const QString& column, const QString& dateGroup, Dialect dialect) {
    if (dialect == Dialect::None)
        return QString();
    if (dateGroup == "None")
        return column;
    const DateMasks* masks = masksOf(dateGroup);
    return masks ? formatted(column, *masks, dialect) : QString();
}

QString MakeFilterDate(const QString& column, const QVariant& value, const QString& dateGroup,
                       Dialect dialect) {
    if (dialect == Dialect::None)
        return QString();
    if (dateGroup == "None")
        return column + " = " + exactDate(value, dialect);
    const DateMasks* masks = masksOf(dateGroup);
    if (!masks)
        return QString();
    return formatted(column, *masks, dialect) + " = " + quoted(value.toString());
}

} // namespace tree
