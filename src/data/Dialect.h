#pragma once

#include <QString>

// The provider a connection was opened with decides how the program writes names and SQL: the
// dialect switch. Provider names compare exactly, letter case included.
namespace data {

inline const QString JetProvider = QStringLiteral("Microsoft.Jet.OLEDB.4.0");
inline const QString OdbcBridgeProvider = QStringLiteral("MSDASQL.1");
inline const QString OracleProvider = QStringLiteral("MSDAORA.1");

enum class Dialect { None, Jet, OdbcBridge, Oracle };

Dialect dialectOf(const QString& providerName);

// The connection strings of the three connect commands. Values that would break the string (a
// ";", a quote, blanks at either end) are quoted so that they arrive intact; ordinary values
// are written as they are.
QString accessConnectionString(const QString& path);
QString excelConnectionString(const QString& driver, const QString& path);
QString oracleConnectionString(const QString& database, const QString& user,
                               const QString& password);

} // namespace data
