#include "data/jet/TableLoader.h"

#include "data/Operation.h"
#include "data/jet/BatchPipe.h"
#include "data/jet/BatchWriter.h"
#include "data/jet/Database.h"
#include "data/jet/RowInserter.h"
#include "data/jet/StorageMapping.h"

#include <chrono>
#include <thread>

namespace data::jet {

namespace {

// Rows stored between two reports of how many were stored to the operation running, batches
// the reader may fill ahead, and how long a wait for the reader lasts between two reports (ms).
constexpr qint64 RowsPerReport = 4096;
constexpr int BatchesAhead = 4;
constexpr int WaitTicks = 40;

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

// The source is read on a thread of its own while this one stores what it read: reading (files
// decoded, text turned into the engine's bytes) and storing each take about half of a load.
// Only this thread touches the engine and reports to the operation running; the reader is at
// most a few batches ahead, and it is stopped and waited for whichever way the load ends.
void storeRows(Database& database, TableSource& source, const QString& sourceName,
               const TableInfo& info) {
    std::vector<Storage> storages;
    for (const ColumnInfo& column : info.columns)
        storages.push_back(column.storage);
    BatchWriter writer(database, quotedIdentifier(info.name), int(storages.size()));
    BatchPipe pipe(std::size_t(writer.rowsPerBatch()) * storages.size(), BatchesAhead);
    std::thread reader([&] {
        try {
            RowInserter inserter(pipe, std::move(storages), writer.rowsPerBatch());
            source.load(sourceName, inserter);
            inserter.finish();
        } catch (const BatchPipe::Stopped&) {
            pipe.finish(nullptr, nullptr);
        } catch (...) {
            pipe.finish(nullptr, std::current_exception());
        }
    });
    struct Joining {
        BatchPipe& pipe;
        std::thread& reader;
        ~Joining() {
            pipe.stop();
            reader.join();
        }
    } joining{pipe, reader};

    qint64 rows = 0;
    qint64 reported = 0;
    for (;;) {
        const std::optional<RowBatch*> batch = pipe.next(std::chrono::milliseconds(WaitTicks));
        if (!batch) { // the reader is slow: the window goes on painting in the meantime
            tickOrStop(rows);
            continue;
        }
        if (!*batch)
            break;
        writer.store(**batch);
        rows += (*batch)->rows;
        pipe.recycle(**batch);
        if (rows - reported >= RowsPerReport) {
            reported = rows;
            tickOrStop(rows);
        }
    }
    if (const std::exception_ptr failure = pipe.failure())
        std::rethrow_exception(failure);
}

TableInfo loadAsDescribed(Database& database, TableSource& source, const SourceTable& table) {
    TableInfo info = describeForEngine(table);
    Database::OwnStatements own(database);
    database.inTransaction([&] {
        database.execute(createSql(info).constData());
        storeRows(database, source, table.name, info);
    });
    return info;
}

} // namespace

QByteArray quotedIdentifier(const QString& name) {
    return '"' + name.toUtf8().replace('"', "\"\"") + '"';
}

void storeQueryRows(Database& database, const TableInfo& info, const QByteArray& query) {
    Database::OwnStatements own(database);
    database.inTransaction([&] {
        database.execute(createSql(info).constData());
        database.execute(("INSERT INTO " + quotedIdentifier(info.name) + ' ' + query).constData());
    });
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
