#pragma once

#include "data/jet/Ast.h"

namespace data::jet {

// Parses one Jet SELECT statement: its sources may be joined (INNER, LEFT, RIGHT JOIN ... ON)
// or listed with commas, and its expressions may hold subqueries ((SELECT ...), In (SELECT ...)).
// Anything else, and any syntax error, fails with data::Error carrying a description in Jet's
// own words that names the clause or the expression at fault.
SelectStatement parseSelect(const QString& sql);

} // namespace data::jet
