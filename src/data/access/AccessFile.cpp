#include "data/access/AccessFile.h"

#include "data/access/Damage.h"
#include "data/access/Messages.h"
#include "data/access/QuerySql.h"
#include "data/access/RowLoader.h"
#include "data/access/TableDefinition.h"
#include "data/access/TextDecoder.h"

#include <QFile>

namespace data::access {

AccessFile::AccessFile(const QString& path) : layout_(layoutOf(path)) {
    mdb_.reset(mdb_open(QFile::encodeName(layout_.path).constData(), MDB_NOFLAGS));
    if (!mdb_)
        throw messages::unrecognizedFormat(layout_.path);
    text_ = std::make_unique<TextDecoder>(*mdb_);
    try {
        tables_ = readTableCatalog(*mdb_, layout_, *text_);
    } catch (const Damage& damage) {
        throw messages::damaged(
            layout_.path,
            QStringLiteral("its list of tables cannot be read (%1)").arg(damage.detail()));
    }
    try {
        const CatalogTable* definitions = find(QStringLiteral("MSysQueries"));
        queries_ =
            readQueryCatalog(*mdb_, layout_, *text_, definitions ? definitions->definitionPage : 0);
    } catch (const Damage& damage) {
        throw messages::damaged(
            layout_.path,
            QStringLiteral("its list of queries cannot be read (%1)").arg(damage.detail()));
    }
}

AccessFile::~AccessFile() = default;

std::vector<TableEntry> AccessFile::tableEntries() const {
    std::vector<TableEntry> entries;
    entries.reserve(tables_.size());
    for (const CatalogTable& table : tables_)
        entries.push_back({table.name, table.type});
    for (const SavedQuery& query : queries_)
        entries.push_back({query.name, QStringLiteral("VIEW")});
    return entries;
}

std::optional<jet::SourceView> AccessFile::view(const QString& name) {
    for (const SavedQuery& query : queries_)
        if (query.name.compare(name, Qt::CaseInsensitive) == 0)
            return queryView(query);
    return std::nullopt;
}

QStringList AccessFile::tableNames() {
    QStringList names;
    for (const CatalogTable& table : tables_)
        names.append(table.name);
    return names;
}

std::optional<jet::SourceTable> AccessFile::describe(const QString& name) {
    const CatalogTable* table = find(name);
    if (!table)
        return std::nullopt;
    try {
        const TableDefinition definition(*mdb_, layout_, table->name, table->definitionPage,
                                         *text_);
        jet::SourceTable described{table->name, {}};
        for (const ColumnPlan& column : definition.columns())
            described.columns.push_back({column.name, column.adoType, column.scale});
        return described;
    } catch (const Damage& damage) {
        throw messages::damaged(layout_.path, damage.detail());
    }
}

void AccessFile::load(const QString& name, jet::RowSink& sink) {
    const CatalogTable* table = find(name);
    if (!table)
        throw data::messages::noSuchTable(name);
    try {
        const TableDefinition definition(*mdb_, layout_, table->name, table->definitionPage,
                                         *text_);
        loadRows(definition, layout_, *text_, sink);
    } catch (const Damage& damage) {
        throw messages::damaged(layout_.path,
                                QStringLiteral("table '%1': %2").arg(table->name, damage.detail()));
    }
}

const CatalogTable* AccessFile::find(const QString& name) const {
    for (const CatalogTable& table : tables_)
        if (table.name.compare(name, Qt::CaseInsensitive) == 0)
            return &table;
    return nullptr;
}

} // namespace data::access
