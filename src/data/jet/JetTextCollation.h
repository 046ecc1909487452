#pragma once

struct sqlite3;

// The collation "JETTEXT" that the engine declares text columns with: Jet's comparison of text
// without regard to case (see data/TextCollation.h).
namespace data::jet {

// Registers it on the database; SQLite's result code.
int registerJetTextCollation(sqlite3* db);

} // namespace data::jet
