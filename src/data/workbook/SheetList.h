#pragma once

#include "data/TableEntry.h"

#include <QStringList>
#include <vector>

// The list of a workbook's tables, one for each worksheet, as both kinds of workbook give it.
namespace data::workbook {

// Each table of type "SYSTEM TABLE", in the workbook's order.
std::vector<TableEntry> systemTables(const QStringList& tableNames);
// The table's place in the list, its name compared without regard to case; -1 when it is not
// there.
qsizetype indexOfTable(const QStringList& tableNames, const QString& name);

} // namespace data::workbook
