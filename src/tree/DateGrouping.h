#pragma once

#include "data/DateGroup.h"
#include "data/Dialect.h"

#include <QString>
#include <QVariant>

// Grouping date columns by a granularity, and selecting the rows of one group, in the SQL of the
// connection's dialect. The database evaluates the functions written here.
namespace tree {

// The expression a level on a date column groups by: the column itself under "None", otherwise
// the column formatted with the granularity's mask ("Format([OrderDate], "yyyy\/mm")" for Jet).
// "" for an unknown dialect.
QString TreeBuildDate(const QString& column, data::DateGroup dateGroup, data::Dialect dialect);

// The condition that selects the rows of one date group. `value` is the group's text (such as
// "2001/03") or, under "None", the date itself, which is written in a form each dialect reads
// back exactly. Quotes inside the value are doubled. "" for an unknown dialect.
QString MakeFilterDate(const QString& column, const QVariant& value, data::DateGroup dateGroup,
                       data::Dialect dialect);

} // namespace tree
