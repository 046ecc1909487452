#pragma once

#include "data/workbook/XlsxPackage.h"

#include <QString>
#include <vector>

// The workbook part of a package (.xlsx, .xlsm): the package's relationships name it, and it
// lists the sheets in the workbook's order, each with the part that holds it, and the date
// system; its own relationships name the shared strings and the styles.
namespace data::workbook {

struct XlsxSheetPart {
    QString name;
    QString part;
};

struct XlsxWorkbook {
    // The worksheets in the workbook's order, hidden ones too; chart sheets, dialog sheets and
    // macro sheets hold no table and are left out.
    std::vector<XlsxSheetPart> worksheets;
    bool dates1904 = false;
    QString sharedStrings; // the part's name, empty when there is none
    QString styles;
};

// Fails with data::Error when the package holds no workbook, or its workbook part is damaged.
XlsxWorkbook readXlsxWorkbook(const XlsxPackage& package);

} // namespace data::workbook
