#include "data/odbc/DriverList.h"

#include "data/odbc/InstalledDrivers.h"

namespace data::odbc {

namespace {
bool builtInListed = true;
} // namespace

QStringList odbcDriverDescriptions() {
    QStringList descriptions;
    if (builtInListed)
        descriptions << BuiltInWorkbookDriver;
    return descriptions + installedDrivers();
}

QString findExcelDriver(const QStringList& descriptions) {
    QString found;
    for (const QString& description : descriptions)
        if (!description.trimmed().isEmpty() && description.contains("xls", Qt::CaseInsensitive))
            found = description;
    return found;
}

void setBuiltInWorkbookDriverListed(bool listed) {
    builtInListed = listed;
}

} // namespace data::odbc
