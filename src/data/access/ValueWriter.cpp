#include "data/access/ValueWriter.h"

#include "data/access/CalculatedValue.h"
#include "data/access/Damage.h"
#include "data/access/ExtendedDate.h"
#include "data/access/JetNumeric.h"
#include "data/access/LittleEndian.h"
#include "data/access/LongValueReader.h"
#include "data/access/TextDecoder.h"
#include "data/jet/CalendarDate.h"

#include <bit>
#include <span>

namespace data::access {

namespace {
// An empty text is a value, not a null, so it is handed over as a non-null QString.
QString nonNull(QString text) {
    return text.isNull() ? QStringLiteral("") : text;
}

QByteArray bytesOf(const unsigned char* bytes, std::size_t size) {
    return QByteArray(reinterpret_cast<const char*>(bytes), static_cast<qsizetype>(size));
}

// A Decimal: exact when it is a whole number that fits, otherwise the nearest double.
void writeNumber(const NumericValue& value, int sinkColumn, jet::RowSink& sink) {
    if (const auto* exact = std::get_if<std::int64_t>(&value))
        sink.setInteger(sinkColumn, *exact);
    else
        sink.setDouble(sinkColumn, std::get<double>(value));
}
} // namespace

ValueWriter::ValueWriter(MdbHandle& mdb, TextDecoder& text, LongValueReader& longValues)
    : mdb_(mdb), text_(text), longValues_(longValues) {}

void ValueWriter::write(const ColumnPlan& column, const MdbField& field, int sinkColumn,
                        jet::RowSink& sink) {
    if (column.calculated) {
        writeCalculated(column, field, sinkColumn, sink);
        return;
    }
    // A Yes/No value lives in the row's null mask itself: the bit set means Yes.
    if (column.kind == ValueKind::Boolean) {
        sink.setBoolean(sinkColumn, !field.is_null);
        return;
    }
    if (field.is_null) {
        sink.setNull(sinkColumn);
        return;
    }
    if (column.storedSize == 0) {
        writeVariable(column, field, sinkColumn, sink);
        return;
    }
    if (field.siz < column.storedSize)
        throw Damage(QStringLiteral("a value of column '%1' is too short").arg(column.name));
    writeFixed(column, mdb_.pg_buf + field.start, sinkColumn, sink);
}

void ValueWriter::writeFixed(const ColumnPlan& column, const unsigned char* bytes, int sinkColumn,
                             jet::RowSink& sink) {
    switch (column.kind) {
    case ValueKind::Byte:
        sink.setInteger(sinkColumn, bytes[0]);
        break;
    case ValueKind::Integer:
        sink.setInteger(sinkColumn, readLittleEndian<std::int16_t>(bytes));
        break;
    case ValueKind::LongInteger:
        sink.setInteger(sinkColumn, readLittleEndian<std::int32_t>(bytes));
        break;
    case ValueKind::Currency:
        sink.setCurrency(sinkColumn, readLittleEndian<std::int64_t>(bytes));
        break;
    case ValueKind::Single:
        sink.setDouble(sinkColumn, std::bit_cast<float>(readLittleEndian<std::uint32_t>(bytes)));
        break;
    case ValueKind::Double:
        sink.setDouble(sinkColumn, std::bit_cast<double>(readLittleEndian<std::uint64_t>(bytes)));
        break;
    case ValueKind::DateTime: {
        const auto parts =
            jet::fromSerialDate(std::bit_cast<double>(readLittleEndian<std::uint64_t>(bytes)));
        if (!parts)
            throw Damage(QStringLiteral("column '%1' holds an impossible date").arg(column.name));
        sink.setDateTime(sinkColumn, parts->year, parts->month, parts->day, parts->hour,
                         parts->minute, parts->second);
        break;
    }
    case ValueKind::ExtendedDateTime: {
        const auto date = extendedDate({bytes, std::size_t(column.storedSize)}, column.name);
        if (!date)
            return sink.setNull(sinkColumn);
        sink.setDateTime(sinkColumn, date->year, date->month, date->day, date->hour, date->minute,
                         date->second);
        break;
    }
    case ValueKind::ReplicationId:
        sink.setBlob(sinkColumn, bytesOf(bytes, static_cast<std::size_t>(column.storedSize)));
        break;
    case ValueKind::Numeric:
        writeNumber(jetNumeric(bytes, column.scale), sinkColumn, sink);
        break;
    default:
        break;
    }
}

void ValueWriter::writeVariable(const ColumnPlan& column, const MdbField& field, int sinkColumn,
                                jet::RowSink& sink) {
    const unsigned char* bytes = mdb_.pg_buf + field.start;
    const auto size = static_cast<std::size_t>(field.siz);
    switch (column.kind) {
    case ValueKind::Text:
        sink.setText(sinkColumn, nonNull(text_.decode(bytes, size)));
        break;
    case ValueKind::Binary:
    case ValueKind::Unknown:
        sink.setBlob(sinkColumn, bytesOf(bytes, size));
        break;
    case ValueKind::Memo: {
        const auto& value = longValues_.read(field.start, field.siz);
        sink.setText(sinkColumn, nonNull(text_.decode(value.data(), value.size())));
        break;
    }
    case ValueKind::OleObject: {
        const auto& value = longValues_.read(field.start, field.siz);
        sink.setBlob(sinkColumn, bytesOf(value.data(), value.size()));
        break;
    }
    default:
        break;
    }
}

void ValueWriter::writeCalculated(const ColumnPlan& column, const MdbField& field, int sinkColumn,
                                  jet::RowSink& sink) {
    if (field.is_null) {
        sink.setNull(sinkColumn);
        return;
    }
    std::span<const unsigned char> stored(mdb_.pg_buf + field.start, std::size_t(field.siz));
    if (column.kind == ValueKind::Memo || column.kind == ValueKind::OleObject) {
        const auto& longValue = longValues_.read(field.start, field.siz);
        stored = {longValue.data(), longValue.size()};
    }
    const auto value = calculatedPayload(stored.data(), stored.size(), column.name);
    // Access keeps no result where the expression gave Null, and leaves the column's bit of the
    // null mask set.
    if (value.empty())
        return sink.setNull(sinkColumn);
    switch (column.kind) {
    case ValueKind::Boolean:
        sink.setBoolean(sinkColumn, value[0] != 0);
        return;
    case ValueKind::Text:
    case ValueKind::Memo:
        sink.setText(sinkColumn, nonNull(text_.decode(value.data(), value.size())));
        return;
    case ValueKind::Numeric:
        writeNumber(calculatedNumeric(value, column.name), sinkColumn, sink);
        return;
    case ValueKind::Binary:
    case ValueKind::OleObject:
    case ValueKind::Unknown:
        sink.setBlob(sinkColumn, bytesOf(value.data(), value.size()));
        return;
    default:
        if (value.size() < std::size_t(column.storedSize))
            throw Damage(QStringLiteral("a value of column '%1' is too short").arg(column.name));
        writeFixed(column, value.data(), sinkColumn, sink);
    }
}

} // namespace data::access
