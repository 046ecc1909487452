#pragma once

#include "data/Ado.h"
#include "server/ServedDatabase.h"

#include <QString>
#include <memory>

namespace data {
class Connection;
class Recordset;
} // namespace data

// The server tests' data source: a served database (see ServedDatabase) holding the tables of
// sample-data.sql, started once per test process before the first test and stopped after the
// last. When it cannot be set up, the process fails with the reason at the top of its output.
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
