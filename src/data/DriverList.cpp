#include "data/DriverList.h"

namespace data {

namespace {
bool builtInListed = true;
} // namespace

QStringList odbcDriverDescriptions() {
    QStringList descriptions;
    if (builtInListed)
        descriptions << QStringLiteral("Quarrymere Workbook Driver (*.xls)");
    return descriptions;
}

QString findExcelDriver(const QStringList& descriptions) {
    QString found;
    for (const QString& description : descriptions)
        if (!description.trimmed().isEmpty() && description.contains("xls", Qt::CaseInsensitive))
            found = description;
    return found;
}

void setBuiltInWorkbookDriverListed(bool listed) { builtInListed = listed; }

} // namespace data
