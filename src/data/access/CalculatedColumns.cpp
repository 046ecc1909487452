#include "data/access/CalculatedColumns.h"

#include "data/access/Damage.h"
#include "data/access/LittleEndian.h"

#include <vector>

namespace data::access {

namespace {
constexpr int NextPageOffset = 4;
// A definition that runs over several pages continues after each further page's header.
constexpr int ContinuationHeader = 8;
// In a Jet 4 / ACE column descriptor, the byte after the flags carries more flags; a calculated
// column has its top bits set.
constexpr int ExtendedFlagsOffset = 16;
constexpr unsigned char CalculatedMask = 0xC0;
} // namespace

std::set<int> calculatedColumns(MdbHandle& mdb, const FileLayout& layout, const MdbTableDef& table,
                                std::uint32_t definitionPage) {
    if (layout.jet3)
        return {};
    const MdbFormatConstants& format = *mdb.fmt;
    const std::size_t first = format.tab_cols_start_offset +
                              std::size_t(table.num_real_idxs) * format.tab_ridx_entry_size;
    const std::size_t needed = first + std::size_t(table.num_cols) * format.tab_col_entry_size;
    // The definition as one run of bytes, as libmdb reads it; never longer than its pages.
    std::vector<unsigned char> definition;
    std::uint32_t page = definitionPage;
    for (std::uint32_t chained = 0; page != 0 && definition.size() < needed; ++chained) {
        if (!layout.holdsPage(page) || chained >= layout.pageCount ||
            mdb_read_pg(&mdb, page) != format.pg_size)
            throw Damage(QStringLiteral("the columns of table '%1' cannot be read")
                             .arg(QString::fromUtf8(table.name)));
        const int skip = chained == 0 ? 0 : ContinuationHeader;
        definition.insert(definition.end(), mdb.pg_buf + skip, mdb.pg_buf + format.pg_size);
        page = readLittleEndian<std::uint32_t>(mdb.pg_buf + NextPageOffset);
    }
    if (definition.size() < needed)
        throw Damage(QStringLiteral("the column list of table '%1' is cut short")
                         .arg(QString::fromUtf8(table.name)));
    std::set<int> calculated;
    for (std::size_t i = 0; i < table.num_cols; ++i) {
        const unsigned char* descriptor = definition.data() + first + i * format.tab_col_entry_size;
        if (descriptor[ExtendedFlagsOffset] & CalculatedMask)
            calculated.insert(readLittleEndian<std::uint16_t>(descriptor + format.col_num_offset));
    }
    return calculated;
}

} // namespace data::access
