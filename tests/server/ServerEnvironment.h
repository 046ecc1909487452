#pragma once

#include <QString>

// The server tests' data source: a private PostgreSQL server started once per test process,
// before the first test, and stopped after the last (see PostgresCluster). The server holds
// the database of sample-data.sql, owned by a user with a password. A temporary odbcinst.ini
// names psqlODBC's Unicode driver and a temporary odbc.ini a data source on the server's socket;
// ODBCSYSINI and ODBCINI point the driver manager at them before the first ODBC call. When the
// server cannot be set up, the process fails with the reason at the top of its output (a failure
// rather than a fatal one, which would make gtest report the tests as skipped).
namespace test::server {

struct DataSource {
    QString dsn;
    QString user;
    QString password; // with the characters connection strings must quote
};

const DataSource& dataSource();

} // namespace test::server
