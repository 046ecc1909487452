#pragma once

#include "data/access/FileLayout.h"

#include <cstdint>
#include <mdbtools.h>
#include <set>

// Which of a table's columns are calculated (Access 2010 and later): the value such a column
// holds is the expression's last result, kept by Access in the row. libmdb does not read the
// descriptor byte that marks them, so the reader reads the column descriptors itself.
namespace data::access {

// The column numbers (libmdb's col_num) of the calculated columns; none in a Jet 3 file, whose
// descriptors have no such byte. Throws Damage when the descriptors lie beyond the definition.
std::set<int> calculatedColumns(MdbHandle& mdb, const FileLayout& layout, const MdbTableDef& table,
                                std::uint32_t definitionPage);

} // namespace data::access
