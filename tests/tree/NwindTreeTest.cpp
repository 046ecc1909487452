// The grouping tree over tables of the sample database, read by the program's own file reader,
// grouped by chosen columns down to the last one: checked against the engine, and once against
// figures computed here from the rows themselves.
#include "data/Connection.h"
#include "data/Dialect.h"
#include "data/Recordset.h"
#include "data/access/AccessFixtures.h"
#include "tree/LocaleScope.h"
#include "tree/TreeInvariant.h"

#include <gtest/gtest.h>
#include <numeric>

using NwindTree = test::access::WithAccessFixtures;

namespace {

// The orders' rows as the file holds them, read plainly, and the figures a node's label must show
// computed here from them: a check that does not take its expectations from the engine it checks.
using Rows = std::vector<std::vector<QVariant>>;
const QStringList RawColumns = {"ShipCountry", "ShipVia", "OrderDate", "Freight"};

// Texts compare without regard to case, dates by their year, numbers by value.
bool matches(const std::vector<QVariant>& row, const tree::NodePath& path) {
    for (std::size_t i = 0; i < path.values.size(); ++i) {
        const QVariant &node = path.values[i].value, &cell = row[i];
        if (node.isNull() || cell.isNull() ? node.isNull() != cell.isNull()
            : i == 0 ? cell.toString().compare(node.toString(), Qt::CaseInsensitive) != 0
            : i == 2 ? QString::number(cell.toDate().year()) != node.toString()
                     : cell.toDouble() != node.toDouble())
            return false;
    }
    return true;
}

// A node against the rows of its path: it counts them, and shows the statistics of column
// `depth` (ShipVia and Freight hold numbers) to two decimals.
void check(const Rows& all, const tree::NodePath& path, const QString& label) {
    const std::size_t depth = path.values.size();
    std::vector<double> values;
    qlonglong count = 0;
    for (const auto& row : all)
        if (matches(row, path) && ++count && depth < 4 && !row[depth].isNull())
            values.push_back(row[depth].toDouble());
    std::array<QVariant, 4> figures;
    if (!values.empty()) {
        const double sum = std::accumulate(values.begin(), values.end(), 0.0);
        figures = {*std::min_element(values.begin(), values.end()),
                   *std::max_element(values.begin(), values.end()), sum / double(values.size()),
                   sum};
    }
    EXPECT_GT(count, 0) << label.toStdString();
    test::expectLabelShows(label, tree::Regional(), count,
                           depth == 1 || depth == 3 ? &figures : nullptr, label);
}

} // namespace

TEST_F(NwindTree, EveryLabelShowsTheFiguresOfItsRowsAndEveryNodeSelectsExactlyThem) {
    test::LocaleScope region(test::UnitedStates);
    auto connection = std::make_shared<data::Connection>();
    connection->Open(data::accessConnectionString(test::access::accessFixture("nwind.mdb")));
    Rows all;
    data::Recordset rows;
    rows.Open("SELECT * FROM [Orders]", connection, data::ado::adOpenForwardOnly,
              data::ado::adLockReadOnly, -1);
    for (; !rows.Eof(); rows.MoveNext()) {
        all.emplace_back();
        for (const QString& name : RawColumns)
            all.back().push_back(rows.Fields(name).Value());
    }
    test::TreeInvariant tree(connection, "[Orders]", data::Dialect::Jet);
    tree.alsoCheck = [&](const tree::NodePath& path, const QString& label) {
        check(all, path, label);
    };
    EXPECT_GT(tree.check(RawColumns, "Year"), 830);

    // Discounts are Single values that no decimal text writes exactly; prices are currency.
    // (Texts, dates and numbers of every kind: HardValuesTreeTest.)
    test::TreeInvariant details(connection, "[Order Details]", data::Dialect::Jet);
    EXPECT_GT(details.check({"Discount", "Quantity", "UnitPrice"}, "None"), 0);
}
