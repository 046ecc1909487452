#include "data/jet/JetProvider.h"

#include "data/AdoTypes.h"
#include "data/Error.h"
#include "data/RowsCursor.h"
#include "data/jet/Parser.h"

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
    return cursorOf(translation.sqliteSql, translation.columns);
}

std::unique_ptr<Cursor> JetProvider::cursorOf(const QByteArray& sqliteSql,
                                              const std::vector<ResultColumn>& columns) {
    std::vector<ColumnInfo> described;
    described.reserve(columns.size());
    for (const ResultColumn& c : columns)
        described.push_back({c.name, c.adoType, c.storage});
    return std::make_unique<StatementCursor>(engine_.prepare(sqliteSql, std::move(described)));
}

qsizetype JetProvider::countRows(const QString& statement) {
    const Translation translation = translate(statement, engine_);
    Statement count = engine_.prepare("SELECT COUNT(*) FROM (" + translation.sqliteSql + ")",
                                      {{"Count", ado::adBigInt, Storage::Integer}});
    return count.step() ? count.value(0).toLongLong() : 0;
}

std::unique_ptr<Cursor> JetProvider::executeFrom(const QString& statement, qsizetype first) {
    // TOP keeps rows by a limit of its own, which a second one cannot follow. Every page is
    // read by the same form of statement, the first too, so that rows the order holds equal
    // come in the same order whichever page reads them.
    if (!engineOffsets || parseSelect(statement).top)
        return Provider::executeFrom(statement, first);
    const Translation translation = translate(statement, engine_);
    return cursorOf(translation.sqliteSql + " LIMIT -1 OFFSET " + QByteArray::number(first),
                    translation.columns);
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
