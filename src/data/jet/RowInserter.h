#pragma once

#include "data/jet/CalendarDate.h"
#include "data/jet/Catalog.h"
#include "data/jet/SqliteHandles.h"
#include "data/jet/TableSource.h"

#include <vector>

// Stores the rows a reader pushes into one table of the engine through one prepared INSERT,
// turning each value into the column's storage: a reader that gives a Double for a Currency
// column, or a number for a text column, still stores what the column's type calls for. A value
// that cannot be stored as the column's type (a date out of range, text for a date column that
// is no date in the engine's form) is stored as Null.
namespace data::jet {

class Database;

class RowInserter final : public RowSink {
public:
    // `insertSql` has one parameter per storage, in column order.
    RowInserter(Database& database, const QByteArray& insertSql, std::vector<Storage> storages);

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

private:
    Storage storageOf(int column) const;
    void bindInteger(int column, std::int64_t value);
    void bindDouble(int column, double value);
    void bindRounded(int column, double value);
    void bindText(int column, const QString& value);
    void bindDate(int column, const DateTimeParts& date);
    void bindUtf8(int column);
    void check(int rc) const;

    // Rows stored between two reports of how many were stored to the operation running.
    static constexpr qint64 RowsPerReport = 4096;

    Database& database_;
    StatementHandle insert_;
    qint64 rows_ = 0;
    std::vector<Storage> storages_;
    // Each column's text for the row being filled, in UTF-8: SQLite reads it in place until the
    // row is stored, and the buffers are reused row after row rather than copied each time.
    std::vector<QByteArray> utf8_;
};

} // namespace data::jet
