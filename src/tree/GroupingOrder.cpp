#include "tree/GroupingOrder.h"

#include "tree/DateGrouping.h"

namespace tree {

QStringList groupingOrder(const data::ColInfoTable& columns, int fieldCount,
                          const QString& dateGroupType, data::Dialect dialect) {
    QStringList terms;
    for (int i = 0; i < fieldCount && i <= data::ColInfoUpper; ++i) {
        const data::ColInfoRec& column = columns[i];
        if (column.ColConv == data::Conversion::Nothing)
            break;
        QString term;
        if (column.ColConv == data::Conversion::CDate)
            term = TreeBuildDate(
                column.ColSQL, column.ColDateGroup.isEmpty() ? dateGroupType : column.ColDateGroup,
                dialect);
        terms << (term.isEmpty() ? column.ColSQL : term);
    }
    return terms;
}

} // namespace tree
