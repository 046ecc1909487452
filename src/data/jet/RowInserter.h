#pragma once

#include "data/jet/CalendarDate.h"
#include "data/jet/Catalog.h"
#include "data/jet/RowBatch.h"
#include "data/jet/TableSource.h"

#include <vector>

// Turns the values a reader pushes into the storage of each column of one table of the engine,
// row after row into batches that it hands to the engine's thread (see BatchPipe), which stores
// them (see BatchWriter). It runs on the reader's thread and never touches the engine. A reader
// that gives a Double for a Currency column, or a number for a text column, still gets what the
// column's type calls for stored. A value that cannot be stored as the column's type (a date out
// of range, text for a date column that is no date in the engine's form) is stored as Null.
namespace data::jet {

class BatchPipe;

class RowInserter final : public RowSink {
public:
    // One storage per column, in order; `rowsPerBatch` rows fill a batch of the pipe's, or
    // fewer holding RowBatch::FullBytes of text and binary values.
    RowInserter(BatchPipe& pipe, std::vector<Storage> storages, int rowsPerBatch);

    void setNull(int column) override;
    void setInteger(int column, std::int64_t value) override;
    void setBoolean(int column, bool value) override;
    void setDouble(int column, double value) override;
    void setCurrency(int column, std::int64_t scaledBy10000) override;
    void setDateTime(int column, int year, int month, int day, int hour, int minute,
                     int second) override;
    void setText(int column, const QString& value) override;
    void setBlob(int column, const QByteArray& value) override;
    void endRow() override;
    // Hands over the last batch: every row is then on its way.
    void finish();

private:
    Storage storageOf(int column) const;
    RowBatch::Cell& cell(int column);
    void bindInteger(int column, std::int64_t value);
    void bindDouble(int column, double value);
    void bindRounded(int column, double value);
    void bindText(int column, const QString& value);
    void bindDate(int column, const DateTimeParts& date);
    void bindBytes(int column, RowBatch::Kind kind, const char* bytes, std::size_t length);

    BatchPipe& pipe_;
    std::vector<Storage> storages_;
    int columns_;
    int rowsPerBatch_;
    RowBatch* batch_; // the batch being filled
};

} // namespace data::jet
