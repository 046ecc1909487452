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

// A NUL character cannot stand inside a literal: each dialect joins in its own Chr(0).
TEST(NodeFilter, TextsHoldingNulJoinTheDialectsChr) {
    const auto columns = test::columnTable({{"[Note]", data::Conversion::CStr}});
    const QString text = QString("it's") + QChar(0) + QChar(0) + "x";
    const std::pair<data::Dialect, QString> cases[] = {
        {data::Dialect::Jet, "[Note] = ('it''s' & Chr(0) & '' & Chr(0) & 'x')"},
        {data::Dialect::OdbcBridge, "[Note] = ('it''s' & Chr(0) & '' & Chr(0) & 'x')"},
        {data::Dialect::Oracle, "[Note] = ('it''s' || CHR(0) || '' || CHR(0) || 'x')"},
    };
    for (const auto& [dialect, expected] : cases)
        EXPECT_EQ(filterOf({node(text, data::ado::adVarWChar)}, columns, dialect), expected);
}
