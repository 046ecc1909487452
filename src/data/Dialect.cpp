#include "data/Dialect.h"

#include "data/ConnectionString.h"

namespace data {

Dialect dialectOf(const QString& providerName) {
    if (providerName == JetProvider)
        return Dialect::Jet;
    if (providerName == OdbcBridgeProvider)
        return Dialect::OdbcBridge;
    if (providerName == OracleProvider)
        return Dialect::Oracle;
    return Dialect::None;
}

QString accessConnectionString(const QString& path) {
    return "Provider=" + JetProvider + ";Data Source= " + ConnectionString::quoteValue(path);
}

QString excelConnectionString(const QString& driver, const QString& path) {
    return "Provider=" + OdbcBridgeProvider + ";Driver=" + ConnectionString::quoteValue(driver) +
           ";DBQ=" + ConnectionString::quoteValue(path);
}

QString oracleConnectionString(const QString& database, const QString& user,
                               const QString& password) {
    // The database always stands between apostrophes; one inside it is written twice.
    QString quotedDatabase = database;
    quotedDatabase.replace('\'', "''");
    return "Provider=" + OracleProvider + ";Data Source ='" + quotedDatabase + "';" +
           "User ID=" + ConnectionString::quoteValue(user) + ";" +
           "Password=" + ConnectionString::quoteValue(password);
}

} // namespace data
