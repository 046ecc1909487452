#include "data/access/AccessFile.h"

#include "data/access/Damage.h"
#include "data/access/Messages.h"
#include "data/access/QuerySql.h"
#include "data/access/RowLoader.h"
#include "data/access/TableDefinition.h"
#include "data/access/TextDecoder.h"

#include <QFile>
#include <QFileInfo>

namespace data::access {

namespace {
// Links to links beyond this many are taken for a loop.
constexpr qsizetype MostLinksFollowed = 16;
} // namespace

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
        if (!isHiddenQuery(query))
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
    const CatalogTable* shown = find(name);
    if (!shown)
        return std::nullopt;
    const auto [file, table] = localTable(*shown);
    try {
        const TableDefinition definition(*file->mdb_, file->layout_, table->name,
                                         table->definitionPage, *file->text_);
        jet::SourceTable described{shown->name, {}};
        for (const ColumnPlan& column : definition.columns())
            described.columns.push_back({column.name, column.adoType, column.scale});
        return described;
    } catch (const Damage& damage) {
        throw messages::damaged(file->path(), damage.detail());
    }
}

void AccessFile::load(const QString& name, jet::RowSink& sink) {
    const CatalogTable* shown = find(name);
    if (!shown)
        throw data::messages::noSuchTable(name);
    const auto [file, table] = localTable(*shown);
    try {
        const TableDefinition definition(*file->mdb_, file->layout_, table->name,
                                         table->definitionPage, *file->text_);
        loadRows(definition, file->layout_, *file->text_, sink);
    } catch (const Damage& damage) {
        throw messages::damaged(file->path(),
                                QStringLiteral("table '%1': %2").arg(table->name, damage.detail()));
    }
}

std::pair<AccessFile*, const CatalogTable*> AccessFile::localTable(const CatalogTable& start) {
    AccessFile* file = this;
    const CatalogTable* table = &start;
    QStringList followed; // file and table of each link, which a loop meets again
    while (table->link) {
        const TableLink& link = *table->link;
        if (link.odbc)
            throw messages::odbcLink(table->name);
        const QString step =
            QFileInfo(file->path()).canonicalFilePath() + '\n' + table->name.toCaseFolded();
        if (followed.contains(step) || followed.size() >= MostLinksFollowed)
            throw messages::linkLoop(start.name);
        followed << step;
        AccessFile& linked = file->linkedFile(linkedFilePath(table->name, link, file->path()));
        const CatalogTable* target = linked.find(link.foreignName);
        if (!target)
            throw messages::linkedTableMissing(table->name, link.foreignName, linked.path());
        file = &linked;
        table = target;
    }
    return {file, table};
}

AccessFile& AccessFile::linkedFile(const QString& path) {
    const QString canonical = QFileInfo(path).canonicalFilePath();
    if (canonical == QFileInfo(layout_.path).canonicalFilePath())
        return *this;
    std::unique_ptr<AccessFile>& file = linkedFiles_[canonical];
    if (!file)
        file = std::make_unique<AccessFile>(path);
    return *file;
}

const CatalogTable* AccessFile::find(const QString& name) const {
    for (const CatalogTable& table : tables_)
        if (table.name.compare(name, Qt::CaseInsensitive) == 0)
            return &table;
    return nullptr;
}

} // namespace data::access
