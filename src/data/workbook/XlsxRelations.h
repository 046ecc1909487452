#pragma once

#include "data/workbook/XlsxPackage.h"

#include <QString>
#include <vector>

// How the parts of a workbook package name one another: a part's relationships are kept in the
// part "_rels/NAME.rels" beside it, each an id, a type (a URI whose last segment says what the
// target is: "officeDocument", "worksheet", "chartsheet", "sharedStrings", "styles") and the
// target part, named from the folder of the part that names it.
namespace data::workbook {

struct Relation {
    QString id;
    QString kind;   // the type's last segment, the same in both forms of the format
    QString target; // the part's name in the package
};

// The relationships of the part ("" for the package's own); none when the package has no
// relationship part for it. Links to outside the package are left out.
std::vector<Relation> relationsOf(const XlsxPackage& package, const QString& part);

// The part a target names from the part given: "worksheets/sheet1.xml" from "xl/workbook.xml" is
// "xl/worksheets/sheet1.xml"; "/xl/styles.xml" is named from the package's root; ".." steps up,
// never above the root.
QString targetPart(const QString& source, const QString& target);

} // namespace data::workbook
