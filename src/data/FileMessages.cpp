#include "data/FileMessages.h"

namespace data::messages {

Error fileNotFound(const QString& path) {
    return Error(QStringLiteral("Could not find file '%1'.").arg(path));
}

Error cannotOpen(const QString& path, const QString& reason) {
    return Error(QStringLiteral("Cannot open the file '%1': %2.").arg(path, reason));
}

Error noSuchTable(const QString& name) {
    return Error(QStringLiteral("The database engine cannot find the input table or query "
                                "'%1'. Make sure it exists and that its name is spelled "
                                "correctly.")
                     .arg(name));
}

} // namespace data::messages
