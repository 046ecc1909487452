#pragma once

#include "data/jet/Catalog.h"
#include "data/jet/SqliteHandles.h"

#include <QVariant>
#include <memory>
#include <vector>

// A cursor over one prepared query: rows are read one at a time as step() moves on, never all at
// once. Values come converted by each column's storage (see resultValue). Failures, including a
// VB function's "Type mismatch" or "Overflow" in the middle of the rows, throw data::Error.
//
// A statement keeps the engine's database alive, so it may outlive the Engine that made it.
namespace data::jet {

class Database;

class Statement {
public:
    // `columns` describe the query's result columns in order (name, type code, storage); empty
    // when they are not known, in which case names come from the query and values as stored.
    Statement(std::shared_ptr<Database> database, StatementHandle statement,
              std::vector<ColumnInfo> columns);
    Statement(Statement&&) noexcept = default;
    // Swaps, so that the old statement is finalized before its database is let go.
    Statement& operator=(Statement&& other) noexcept;

    int columnCount() const;
    QString columnName(int column) const;
    // The type code the caller gave, or 0 when not known.
    int adoType(int column) const;

    // Moves to the next row; false once there are no more.
    bool step();
    // A column of the current row.
    QVariant value(int column) const;

private:
    void checkColumn(int column) const;

    std::shared_ptr<Database> database_; // outlives statement_, which goes first
    StatementHandle statement_;
    std::vector<ColumnInfo> columns_;
    bool onRow_ = false;
    bool finished_ = false;
};

} // namespace data::jet
