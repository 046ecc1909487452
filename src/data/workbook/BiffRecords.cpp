#include "data/workbook/BiffRecords.h"

#include "data/workbook/Bytes.h"

#include <bit>

namespace data::workbook::biff {

double rkNumber(quint32 packed) {
    constexpr quint32 DividedBy100 = 0x1;
    constexpr quint32 WholeNumber = 0x2;
    const double value =
        (packed & WholeNumber)
            ? static_cast<double>(static_cast<qint32>(packed) >> 2)
            : std::bit_cast<double>(static_cast<quint64>(packed & ~quint32(0x3)) << 32);
    return (packed & DividedBy100) ? value / 100 : value;
}

std::optional<Record> RecordReader::next() {
    constexpr qsizetype HeaderSize = 4;
    if (offset_ + HeaderSize > stream_.size())
        return std::nullopt;
    Record record;
    record.type = readAt<quint16>(stream_, offset_);
    const qsizetype length = readAt<quint16>(stream_, offset_ + 2);
    record.data = slice(stream_, offset_ + HeaderSize, length);
    offset_ += HeaderSize + length;
    return record;
}

void checkFraming(QByteArrayView stream) {
    RecordReader records(stream, 0);
    while (const std::optional<Record> record = records.next()) {
        if (record->type == 0 && record->data.isEmpty())
            return;
        require(record->data.size() <= MaxRecordLength);
    }
}

} // namespace data::workbook::biff
