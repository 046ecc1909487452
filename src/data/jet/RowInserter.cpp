#include "data/jet/RowInserter.h"

#include "data/Error.h"
#include "data/NumberText.h"
#include "data/Operation.h"
#include "data/jet/CalendarDate.h"
#include "data/jet/Database.h"

#include <algorithm>
#include <cmath>

namespace data::jet {

namespace {

constexpr std::int64_t CurrencyScale = 10000;

// Numbers written into a text column use '.' whatever the region, as the source holds them.
QString plainNumber(double value) {
    return data::numberText(value, QStringLiteral("."));
}

// The batch's rows come from a list of rows in order, of which LIMIT takes as many as were filled:
// a full batch and the last, shorter one run the same statement.
QByteArray batchSql(const QByteArray& quotedTable, int columns, int rows) {
    QByteArray row = "(";
    for (int i = 0; i < columns; ++i)
        row += i > 0 ? ", ?" : "?";
    row += ')';
    QByteArray sql = "INSERT INTO " + quotedTable + " SELECT * FROM (VALUES ";
    for (int i = 0; i < rows; ++i)
        sql += (i > 0 ? ", " : "") + row;
    return sql + ") LIMIT ?";
}

} // namespace

RowInserter::RowInserter(Database& database, const QByteArray& quotedTable,
                         std::vector<Storage> storages)
    : database_(database), storages_(std::move(storages)), columns_(int(storages_.size())),
      batch_(std::clamp(MostParameters / std::max(columns_, 1), 1, RowsPerBatch)),
      insert_(database.prepareOwn(batchSql(quotedTable, columns_, batch_))),
      utf8_(std::size_t(batch_) * storages_.size()) {}

Storage RowInserter::storageOf(int column) const {
    if (column < 0 || column >= int(storages_.size()))
        throw Error(QStringLiteral("The reader gave a value for column %1 of a table with %2.")
                        .arg(column + 1)
                        .arg(storages_.size()));
    return storages_[std::size_t(column)];
}

void RowInserter::setNull(int column) {
    storageOf(column);
    check(sqlite3_bind_null(insert_.get(), parameter(column)));
}

void RowInserter::setInteger(int column, std::int64_t value) {
    switch (storageOf(column)) {
    case Storage::Boolean:
        return bindInteger(column, value != 0 ? -1 : 0);
    case Storage::Real:
        return bindDouble(column, double(value));
    case Storage::Currency:
        return bindRounded(column, double(value) * CurrencyScale);
    case Storage::DateTime:
        return bindDouble(column, double(value)); // a serial date, see bindDouble
    case Storage::Text:
        return bindText(column, QString::number(value));
    case Storage::Integer:
    case Storage::Blob:
        return bindInteger(column, value);
    }
}

void RowInserter::setBoolean(int column, bool value) {
    switch (storageOf(column)) {
    case Storage::Currency:
        return bindInteger(column, value ? -CurrencyScale : 0);
    case Storage::Text:
        return bindText(column, value ? QStringLiteral("True") : QStringLiteral("False"));
    default:
        return setInteger(column, value ? -1 : 0);
    }
}

void RowInserter::setDouble(int column, double value) {
    switch (storageOf(column)) {
    case Storage::Integer:
        return bindRounded(column, value);
    case Storage::Boolean:
        return bindInteger(column, value != 0 ? -1 : 0);
    case Storage::Currency:
        return bindRounded(column, value * CurrencyScale);
    case Storage::Text:
        return bindText(column, plainNumber(value));
    case Storage::Real:
    case Storage::DateTime:
    case Storage::Blob:
        return bindDouble(column, value);
    }
}

void RowInserter::setCurrency(int column, std::int64_t scaledBy10000) {
    switch (storageOf(column)) {
    case Storage::Currency:
        return bindInteger(column, scaledBy10000);
    case Storage::Integer:
        return bindRounded(column, double(scaledBy10000) / CurrencyScale);
    default:
        return setDouble(column, double(scaledBy10000) / CurrencyScale);
    }
}

void RowInserter::setDateTime(int column, int year, int month, int day, int hour, int minute,
                              int second) {
    const DateTimeParts date{year, month, day, hour, minute, second};
    if (!isValid(date))
        return setNull(column);
    switch (storageOf(column)) {
    case Storage::DateTime:
    case Storage::Text:
    case Storage::Blob:
        return bindDate(column, date);
    default:
        return setDouble(column, toSerialDate(date));
    }
}

// Text for an amount is scaled like any amount. A date column keeps text that is a date in the
// engine's own form and nothing else, so that all it holds are dates. Other text is left to the
// column's affinity.
void RowInserter::setText(int column, const QString& value) {
    switch (storageOf(column)) {
    case Storage::Currency: {
        bool isNumber = false;
        const double amount = value.trimmed().toDouble(&isNumber);
        if (isNumber)
            return setDouble(column, amount);
        break;
    }
    case Storage::DateTime: {
        const QByteArray text = value.toUtf8();
        if (!parseEngineDate({text.constData(), std::size_t(text.size())}))
            return setNull(column);
        break;
    }
    default:
        break;
    }
    bindText(column, value);
}

void RowInserter::setBlob(int column, const QByteArray& value) {
    storageOf(column);
    check(sqlite3_bind_blob64(insert_.get(), parameter(column), value.constData(),
                              sqlite3_uint64(value.size()), SQLITE_TRANSIENT));
}

void RowInserter::endRow() {
    if (++slot_ == batch_)
        storeBatch(batch_);
    if (++rows_ % RowsPerReport == 0)
        data::tickOrStop(rows_);
}

void RowInserter::finish() {
    if (slot_ > 0)
        storeBatch(slot_);
}

void RowInserter::storeBatch(int rows) {
    sqlite3_stmt* insert = insert_.get();
    check(sqlite3_bind_int(insert, batch_ * columns_ + 1, rows));
    const int rc = sqlite3_step(insert);
    sqlite3_reset(insert);
    if (rc != SQLITE_DONE)
        database_.fail();
    sqlite3_clear_bindings(insert); // the next batch's missing values are Null
    slot_ = 0;
}

void RowInserter::bindInteger(int column, std::int64_t value) {
    check(sqlite3_bind_int64(insert_.get(), parameter(column), value));
}

// A date column given a number takes it as a serial date.
void RowInserter::bindDouble(int column, double value) {
    if (storages_[std::size_t(column)] == Storage::DateTime) {
        const auto date = fromSerialDate(value);
        return date ? bindDate(column, *date) : setNull(column);
    }
    check(sqlite3_bind_double(insert_.get(), parameter(column), value));
}

void RowInserter::bindRounded(int column, double value) {
    const double rounded = std::nearbyint(value);
    if (!(std::fabs(rounded) < 9.2e18))
        return setNull(column);
    bindInteger(column, std::int64_t(rounded));
}

// Most text is ASCII, which is its own UTF-8.
void RowInserter::bindText(int column, const QString& value) {
    QByteArray& utf8 = utf8_[std::size_t(parameter(column) - 1)];
    const qsizetype size = value.size();
    utf8.resize(size);
    const char16_t* from = reinterpret_cast<const char16_t*>(value.utf16());
    char* to = utf8.data();
    for (qsizetype i = 0; i < size; ++i) {
        if (from[i] >= 0x80) {
            utf8 = value.toUtf8();
            break;
        }
        to[i] = char(from[i]);
    }
    bindUtf8(column);
}

void RowInserter::bindDate(int column, const DateTimeParts& date) {
    const EngineDateText text = engineDateText(date);
    QByteArray& utf8 = utf8_[std::size_t(parameter(column) - 1)];
    utf8.resize(qsizetype(text.size()));
    std::copy(text.begin(), text.end(), utf8.data());
    bindUtf8(column);
}

// The buffer stays untouched until the row is stored.
void RowInserter::bindUtf8(int column) {
    const QByteArray& utf8 = utf8_[std::size_t(parameter(column) - 1)];
    check(sqlite3_bind_text(insert_.get(), parameter(column), utf8.constData(), int(utf8.size()),
                            SQLITE_STATIC));
}

void RowInserter::check(int rc) const {
    if (rc != SQLITE_OK)
        database_.fail();
}

} // namespace data::jet
