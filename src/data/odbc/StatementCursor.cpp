#include "data/odbc/StatementCursor.h"

#include "data/Operation.h"
#include "data/odbc/AdoType.h"
#include "data/odbc/Diagnostics.h"
#include "data/odbc/ValueReader.h"

#include <sqlext.h>

namespace data::odbc {

StatementCursor::StatementCursor(std::shared_ptr<Session> session, Handle statement)
    : session_(std::move(session)), statement_(std::move(statement)),
      columns_(describeColumns(statement_)), finished_(columns_.empty()) {}

int StatementCursor::fieldType(int i) const {
    const ResultColumn& column = columns_.at(std::size_t(i));
    return adoTypeOf(column.sqlType, column.isUnsigned);
}

bool StatementCursor::passOver(qsizetype first) {
    if (finished_ || first <= 0)
        return !finished_;
    // The row before `first` is row `first` counted from 1.
    return settle(SQLFetchScroll(statement_.get(), SQL_FETCH_ABSOLUTE, SQLLEN(first)));
}

// Whether a fetch moved onto a row; at the end the result is closed.
bool StatementCursor::settle(SQLRETURN rc) {
    if (rc == SQL_NO_DATA) {
        finished_ = true;
        SQLFreeStmt(statement_.get(), SQL_CLOSE);
        return false;
    }
    check(rc, statement_);
    return true;
}

bool StatementCursor::next() {
    row_.clear();
    if (finished_)
        return false;
    if (!settle(SQLFetch(statement_.get())))
        return false;
    if (++fetched_ % RowsPerReport == 0)
        data::tickOrStop(fetched_);
    row_.reserve(columns_.size());
    for (std::size_t i = 0; i < columns_.size(); ++i)
        row_.push_back(readValue(statement_, SQLUSMALLINT(i + 1), columns_[i]));
    return true;
}

} // namespace data::odbc
