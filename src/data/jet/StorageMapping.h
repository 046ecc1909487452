#pragma once

#include "data/jet/Catalog.h"

// How a column of each type code sits in the engine's tables.
namespace data::jet {

// Whole numbers as Integer, Boolean (-1/0), Single and Double as Real, Numeric and Decimal as
// Integer without decimals and Real with them, Currency scaled to an exact integer, dates as
// text, character types as JETTEXT text, and everything else (Binary, OLE Object, Replication
// ID, unknown codes) as Blob.
Storage storageFor(int adoType, int scale);

// The column type of a CREATE TABLE statement: "INTEGER", "TEXT COLLATE JETTEXT", ...
const char* declaredType(Storage storage);

} // namespace data::jet
