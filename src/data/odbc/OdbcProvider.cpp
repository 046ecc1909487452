#include "data/odbc/OdbcProvider.h"

#include "data/Operation.h"
#include "data/RowsCursor.h"
#include "data/odbc/CancellableCall.h"
#include "data/odbc/Diagnostics.h"
#include "data/odbc/Session.h"
#include "data/odbc/StatementCursor.h"
#include "data/odbc/WideText.h"

#include <sqlext.h>
#include <sqlucode.h>

namespace data::odbc {

namespace {

class OdbcProvider : public Provider {
public:
    explicit OdbcProvider(std::shared_ptr<Session> session) : session_(std::move(session)) {}

    std::unique_ptr<Cursor> execute(const QString& statement) override {
        Handle handle(SQL_HANDLE_STMT, session_->connection());
        return run(std::move(handle), statement);
    }

    // The data source counts the statement's rows as a table of its own; a driver that cannot
    // answer that leaves the count to the reading.
    qsizetype countRows(const QString& statement) override {
        try {
            const auto count = execute("SELECT COUNT(*) FROM (" + statement + ") counted");
            return count->next() ? count->value(0).toLongLong() : -1;
        } catch (const Cancelled&) {
            throw;
        } catch (const Error&) {
            return -1;
        }
    }

    // A driver with static cursors that fetch by position goes to the row before `first` at
    // once; any other reads forward to it.
    std::unique_ptr<Cursor> executeFrom(const QString& statement, qsizetype first) override {
        if (first <= 0 || !scrollable || !session_->fetchesByPosition())
            return Provider::executeFrom(statement, first);
        Handle handle(SQL_HANDLE_STMT, session_->connection());
        if (!SQL_SUCCEEDED(SQLSetStmtAttr(handle.get(), SQL_ATTR_CURSOR_TYPE,
                                          reinterpret_cast<SQLPOINTER>(SQL_CURSOR_STATIC), 0)))
            return Provider::executeFrom(statement, first);
        SQLULEN type = 0;
        SQLGetStmtAttr(handle.get(), SQL_ATTR_CURSOR_TYPE, &type, 0, nullptr);
        if (type != SQL_CURSOR_STATIC)
            return Provider::executeFrom(statement, first);
        auto cursor = run(std::move(handle), statement);
        if (cursor->passOver(first))
            return cursor;
        // Before `first` the rows end, or the result failed: psqlODBC's static cursor answers a
        // failure of the server's on its way to the row as the end of the rows, and leaves the
        // server's transaction failed. The transaction is ended (the connection only reads) and
        // the rows are read forward, which tells the failure, or meets the end.
        cursor.reset();
        session_->endTransaction();
        return Provider::executeFrom(statement, first);
    }

    // Every table, view and other kind the driver lists, with catalog and schema.
    std::unique_ptr<Cursor> tables() override {
        Handle handle(SQL_HANDLE_STMT, session_->connection());
        check(SQLTablesW(handle.get(), nullptr, 0, nullptr, 0, nullptr, 0, nullptr, 0), handle);
        StatementCursor listed(session_, std::move(handle));
        std::vector<TableEntry> entries;
        while (listed.next())
            entries.push_back({listed.value(2).toString(), listed.value(3).toString(),
                               listed.value(1).toString(), listed.value(0).toString()});
        return tablesRowset(std::move(entries));
    }

private:
    std::unique_ptr<StatementCursor> run(Handle handle, const QString& statement) {
        SQLWCHAR* text = wide(statement);
        check(callCancellable(
                  handle.get(),
                  [&] { return SQLExecDirectW(handle.get(), text, SQLINTEGER(statement.size())); }),
              handle);
        return std::make_unique<StatementCursor>(session_, std::move(handle));
    }

    std::shared_ptr<Session> session_;
};

} // namespace

std::unique_ptr<Provider> openOdbcProvider(const QString& odbcConnectionString, bool readOnly,
                                           const QString& dataSource) {
    return std::make_unique<OdbcProvider>(
        std::make_shared<Session>(odbcConnectionString, readOnly, dataSource));
}

} // namespace data::odbc
