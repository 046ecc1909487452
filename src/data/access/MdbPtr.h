#pragma once

#include <mdbtools.h>
#include <memory>

// Ownership of the two libmdb objects the reader holds: the open database file and a table's
// definition. Everything else libmdb hands out lives inside one of these.
namespace data::access {

struct MdbHandleCloser {
    void operator()(MdbHandle* handle) const { mdb_close(handle); }
};
using MdbHandlePtr = std::unique_ptr<MdbHandle, MdbHandleCloser>;

struct MdbTableFreer {
    void operator()(MdbTableDef* table) const { mdb_free_tabledef(table); }
};
using MdbTablePtr = std::unique_ptr<MdbTableDef, MdbTableFreer>;

} // namespace data::access
