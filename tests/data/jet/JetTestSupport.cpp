#include "data/jet/JetTestSupport.h"

#include "data/Error.h"

namespace data::jet::testing {

namespace {

// Hands one cell to the sink through the setter of its kind.
struct CellWriter {
    RowSink& sink;
    int column;

    void operator()(NotGiven) const {}
    void operator()(std::nullptr_t) const { sink.setNull(column); }
    void operator()(std::int64_t v) const { sink.setInteger(column, v); }
    void operator()(bool v) const { sink.setBoolean(column, v); }
    void operator()(double v) const { sink.setDouble(column, v); }
    void operator()(Amount v) const { sink.setCurrency(column, v.scaledBy10000); }
    void operator()(const DateTimeParts& d) const {
        sink.setDateTime(column, d.year, d.month, d.day, d.hour, d.minute, d.second);
    }
    void operator()(const QString& v) const { sink.setText(column, v); }
    void operator()(const QByteArray& v) const { sink.setBlob(column, v); }
};

} // namespace

void MemoryTableSource::add(SourceTable table, std::vector<Row> rows) {
    tables_.push_back({std::move(table), std::move(rows)});
}

QStringList MemoryTableSource::tableNames() {
    QStringList names;
    for (const Table& table : tables_)
        names << table.description.name;
    return names;
}

const MemoryTableSource::Table* MemoryTableSource::find(const QString& name) const {
    for (const Table& table : tables_) {
        if (table.description.name.compare(name, Qt::CaseInsensitive) == 0)
            return &table;
    }
    return nullptr;
}

std::optional<SourceTable> MemoryTableSource::describe(const QString& name) {
    const Table* table = find(name);
    if (!table)
        return std::nullopt;
    ++describeCalls[table->description.name];
    return table->description;
}

void MemoryTableSource::load(const QString& name, RowSink& sink) {
    const Table* table = find(name);
    ++loadCalls[table->description.name];
    int written = 0;
    for (const Row& row : table->rows) {
        if (failAfterRows && written == *failAfterRows)
            throw Error(QStringLiteral("The file is damaged."));
        for (std::size_t i = 0; i < row.size(); ++i)
            std::visit(CellWriter{sink, int(i)}, row[i]);
        sink.endRow();
        ++written;
    }
}

QueryRunner::QueryRunner(std::shared_ptr<MemoryTableSource> source, const QLocale& locale)
    : source_(source), engine_(std::move(source), locale) {}

QVariant QueryRunner::value(const QByteArray& sql) {
    Statement statement = engine_.prepare(sql);
    return statement.step() ? statement.value(0) : QVariant();
}

QVariantList QueryRunner::column(const QByteArray& sql) {
    Statement statement = engine_.prepare(sql);
    QVariantList values;
    while (statement.step())
        values << statement.value(0);
    return values;
}

QString QueryRunner::errorOf(const QByteArray& sql) {
    try {
        Statement statement = engine_.prepare(sql);
        while (statement.step()) {
        }
    } catch (const Error& error) {
        return error.description();
    }
    return QString();
}

DateTimeParts date(int year, int month, int day, int hour, int minute, int second) {
    return {year, month, day, hour, minute, second};
}

} // namespace data::jet::testing
