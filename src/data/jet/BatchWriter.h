#pragma once

#include "data/jet/RowBatch.h"
#include "data/jet/SqliteHandles.h"

#include <QByteArray>

// Stores batches of rows (see RowBatch) into one table of the engine through one prepared
// statement for up to RowsPerStatement rows, which costs the engine far less per row than a
// statement run for each row; the rows left at the end run the same statement.
namespace data::jet {

class Database;

class BatchWriter {
public:
    // `quotedTable` is the table's name as SQL quotes it.
    BatchWriter(Database& database, const QByteArray& quotedTable, int columns);

    // The rows a full batch holds: a number of statements' rows, fewer for a wide table.
    int rowsPerBatch() const;
    // Stores the batch's rows. Fails with data::Error.
    void store(const RowBatch& batch);

    static constexpr int RowsPerStatement = 64;
    // Batches go from the reader's thread to the engine's a thousand rows or so at a time, so
    // that the two threads seldom wait for each other.
    static constexpr int StatementsPerBatch = 16;
    static constexpr int MostCellsPerBatch = 16384;

private:
    void storeRows(const RowBatch& batch, int first, int rows);
    void check(int rc) const;

    // SQLite takes at most 32,766 parameters in a statement.
    static constexpr int MostParameters = 32000;

    Database& database_;
    int columns_;
    int rows_; // in one statement
    StatementHandle insert_;
};

} // namespace data::jet
