#pragma once

#include "data/access/QueryCatalog.h"
#include "data/jet/TableSource.h"

// A saved query written back as the Jet SELECT it stands for, from its rows of MSysQueries:
//
//   attribute  1 the query's type (Flag: 1 select, 2 make-table, 3 append, 4 update, 5 delete,
//                6 crosstab, 7 data-definition, 8 pass-through, 9 union)
//              2 a parameter (Name1 its name)
//              3 the select's flags (Flag: 1 *, 2 DISTINCT, 8 DISTINCTROW, 16 TOP with its
//                count in Name1, 32 PERCENT)
//              4 another database the tables come from
//              5 a table or query read (Name1 its name, Name2 its alias)
//              6 a column (Expression, Name1 its alias)
//              7 a join (Name1 and Name2 the two sides' names or aliases, Expression the
//                condition, Flag: 1 INNER, 2 LEFT, 3 RIGHT)
//              8 WHERE, 10 HAVING (Expression)
//              9 a GROUP BY term, 11 an ORDER BY term (Expression; Name1 "D" descending)
//
// Joins nest as Access nests them: each join takes the sources holding its two sides, already
// joined or not, and a join between sources joined already adds its condition to theirs.
namespace data::access {

// The query as the engine's view: its SELECT, or, for a query that is no select query, that
// asks for parameters or reads another database, the description of what is not supported.
jet::SourceView queryView(const SavedQuery& query);

} // namespace data::access
