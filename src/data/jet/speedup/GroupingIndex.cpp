#include "data/jet/speedup/GroupingIndex.h"

#include "data/Error.h"
#include "data/Operation.h"
#include "data/jet/Database.h"
#include "data/jet/ExprTranslator.h"
#include "data/jet/KeptRows.h"
#include "data/jet/TableLoader.h"
#include "data/jet/speedup/LevelGroups.h"

#include <algorithm>
#include <utility>

namespace data::jet {

namespace {

// The quoted table name and the key: "Sales" ("Region", vb_format("OrderDate", ...), "City",
// "OrderDate").
QByteArray keyOf(const TableInfo& table, const std::vector<GroupingTerm>& terms,
                 QByteArray& firstFormatted) {
    QByteArrayList keys;
    std::vector<const ColumnInfo*> covered, read;
    for (const GroupingTerm& term : terms) {
        if (keys.size() == GroupingIndex::KeyTerms)
            break;
        const bool bytes =
            std::any_of(term.columns.begin(), term.columns.end(),
                        [](const ColumnInfo* c) { return c->storage == Storage::Blob; });
        if (bytes || term.columns.empty())
            break;
        if (keys.isEmpty() && term.columns.size() == 1 &&
            term.sqliteSql != quotedIdentifier(term.columns[0]->name))
            firstFormatted = quotedIdentifier(term.columns[0]->name);
        keys << term.sqliteSql;
        for (const ColumnInfo* column : term.columns) {
            if (term.sqliteSql == quotedIdentifier(column->name))
                covered.push_back(column);
            else
                read.push_back(column);
        }
    }
    for (const ColumnInfo* column : read)
        if (std::find(covered.begin(), covered.end(), column) == covered.end()) {
            keys << quotedIdentifier(column->name);
            covered.push_back(column);
        }
    return keys.isEmpty() ? QByteArray()
                          : quotedIdentifier(table.name) + " (" + keys.join(", ") + ')';
}

// The column a term groups by when the term is that column's value ("Region", or a currency
// column's amount), else null.
const ColumnInfo* soleColumn(const GroupingTerm& term) {
    if (term.columns.size() != 1 || term.columns[0]->storage == Storage::Blob ||
        term.sqliteSql != columnValue(*term.columns[0]).sql.toUtf8())
        return nullptr;
    return term.columns[0];
}

} // namespace

void GroupingIndex::build(Database& database, const TableInfo& table,
                          const std::vector<LevelTerm>& levels,
                          const std::vector<GroupingTerm>& terms) {
    QByteArray formatted;
    const QByteArray key = keyOf(table, terms, formatted);
    if (key == key_ || (!key.isEmpty() && key == pairsKey_))
        return;
    Database::OwnStatements own(database);
    stale_.insert(stale_.end(), drops_.begin(), drops_.end());
    drops_.clear();
    summary_.reset();
    key_.clear();
    releasePairs();
    dropStale(database);
    if (key.isEmpty())
        return;
    holdCodes(database, table, terms);
    groupFirstLevel(database, table, levels[0], terms);
    if (keptRowsServe(table, levels[0]))
        return;
    if (pairsServe(database, table, levels, terms)) {
        pairsKey_ = key;
        return;
    }
    releaseKeptRows(table, levels[0]);
    const QByteArray name = quotedIdentifier(QStringLiteral("~grouping %1").arg(++made_));
    database.execute(("CREATE INDEX " + name + " ON " + key).constData());
    drops_.push_back("DROP INDEX IF EXISTS " + name);
    // When the first level groups formatted dates, its null group ("[OrderDate] IS NULL") finds
    // nothing to search in the key; a small index over just the rows without a date serves it.
    if (!formatted.isEmpty()) {
        const QByteArray nulls = quotedIdentifier(QStringLiteral("~grouping %1 nulls").arg(made_));
        database.execute(
            ("CREATE INDEX " + nulls + " ON " + key + " WHERE " + formatted + " IS NULL")
                .constData());
        drops_.push_back("DROP INDEX IF EXISTS " + nulls);
    }
    key_ = key;
    table_ = table.name;
    leadingTerm_ = levels[0];
    const ColumnInfo* first = terms.size() >= 2 ? soleColumn(terms[0]) : nullptr;
    const ColumnInfo* second = terms.size() >= 2 ? soleColumn(terms[1]) : nullptr;
    if (first && second && first != second) {
        const ColumnInfo* third = terms.size() >= 3 ? soleColumn(terms[2]) : nullptr;
        summaryTerms_ = {levels[0], levels[1]};
        const QString summaryName = QStringLiteral("~grouping %1 groups").arg(made_);
        const QByteArray drop = "DROP TABLE IF EXISTS " + quotedIdentifier(summaryName);
        // The summary only saves time: without it the index serves every level all the same.
        try {
            summary_ = makeGroupSummary(database, table, {terms[0], terms[1]},
                                        holdsNumbers(third) ? third : nullptr, name, summaryName);
        } catch (const Error&) {
            // Stopped by the user, the whole preparation is to be made again next time.
            if (data::stopping()) {
                key_.clear();
                stale_.push_back(drop);
                throw;
            }
        }
        if (summary_) {
            drops_.push_back(drop);
        } else {
            stale_.push_back(drop);
            dropStale(database);
        }
    }
}

// The columns of the tree's order come first, the others after them, so that where the codes
// of all would take too much memory those the person is likeliest to put in front are held.
void GroupingIndex::holdCodes(Database& database, const TableInfo& table,
                              const std::vector<GroupingTerm>& terms) {
    if (!columnsHeldAsCodes || (codes_ && codes_->table == table.name) ||
        codesRefused_ == table.name)
        return;
    codes_.reset();
    std::vector<const ColumnInfo*> order;
    for (const GroupingTerm& term : terms)
        if (const ColumnInfo* column = soleColumn(term))
            order.push_back(column);
    for (const ColumnInfo& column : table.columns)
        order.push_back(&column);
    codes_ = makeTableCodes(database, table, order);
    if (!codes_)
        codesRefused_ = table.name;
}

// The first level's groups are made first, with their rows, once the index of the order before
// is gone: where none of them is large, they serve every node of the order alone.
void GroupingIndex::groupFirstLevel(Database& database, const TableInfo& table,
                                    const LevelTerm& first,
                                    const std::vector<GroupingTerm>& terms) {
    const ColumnInfo* column = soleColumn(terms[0]);
    if (!keptRowsServeAlone || !first.plain() || !column || !groupedInOnePass(*column))
        return;
    const ColumnInfo* next = terms.size() > 1 ? soleColumn(terms[1]) : nullptr;
    levelGroups(database, table, *column, holdsNumbers(next) ? next : nullptr);
}

// Where the index to be made begins with the column whose groups keep their rows, it serves
// their nodes better: the rows are let go before it is made.
void GroupingIndex::releaseKeptRows(const TableInfo& table, const LevelTerm& first) {
    if (levelRows_ == 0 || levelGroups_->table.sourceTable != table.name || !first.plain() ||
        first.column.compare(levelGroups_->table.second, Qt::CaseInsensitive) != 0)
        return;
    lists_->forget(std::exchange(levelRows_, 0));
    levelGroups_->rows.reset();
}

// Where the first level's groups keep their rows and none holds many, every node reads its
// group's rows alone about as fast as through an index, which is then not made: it would take
// seconds and as much memory as half the table.
bool GroupingIndex::keptRowsServe(const TableInfo& table, const LevelTerm& first) const {
    if (!keptRowsServeAlone || !levelGroups_ || levelRows_ == 0 ||
        levelGroups_->table.sourceTable != table.name || !first.plain() ||
        first.column.compare(levelGroups_->table.second, Qt::CaseInsensitive) != 0)
        return false;
    const GroupRows& rows = *levelGroups_->rows;
    return rows.largest() <= std::max(mostRowsKeptForAGroup, rows.count() / ShareKeptForAGroup);
}

// Where the first two levels group by plain columns held as codes, their pairs are counted from
// the codes with their rows, and they serve the first two levels and the nodes below in place of
// an index.
bool GroupingIndex::pairsServe(Database& database, const TableInfo& table,
                               const std::vector<LevelTerm>& levels,
                               const std::vector<GroupingTerm>& terms) {
    if (!keptRowsServeAlone || !codes_ || levelRows_ == 0 || terms.size() < 2 ||
        !levels[0].plain() || !levels[1].plain() || levelGroups_->table.sourceTable != table.name ||
        levels[0].column.compare(levelGroups_->table.second, Qt::CaseInsensitive) != 0)
        return false;
    const ColumnInfo* first = soleColumn(terms[0]);
    const ColumnInfo* second = soleColumn(terms[1]);
    if (!first || !second || first == second)
        return false;
    const ColumnCodes* firstCodes = codes_->of(table, *first);
    const ColumnCodes* secondCodes = codes_->of(table, *second);
    if (!firstCodes || !secondCodes)
        return false;
    const ColumnInfo* third = terms.size() >= 3 ? soleColumn(terms[2]) : nullptr;
    const QString name = QStringLiteral("~grouping %1 pairs").arg(++made_);
    const QByteArray drop = "DROP TABLE IF EXISTS " + quotedIdentifier(name);
    // The pairs only save time: where they cannot be made the index serves all the same.
    try {
        pairs_ = makePairGroups(database, table, *first, *firstCodes, *second, *secondCodes,
                                holdsNumbers(third) ? third : nullptr, name);
    } catch (const Error&) {
        stale_.push_back(drop);
        dropStale(database);
        if (data::stopping())
            throw;
        return false;
    }
    if (!pairs_)
        return false;
    drops_.push_back(drop);
    summary_ = pairs_->summary;
    summaryTerms_ = {levels[0], levels[1]};
    pairRows_ = lists_->keep(pairs_->rows);
    // The first level's groups, numbered as the pairs' first groups, read their rows from the
    // pairs' from now on: those they kept are let go.
    if (levelGroups_->rows->groups() == pairs_->firstPairs.size() - 1) {
        lists_->forget(levelRows_);
        levelGroups_->rows = pairs_->firstRows();
        levelRows_ = lists_->keep(levelGroups_->rows);
    }
    return true;
}

void GroupingIndex::releasePairs() {
    pairsKey_.clear();
    pairs_.reset();
    if (pairRows_ != 0)
        lists_->forget(std::exchange(pairRows_, 0));
}

const GroupsTable* GroupingIndex::summary(const TableInfo& table) const {
    return summary_ && summary_->sourceTable == table.name ? &*summary_ : nullptr;
}

const LevelTerm* GroupingIndex::leadingTerm(const TableInfo& table) const {
    return !key_.isEmpty() && table.name == table_ ? &leadingTerm_ : nullptr;
}

const GroupsTable* GroupingIndex::levelGroups(Database& database, const TableInfo& table,
                                              const ColumnInfo& column,
                                              const ColumnInfo* statistics) {
    const QString statisticsName = statistics ? statistics->name : QString();
    const auto servesIt = [&](const GroupsTable& groups) {
        return groups.sourceTable == table.name && groups.second == column.name &&
               (!statistics || groups.statistics == statisticsName);
    };
    if (levelGroups_ && servesIt(levelGroups_->table))
        return &levelGroups_->table;
    const QString key = table.name + u'\0' + column.name + u'\0' + statisticsName;
    if (key == levelRefused_)
        return nullptr;
    Database::OwnStatements own(database);
    if (levelGroups_) {
        stale_.push_back(levelDrop_);
        levelGroups_.reset();
        if (levelRows_ != 0)
            lists_->forget(std::exchange(levelRows_, 0));
    }
    dropStale(database);
    const QString name = QStringLiteral("~level %1 groups").arg(++made_);
    levelDrop_ = "DROP TABLE IF EXISTS " + quotedIdentifier(name);
    // The groups only save time: where they cannot be made the statement answers all the same.
    try {
        levelGroups_ = makeLevelGroups(database, table, column, statistics, name,
                                       codes_ ? codes_->of(table, column) : nullptr);
    } catch (const Error&) {
        const bool stopped =
            data::stopping() || sqlite3_errcode(database.handle()) == SQLITE_INTERRUPT;
        stale_.push_back(levelDrop_);
        dropStale(database);
        if (stopped)
            throw;
        return nullptr;
    }
    if (!levelGroups_) {
        levelRefused_ = key;
        return nullptr;
    }
    if (levelGroups_->rows) {
        if (!lists_)
            lists_.emplace(database);
        levelRows_ = lists_->keep(levelGroups_->rows);
    }
    return &levelGroups_->table;
}

namespace {

// The group of the value asked of a column into `group`: its number, -1 where no row holds the
// value; false where the value is not one the keys find.
bool groupAsked(GroupKeys& keys, std::int64_t nulls, const AskedValue& asked, std::int64_t& group) {
    const QVariant& value = asked.value;
    if (value.isNull()) {
        group = nulls;
        return true;
    }
    if (asked.column->storage == Storage::Text && value.typeId() == QMetaType::QString) {
        const QByteArray utf8 = value.toString().toUtf8();
        keys.setText({utf8.constData(), std::size_t(utf8.size())});
    } else if (asked.column->storage != Storage::Text && value.typeId() == QMetaType::LongLong) {
        keys.setInteger(value.toLongLong());
    } else {
        return false;
    }
    const auto found = keys.find();
    group = found ? std::int64_t(*found) : -1;
    return true;
}

const AskedValue* askedOf(const std::vector<AskedValue>& asked, const QString& column) {
    for (const AskedValue& one : asked)
        if (one.column->name == column)
            return &one;
    return nullptr;
}

} // namespace

KeptCondition GroupingIndex::rowsWhere(const TableInfo& table,
                                       const std::vector<AskedValue>& asked) {
    const QString rowId = rowIdName(table);
    if (pairs_ && pairRows_ != 0 && pairs_->summary.sourceTable == table.name) {
        const AskedValue* first = askedOf(asked, pairs_->summary.first);
        const AskedValue* second = askedOf(asked, pairs_->summary.second);
        std::int64_t firstGroup = -1, secondGroup = -1;
        if (first && second &&
            groupAsked(pairs_->firstKeys, pairs_->firstNulls, *first, firstGroup) &&
            groupAsked(pairs_->secondKeys, pairs_->secondNulls, *second, secondGroup)) {
            std::int64_t pair = -1; // no pair: no row holds both values
            if (firstGroup >= 0 && secondGroup >= 0)
                if (const auto found =
                        pairs_->pair(std::uint32_t(firstGroup), std::uint32_t(secondGroup)))
                    pair = *found;
            return {RowLists::condition(rowId, pairRows_, pair),
                    pair < 0 ? 0 : qint64(pairs_->rows->of(pair).size()), 2};
        }
    }
    if (!levelGroups_ || levelRows_ == 0 || levelGroups_->table.sourceTable != table.name)
        return {};
    const AskedValue* one = askedOf(asked, levelGroups_->table.second);
    if (!one)
        return {};
    if (const LevelTerm* leading = leadingTerm(table);
        leading && leading->plain() &&
        leading->column.compare(one->column->name, Qt::CaseInsensitive) == 0)
        return {};
    std::int64_t group = -1;
    if (!groupAsked(levelGroups_->keys, std::int64_t(levelGroups_->rows->groups()) - 1, *one,
                    group))
        return {};
    return {RowLists::condition(rowId, levelRows_, group),
            group < 0 ? 0 : qint64(levelGroups_->rows->of(group).size()), 1};
}

// An index cannot be dropped while a statement still reads rows (a grid that has not fetched
// all of its rows): such a one stays until a later build.
void GroupingIndex::dropStale(Database& database) {
    std::erase_if(stale_, [&](const QByteArray& drop) {
        return database.dropWithoutJournal(drop.constData());
    });
    database.giveBackFreePages();
}

} // namespace data::jet
