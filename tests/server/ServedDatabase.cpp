#include "server/ServedDatabase.h"

#include <QFile>
#include <stdexcept>

namespace test::server {

namespace {

const QString Database = QStringLiteral("quarry");
const QString Driver = QStringLiteral("PostgreSQL Unicode");
const QString DriverLibrary = QStringLiteral("/usr/lib/x86_64-linux-gnu/odbc/psqlodbcw.so");

QString sqlText(const QString& text) {
    return QLatin1Char('\'') + QString(text).replace("'", "''") + QLatin1Char('\'');
}

void write(const QString& path, const QString& text) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text) || file.write(text.toUtf8()) < 0)
        throw std::runtime_error("Cannot write " + path.toStdString());
}

} // namespace

const DataSource& dataSource() {
    static const DataSource source{QStringLiteral("quarrymere_pg"), QStringLiteral("quarry"),
                                   QStringLiteral(" Se;cr{e}t")};
    return source;
}

ServedDatabase::ServedDatabase(const QString& setupSql, Results results)
    : cluster_(std::make_unique<PostgresCluster>()) {
    cluster_->start();
    const DataSource& source = dataSource();
    cluster_->runSql("postgres", QStringLiteral("CREATE ROLE %1 LOGIN PASSWORD %2;\n"
                                                "CREATE DATABASE %3 OWNER %1 STRATEGY FILE_COPY;\n")
                                     .arg(source.user, sqlText(source.password), Database));
    cluster_->runSql(Database, "SET ROLE " + source.user + ";\n" + setupSql);
    pointDriverManagerAtDataSource(results);
}

ServedDatabase::~ServedDatabase() = default;

void ServedDatabase::pointDriverManagerAtDataSource(Results results) {
    if (!odbcFolder_.isValid())
        throw std::runtime_error("Cannot make a temporary folder for the ODBC settings.");
    write(odbcFolder_.filePath("odbcinst.ini"),
          QStringLiteral("[%1]\nDescription=PostgreSQL\nDriver=%2\n").arg(Driver, DriverLibrary));
    // BoolsAsChar=0 reports booleans as bits instead of text.
    write(odbcFolder_.filePath("odbc.ini"),
          QStringLiteral("[%1]\nDriver=%2\nServername=%3\nPort=%4\nDatabase=%5\n"
                         "BoolsAsChar=0\n%6")
              .arg(dataSource().dsn, Driver, cluster_->socketDirectory())
              .arg(PostgresCluster::Port)
              .arg(Database, results == Results::InBatches
                                 ? QStringLiteral("UseDeclareFetch=1\nFetch=256\n")
                                 : QString()));
    qputenv("ODBCSYSINI", QFile::encodeName(odbcFolder_.path()));
    qputenv("ODBCINI", QFile::encodeName(odbcFolder_.filePath("odbc.ini")));
}

} // namespace test::server
