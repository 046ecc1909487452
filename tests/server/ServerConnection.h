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

// A connection to the test server made the way the program makes one: the connection string
// names a provider the tests register, which passes the data source, user and password on to
// the ODBC provider, read-only when the connection's mode is adModeRead.
std::shared_ptr<data::Connection> connectToServer(int mode = data::ado::adModeRead,
                                                  const QString& password = dataSource().password);

std::shared_ptr<data::Recordset> query(const std::shared_ptr<data::Connection>& connection,
                                       const QString& statement,
                                       int cursorType = data::ado::adOpenForwardOnly);

} // namespace test::server
