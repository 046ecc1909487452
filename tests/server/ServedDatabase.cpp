#include "server/ServedDatabase.h"

#include <QFile>
#include <stdexcept>

namespace test::server {

namespace {

void write(const QString& path, const QString& text) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text) || file.write(text.toUtf8()) < 0)
        throw std::runtime_error("Cannot write " + path.toStdString());
}

} // namespace

const DataSource& dataSource() {
    static const DataSource source{"quarrymere_pg", "quarry", " Se;cr{e}t"};
    return source;
}

ServedDatabase::ServedDatabase(const QString& setupSql, Results results) {
    const QString database = "quarry", driver = "PostgreSQL Unicode";
    const DataSource& source = dataSource();
    cluster_.start();
    cluster_.runSql("postgres",
                    QStringLiteral("CREATE ROLE %1 LOGIN PASSWORD '%2';\n"
                                   "CREATE DATABASE %3 OWNER %1 STRATEGY FILE_COPY;\n")
                        .arg(source.user, QString(source.password).replace("'", "''"), database));
    cluster_.runSql(database, "SET ROLE " + source.user + ";\n" + setupSql);

    if (!odbcFolder_.isValid())
        throw std::runtime_error("Cannot make a temporary folder for the ODBC settings.");
    write(odbcFolder_.filePath("odbcinst.ini"),
          "[" + driver + "]\nDriver=/usr/lib/x86_64-linux-gnu/odbc/psqlodbcw.so\n");
    // BoolsAsChar=0 reports booleans as bits instead of text.
    write(
        odbcFolder_.filePath("odbc.ini"),
        QStringLiteral("[%1]\nDriver=%2\nServername=%3\nPort=%4\nDatabase=%5\nBoolsAsChar=0\n%6")
            .arg(source.dsn, driver, cluster_.socketDirectory())
            .arg(PostgresCluster::Port)
            .arg(database, results == Results::InBatches ? "UseDeclareFetch=1\nFetch=256\n" : ""));
    qputenv("ODBCSYSINI", QFile::encodeName(odbcFolder_.path()));
    qputenv("ODBCINI", QFile::encodeName(odbcFolder_.filePath("odbc.ini")));
}

} // namespace test::server
