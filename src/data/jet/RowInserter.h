#pragma once

#include "data/jet/CalendarDate.h"
#include "data/jet/Catalog.h"
#include "data/jet/SqliteHandles.h"
#include "data/jet/TableSource.h"

#include <vector>

// Stores the rows a reader pushes into one table of the engine, turning each value into the
// column's storage. Rows go in batches of up to RowsPerBatch through one prepared statement,
// which costs the engine far less per row than a statement run for each; finish() stores the
// last, shorter batch. Turning values into storage: a reader that gives a Double for a Currency
// column, or a number for a text column, still stores what the column's type calls for. A value
// that cannot be stored as the column's type (a date out of range, text for a date column that
// is no date in the engine's form) is stored as Null.
namespace data::jet {

class Database;

class RowInserter final : public RowSink {
public:
    // `quotedTable` is the table's name as SQL quotes it; one storage per column, in order.
    RowInserter(Database& database, const QByteArray& quotedTable, std::vector<Storage> storages);

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
    // Stores the rows not yet stored; the rows are all stored once it returns.
    void finish();

private:
    Storage storageOf(int column) const;
    void bindInteger(int column, std::int64_t value);
    void bindDouble(int column, double value);
    void bindRounded(int column, double value);
    void bindText(int column, const QString& value);
    void bindDate(int column, const DateTimeParts& date);
    void bindUtf8(int column);
    void check(int rc) const;
    // The statement's parameter of the column in the row being filled.
    int parameter(int column) const { return slot_ * columns_ + column + 1; }
    void storeBatch(int rows);

    // Rows stored between two reports of how many were stored to the operation running.
    static constexpr qint64 RowsPerReport = 4096;
    static constexpr int RowsPerBatch = 64;
    // SQLite takes at most 32,766 parameters in a statement.
    static constexpr int MostParameters = 32000;

    Database& database_;
    std::vector<Storage> storages_;
    int columns_;
    int batch_;    // rows in a full batch
    int slot_ = 0; // the row being filled within the batch
    StatementHandle insert_;
    qint64 rows_ = 0;
    // Each value's text in UTF-8, by slot and column: SQLite reads it in place until the batch is
    // stored, and the buffers are reused batch after batch rather than copied each time.
    std::vector<QByteArray> utf8_;
};

} // namespace data::jet
