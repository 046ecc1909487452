#include "tree/GroupingOrder.h"

#include "tree/DateGrouping.h"

namespace tree {

QStringList groupingOrder(const data::ColInfoTable& columns, int fieldCount,
                          const QString& dateGroupType, const QString& provider) {
    QStringList terms;
    for (int i = 0; i < fieldCount && i <= data::ColInfoUpper; ++i) {
        const data::ColInfoRec& column = columns[i];
        if (column.ColConv == "NOTHING")
            break;
        QString term;
        if (column.ColConv == "CDate")
            term = TreeBuildDate(
                column.ColSQL, column.ColDateGroup.isEmpty() ? dateGroupType : column.ColDateGroup,
                provider);
        terms << (term.isEmpty() ? column.ColSQL : term);
    }
    return terms;
}

} // namespace tree
