#include "data/jet/RowInserter.h"

#include "data/Error.h"
#include "data/NumberText.h"
#include "data/jet/BatchPipe.h"
#include "data/jet/CalendarDate.h"

#include <cmath>

namespace data::jet {

namespace {

constexpr std::int64_t CurrencyScale = 10000;

// Numbers written into a text column use '.' whatever the region, as the source holds them.
QString plainNumber(double value) {
    return data::numberText(value, QStringLiteral("."));
}

} // namespace

RowInserter::RowInserter(BatchPipe& pipe, std::vector<Storage> storages, int rowsPerBatch)
    : pipe_(pipe), storages_(std::move(storages)), columns_(int(storages_.size())),
      rowsPerBatch_(rowsPerBatch), batch_(&pipe.exchange(nullptr)) {}

Storage RowInserter::storageOf(int column) const {
    if (column < 0 || column >= int(storages_.size()))
        throw Error(QStringLiteral("The reader gave a value for column %1 of a table with %2.")
                        .arg(column + 1)
                        .arg(storages_.size()));
    return storages_[std::size_t(column)];
}

RowBatch::Cell& RowInserter::cell(int column) {
    return batch_->cells[std::size_t(batch_->rows * columns_ + column)];
}

void RowInserter::setNull(int column) {
    storageOf(column);
    cell(column) = {};
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
    bindBytes(column, RowBatch::Kind::Blob, value.constData(), std::size_t(value.size()));
}

void RowInserter::endRow() {
    if (++batch_->rows == rowsPerBatch_ || batch_->bytes.size() >= RowBatch::FullBytes)
        batch_ = &pipe_.exchange(batch_);
}

void RowInserter::finish() {
    RowBatch* last = batch_;
    batch_ = nullptr;
    pipe_.finish(last, nullptr);
}

void RowInserter::bindInteger(int column, std::int64_t value) {
    RowBatch::Cell& to = cell(column);
    to.kind = RowBatch::Kind::Integer;
    to.integer = value;
}

// A date column given a number takes it as a serial date.
void RowInserter::bindDouble(int column, double value) {
    if (storages_[std::size_t(column)] == Storage::DateTime) {
        const auto date = fromSerialDate(value);
        return date ? bindDate(column, *date) : setNull(column);
    }
    RowBatch::Cell& to = cell(column);
    to.kind = RowBatch::Kind::Real;
    to.real = value;
}

void RowInserter::bindRounded(int column, double value) {
    const double rounded = std::nearbyint(value);
    if (!(std::fabs(rounded) < 9.2e18))
        return setNull(column);
    bindInteger(column, std::int64_t(rounded));
}

// Most text is ASCII, which is its own UTF-8 and goes into the batch's bytes as it is read.
void RowInserter::bindText(int column, const QString& value) {
    std::string& bytes = batch_->bytes;
    const std::size_t offset = bytes.size();
    const qsizetype size = value.size();
    bytes.resize(offset + std::size_t(size));
    const auto* from = reinterpret_cast<const char16_t*>(value.constData());
    char* to = bytes.data() + offset;
    for (qsizetype i = 0; i < size; ++i) {
        if (from[i] >= 0x80) {
            const QByteArray utf8 = value.toUtf8();
            bytes.resize(offset);
            return bindBytes(column, RowBatch::Kind::Text, utf8.constData(),
                             std::size_t(utf8.size()));
        }
        to[i] = char(from[i]);
    }
    RowBatch::Cell& cell = this->cell(column);
    cell.kind = RowBatch::Kind::Text;
    cell.offset = offset;
    cell.length = std::size_t(size);
}

void RowInserter::bindDate(int column, const DateTimeParts& date) {
    const EngineDateText text = engineDateText(date);
    bindBytes(column, RowBatch::Kind::Text, text.data(), text.size());
}

void RowInserter::bindBytes(int column, RowBatch::Kind kind, const char* bytes,
                            std::size_t length) {
    RowBatch::Cell& cell = this->cell(column);
    cell.kind = kind;
    cell.offset = batch_->bytes.size();
    cell.length = length;
    batch_->bytes.append(bytes, length);
}

} // namespace data::jet
