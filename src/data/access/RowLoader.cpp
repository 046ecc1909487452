#include "data/access/RowLoader.h"

#include "data/access/LongValueReader.h"
#include "data/access/RowScanner.h"
#include "data/access/TableDefinition.h"
#include "data/access/ValueWriter.h"

namespace data::access {

void loadRows(const TableDefinition& definition, const FileLayout& layout, TextDecoder& text,
              jet::RowSink& sink) {
    MdbHandle& mdb = *definition.table().entry->mdb;
    LongValueReader longValues(mdb, layout);
    ValueWriter writer(mdb, text, longValues);
    RowScanner rows(definition, layout);
    const auto& columns = definition.columns();
    while (rows.next()) {
        for (std::size_t i = 0; i < columns.size(); ++i)
            writer.write(columns[i], rows.field(columns[i].position), static_cast<int>(i), sink);
        sink.endRow();
    }
}

} // namespace data::access
