#include "data/access/Messages.h"

namespace data::access::messages {

Error unrecognizedFormat(const QString& path) {
    return Error(QStringLiteral("Unrecognized database format '%1'.").arg(path));
}

Error damaged(const QString& path, const QString& detail) {
    return Error(
        QStringLiteral("The database '%1' is damaged and cannot be read: %2.").arg(path, detail));
}

} // namespace data::access::messages
