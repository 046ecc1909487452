#include "data/odbc/Session.h"

#include "data/Error.h"
#include "data/odbc/Diagnostics.h"
#include "data/odbc/WideText.h"

#include <sqlext.h>
#include <sqlucode.h>

namespace data::odbc {

namespace {

// The access mode is a hint that drivers may ignore. Several drivers, PostgreSQL's, Access's
// and Excel's among them, refuse changes only when told so in the connection string; others
// pass over the keyword.
QString withReadOnly(const QString& connectionString) {
    const QString separator = connectionString.endsWith(QLatin1Char(';')) ? "" : ";";
    return connectionString + separator + QStringLiteral("ReadOnly=1");
}

} // namespace

Session::Session(const QString& connectionString, bool readOnly, const QString& dataSource)
    : env_(Handle::environment()), dbc_(SQL_HANDLE_DBC, env_) {
    if (readOnly)
        check(SQLSetConnectAttr(dbc_.get(), SQL_ATTR_ACCESS_MODE,
                                reinterpret_cast<SQLPOINTER>(SQL_MODE_READ_ONLY), 0),
              dbc_);
    const QString text = readOnly ? withReadOnly(connectionString) : connectionString;
    const SQLRETURN rc = SQLDriverConnectW(dbc_.get(), nullptr, wide(text), SQL_NTS, nullptr, 0,
                                           nullptr, SQL_DRIVER_NOPROMPT);
    if (!succeeded(rc) && !dataSource.isEmpty() &&
        diagnosticState(dbc_) == QLatin1String(UnknownDataSourceState))
        throw Error("The data source \"" + dataSource + "\" is not defined on this computer.\n" +
                    diagnosticText(dbc_));
    check(rc, dbc_);
}

bool Session::fetchesByPosition() {
    if (byPosition_ < 0) {
        SQLUINTEGER attributes = 0;
        const SQLRETURN rc = SQLGetInfoW(dbc_.get(), SQL_STATIC_CURSOR_ATTRIBUTES1, &attributes,
                                         sizeof attributes, nullptr);
        byPosition_ = succeeded(rc) && (attributes & SQL_CA1_ABSOLUTE) ? 1 : 0;
    }
    return byPosition_ == 1;
}

Session::~Session() {
    SQLDisconnect(dbc_.get());
}

// With autocommit on, the driver ends no transaction when asked; switched off for the moment,
// it does.
void Session::endTransaction() {
    SQLHDBC dbc = dbc_.get();
    SQLSetConnectAttr(dbc, SQL_ATTR_AUTOCOMMIT, reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_OFF),
                      0);
    SQLEndTran(SQL_HANDLE_DBC, dbc, SQL_ROLLBACK);
    SQLSetConnectAttr(dbc, SQL_ATTR_AUTOCOMMIT, reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_ON), 0);
}

} // namespace data::odbc
