#include "data/workbook/SheetList.h"

namespace data::workbook {

std::vector<TableEntry> systemTables(const QStringList& tableNames) {
    std::vector<TableEntry> entries;
    entries.reserve(static_cast<std::size_t>(tableNames.size()));
    for (const QString& name : tableNames)
        entries.push_back({name, QStringLiteral("SYSTEM TABLE")});
    return entries;
}

qsizetype indexOfTable(const QStringList& tableNames, const QString& name) {
    for (qsizetype i = 0; i < tableNames.size(); ++i)
        if (tableNames[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

} // namespace data::workbook
