#pragma once

#include <memory>
#include <sqlite3.h>

// Owners of the embedded engine's handles: a database is closed, a prepared statement finalized,
// when its owner goes.
namespace data::jet {

struct CloseDatabase {
    void operator()(sqlite3* db) const noexcept { sqlite3_close_v2(db); }
};

struct FinalizeStatement {
    void operator()(sqlite3_stmt* statement) const noexcept { sqlite3_finalize(statement); }
};

using DatabaseHandle = std::unique_ptr<sqlite3, CloseDatabase>;
using StatementHandle = std::unique_ptr<sqlite3_stmt, FinalizeStatement>;

} // namespace data::jet
