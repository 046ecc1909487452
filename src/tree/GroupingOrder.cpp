#include "tree/GroupingOrder.h"

namespace tree {

data::LevelTerm levelTerm(const data::ColInfoRec& column, data::DateGroup dateGroup) {
    data::LevelTerm term{column.ColName, std::nullopt};
    if (column.ColConv == data::Conversion::CDate)
        term.dateGroup = column.ColDateGroup.value_or(dateGroup);
    return term;
}

std::vector<data::LevelTerm> groupingOrder(const data::ColInfoTable& columns, int fieldCount,
                                           data::DateGroup dateGroup) {
    std::vector<data::LevelTerm> terms;
    for (int i = 0; i < fieldCount && i <= data::ColInfoUpper; ++i) {
        if (columns[i].ColConv == data::Conversion::Nothing)
            break;
        terms.push_back(levelTerm(columns[i], dateGroup));
    }
    return terms;
}

} // namespace tree
