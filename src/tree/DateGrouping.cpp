#include "tree/DateGrouping.h"

#include "data/Dialect.h"
#include "tree/SqlText.h"

#include <QDateTime>

namespace tree {

namespace {

using data::Dialect;

// Oracle's to_char mask for each granularity but None, in the order of data::DateGroup;
// Quarter is written in two pieces (see formatted).
const char* const OracleMasks[] = {"",
                                   "'YYYY/MM/DD HH24:MI:SS'",
                                   "'YYYY/MM/DD HH24:MI'",
                                   "'YYYY/MM/DD HH24'",
                                   "'YYYY/DDD'",
                                   "'YYYY/WW'",
                                   "'YYYY/MM'",
                                   "",
                                   "'YYYY'"};

// The grouping expression for a granularity other than None.
QString formatted(const QString& column, data::DateGroup dateGroup, Dialect dialect) {
    using data::DateGroup;
    const QString jetMask = data::jetDateMask(dateGroup);
    switch (dialect) {
    case Dialect::Jet:
        return "Format(" + column + ", \"" + jetMask + "\")";
    case Dialect::Oracle:
        if (dateGroup == DateGroup::Quarter)
            return "to_char(" + column + ", 'YYYY/') || 'Q' || to_char(" + column + ", 'Q')";
        return "to_char(" + column + ", " + QLatin1String(OracleMasks[int(dateGroup)]) + ")";
    case Dialect::OdbcBridge:
        return (dateGroup == DateGroup::Year ? "Format$(" : "Format(") + column + ", " +
               quoted(jetMask) + ")";
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

QString TreeBuildDate(const QString& column, data::DateGroup dateGroup, Dialect dialect) {
    if (dialect == Dialect::None)
        return QString();
    if (dateGroup == data::DateGroup::None)
        return column;
    return formatted(column, dateGroup, dialect);
}

QString MakeFilterDate(const QString& column, const QVariant& value, data::DateGroup dateGroup,
                       Dialect dialect) {
    if (dialect == Dialect::None)
        return QString();
    if (dateGroup == data::DateGroup::None)
        return column + " = " + exactDate(value, dialect);
    return formatted(column, dateGroup, dialect) + " = " + quoted(value.toString());
}

} // namespace tree
