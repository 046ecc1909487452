#include "data/odbc/Session.h"

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

Session::Session(const QString& connectionString, bool readOnly)
    : env_(Handle::environment()), dbc_(SQL_HANDLE_DBC, env_) {
    if (readOnly)
        check(SQLSetConnectAttr(dbc_.get(), SQL_ATTR_ACCESS_MODE,
                                reinterpret_cast<SQLPOINTER>(SQL_MODE_READ_ONLY), 0),
              dbc_);
    const QString text = readOnly ? withReadOnly(connectionString) : connectionString;
    check(SQLDriverConnectW(dbc_.get(), nullptr, wide(text), SQL_NTS, nullptr, 0, nullptr,
                            SQL_DRIVER_NOPROMPT),
          dbc_);
}

Session::~Session() {
    SQLDisconnect(dbc_.get());
}

} // namespace data::odbc
