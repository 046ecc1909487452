// A node's condition. (What the conditions of every level select is checked by whole trees in
// each dialect, TreeInvariant.)
#include "tree/NodeFilter.h"

#include "Columns.h"
#include "data/AdoTypes.h"

#include <gtest/gtest.h>

// A NUL character cannot stand inside a literal, which a driver may read as a C string: the
// condition joins in Chr(0).
TEST(NodeFilter, TextsHoldingNulJoinTheDialectsChr) {
    const auto columns = test::columnTable({{"[Note]", data::Conversion::CStr}});
    const tree::NodeValue node{QString("it's") + QChar(0) + QChar(0) + "x", data::ado::adVarWChar,
                               QString()};
    for (const data::Dialect dialect : {data::Dialect::Jet, data::Dialect::OdbcBridge})
        EXPECT_EQ(tree::makeFilter({&node, 1}, columns, dialect),
                  "[Note] = ('it''s' & Chr(0) & '' & Chr(0) & 'x')");
}
