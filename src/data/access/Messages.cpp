#include "data/access/Messages.h"

namespace data::access::messages {

Error unrecognizedFormat(const QString& path) {
    return Error(QStringLiteral("Unrecognized database format '%1'.").arg(path));
}

Error damaged(const QString& path, const QString& detail) {
    return Error(
        QStringLiteral("The database '%1' is damaged and cannot be read: %2.").arg(path, detail));
}

Error noSuchTable(const QString& name) {
    return Error(QStringLiteral("The database engine cannot find the input table or query "
                                "'%1'. Make sure it exists and that its name is spelled "
                                "correctly.")
                     .arg(name));
}

} // namespace data::access::messages
