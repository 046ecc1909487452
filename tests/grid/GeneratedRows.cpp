#include "grid/GeneratedRows.h"

#include "data/AdoTypes.h"
#include "data/Connection.h"
#include "data/Provider.h"
#include "data/Recordset.h"
#include "data/jet/JetProvider.h"

namespace test::grid {

GeneratedTable::GeneratedTable(QString name, std::int64_t rows,
                               std::function<std::int64_t(std::int64_t)> x)
    : name_(std::move(name)), rows_(rows), x_(std::move(x)) {}

QStringList GeneratedTable::tableNames() {
    return {name_};
}

std::optional<data::jet::SourceTable> GeneratedTable::describe(const QString& name) {
    if (name.compare(name_, Qt::CaseInsensitive) != 0)
        return std::nullopt;
    return data::jet::SourceTable{name_,
                                  {{"N", data::ado::adInteger, 0}, {"X", data::ado::adInteger, 0}}};
}

void GeneratedTable::load(const QString&, data::jet::RowSink& sink) {
    for (std::int64_t n = 1; n <= rows_; ++n) {
        sink.setInteger(0, n);
        sink.setInteger(1, x_(n));
        sink.endRow();
    }
}

std::shared_ptr<data::Connection> connectTo(std::shared_ptr<data::jet::TableSource> source) {
    const QString provider = QStringLiteral("Quarrymere.GeneratedRows");
    data::registerProvider(provider, [source](const data::ConnectionString&, int) {
        return std::make_unique<data::jet::JetProvider>(source, [source] {
            std::vector<data::TableEntry> tables;
            for (const QString& name : source->tableNames())
                tables.push_back({name, QStringLiteral("TABLE")});
            return tables;
        });
    });
    auto connection = std::make_shared<data::Connection>();
    connection->Open("Provider=" + provider);
    return connection;
}

std::shared_ptr<data::Recordset> openStatic(const std::shared_ptr<data::Connection>& connection,
                                            const QString& sql) {
    auto records = std::make_shared<data::Recordset>();
    records->Open(sql, connection, data::ado::adOpenStatic, data::ado::adLockReadOnly);
    return records;
}

} // namespace test::grid
