// A node's condition. (What the conditions of every level select is checked by whole trees in
// each dialect, TreeInvariant.)
#include "tree/NodeFilter.h"

#include "Columns.h"
#include "data/AdoTypes.h"

#include <gtest/gtest.h>

// A NUL character cannot stand inside a literal: each dialect joins in its own Chr(0).
TEST(NodeFilter, TextsHoldingNulJoinTheDialectsChr) {
    const auto columns = test::columnTable({{"[Note]", data::Conversion::CStr}});
    const tree::NodeValue node{QString("it's") + QChar(0) + QChar(0) + "x", data::ado::adVarWChar,
                               QString()};
    const std::pair<data::Dialect, QString> cases[] = {
        {data::Dialect::Jet, "[Note] = ('it''s' & Chr(0) & '' & Chr(0) & 'x')"},
        {data::Dialect::OdbcBridge, "[Note] = ('it''s' & Chr(0) & '' & Chr(0) & 'x')"},
        {data::Dialect::Oracle, "[Note] = ('it''s' || CHR(0) || '' || CHR(0) || 'x')"},
    };
    for (const auto& [dialect, expected] : cases)
        EXPECT_EQ(tree::makeFilter({&node, 1}, columns, dialect), expected);
}
