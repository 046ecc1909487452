#include "grid/CopyStatement.h"

#include "data/Error.h"

namespace grid {

namespace {

const data::ColInfoRec& column(const data::ColInfoTable& columns, int position) {
    if (position < 0 || position > data::ColInfoUpper)
        throw data::Error("Subscript out of range");
    return columns[std::size_t(position)];
}

} // namespace

CopyStatement copyStatement(const data::ColInfoTable& columns, int first, int last,
                            const QString& recordSource, data::Dialect dialect,
                            const QString& condition) {
    const QString joint = dialect == data::Dialect::Oracle ? QStringLiteral(" || Chr(9) || ")
                                                           : QStringLiteral(" & Chr(9) & ");
    CopyStatement copy{QString(), QStringLiteral("Select ")};
    for (int i = first; i < last; ++i) {
        copy.header += column(columns, i).ColName + u'\t';
        copy.sql += column(columns, i).ColSQL + joint;
    }
    copy.header += column(columns, last).ColName + GridLineEnd;
    copy.sql += column(columns, last).ColSQL + " From " + recordSource;
    if (!condition.isEmpty())
        copy.sql += " WHERE " + condition;
    return copy;
}

} // namespace grid
