#pragma once

#include "data/Provider.h"
#include "data/odbc/Handle.h"
#include "data/odbc/ResultColumn.h"

#include <memory>
#include <vector>

namespace data::odbc {

class Session;

// The result of an executed statement, streamed a row at a time with SQLFetch: only the current
// row's values are held.
class StatementCursor : public Cursor {
public:
    StatementCursor(std::shared_ptr<Session> session, Handle statement);

    int fieldCount() const override { return int(columns_.size()); }
    QString fieldName(int i) const override { return columns_.at(std::size_t(i)).name; }
    int fieldType(int i) const override;
    bool next() override;
    // On a static cursor: moves to the row before `first` (from 0), so that next() gives that
    // row; false past the last row, and next() gives none.
    bool passOver(qsizetype first);
    QVariant value(int i) const override { return row_.at(std::size_t(i)); }

private:
    bool settle(SQLRETURN rc);

    std::shared_ptr<Session> session_; // declared first so that it goes last
    Handle statement_;
    std::vector<ResultColumn> columns_;
    std::vector<QVariant> row_;
    bool finished_ = false;
    // Rows fetched between two reports to the operation running, which may stop between them.
    static constexpr qint64 RowsPerReport = 1024;
    qint64 fetched_ = 0;
};

} // namespace data::odbc
