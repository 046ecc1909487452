#include "grid/DetailSql.h"

namespace grid {

namespace {
QString columnList(const data::ColInfoTable& columns, int fieldCount) {
    QString list = columns[0].ColSQL;
    for (int i = 1; i < fieldCount; ++i)
        list += ", " + columns[i].ColSQL;
    return list;
}
} // namespace

QString listBuildFieldsSql(const data::ColInfoTable& columns, int fieldCount,
                           const QString& recordSource) {
    return "SELECT " + columnList(columns, fieldCount) + " FROM " + recordSource + " WHERE 1 = 0";
}

QString listBuildDataSql(const data::ColInfoTable& columns, int fieldCount,
                         const QString& recordSource, const QString& filter) {
    QString sql = "SELECT " + columnList(columns, fieldCount) + " FROM " + recordSource;
    if (!filter.isEmpty())
        sql += " WHERE " + filter;
    return sql;
}

SortChoice chooseSort(const SortChoice& current, const QString& clickedColumn) {
    if (clickedColumn != current.column)
        return {clickedColumn, SortDirection::Ascending};
    return {current.column, current.direction == SortDirection::Ascending
                                ? SortDirection::Descending
                                : SortDirection::Ascending};
}

QString sortText(const SortChoice& choice) {
    switch (choice.direction) {
    case SortDirection::Ascending:
        return choice.column + " ASC";
    case SortDirection::Descending:
        return choice.column + " DESC";
    case SortDirection::None:
        break;
    }
    return choice.column + " ";
}

} // namespace grid
