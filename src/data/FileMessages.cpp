#include "data/FileMessages.h"

#include <QFileInfo>

namespace data::messages {

Error fileNotFound(const QString& path) {
    return Error(QStringLiteral("Could not find file '%1'.").arg(path));
}

Error cannotOpen(const QString& path, const QString& reason) {
    return Error(QStringLiteral("Cannot open the file '%1': %2.").arg(path, reason));
}

void requireReadableFile(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists())
        throw fileNotFound(path);
    if (info.isDir())
        throw cannotOpen(path, QStringLiteral("it is a folder, not a file"));
    if (!info.isFile())
        throw cannotOpen(path, QStringLiteral("it is a device or other special file, not a "
                                              "regular file"));
    if (!info.isReadable())
        throw cannotOpen(path, QStringLiteral("you have no permission to read it"));
}

Error noSuchTable(const QString& name) {
    return Error(QStringLiteral("The database engine cannot find the input table or query "
                                "'%1'. Make sure it exists and that its name is spelled "
                                "correctly.")
                     .arg(name));
}

} // namespace data::messages
