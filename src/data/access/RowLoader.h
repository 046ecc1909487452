#pragma once

#include "data/access/FileLayout.h"
#include "data/jet/TableSource.h"

#include <mdbtools.h>

// Pushes every live row of a table into a RowSink; sink column i is the definition's column i.
namespace data::access {

class TableDefinition;
class TextDecoder;

// Throws Damage when a page, row or value does not hold together.
void loadRows(const TableDefinition& definition, const FileLayout& layout, TextDecoder& text,
              jet::RowSink& sink);

} // namespace data::access
