#pragma once

#include "data/Ado.h"
#include "server/ServerEnvironment.h"

#include <QString>
#include <memory>

namespace data {
class Connection;
class Recordset;
} // namespace data

namespace test::server {

// A connection to the test server made the way the login makes one: through the Oracle
// provider, whose data source names the server's ODBC data source.
std::shared_ptr<data::Connection> connectToServer(const QString& password = dataSource().password);

// The ODBC connection string of the test server's data source, for the ODBC provider itself.
QString odbcConnectionString(const QString& password = dataSource().password);

std::shared_ptr<data::Recordset> query(const std::shared_ptr<data::Connection>& connection,
                                       const QString& statement,
                                       int cursorType = data::ado::adOpenForwardOnly);

} // namespace test::server
