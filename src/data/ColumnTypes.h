#pragma once

#include "data/ColInfo.h"

// How the program knows a column's kind: a conversion keyword from its type code. The keyword
// says whether the column can be grouped at all (Nothing cannot), whether it carries Min, Max,
// Avg and Sum, and how its values are written in conditions.
namespace data {

// CInt, CLng, CDec, CDbl, CBool, CStr, CDate, or Nothing for every other code.
Conversion colADTypes(int adoType);

// True for the numeric keywords: CInt, CLng, CDec and CDbl.
bool ColIsNumeric(Conversion conversion);

} // namespace data
