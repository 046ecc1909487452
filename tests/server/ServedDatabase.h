#pragma once

#include "server/PostgresCluster.h"

#include <QString>
#include <QTemporaryDir>
#include <memory>

// A private PostgreSQL server (see PostgresCluster) holding one database, owned by a user with a
// password and filled by the given SQL, run as that user. A temporary odbcinst.ini names
// psqlODBC's Unicode driver and a temporary odbc.ini a data source on the server's socket;
// ODBCSYSINI and ODBCINI point the driver manager at them, so this must be made before the first
// ODBC call. Failures throw std::runtime_error with the reason.
//
// In batches, psqlODBC reads a result 256 rows at a time (UseDeclareFetch), as Oracle's driver
// does, so that a statement's first rows arrive before its last are read; whole, it reads the
// result into memory before handing over the first row.
namespace test::server {

struct DataSource {
    QString dsn;
    QString user;
    QString password; // with the characters connection strings must quote
};

// The user and the data source name every served database uses.
const DataSource& dataSource();

class ServedDatabase {
public:
    enum class Results { InBatches, Whole };
    explicit ServedDatabase(const QString& setupSql, Results results = Results::InBatches);

private:
    PostgresCluster cluster_;
    QTemporaryDir odbcFolder_;
};

} // namespace test::server
