#pragma once

#include <QString>
#include <QStringList>

// The names of a worksheet's columns, made from the texts of its header row.
//
// A blank header (an empty cell, or text of blanks only) names its column "F" and the column's
// 1-based position in the table: F1, F2, ... Every other header names its column as written.
// Names must differ regardless of case, as the engine compares them. Each name keeps its first
// column; every later column of the same name gets the smallest number from 1 up appended that
// gives a name no other column has: "Name", "Name", "name" become "Name", "Name1", "name2".
namespace data::workbook {

QStringList columnNames(const QStringList& headers);

} // namespace data::workbook
