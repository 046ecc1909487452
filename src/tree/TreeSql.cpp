#include "tree/TreeSql.h"

#include "data/ColumnTypes.h"

namespace tree {

namespace {

QString statistics(const QString& column) {
    return ", Min(" + column + ") AS CMIN" + ", Max(" + column + ") AS CMAX" + ", Avg(" + column +
           ") AS CAVG" + ", Sum(" + column + ") AS CSUM";
}

// The statistics of the next column with a blank at the end, or nothing.
QString levelStatistics(const data::ColInfoTable& columns, const LevelSql& level) {
    if (!levelHasStatistics(columns, level))
        return QString();
    return statistics(columns[level.depth + 1].ColSQL) + " ";
}

QString andFilter(const LevelSql& level) {
    return level.filter.isEmpty() ? QString() : " AND " + level.filter;
}

bool isDateColumn(const data::ColInfoRec& column) {
    return column.ColConv == data::Conversion::CDate;
}

} // namespace

data::LevelShape levelShape(const data::ColInfoTable& columns, const LevelSql& level,
                            data::LevelShape::Part part) {
    const QString statistics =
        levelHasStatistics(columns, level) ? columns[level.depth + 1].ColName : QString();
    return {level.recordSource, level.path, level.grouped, statistics, part};
}

QString rootStatement(const data::ColInfoTable& columns, const QString& recordSource) {
    QString sql = "SELECT Count(1) AS CNNULL ";
    if (data::ColIsNumeric(columns[0].ColConv))
        sql += statistics(columns[0].ColSQL);
    return sql + " FROM " + recordSource;
}

bool levelHasStatistics(const data::ColInfoTable& columns, const LevelSql& level) {
    const int next = level.depth + 1;
    return next < level.fieldCount && next <= data::ColInfoUpper &&
           data::ColIsNumeric(columns[next].ColConv);
}

QString groupingExpression(const data::ColInfoTable& columns, const LevelSql& level) {
    const data::ColInfoRec& column = columns[level.depth];
    return isDateColumn(column) ? level.dateExpression : column.ColSQL;
}

QString nullGroupStatement(const data::ColInfoTable& columns, const LevelSql& level) {
    const QString& column = columns[level.depth].ColSQL;
    return "SELECT COUNT(1) AS CCNT " + levelStatistics(columns, level) + "FROM " +
           level.recordSource + " WHERE " + column + " IS NULL" + andFilter(level);
}

QString groupedStatement(const data::ColInfoTable& columns, const LevelSql& level) {
    const data::ColInfoRec& grouping = columns[level.depth];
    const QString& column = grouping.ColSQL;
    const QString expression = groupingExpression(columns, level);
    const QString count = isDateColumn(grouping) ? "COUNT(1)" : "COUNT(" + column + ")";
    return "SELECT " + expression + " AS CNAME, " + count + " AS CCNT " +
           levelStatistics(columns, level) + "FROM " + level.recordSource + " WHERE " + column +
           " IS NOT NULL " + andFilter(level) + " GROUP BY " + expression;
}

} // namespace tree
