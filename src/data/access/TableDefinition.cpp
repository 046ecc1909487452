#include "data/access/TableDefinition.h"

#include "data/access/Damage.h"
#include "data/access/TextDecoder.h"

#include <cstring>

namespace data::access {

TableDefinition::TableDefinition(MdbHandle& mdb, const FileLayout& layout, const QString& name,
                                 std::uint32_t definitionPage, const TextDecoder& text)
    : definitionPage_(definitionPage) {
    if (!layout.holdsPage(definitionPage))
        throw Damage(QStringLiteral("the definition of table '%1' lies beyond the end of the "
                                    "file")
                         .arg(name));
    entry_.mdb = &mdb;
    entry_.object_type = MDB_TABLE;
    entry_.table_pg = definitionPage;
    const QByteArray utf8 = name.toUtf8().left(MDB_MAX_OBJ_NAME);
    std::memcpy(entry_.object_name, utf8.constData(), static_cast<std::size_t>(utf8.size()));

    table_.reset(mdb_read_table(&entry_));
    if (!table_)
        throw Damage(QStringLiteral("the definition of table '%1' cannot be read").arg(name));
    if (table_->num_cols > MDB_MAX_COLS || !mdb_read_columns(table_.get()) ||
        table_->columns->len != table_->num_cols)
        throw Damage(QStringLiteral("the columns of table '%1' cannot be read").arg(name));
    planColumns(text);
}

void TableDefinition::planColumns(const TextDecoder& text) {
    for (unsigned i = 0; i < table_->num_cols; ++i) {
        const auto* column = static_cast<const MdbColumn*>(g_ptr_array_index(table_->columns, i));
        const auto plan = planColumn(*column, static_cast<int>(i), text.fromLibrary(column->name));
        if (!plan)
            continue;
        if (column->is_fixed && column->col_size < plan->storedSize)
            throw Damage(QStringLiteral("column '%1' has an impossible size").arg(plan->name));
        columns_.push_back(*plan);
    }
}

} // namespace data::access
