#include "data/jet/JetProvider.h"

#include "data/AdoTypes.h"
#include "data/Error.h"
#include "data/RowsCursor.h"
#include "data/jet/GroupsTable.h"
#include "data/jet/Parser.h"
#include "data/jet/Translate.h"

#include <atomic>

namespace data::jet {

namespace {

std::atomic<bool> speedupByDefault{true};

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
    : engine_(std::move(source)), tables_(std::move(tables)), speedup_(engine_),
      speedupOn_(speedupByDefault) {
    if (speedupOn_)
        engine_.setKeptRows(&speedup_);
}

void JetProvider::setSpeedupEnabled(bool enabled) {
    speedupByDefault = enabled;
}

std::unique_ptr<Cursor> JetProvider::cursorOf(const Translation& translation) {
    std::vector<ColumnInfo> columns;
    columns.reserve(translation.columns.size());
    for (const ResultColumn& c : translation.columns)
        columns.push_back({c.name, c.adoType, c.storage});
    return std::make_unique<StatementCursor>(
        engine_.prepare(translation.sqliteSql, std::move(columns)));
}

qsizetype JetProvider::countRows(const QString& statement) {
    const Translation translation = translate(statement, engine_);
    if (translation.rowsKnown >= 0)
        return qsizetype(translation.rowsKnown);
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
    Translation translation = translate(statement, engine_);
    translation.sqliteSql += " LIMIT -1 OFFSET " + QByteArray::number(first);
    return cursorOf(translation);
}

std::unique_ptr<Cursor> JetProvider::execute(const QString& statement) {
    return cursorOf(translate(statement, engine_));
}

std::unique_ptr<Cursor> JetProvider::executeLevel(const LevelShape& shape,
                                                  const QString& statement) {
    if (!speedupOn_)
        return execute(statement);
    const LevelReading reading = speedup_.reading(shape);
    if (!reading.groups)
        return cursorOf(translateLevel(statement, engine_, reading));
    // A statement asking for a figure the groups do not hold is read from its source.
    std::optional<Translation> fromGroups;
    try {
        fromGroups = translateLevel(statement, engine_, reading);
    } catch (const FigureNotHeld&) {
        return cursorOf(translateLevel(statement, engine_, {nullptr, reading.indexedDates}));
    }
    return cursorOf(*fromGroups);
}

void JetProvider::prepareGrouping(const QString& recordSource,
                                  const std::vector<LevelTerm>& terms) {
    if (speedupOn_)
        speedup_.prepare(recordSource, terms);
}

std::unique_ptr<Cursor> JetProvider::tables() {
    return tablesRowset(tables_());
}

} // namespace data::jet
