#include "tree/NodeFilter.h"

#include "Columns.h"
#include "data/AdoTypes.h"

#include <gtest/gtest.h>
#include <vector>

using namespace tree;
using data::ado::DataType;

namespace {

NodeValue node(const QVariant& value, DataType type) {
    return NodeValue{value, type, QString()};
}
NodeValue nullNode() {
    return NodeValue{QVariant(), 0, "<<NULL>> (3)"};
}

QString filterOf(std::vector<NodeValue> path, const data::ColInfoTable& columns,
                 data::Dialect dialect = data::Dialect::Jet) {
    return makeFilter(path, columns, dialect);
}

} // namespace

TEST(NodeFilter, ConditionsRunFromTheNodeUpToTheFirstLevel) {
    auto columns = test::columnTable({{"[Year]", data::Conversion::CInt},
                                      {"[OrderDate]", data::Conversion::CDate},
                                      {"[Region]", data::Conversion::CStr},
                                      {"[Amount]", data::Conversion::CDbl}});
    columns[1].ColDateGroup = "Month";
    EXPECT_EQ(filterOf({}, columns), "");
    EXPECT_EQ(filterOf({node(2001, data::ado::adInteger)}, columns), "[Year] = 2001");
    EXPECT_EQ(filterOf({node(2001, data::ado::adInteger), nullNode(),
                        node("North", data::ado::adVarWChar)},
                       columns),
              "[Region] = 'North' AND [OrderDate] IS NULL  AND [Year] = 2001");
    EXPECT_EQ(filterOf({node(2001, data::ado::adInteger), node("2001/03", data::ado::adVarWChar),
                        nullNode()},
                       columns),
              "[Region] IS NULL  AND Format([OrderDate], \"yyyy\\/mm\") = '2001/03' AND [Year] = "
              "2001");
}
