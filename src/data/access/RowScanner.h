#pragma once

#include "data/access/FileLayout.h"

#include <cstdint>
#include <mdbtools.h>
#include <vector>

// Walks a table's live rows in the order the table holds them: through the data pages its usage
// map lists, skipping deleted rows, and following a row that grew too big for its page to where
// it lives now. libmdb's own row loop reads the row flags the wrong way round (returning
// deleted rows), so the reader walks the pages itself and uses libmdb to split each row into
// its fields.
namespace data::access {

class TableDefinition;

class RowScanner {
public:
    RowScanner(const TableDefinition& definition, const FileLayout& layout);

    // Moves to the next live row; false after the last one. The row's page is then in the
    // handle's page buffer, and field(i) locates column i's value in it. Throws Damage.
    bool next();
    const MdbField& field(int position) const {
        return fields_[static_cast<std::size_t>(position)];
    }

private:
    bool nextPage();
    void loadPage(std::uint32_t page);
    bool isTablePage() const;
    bool readRow(int row);
    void checkFields() const;

    MdbTableDef& table_;
    MdbHandle& mdb_;
    const FileLayout& layout_;
    std::uint32_t tablePage_;
    std::vector<MdbField> fields_;
    std::uint32_t page_ = 0; // the data page being walked
    int rowsOnPage_ = 0;
    int nextRow_ = 0;
};

} // namespace data::access
