#include "data/odbc/OdbcProvider.h"

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
        SQLWCHAR* text = wide(statement);
        check(callCancellable(
                  handle.get(),
                  [&] { return SQLExecDirectW(handle.get(), text, SQLINTEGER(statement.size())); }),
              handle);
        return std::make_unique<StatementCursor>(session_, std::move(handle));
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
    std::shared_ptr<Session> session_;
};

} // namespace

std::unique_ptr<Provider> openOdbcProvider(const QString& odbcConnectionString, bool readOnly,
                                           const QString& dataSource) {
    return std::make_unique<OdbcProvider>(
        std::make_shared<Session>(odbcConnectionString, readOnly, dataSource));
}

} // namespace data::odbc
