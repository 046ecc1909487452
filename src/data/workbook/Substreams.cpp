#include "data/workbook/Substreams.h"

#include "data/workbook/Bytes.h"

namespace data::workbook::biff {

std::optional<NestedRecord> SubstreamReader::next() {
    const std::optional<Record> record = records_.next();
    if (!record || (record->type == 0 && record->data.isEmpty())) {
        require(depth_ <= 1);
        return std::nullopt;
    }
    if (record->type == Bof) {
        require(depth_ < MaxDepth);
        return NestedRecord{*record, ++depth_};
    }
    require(depth_ > 0);
    if (record->type == Eof)
        return NestedRecord{*record, depth_--};
    return NestedRecord{*record, depth_};
}

} // namespace data::workbook::biff
