#include "data/jet/speedup/TreeSpeedup.h"

#include "data/Error.h"
#include "data/jet/speedup/LevelGroups.h"

#include <algorithm>

namespace data::jet {

namespace {

const ColumnInfo* columnNamed(const TableInfo& table, const QString& name) {
    const auto found =
        std::find_if(table.columns.begin(), table.columns.end(), [&](const ColumnInfo& c) {
            return c.name.compare(name, Qt::CaseInsensitive) == 0;
        });
    return found == table.columns.end() ? nullptr : &*found;
}

bool sameColumn(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

void TreeSpeedup::prepare(const QString& recordSource, const std::vector<LevelTerm>& terms) {
    const TableInfo* table = recordSourceTable(recordSource, engine_);
    if (!table)
        return;
    std::vector<GroupingTerm> translated;
    for (const LevelTerm& term : terms) {
        if (!columnNamed(*table, term.column))
            break;
        translated.push_back(translateGroupingTerm(*table, term));
    }
    const std::vector<LevelTerm> levels(terms.begin(), terms.begin() + translated.size());
    index_.build(engine_.database(), *table, levels, translated);
}

LevelReading TreeSpeedup::reading(const LevelShape& shape) {
    const TableInfo* table = recordSourceTable(shape.recordSource, engine_);
    if (!table)
        return {};
    LevelReading reading;
    reading.indexedDates = indexedDates(*table, shape);
    reading.groups = summaryFor(*table, shape);
    if (!reading.groups)
        reading.groups = levelGroupsFor(*table, shape);
    return reading;
}

KeptCondition TreeSpeedup::rowsWhere(const TableInfo& table, const std::vector<AskedValue>& asked) {
    return index_.rowsWhere(table, asked);
}

// The summary holds one row per group of the first two columns: it answers the grouped rows
// below one group of the first column, with its own statistics column or none.
const GroupsTable* TreeSpeedup::summaryFor(const TableInfo& table, const LevelShape& shape) const {
    const GroupsTable* summary = index_.summary(table);
    if (!summary || shape.part != LevelShape::Part::Groups || shape.path.size() != 1)
        return nullptr;
    const auto& [first, second] = index_.summaryTerms();
    const bool statistics =
        shape.statistics.isEmpty() || sameColumn(shape.statistics, summary->statistics);
    return shape.path[0].term == first && shape.grouped == second && statistics ? summary : nullptr;
}

// A first level over the whole table by a column the index does not begin with.
const GroupsTable* TreeSpeedup::levelGroupsFor(const TableInfo& table, const LevelShape& shape) {
    if (!shape.path.empty() || !shape.grouped.plain())
        return nullptr;
    const LevelTerm* leading = index_.leadingTerm(table);
    if (leading && *leading == shape.grouped)
        return nullptr;
    const ColumnInfo* column = columnNamed(table, shape.grouped.column);
    const ColumnInfo* statistics =
        shape.statistics.isEmpty() ? nullptr : columnNamed(table, shape.statistics);
    if (!column || !groupedInOnePass(*column) || (statistics && !holdsNumbers(statistics)) ||
        (!shape.statistics.isEmpty() && !statistics))
        return nullptr;
    return index_.levelGroups(engine_.database(), table, *column, statistics);
}

// The date column whose formatted dates the index begins with, where the path selects one of
// those formatted dates.
const ColumnInfo* TreeSpeedup::indexedDates(const TableInfo& table, const LevelShape& shape) const {
    const LevelTerm* leading = index_.leadingTerm(table);
    if (!leading || leading->plain())
        return nullptr;
    const bool searched = std::any_of(shape.path.begin(), shape.path.end(),
                                      [&](const LevelCondition& c) { return c.term == *leading; });
    return searched ? columnNamed(table, leading->column) : nullptr;
}

} // namespace data::jet
