#pragma once

#include "data/access/FileLayout.h"
#include "data/access/TableLink.h"

#include <QString>
#include <cstdint>
#include <mdbtools.h>
#include <optional>
#include <vector>

// The tables a file holds, as its system table MSysObjects lists them.
namespace data::access {

class TextDecoder;

struct CatalogTable {
    QString name;
    QString
        type; // "TABLE", "SYSTEM TABLE", "ACCESS TABLE" or "LINK", as the schema rowset names them
    std::uint32_t definitionPage = 0;
    std::optional<TableLink> link; // a linked table, which has no definition of its own here
};

// Every local and linked table in the catalog's order (queries are left out). Throws Damage when
// MSysObjects cannot be read.
std::vector<CatalogTable> readTableCatalog(MdbHandle& mdb, const FileLayout& layout,
                                           TextDecoder& text);

// The kind of table an MSysObjects Flags value marks: the engine's own system tables carry the
// top bit, the ones Access keeps for itself (MSysAccessObjects, MSysNavPane..., MSysIMEX...)
// the "system object" bit 2; other tables are the user's.
QString tableTypeForFlags(std::uint32_t flags);

} // namespace data::access
