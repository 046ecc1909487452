#include "data/access/TableLink.h"

#include "data/access/Messages.h"

#include <QDir>
#include <QFileInfo>

namespace data::access {

QString linkedFilePath(const QString& tableName, const TableLink& link,
                       const QString& databasePath) {
    const QDir folder = QFileInfo(databasePath).dir();
    const QFileInfo stored(folder, link.database);
    if (!link.database.isEmpty() && stored.isFile())
        return stored.absoluteFilePath();
    // Access writes the path of the machine that made the link, often with backslashes.
    const QString fileName = QString(link.database).replace('\\', '/').section('/', -1);
    const QFileInfo beside(folder, fileName);
    if (!fileName.isEmpty() && beside.isFile())
        return beside.absoluteFilePath();
    throw messages::linkedFileMissing(tableName, link.database, beside.absoluteFilePath());
}

} // namespace data::access
