#pragma once

#include "QtPrinters.h"
#include "data/Connection.h"
#include "data/Provider.h"
#include "data/Recordset.h"
#include "data/TableEntry.h"
#include "data/jet/CalendarDate.h"
#include "data/jet/Engine.h"
#include "data/jet/Statement.h"
#include "data/jet/TableSource.h"

#include <QList>
#include <QLocale>
#include <QStringList>
#include <QVariant>
#include <cstdint>
#include <map>
#include <memory>
#include <ostream>
#include <variant>
#include <vector>

// A table source held in memory, and an engine over it, for the engine's tests.
namespace data::jet::testing {

using data::Provider;

struct Amount {
    std::int64_t scaledBy10000;
};
struct NotGiven {}; // the reader skips the column, which leaves it Null

using Cell = std::variant<NotGiven, std::nullptr_t, std::int64_t, bool, double, Amount,
                          DateTimeParts, QString, QByteArray>;
using Row = std::vector<Cell>;

class MemoryTableSource : public TableSource {
public:
    void add(SourceTable table, std::vector<Row> rows) {
        tables_.push_back({std::move(table), std::move(rows)});
    }

    // A saved query: its Jet SELECT, or the description of why the engine cannot answer it.
    void addView(const QString& name, const QString& sql, const QString& unsupported = {}) {
        views_.push_back({name, sql, unsupported});
    }

    QStringList tableNames() override;
    std::optional<SourceTable> describe(const QString& name) override;
    void load(const QString& name, RowSink& sink) override;
    std::optional<SourceView> view(const QString& name) override;

    // How often each table (by its own spelling) was loaded.
    std::map<QString, int> loadCalls;
    // When set, loading fails with data::Error after this many rows.
    std::optional<int> failAfterRows;

private:
    struct Table {
        SourceTable description;
        std::vector<Row> rows;
    };
    const Table* find(const QString& name) const;

    std::vector<Table> tables_;
    std::vector<SourceView> views_;
};

// Runs queries over an engine; errors come back as their description.
class QueryRunner {
public:
    explicit QueryRunner(
        std::shared_ptr<MemoryTableSource> source = std::make_shared<MemoryTableSource>(),
        const QLocale& locale = QLocale(QStringLiteral("en_US")));

    Engine& engine() { return engine_; }
    // The first column of the first row of `sql`, values as stored.
    QVariant value(const QByteArray& sql) { return column(sql).value(0); }
    // SELECT of one expression.
    QVariant eval(const QByteArray& expression) { return value("SELECT " + expression); }
    // Every row's first column.
    QVariantList column(const QByteArray& sql);
    // The description of the error the query fails with, or "" when it runs.
    QString errorOf(const QByteArray& sql);

private:
    Engine engine_;
};

inline DateTimeParts date(int year, int month, int day, int hour = 0, int minute = 0,
                          int second = 0) {
    return {year, month, day, hour, minute, second};
}

// Orders and T: two small tables with nulls, text in mixed case and apostrophes.
std::shared_ptr<MemoryTableSource> ordersAndT();

// Runs a statement in the provider's dialect: each row's values as text, "NULL" for null.
QList<QStringList> rowsOf(Provider& provider, const QString& sql);
// The same for a statement the engine prepared in its own SQL.
QList<QStringList> rowsOf(Statement& statement);

// The statement's result columns, each as "name:type code".
QStringList columnsOf(Provider& provider, const QString& sql);

// A connection that runs Jet SQL over the source, through a provider registered for the purpose
// whose schema lists `tables`.
std::shared_ptr<Connection> connectTo(std::shared_ptr<TableSource> source,
                                      std::vector<TableEntry> tables = {});

} // namespace data::jet::testing
