#pragma once

#include "data/jet/vb/SqlCall.h"

#include <span>

struct sqlite3;

// The VB functions the Jet dialect's queries call, registered under the names the translator
// writes: vb_format, vb_cdate, vb_left, ... Each follows VB: a Null argument gives Null (but for
// vb_concat and vb_nz), dates arrive as the engine's text 'YYYY-MM-DD HH:MM:SS' (or 'YYYY-MM-DD')
// and leave vb_cdate the same way, truth values are Jet's -1 and 0 (vb_cbool, vb_like), and a
// value that cannot be converted fails the query with VB's message ("Type mismatch", "Overflow",
// "Invalid procedure call or argument").
//
// All are registered as deterministic: the regional settings they follow are fixed for the life
// of the engine.
namespace data::jet::vb {

class RegionalSettings;

// Len, Left, Right, Mid, UCase, LCase, Trim, Chr, CStr, Nz, Like and the & operator. CStr has
// a second form, vb_cstr(value, type code), that the translator writes for dates, Booleans and
// Singles, whose text the value alone does not tell; & joins its operands' text in that form.
std::span<const FunctionDefinition> textFunctions();
// CInt, CLng, CDbl, CCur, CBool.
std::span<const FunctionDefinition> conversionFunctions();
// CDate, Year, Month, Day, Hour, Minute, Second, Format.
std::span<const FunctionDefinition> dateFunctions();

// SQLite's result code. `regional` must outlive the database.
int registerVbFunctions(sqlite3* db, const RegionalSettings& regional);

} // namespace data::jet::vb
