#pragma once

#include <QString>
#include <QStringList>

namespace data::odbc {

// The program's own driver for .xls, .xlsx and .xlsm workbooks, listed before the installed ODBC
// drivers.
inline const QString BuiltInWorkbookDriver =
    QStringLiteral("Quarrymere Workbook Driver (*.xls, *.xlsx, *.xlsm)");

// The descriptions of the ODBC drivers the program can connect through, in the driver manager's
// order, with the program's own workbook driver listed before the installed ones.
QStringList odbcDriverDescriptions();

// The driver to read workbooks with: the last description holding "xls" in any letter case,
// "" when none does.
QString findExcelDriver(const QStringList& descriptions);

// Whether the program's own workbook driver is listed (on by default); taken out to see the
// program without any workbook driver.
void setBuiltInWorkbookDriverListed(bool listed);

} // namespace data::odbc
