#include "server/ServerConnection.h"

#include "data/Connection.h"
#include "data/Dialect.h"
#include "data/Recordset.h"
#include "data/odbc/AttributeValue.h"

namespace test::server {

std::shared_ptr<data::Connection> connectToServer(const QString& password) {
    auto connection = std::make_shared<data::Connection>();
    connection->Mode = data::ado::adModeRead;
    connection->Open(data::oracleConnectionString(dataSource().dsn, dataSource().user, password));
    return connection;
}

QString odbcConnectionString(const QString& password) {
    using data::odbc::attributeValue;
    return "DSN=" + attributeValue(dataSource().dsn) + ";UID=" + attributeValue(dataSource().user) +
           ";PWD=" + attributeValue(password);
}

std::shared_ptr<data::Recordset> query(const std::shared_ptr<data::Connection>& connection,
                                       const QString& statement, int cursorType) {
    auto recordset = std::make_shared<data::Recordset>();
    recordset->Open(statement, connection, cursorType, data::ado::adLockReadOnly);
    return recordset;
}

} // namespace test::server
