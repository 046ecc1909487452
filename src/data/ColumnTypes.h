#pragma once

#include <QString>

// How the program knows a column's kind: a conversion keyword from its type code. The keyword
// says whether the column can be grouped at all ("NOTHING" cannot), whether it carries Min, Max,
// Avg and Sum, and how its values are written in conditions.
namespace data {

// "CInt", "CLng", "CDec", "CDbl", "CBool", "CStr", "CDate", or "NOTHING" for every other code.
QString colADTypes(int adoType);

// True exactly for "CCur", "CByte", "CDbl", "CDec", "CInt", "CLng" and "CSng", letter case
// included.
bool ColIsNumeric(const QString& keyword);

} // namespace data
