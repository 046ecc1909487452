#pragma once

#include "data/jet/Ast.h"
#include "data/jet/ExprTranslator.h"

#include <QString>

namespace data::jet {

// The rows of a node on a date level are chosen with Format(date column, "mask") = 'text', which
// makes text row by row and so can only be answered by reading every row. The dates that can
// give that text lie in one span, though (March 2001 for "yyyy\/mm" and '2001/03'), and a span
// of a date column is a range an index can search. For such an equality this gives the
// condition that keeps the column within the span, to be joined to the comparison with AND:
// ("OrderDate" >= '2001-03-01 00:00:00' AND "OrderDate" < '2001-04-01 00:00:00'). It is "" for
// any other comparison, or when the text does not tell a span.
QString dateSpanCondition(const Expr& equality, const ExprScope& scope);

} // namespace data::jet
