#pragma once

#include "data/ColInfo.h"
#include "data/Dialect.h"

#include <QString>

namespace grid {

// The grid's copied lines end with a line feed, as the tree's do and as Linux programs read lines.
inline const QString GridLineEnd = QStringLiteral("\n");

// What Copy of the grid's columns first to last (grid positions, which are column table
// entries) reads: the header line, the columns' names joined by tabs; and the statement that
// gives each row behind the node as one text. Several columns are joined inside the SQL, by
// " || Chr(9) || " in the Oracle dialect and by " & Chr(9) & " in every other, so the data
// source's own conversion writes their values; a single column comes as it is. The node's
// condition (none for the root) limits the rows.
struct CopyStatement {
    QString header;
    QString sql;
};

// Fails with data::Error "Subscript out of range" for a position outside the column table.
CopyStatement copyStatement(const data::ColInfoTable& columns, int first, int last,
                            const QString& recordSource, data::Dialect dialect,
                            const QString& condition);

} // namespace grid
