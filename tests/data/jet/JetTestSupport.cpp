#include "data/jet/JetTestSupport.h"

#include "data/AdoTypes.h"
#include "data/Error.h"
#include "data/jet/JetProvider.h"
#include "support/DataFailure.h"

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

QStringList MemoryTableSource::tableNames() {
    QStringList names;
    for (const Table& table : tables_)
        names << table.description.name;
    return names;
}

const MemoryTableSource::Table* MemoryTableSource::find(const QString& name) const {
    for (const Table& table : tables_)
        if (table.description.name.compare(name, Qt::CaseInsensitive) == 0)
            return &table;
    return nullptr;
}

std::optional<SourceTable> MemoryTableSource::describe(const QString& name) {
    const Table* table = find(name);
    return table ? std::optional(table->description) : std::nullopt;
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

std::optional<SourceView> MemoryTableSource::view(const QString& name) {
    for (const SourceView& view : views_)
        if (view.name.compare(name, Qt::CaseInsensitive) == 0)
            return view;
    return std::nullopt;
}

QueryRunner::QueryRunner(std::shared_ptr<MemoryTableSource> source, const QLocale& locale)
    : engine_(std::move(source), locale) {}

QVariantList QueryRunner::column(const QByteArray& sql) {
    Statement statement = engine_.prepare(sql);
    QVariantList values;
    while (statement.step())
        values << statement.value(0);
    return values;
}

QString QueryRunner::errorOf(const QByteArray& sql) {
    return test::failureOf([&] { column(sql); });
}

std::shared_ptr<MemoryTableSource> ordersAndT() {
    using namespace data::ado;
    auto source = std::make_shared<MemoryTableSource>();
    const auto id = [](std::int64_t n) { return Cell(n); };
    const auto text = [](const char* t) { return t ? Cell(QString(t)) : Cell(nullptr); };
    const Cell null = nullptr;
    source->add({"Orders",
                 {{"OrderID", adInteger, 0},
                  {"Customer", adVarWChar, 0},
                  {"Region", adVarWChar, 0},
                  {"Amount", adCurrency, 0},
                  {"Shipped", adBoolean, 0},
                  {"Freight", adDouble, 0},
                  {"OrderDate", adDate, 0},
                  {"Year", adSmallInt, 0}}},
                {{id(1), text("Alpha"), text("North"), Amount{105000}, true, 1.5,
                  date(2001, 3, 4, 10), id(2001)},
                 {id(2), text("beta"), text("north"), Amount{1000}, false, 2.25, date(2001, 8, 15),
                  id(2001)},
                 {id(3), text("Gamma"), null, Amount{200000}, true, 1.5, null, id(2002)},
                 {id(4), text("Delta"), text("South"), Amount{2000}, false, null,
                  date(2002, 1, 20, 8, 30), id(2002)},
                 {id(5), text("Eps"), null, null, false, 3.0, date(2001, 3, 30), id(2001)},
                 {id(6), text("Zeta"), text("NORTH"), Amount{10000}, false, null, null, id(2001)}});
    source->add({"T",
                 {{"A", adVarWChar, 0},
                  {"B", adVarWChar, 0},
                  {"X", adVarWChar, 0},
                  {"Odd \"Name\"", adInteger, 0}}},
                {{text("x"), text("y"), text("Bon app'"), id(1)},
                 {text("p"), text("q"), text("other"), id(2)},
                 {text("m"), null, text("bon APP'"), id(3)}});
    return source;
}

namespace {
QString cellText(const QVariant& value) {
    return value.isNull() ? QStringLiteral("NULL") : value.toString();
}
} // namespace

QList<QStringList> rowsOf(Provider& provider, const QString& sql) {
    const auto cursor = provider.execute(sql);
    QList<QStringList> rows;
    while (cursor->next()) {
        QStringList row;
        for (int i = 0; i < cursor->fieldCount(); ++i)
            row << cellText(cursor->value(i));
        rows << row;
    }
    return rows;
}

QList<QStringList> rowsOf(Statement& statement) {
    QList<QStringList> rows;
    while (statement.step()) {
        QStringList row;
        for (int i = 0; i < statement.columnCount(); ++i)
            row << cellText(statement.value(i));
        rows << row;
    }
    return rows;
}

QStringList columnsOf(Provider& provider, const QString& sql) {
    const auto cursor = provider.execute(sql);
    QStringList columns;
    for (int i = 0; i < cursor->fieldCount(); ++i)
        columns << cursor->fieldName(i) + ':' + QString::number(cursor->fieldType(i));
    return columns;
}

std::shared_ptr<Connection> connectTo(std::shared_ptr<TableSource> source,
                                      std::vector<TableEntry> tables) {
    const QString provider = QStringLiteral("Quarrymere.Test.Tables");
    registerProvider(provider, [source, tables](const ConnectionString&, int) {
        return std::make_unique<JetProvider>(source, [tables] { return tables; });
    });
    auto connection = std::make_shared<Connection>();
    connection->Open("Provider=" + provider);
    return connection;
}

} // namespace data::jet::testing
