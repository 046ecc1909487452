#pragma once

#include "data/access/FileLayout.h"

#include <QString>
#include <cstdint>
#include <mdbtools.h>
#include <vector>

// The tables a file holds, as its system table MSysObjects lists them.
namespace data::access {

class TextDecoder;

struct CatalogTable {
    QString name;
    QString type; // "TABLE", "SYSTEM TABLE" or "ACCESS TABLE", as the schema rowset names them
    std::uint32_t definitionPage = 0;
};

// Every local table in the catalog's order (linked tables and queries are left out). Throws
// Damage when MSysObjects cannot be read.
std::vector<CatalogTable> readTableCatalog(MdbHandle& mdb, const FileLayout& layout,
                                           TextDecoder& text);

// The kind of table an MSysObjects Flags value marks: the engine's own system tables carry the
// top bit, the ones Access keeps for itself (MSysAccessObjects, MSysNavPane..., MSysIMEX...)
// the "system object" bit 2; other tables are the user's.
QString tableTypeForFlags(std::uint32_t flags);

} // namespace data::access
