#include "data/jet/TableLoader.h"

#include "data/jet/Database.h"
#include "data/jet/RowInserter.h"
#include "data/jet/StorageMapping.h"

namespace data::jet {

namespace {

QByteArray createSql(const TableInfo& table) {
    QByteArray sql = "CREATE TABLE " + quotedIdentifier(table.name) + " (";
    for (std::size_t i = 0; i < table.columns.size(); ++i) {
        if (i > 0)
            sql += ", ";
        sql +=
            quotedIdentifier(table.columns[i].name) + ' ' + declaredType(table.columns[i].storage);
    }
    return sql + ')';
}

TableInfo describeForEngine(const SourceTable& source) {
    TableInfo table{source.name, {}};
    for (const SourceColumn& column : source.columns)
        table.columns.push_back(
            {column.name, column.adoType, storageFor(column.adoType, column.scale)});
    return table;
}

TableInfo loadAsDescribed(Database& database, TableSource& source, const SourceTable& table) {
    TableInfo info = describeForEngine(table);
    std::vector<Storage> storages;
    for (const ColumnInfo& column : info.columns)
        storages.push_back(column.storage);

    Database::OwnStatements own(database);
    database.execute("BEGIN");
    try {
        database.execute(createSql(info).constData());
        RowInserter inserter(database, quotedIdentifier(info.name), std::move(storages));
        source.load(table.name, inserter);
        inserter.finish();
    } catch (...) {
        database.rollback();
        throw;
    }
    database.execute("COMMIT");
    return info;
}

} // namespace

QByteArray quotedIdentifier(const QString& name) {
    return '"' + name.toUtf8().replace('"', "\"\"") + '"';
}

void storeQueryRows(Database& database, const TableInfo& info, const QByteArray& query) {
    Database::OwnStatements own(database);
    database.execute("BEGIN");
    try {
        database.execute(createSql(info).constData());
        database.execute(("INSERT INTO " + quotedIdentifier(info.name) + ' ' + query).constData());
    } catch (...) {
        database.rollback();
        throw;
    }
    database.execute("COMMIT");
}

TableInfo loadTable(Database& database, TableSource& source, const SourceTable& table) {
    try {
        return loadAsDescribed(database, source, table);
    } catch (const DescriptionChanged&) {
        // The load taught the source what the table is; it is stored again as described now.
        const std::optional<SourceTable> again = source.describe(table.name);
        if (!again)
            throw;
        return loadAsDescribed(database, source, *again);
    }
}

} // namespace data::jet
