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
    record.offset = offset_;
    record.type = readAt<quint16>(stream_, offset_);
    const qsizetype length = readAt<quint16>(stream_, offset_ + 2);
    record.data = slice(stream_, offset_ + HeaderSize, length);
    offset_ += HeaderSize + length;
    return record;
}

} // namespace data::workbook::biff
