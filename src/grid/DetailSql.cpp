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

} // namespace grid
