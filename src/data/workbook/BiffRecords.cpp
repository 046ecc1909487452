#include "data/workbook/BiffRecords.h"

#include "data/workbook/Bytes.h"

namespace data::workbook::biff {

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

} // namespace data::workbook::biff
