#include "tree/NodeFilter.h"

#include "Columns.h"
#include "LocaleScope.h"
#include "data/AdoTypes.h"

#include <QDateTime>
#include <gtest/gtest.h>
#include <limits>
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

TEST(NodeFilter, ValuesAreWrittenFromTheirTypedValue) {
    const auto columns = test::columnTable({{"[C]", data::Conversion::CStr}});
    EXPECT_EQ(filterOf({node("Bon app'", data::ado::adVarWChar)}, columns), "[C] = 'Bon app'''");
    // A text that merely begins like the null group is still a text.
    EXPECT_EQ(filterOf({node("<<NULL>> (2)", data::ado::adVarWChar)}, columns),
              "[C] = '<<NULL>> (2)'");
    EXPECT_EQ(filterOf({node("a (b) (c)", data::ado::adVarWChar)}, columns), "[C] = 'a (b) (c)'");
    EXPECT_EQ(filterOf({nullNode()}, test::columnTable({{"[B]", data::Conversion::CBool}})),
              "[B] IS NULL ");
    EXPECT_EQ(filterOf({node(true, data::ado::adBoolean)},
                       test::columnTable({{"[B]", data::Conversion::CBool}})),
              "[B] = True");
    EXPECT_EQ(filterOf({node(false, data::ado::adBoolean)},
                       test::columnTable({{"[B]", data::Conversion::CBool}})),
              "[B] = False");
}

TEST(NodeFilter, NumbersReadBackToTheSameValueInEveryRegion) {
    test::LocaleScope german(test::Germany);
    const auto dbl = test::columnTable({{"[X]", data::Conversion::CDbl}});
    EXPECT_EQ(filterOf({node(1.5, data::ado::adDouble)}, dbl), "[X] = 1.5");
    EXPECT_EQ(filterOf({node(-2.25, data::ado::adDouble)}, dbl), "[X] = -2.25");
    EXPECT_EQ(filterOf({node(0.1 + 0.2, data::ado::adDouble)}, dbl), "[X] = 0.30000000000000004");
    EXPECT_EQ(filterOf({node(1e20, data::ado::adDouble)}, dbl), "[X] = 1E+20");
    EXPECT_EQ(filterOf({node(QString("1,5"), data::ado::adNumeric)},
                       test::columnTable({{"[X]", data::Conversion::CDec}})),
              "[X] = 1.5");
    const auto lng = test::columnTable({{"[N]", data::Conversion::CLng}});
    EXPECT_EQ(filterOf({node(std::numeric_limits<qlonglong>::min(), data::ado::adBigInt)}, lng),
              "[N] = -9223372036854775808");
    EXPECT_EQ(filterOf({node(qlonglong(1) << 40, data::ado::adBigInt)},
                       test::columnTable({{"[N]", data::Conversion::CInt}})),
              "[N] = 1099511627776");
}

TEST(NodeFilter, DatesUnderNoneAreExactInEachDialect) {
    auto columns = test::columnTable({{"D", data::Conversion::CDate}});
    columns[0].ColDateGroup = "None";
    const QVariant when = QDateTime(QDate(2045, 7, 1), QTime(23, 59, 58));
    EXPECT_EQ(filterOf({node(when, data::ado::adDate)}, columns),
              "D = CDate('2045-07-01 23:59:58')");
    EXPECT_EQ(filterOf({node(when, data::ado::adDate)}, columns, data::Dialect::Oracle),
              "D = to_date('2045-07-01 23:59:58', 'YYYY-MM-DD HH24:MI:SS')");
    // A connection without a dialect writes no date condition.
    EXPECT_EQ(filterOf({node(when, data::ado::adDate)}, columns, data::Dialect::None), "");
}
