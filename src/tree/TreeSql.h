#pragma once

#include "data/ColInfo.h"
#include "data/LevelShape.h"

#include <QString>

// The statements that count the tree's nodes. Their text, blanks included, is fixed: other
// parts of the program and the people who read its statements rely on it.
namespace tree {

// The root's statement: the rows of the record source, with the statistics of the first column
// when it is numeric.
QString rootStatement(const data::ColInfoTable& columns, const QString& recordSource);

// One level below a clicked node.
struct LevelSql {
    int depth = 0;      // the clicked node's depth; the level groups by the column at this position
    int fieldCount = 0; // the record source's columns; the last one has no next column
    QString recordSource;
    QString filter;         // the clicked node's condition, "" for the root
    QString dateExpression; // the grouping expression of a date column (TreeBuildDate)
    std::vector<data::LevelCondition> path; // the clicked node's condition as typed terms
    data::LevelTerm grouped;                // the term the level groups by
};

// The level's statement `part` as data, for the provider (see data::LevelShape).
data::LevelShape levelShape(const data::ColInfoTable& columns, const LevelSql& level,
                            data::LevelShape::Part part);

// The expression the level groups by: the date expression for a date column, else the column.
QString groupingExpression(const data::ColInfoTable& columns, const LevelSql& level);

// The rows of the clicked node whose grouping column is null.
QString nullGroupStatement(const data::ColInfoTable& columns, const LevelSql& level);

// One row per value of the grouping expression among the clicked node's rows.
QString groupedStatement(const data::ColInfoTable& columns, const LevelSql& level);

// Whether the level's rows carry the statistics of the next column.
bool levelHasStatistics(const data::ColInfoTable& columns, const LevelSql& level);

} // namespace tree
