#include "data/jet/BatchWriter.h"

#include "data/jet/Database.h"

#include <algorithm>

namespace data::jet {

namespace {

// The batch's rows come from a list of rows in order, of which LIMIT takes as many as were filled.
QByteArray batchSql(const QByteArray& quotedTable, int columns, int rows) {
    QByteArray row = "(";
    for (int i = 0; i < columns; ++i)
        row += i > 0 ? ", ?" : "?";
    row += ')';
    QByteArray sql = "INSERT INTO " + quotedTable + " SELECT * FROM (VALUES ";
    for (int i = 0; i < rows; ++i)
        sql += (i > 0 ? ", " : "") + row;
    return sql + ") LIMIT ?";
}

} // namespace

BatchWriter::BatchWriter(Database& database, const QByteArray& quotedTable, int columns)
    : database_(database), columns_(columns),
      rows_(std::clamp(MostParameters / std::max(columns, 1), 1, RowsPerStatement)),
      insert_(database.prepareOwn(batchSql(quotedTable, columns_, rows_))) {}

int BatchWriter::rowsPerBatch() const {
    const int statements =
        std::clamp(MostCellsPerBatch / std::max(rows_ * columns_, 1), 1, StatementsPerBatch);
    return rows_ * statements;
}

// The text and binary values are read in place: the batch stays untouched until it is stored.
void BatchWriter::store(const RowBatch& batch) {
    for (int first = 0; first < batch.rows; first += rows_)
        storeRows(batch, first, std::min(rows_, batch.rows - first));
}

void BatchWriter::storeRows(const RowBatch& batch, int first, int rows) {
    sqlite3_stmt* insert = insert_.get();
    const int cells = rows * columns_;
    const RowBatch::Cell* from = batch.cells.data() + std::size_t(first) * std::size_t(columns_);
    for (int i = 0; i < cells; ++i) {
        const RowBatch::Cell& cell = from[i];
        const char* bytes = batch.bytes.data() + cell.offset;
        switch (cell.kind) {
        case RowBatch::Kind::Null:
            break;
        case RowBatch::Kind::Integer:
            check(sqlite3_bind_int64(insert, i + 1, cell.integer));
            break;
        case RowBatch::Kind::Real:
            check(sqlite3_bind_double(insert, i + 1, cell.real));
            break;
        case RowBatch::Kind::Text:
            check(
                sqlite3_bind_text64(insert, i + 1, bytes, cell.length, SQLITE_STATIC, SQLITE_UTF8));
            break;
        case RowBatch::Kind::Blob:
            check(sqlite3_bind_blob64(insert, i + 1, bytes, cell.length, SQLITE_STATIC));
            break;
        }
    }
    check(sqlite3_bind_int(insert, rows_ * columns_ + 1, rows));
    const int rc = sqlite3_step(insert);
    sqlite3_reset(insert);
    sqlite3_clear_bindings(insert); // the next rows' Nulls, and no value left pointing here
    if (rc != SQLITE_DONE)
        database_.fail();
}

void BatchWriter::check(int rc) const {
    if (rc != SQLITE_OK)
        database_.fail();
}

} // namespace data::jet
