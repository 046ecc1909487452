#pragma once

#include "data/workbook/BiffRecords.h"

#include <optional>

// The workbook stream is made of substreams, each from a BOF record to its EOF record: the
// workbook's globals, then one per sheet. A sheet may hold substreams of its own, nested in it:
// a chart placed on a worksheet is a whole chart substream between the worksheet's records, and
// a chart sheet may hold charts in turn. Their records (the values a chart plots are cell
// records, with a size of their own) belong to the chart, never to the sheet around it.
namespace data::workbook::biff {

// A record with the depth of the substream it belongs to: 1 for the globals' and a sheet's own
// records, 2 and more for those of a nested substream. A BOF record has the depth of the
// substream it begins, an EOF record that of the substream it ends.
struct NestedRecord {
    Record record;
    int depth = 0;
};

// Reads the substreams from a position of the stream, one after the other, telling each record's
// depth. Throws Broken where a record outside every substream is no BOF, where substreams nest
// deeper than MaxDepth, and where the stream ends inside a nested substream.
class SubstreamReader {
public:
    // A sheet, a chart on it, and a chart on that chart.
    static constexpr int MaxDepth = 3;

    SubstreamReader(QByteArrayView stream, qsizetype offset) : records_(stream, offset) {}
    // The next record, or nothing at the end of the stream (or at the empty record of type 0
    // that ends it early, as FreeXL takes it).
    std::optional<NestedRecord> next();

private:
    RecordReader records_;
    int depth_ = 0;
};

} // namespace data::workbook::biff
