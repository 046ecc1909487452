#include "data/jet/JetProvider.h"

#include "data/Error.h"
#include "data/RowsCursor.h"
#include "data/jet/Parser.h"
#include "data/jet/Translate.h"

namespace data::jet {

namespace {

class StatementCursor : public Cursor {
public:
    explicit StatementCursor(Statement statement) : statement_(std::move(statement)) {}

    int fieldCount() const override { return statement_.columnCount(); }
    QString fieldName(int i) const override { return statement_.columnName(i); }
    int fieldType(int i) const override { return statement_.adoType(i); }
    bool next() override { return statement_.step(); }
    QVariant value(int i) const override { return statement_.value(i); }

private:
    Statement statement_;
};

} // namespace

JetProvider::JetProvider(std::shared_ptr<TableSource> source, TableLister tables)
    : engine_(std::move(source)), tables_(std::move(tables)) {}

std::unique_ptr<Cursor> JetProvider::execute(const QString& statement) {
    const Translation translation = translate(statement, engine_);
    std::vector<ColumnInfo> columns;
    columns.reserve(translation.columns.size());
    for (const ResultColumn& c : translation.columns)
        columns.push_back({c.name, c.adoType, c.storage});
    return std::make_unique<StatementCursor>(
        engine_.prepare(translation.sqliteSql, std::move(columns)));
}

void JetProvider::prepareGrouping(const QString& recordSource, const QStringList& terms) {
    // The record source reads as a statement's FROM does: "[Sales]".
    const SelectStatement from = parseSelect(QStringLiteral("SELECT * FROM ") + recordSource);
    const FromSource* source = from.singleTable();
    const TableInfo* table = source ? engine_.findTable(source->table.join(u'.')) : nullptr;
    if (!table)
        return;
    // The key ends before a term the table cannot answer (a column that is not there).
    std::vector<GroupingTerm> translated;
    try {
        for (const QString& term : terms)
            translated.push_back(translateGroupingTerm(recordSource, term, engine_));
    } catch (const Error&) {
    }
    engine_.indexForGrouping(*table, translated);
}

std::unique_ptr<Cursor> JetProvider::tables() {
    return tablesRowset(tables_());
}

} // namespace data::jet
