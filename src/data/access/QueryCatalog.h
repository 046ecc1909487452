#pragma once

#include "data/access/FileLayout.h"

#include <QString>
#include <cstdint>
#include <mdbtools.h>
#include <optional>
#include <vector>

// The saved queries a file holds: each query object of MSysObjects with the rows that define it
// in MSysQueries, read through the same checked paths as a table's rows.
namespace data::access {

class TextDecoder;

// One row of MSysQueries; what its fields hold depends on the attribute (see QuerySql.h).
struct QueryRow {
    int attribute = 0;
    QString name1;
    QString name2;
    QString expression;
    std::optional<std::int64_t> flag;
};

struct SavedQuery {
    QString name;
    std::uint32_t flags = 0;    // of its MSysObjects row: the kind of query, among others
    std::vector<QueryRow> rows; // in the order MSysQueries holds them
};

// Whether Access keeps the query out of its lists: the queries it makes itself for the record
// sources of forms and reports and its other temporary objects, named from "~" ("~sq_..."), and
// those flagged hidden or system (DAO's dbHiddenObject and dbSystemObject bits). Such a query
// still answers a statement that names it. Flag 8, which Access 97 sets on queries it shows, is
// no mark of a hidden one.
bool isHiddenQuery(const SavedQuery& query);

// Every query object of MSysObjects in the catalog's order, with its rows of the table
// MSysQueries, whose definition is on `queriesDefinitionPage` (0 for a file without one: its
// queries then have no rows). Throws Damage when either table cannot be read.
std::vector<SavedQuery> readQueryCatalog(MdbHandle& mdb, const FileLayout& layout,
                                         TextDecoder& text, std::uint32_t queriesDefinitionPage);

} // namespace data::access
