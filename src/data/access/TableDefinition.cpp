#include "data/access/TableDefinition.h"

#include "data/access/CalculatedColumns.h"
#include "data/access/ChainWalk.h"
#include "data/access/Damage.h"
#include "data/access/LittleEndian.h"
#include "data/access/TextDecoder.h"

#include <cstring>

namespace data::access {

namespace {
constexpr int NextPageOffset = 4;
constexpr int ContinuationHeader = 8; // a further definition page's own header
constexpr unsigned char ReferenceMap = 1;

// libmdb reads a page number just past the last page as a page of zeros, and a table read
// that way silently loses its columns or rows. So before libmdb reads a definition, the pages
// it will touch are checked here: the chain of definition pages, which must end without
// looping, and the pages holding the lists of the table's pages.
// Returns the definition as libmdb reads it: each further page's header skipped. Its size is
// bounded by the file's, since the chain never comes back to a page.
QByteArray checkDefinitionPages(MdbHandle& mdb, const FileLayout& layout, const QString& name,
                                std::uint32_t page) {
    const auto broken = [&](const QString& what) {
        return Damage(QStringLiteral("the definition of table '%1' %2").arg(name, what));
    };
    ChainWalk chain(QStringLiteral("the definition of table '%1'").arg(name));
    QByteArray definition;
    const auto pageSize = static_cast<qsizetype>(mdb.fmt->pg_size);
    for (std::uint32_t chained = 0; page != 0; ++chained) {
        if (!layout.holdsPage(page))
            throw broken(QStringLiteral("lies beyond the end of the file"));
        chain.step(page);
        if (mdb_read_pg(&mdb, page) != mdb.fmt->pg_size || mdb.pg_buf[0] != MDB_PAGE_TABLE)
            throw broken(QStringLiteral("is garbled"));
        if (chained == 0) {
            for (const int offset : {mdb.fmt->tab_usage_map_offset, mdb.fmt->tab_free_map_offset})
                if (!layout.holdsPage(readLittleEndian<std::uint32_t>(mdb.pg_buf + offset) >> 8))
                    throw broken(QStringLiteral("points beyond the end of the file"));
        }
        const qsizetype skipped = chained == 0 ? 0 : ContinuationHeader;
        definition.append(reinterpret_cast<const char*>(mdb.pg_buf) + skipped, pageSize - skipped);
        page = readLittleEndian<std::uint32_t>(mdb.pg_buf + NextPageOffset);
    }
    return definition;
}

// The column descriptors follow one entry per index, then come the columns' names, each after
// its length; the counts and lengths are read from the file and must fit in the definition's
// pages, or libmdb would read on past the chain's end into pages of other objects.
void checkColumnsFit(const MdbHandle& mdb, const MdbTableDef& table, const QByteArray& definition,
                     const QString& name) {
    const MdbFormatConstants& format = *mdb.fmt;
    std::uint64_t at =
        format.tab_cols_start_offset +
        std::uint64_t(table.num_real_idxs) * std::uint64_t(format.tab_ridx_entry_size) +
        std::uint64_t(table.num_cols) * std::uint64_t(format.tab_col_entry_size);
    const std::uint64_t lengthBytes = mdb.f->jet_version == MDB_VER_JET3 ? 1 : 2;
    const auto size = static_cast<std::uint64_t>(definition.size());
    const auto* bytes = reinterpret_cast<const unsigned char*>(definition.constData());
    for (unsigned column = 0; column < table.num_cols && at <= size; ++column) {
        if (at + lengthBytes > size)
            at = size + 1;
        else
            at += lengthBytes + (lengthBytes == 1 ? bytes[at] : bytes[at] | bytes[at + 1] << 8);
    }
    if (at > size)
        throw Damage(QStringLiteral("the definition of table '%1' is cut short").arg(name));
}

// A large table lists its pages in separate map pages, whose numbers must lie in the file.
void checkMapPages(const MdbTableDef& table, const FileLayout& layout, const QString& name) {
    if (table.usage_map[0] != ReferenceMap)
        return;
    for (std::size_t at = 1; at + 4 <= table.map_sz; at += 4) {
        if (!layout.holdsPage(readLittleEndian<std::uint32_t>(table.usage_map + at)))
            throw Damage(QStringLiteral("the page list of table '%1' points beyond the end of "
                                        "the file")
                             .arg(name));
    }
}
} // namespace

TableDefinition::TableDefinition(MdbHandle& mdb, const FileLayout& layout, const QString& name,
                                 std::uint32_t definitionPage, const TextDecoder& text)
    : definitionPage_(definitionPage) {
    const QByteArray definition = checkDefinitionPages(mdb, layout, name, definitionPage);
    entry_.mdb = &mdb;
    entry_.object_type = MDB_TABLE;
    entry_.table_pg = definitionPage;
    const QByteArray utf8 = name.toUtf8().left(MDB_MAX_OBJ_NAME);
    std::memcpy(entry_.object_name, utf8.constData(), static_cast<std::size_t>(utf8.size()));

    table_.reset(mdb_read_table(&entry_));
    if (!table_)
        throw Damage(QStringLiteral("the definition of table '%1' cannot be read").arg(name));
    checkColumnsFit(mdb, *table_, definition, name);
    if (table_->num_cols > MDB_MAX_COLS || !mdb_read_columns(table_.get()) ||
        table_->columns->len != table_->num_cols)
        throw Damage(QStringLiteral("the columns of table '%1' cannot be read").arg(name));
    // A usage-map reference to an empty or missing row leaves libmdb's table without a map.
    if (!table_->usage_map || table_->map_sz < 1)
        throw Damage(
            QStringLiteral("the definition of table '%1' names no list of its pages").arg(name));
    checkMapPages(*table_, layout, name);
    planColumns(text, calculatedColumns(mdb, layout, *table_, definitionPage));
}

void TableDefinition::planColumns(const TextDecoder& text, const std::set<int>& calculated) {
    for (unsigned i = 0; i < table_->num_cols; ++i) {
        const auto* column = static_cast<const MdbColumn*>(g_ptr_array_index(table_->columns, i));
        const ColumnPlan plan =
            planColumn(*column, static_cast<int>(i), text.fromLibrary(column->name),
                       calculated.contains(column->col_num));
        if (column->is_fixed && column->col_size < plan.storedSize)
            throw Damage(QStringLiteral("column '%1' has an impossible size").arg(plan.name));
        columns_.push_back(plan);
    }
}

} // namespace data::access
