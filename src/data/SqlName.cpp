#include "data/SqlName.h"

#include <QSet>

namespace data {

namespace {

// The words an Oracle server reserves: a column or table of such a name was made in quotes and
// is read only in quotes.
bool isOracleReserved(const QString& name) {
    static const QSet<QString> words = {
        "ACCESS",    "ADD",     "ALL",        "ALTER",      "AND",        "ANY",       "AS",
        "ASC",       "AUDIT",   "BETWEEN",    "BY",         "CHAR",       "CHECK",     "CLUSTER",
        "COLUMN",    "COMMENT", "COMPRESS",   "CONNECT",    "CREATE",     "CURRENT",   "DATE",
        "DECIMAL",   "DEFAULT", "DELETE",     "DESC",       "DISTINCT",   "DROP",      "ELSE",
        "EXCLUSIVE", "EXISTS",  "FILE",       "FLOAT",      "FOR",        "FROM",      "GRANT",
        "GROUP",     "HAVING",  "IDENTIFIED", "IMMEDIATE",  "IN",         "INCREMENT", "INDEX",
        "INITIAL",   "INSERT",  "INTEGER",    "INTERSECT",  "INTO",       "IS",        "LEVEL",
        "LIKE",      "LOCK",    "LONG",       "MAXEXTENTS", "MINUS",      "MLSLABEL",  "MODE",
        "MODIFY",    "NOAUDIT", "NOCOMPRESS", "NOT",        "NOWAIT",     "NULL",      "NUMBER",
        "OF",        "OFFLINE", "ON",         "ONLINE",     "OPTION",     "OR",        "ORDER",
        "PCTFREE",   "PRIOR",   "PUBLIC",     "RAW",        "RENAME",     "RESOURCE",  "REVOKE",
        "ROW",       "ROWID",   "ROWNUM",     "ROWS",       "SELECT",     "SESSION",   "SET",
        "SHARE",     "SIZE",    "SMALLINT",   "START",      "SUCCESSFUL", "SYNONYM",   "SYSDATE",
        "TABLE",     "THEN",    "TO",         "TRIGGER",    "UID",        "UNION",     "UNIQUE",
        "UPDATE",    "USER",    "VALIDATE",   "VALUES",     "VARCHAR",    "VARCHAR2",  "VIEW",
        "WHENEVER",  "WHERE",   "WITH"};
    return words.contains(name);
}

bool isUpper(QChar c) {
    return c >= u'A' && c <= u'Z';
}

bool readsBareInOracle(const QString& name) {
    if (name.isEmpty() || !isUpper(name[0]) || isOracleReserved(name))
        return false;
    for (const QChar c : name)
        if (!isUpper(c) && !(c >= u'0' && c <= u'9') && c != u'_' && c != u'$' && c != u'#')
            return false;
    return true;
}

QString enclosed(const QString& name, QChar open, QChar close) {
    QString doubled = name;
    doubled.replace(close, QString(2, close));
    return open + doubled + close;
}

} // namespace

QString bracketedName(const QString& name) {
    return enclosed(name, u'[', u']');
}

QString oracleName(const QString& name) {
    return readsBareInOracle(name) ? name : enclosed(name, u'"', u'"');
}

QString sqlName(const QString& name, Dialect dialect) {
    return dialect == Dialect::Oracle ? oracleName(name) : bracketedName(name);
}

QString nameOf(const QString& written) {
    const auto inner = [&](QChar close) {
        return written.mid(1, written.size() - 2).replace(QString(2, close), QString(close));
    };
    if (written.size() >= 2 && written.startsWith(u'[') && written.endsWith(u']'))
        return inner(u']');
    if (written.size() >= 2 && written.startsWith(u'"') && written.endsWith(u'"'))
        return inner(u'"');
    return written;
}

} // namespace data
