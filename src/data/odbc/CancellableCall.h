#pragma once

#include <functional>
#include <sql.h>

// A call into the driver that may keep the server busy for long (a statement being run). While a
// long operation is watched (see data::OperationWatch), the call runs on a thread of its own and
// the operation is told, every PollInterval, that it goes on, so that the window keeps painting;
// when the operation is to stop, the statement is cancelled through the driver (SQLCancel, made
// for being called from another thread), and the call ends in data::Cancelled. Without a watch
// the call runs where it is.
namespace data::odbc {

constexpr int PollInterval = 20; // ms

SQLRETURN callCancellable(SQLHSTMT statement, const std::function<SQLRETURN()>& call);

} // namespace data::odbc
