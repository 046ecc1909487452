#include "data/odbc/ValueReader.h"

#include "data/WallClock.h"
#include "data/odbc/Diagnostics.h"
#include "data/odbc/Handle.h"
#include "data/odbc/ResultColumn.h"
#include "data/odbc/WideText.h"

#include <QByteArray>
#include <optional>
#include <sqlext.h>
#include <sqlucode.h>

namespace data::odbc {

namespace {

// A value of fixed size in C type `cType`; nothing for SQL NULL.
template <typename T>
std::optional<T> readFixed(const Handle& statement, SQLUSMALLINT number, SQLSMALLINT cType) {
    T value{};
    SQLLEN indicator = 0;
    check(SQLGetData(statement.get(), number, cType, &value, sizeof value, &indicator), statement);
    if (indicator == SQL_NULL_DATA)
        return std::nullopt;
    return value;
}

template <typename T, typename Convert>
QVariant fixedValue(const Handle& statement, SQLUSMALLINT number, SQLSMALLINT cType,
                    Convert convert) {
    const std::optional<T> value = readFixed<T>(statement, number, cType);
    return value ? QVariant(convert(*value)) : QVariant();
}

template <typename T>
QVariant fixedValue(const Handle& statement, SQLUSMALLINT number, SQLSMALLINT cType) {
    return fixedValue<T>(statement, number, cType, [](T value) { return value; });
}

// A value of any length in C type `cType`, piece after piece; the driver ends each piece of text
// with a terminator of `terminatorBytes`. Nothing for SQL NULL.
std::optional<QByteArray> readPieces(const Handle& statement, SQLUSMALLINT number,
                                     SQLSMALLINT cType, SQLLEN terminatorBytes) {
    alignas(SQLWCHAR) char buffer[8192];
    const SQLLEN room = SQLLEN(sizeof buffer) - terminatorBytes;
    QByteArray value("");
    for (;;) {
        SQLLEN indicator = 0;
        const SQLRETURN rc =
            SQLGetData(statement.get(), number, cType, buffer, sizeof buffer, &indicator);
        if (rc == SQL_NO_DATA)
            return value;
        check(rc, statement);
        if (indicator == SQL_NULL_DATA)
            return std::nullopt;
        if (indicator != SQL_NO_TOTAL && indicator <= room) {
            value.append(buffer, indicator);
            return value;
        }
        value.append(buffer, room);
    }
}

QVariant text(const Handle& statement, SQLUSMALLINT number) {
    const auto bytes = readPieces(statement, number, SQL_C_WCHAR, sizeof(SQLWCHAR));
    if (!bytes)
        return {};
    return fromWide(reinterpret_cast<const SQLWCHAR*>(bytes->constData()),
                    bytes->size() / qsizetype(sizeof(SQLWCHAR)));
}

QVariant binary(const Handle& statement, SQLUSMALLINT number) {
    const auto bytes = readPieces(statement, number, SQL_C_BINARY, 0);
    return bytes ? QVariant(*bytes) : QVariant();
}

// Whether two decimal texts stand for the same number: equal once leading zeros, trailing zeros
// after the point and a point with nothing after it are left out.
bool sameDecimal(const QString& a, const QString& b) {
    auto plain = [](QString text) {
        const bool negative = text.startsWith('-');
        if (negative || text.startsWith('+'))
            text.remove(0, 1);
        if (text.contains('.')) {
            while (text.endsWith('0'))
                text.chop(1);
            if (text.endsWith('.'))
                text.chop(1);
        }
        while (text.size() > 1 && text.startsWith('0') && text[1] != '.')
            text.remove(0, 1);
        return (negative && text != "0" ? "-" : "") + text;
    };
    return plain(a) == plain(b);
}

// An exact number, which the driver hands over as text so that no digit is lost on the way.
QVariant exactNumber(const Handle& statement, SQLUSMALLINT number, SQLSMALLINT scale) {
    const QVariant digits = text(statement, number);
    if (digits.isNull())
        return {};
    const QString value = digits.toString().trimmed();
    bool whole = false;
    if (scale == 0) {
        const qlonglong integer = value.toLongLong(&whole);
        if (whole)
            return integer;
    }
    bool isNumber = false;
    const double approximate = value.toDouble(&isNumber);
    const qsizetype point = value.indexOf('.');
    const int decimals = point < 0 ? 0 : int(value.size() - point - 1);
    if (isNumber && sameDecimal(QString::number(approximate, 'f', decimals), value))
        return approximate;
    // More digits than a double holds: the digits themselves, which cell texts, labels and
    // conditions write as they are.
    return value;
}

QTime timeOf(SQLUSMALLINT hour, SQLUSMALLINT minute, SQLUSMALLINT second,
             SQLUINTEGER nanoseconds = 0) {
    return QTime(hour, minute, second, int(nanoseconds / 1000000));
}

} // namespace

QVariant readValue(const Handle& statement, SQLUSMALLINT number, const ResultColumn& column) {
    switch (column.sqlType) {
    case SQL_BIT:
        return fixedValue<SQLCHAR>(statement, number, SQL_C_BIT,
                                   [](SQLCHAR bit) { return bit != 0; });
    case SQL_TINYINT:
    case SQL_SMALLINT:
        return fixedValue<SQLINTEGER>(statement, number, SQL_C_SLONG,
                                      [](SQLINTEGER value) { return int(value); });
    case SQL_INTEGER:
        if (!column.isUnsigned)
            return fixedValue<SQLINTEGER>(statement, number, SQL_C_SLONG,
                                          [](SQLINTEGER value) { return int(value); });
        return fixedValue<SQLBIGINT>(statement, number, SQL_C_SBIGINT,
                                     [](SQLBIGINT value) { return qlonglong(value); });
    case SQL_BIGINT:
        if (column.isUnsigned)
            return fixedValue<SQLUBIGINT>(statement, number, SQL_C_UBIGINT,
                                          [](SQLUBIGINT value) { return qulonglong(value); });
        return fixedValue<SQLBIGINT>(statement, number, SQL_C_SBIGINT,
                                     [](SQLBIGINT value) { return qlonglong(value); });
    case SQL_REAL:
    case SQL_FLOAT:
    case SQL_DOUBLE:
        return fixedValue<SQLDOUBLE>(statement, number, SQL_C_DOUBLE);
    case SQL_DECIMAL:
    case SQL_NUMERIC:
        return exactNumber(statement, number, column.scale);
    case SQL_TYPE_DATE:
        return fixedValue<SQL_DATE_STRUCT>(
            statement, number, SQL_C_TYPE_DATE,
            [](const SQL_DATE_STRUCT& d) { return QDate(d.year, d.month, d.day); });
    case SQL_TYPE_TIME:
        return fixedValue<SQL_TIME_STRUCT>(
            statement, number, SQL_C_TYPE_TIME,
            [](const SQL_TIME_STRUCT& t) { return timeOf(t.hour, t.minute, t.second); });
    case SQL_TYPE_TIMESTAMP:
        return fixedValue<SQL_TIMESTAMP_STRUCT>(
            statement, number, SQL_C_TYPE_TIMESTAMP, [](const SQL_TIMESTAMP_STRUCT& t) {
                return wallClock(QDate(t.year, t.month, t.day),
                                 timeOf(t.hour, t.minute, t.second, t.fraction));
            });
    case SQL_BINARY:
    case SQL_VARBINARY:
    case SQL_LONGVARBINARY:
        return binary(statement, number);
    default:
        return text(statement, number);
    }
}

} // namespace data::odbc
