#include "data/jet/ResultValue.h"

#include "data/NumberText.h"
#include "data/WallClock.h"
#include "data/jet/CalendarDate.h"

#include <QDateTime>
#include <cmath>

namespace data::jet {

namespace {

QVariant storedValue(sqlite3_stmt* statement, int column) {
    switch (sqlite3_column_type(statement, column)) {
    case SQLITE_INTEGER:
        return qlonglong(sqlite3_column_int64(statement, column));
    case SQLITE_FLOAT:
        return sqlite3_column_double(statement, column);
    case SQLITE_TEXT: {
        const auto* text = static_cast<const QChar*>(sqlite3_column_text16(statement, column));
        return QString(text, sqlite3_column_bytes16(statement, column) / qsizetype(sizeof(QChar)));
    }
    case SQLITE_BLOB: {
        const auto* bytes = static_cast<const char*>(sqlite3_column_blob(statement, column));
        return QByteArray(bytes, sqlite3_column_bytes(statement, column));
    }
    default:
        return QVariant();
    }
}

bool isNumber(int type) {
    return type == SQLITE_INTEGER || type == SQLITE_FLOAT;
}

QDateTime wallClock(const DateTimeParts& d) {
    return data::wallClock(QDate(d.year, d.month, d.day), QTime(d.hour, d.minute, d.second));
}

std::optional<DateTimeParts> storedDate(sqlite3_stmt* statement, int column, int type) {
    if (isNumber(type))
        return fromSerialDate(sqlite3_column_double(statement, column));
    if (type != SQLITE_TEXT)
        return std::nullopt;
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
    return parseEngineDate({text, std::size_t(sqlite3_column_bytes(statement, column))});
}

} // namespace

QVariant resultValue(sqlite3_stmt* statement, int column, std::optional<Storage> storage) {
    const int type = sqlite3_column_type(statement, column);
    if (type == SQLITE_NULL)
        return QVariant();
    switch (storage.value_or(Storage::Blob)) {
    case Storage::Integer:
        if (type == SQLITE_FLOAT) {
            const double value = sqlite3_column_double(statement, column);
            if (value == std::trunc(value) && std::fabs(value) < 9.2e18)
                return qlonglong(value);
        }
        break;
    case Storage::Boolean:
        if (isNumber(type))
            return sqlite3_column_double(statement, column) != 0;
        break;
    case Storage::Real:
    case Storage::Currency:
        if (isNumber(type))
            return sqlite3_column_double(statement, column);
        break;
    case Storage::DateTime:
        if (const auto date = storedDate(statement, column, type))
            return wallClock(*date);
        break;
    case Storage::Text:
        if (type == SQLITE_INTEGER)
            return QString::number(sqlite3_column_int64(statement, column));
        if (type == SQLITE_FLOAT)
            return data::numberText(sqlite3_column_double(statement, column), QStringLiteral("."));
        break;
    case Storage::Blob:
        break;
    }
    return storedValue(statement, column);
}

} // namespace data::jet
