#include "tree/GroupingModel.h"

#include "data/Ado.h"
#include "data/ColumnTable.h"
#include "data/ColumnTypes.h"
#include "data/Connection.h"
#include "data/Error.h"
#include "data/Recordset.h"
#include "tree/DateGrouping.h"
#include "tree/GroupingOrder.h"
#include "tree/NodeFilter.h"

#include <algorithm>

namespace tree {

void GroupingModel::open(const QString& recordSource, data::Dialect sourceDialect,
                         const data::Recordset& structure) {
    data::ColInfoTable columns;
    const int count = data::fillColumnTable(columns, structure, sourceDialect);
    open(recordSource, sourceDialect, std::span(columns.begin(), columns.begin() + count));
}

void GroupingModel::open(const std::shared_ptr<data::Connection>& connection,
                         const QString& recordSource, data::Dialect sourceDialect,
                         const QStringList& shown) {
    data::Recordset structure;
    structure.Open(data::structureSql(recordSource), connection, data::ado::adOpenStatic,
                   data::ado::adLockReadOnly, -1);
    data::ColInfoTable all;
    const int count = data::fillColumnTable(all, structure, sourceDialect);
    std::vector<data::ColInfoRec> columns;
    for (const QString& name : shown) {
        const auto found = std::find_if(all.begin(), all.begin() + count, [&](const auto& c) {
            return c.ColName.compare(name, Qt::CaseInsensitive) == 0;
        });
        if (found == all.begin() + count)
            throw data::Error("The record source has no column " + name + ".");
        columns.push_back(*found);
    }
    open(recordSource, sourceDialect, columns);
}

void GroupingModel::open(const QString& recordSource, data::Dialect sourceDialect,
                         std::span<const data::ColInfoRec> columns) {
    data::requireColumnRoom(qsizetype(columns.size()));
    std::copy(columns.begin(), columns.end(), ColInfo.begin());
    FieldCount = int(columns.size());
    data::resetSpareEntries(ColInfo, FieldCount);
    RecordSource = recordSource;
    dialect = sourceDialect;
}

std::vector<data::LevelTerm> GroupingModel::groupingTerms(data::DateGroup dateGroupType) const {
    return groupingOrder(ColInfo, FieldCount, dateGroupType);
}

void GroupingModel::prepareSource(data::Connection& connection,
                                  data::DateGroup dateGroupType) const {
    connection.prepareGrouping(RecordSource, groupingTerms(dateGroupType));
}

QString GroupingModel::rootStatement() const {
    return tree::rootStatement(ColInfo, RecordSource);
}

Figures GroupingModel::readRoot(const std::shared_ptr<data::Connection>& connection) const {
    return tree::readRoot(connection, ColInfo, RecordSource);
}

QString GroupingModel::condition(const NodePath& path) const {
    return makeFilter(path.values, ColInfo, dialect, path.firstDepth);
}

bool GroupingModel::canGroup(int depth) const {
    return hasLevelBelow(depth) && ColInfo[depth].ColConv != data::Conversion::Nothing;
}

GroupingModel::Level GroupingModel::startLevel(int depth, const NodePath& path,
                                               data::DateGroup dateGroupType) {
    if (!hasLevelBelow(depth))
        throw data::Error(QStringLiteral("Subscript out of range"));
    data::ColInfoRec& grouping = ColInfo[depth];
    Level level;
    const bool date = grouping.ColConv == data::Conversion::CDate;
    if (date && !grouping.ColDateGroup) {
        grouping.ColDateGroup = dateGroupType;
        level.dateGroupFixed = true;
    }
    grouping.ColGrouped = true;
    level.sql.depth = depth;
    level.sql.fieldCount = FieldCount;
    level.sql.recordSource = RecordSource;
    level.sql.filter = condition(path);
    level.sql.path = pathConditions(path.values, ColInfo, path.firstDepth);
    level.sql.grouped = levelTerm(grouping, dateGroupType);
    if (date)
        level.sql.dateExpression = TreeBuildDate(grouping.ColSQL, *grouping.ColDateGroup, dialect);
    return level;
}

std::vector<LevelRow> GroupingModel::readLevel(const std::shared_ptr<data::Connection>& connection,
                                               const LevelSql& level,
                                               const Regional& regional) const {
    return tree::readLevel(connection, ColInfo, level, regional);
}

GroupingModel::BlockMove GroupingModel::moveBlock(int start, int end, int gap) {
    if (start < 0 || end < start || end >= FieldCount || gap < 0 || gap > FieldCount)
        throw data::Error(QStringLiteral("Subscript out of range"));
    BlockMove move;
    move.first = start;
    if (gap >= start && gap <= end + 1)
        return move;
    const int n = end - start;
    const auto numeric = [this](int i) {
        return i < FieldCount && data::ColIsNumeric(ColInfo[i].ColConv);
    };
    // The first position whose column changes is the gap for a move to the left and the
    // block's own start for a move to the right, where the column after the block takes it. A
    // depth there stays when neither the column leaving it nor the one arriving shows
    // statistics; the depth of the position itself then still groups by the column before it.
    // For a move to the end the gap counts as the block's new first column.
    const int target = gap == FieldCount ? FieldCount - 1 - n : gap;
    if (start == 0 || target == 0) {
        move.discardFrom = 0;
    } else if (target < start) {
        move.discardFrom = numeric(target) || numeric(start) ? target : target + 1;
    } else {
        move.discardFrom =
            numeric(target) || numeric(start) || numeric(end + 1) ? start : start + 1;
    }

    const std::vector<data::ColInfoRec> block(ColInfo.begin() + start, ColInfo.begin() + end + 1);
    if (gap < start) {
        std::move_backward(ColInfo.begin() + gap, ColInfo.begin() + start,
                           ColInfo.begin() + end + 1);
        move.first = gap;
    } else {
        std::move(ColInfo.begin() + end + 1, ColInfo.begin() + gap, ColInfo.begin() + start);
        move.first = gap - n - 1;
    }
    std::copy(block.begin(), block.end(), ColInfo.begin() + move.first);
    for (int i = move.discardFrom; i < FieldCount; ++i) {
        ColInfo[i].ColDateGroup.reset();
        ColInfo[i].ColGrouped = false;
    }
    move.moved = true;
    return move;
}

} // namespace tree
