#include "tree/GroupingOrder.h"

namespace tree {

QStringList groupingOrder(const data::ColInfoTable& columns, int fieldCount) {
    QStringList names;
    for (int i = 0; i < fieldCount && i <= data::ColInfoUpper; ++i) {
        if (columns[i].ColConv == "NOTHING")
            break;
        names << columns[i].ColName;
    }
    return names;
}

} // namespace tree
