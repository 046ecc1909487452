#include "data/access/Messages.h"

namespace data::access::messages {

Error unrecognizedFormat(const QString& path) {
    return Error(QStringLiteral("Unrecognized database format '%1'.").arg(path));
}

Error damaged(const QString& path, const QString& detail) {
    return Error(
        QStringLiteral("The database '%1' is damaged and cannot be read: %2.").arg(path, detail));
}

Error linkedFileMissing(const QString& table, const QString& storedPath, const QString& beside) {
    return Error(QStringLiteral("The table '%1' is linked to the database '%2', which cannot be "
                                "found, and there is no '%3' either.")
                     .arg(table, storedPath, beside));
}

Error linkedTableMissing(const QString& table, const QString& foreignName, const QString& path) {
    return Error(QStringLiteral("The table '%1' is linked to the table '%2' of the database '%3', "
                                "which holds no such table.")
                     .arg(table, foreignName, path));
}

Error odbcLink(const QString& table) {
    return Error(QStringLiteral("The table '%1' is a link to an ODBC data source, which is not "
                                "followed. Connect to that data source itself to explore it.")
                     .arg(table));
}

Error linkLoop(const QString& table) {
    return Error(QStringLiteral("The table '%1' is a link that leads back to itself or through "
                                "too many other links.")
                     .arg(table));
}

} // namespace data::access::messages
