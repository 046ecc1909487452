// The grouping tree over tables of the sample database, read by the program's own file reader,
// grouped by chosen columns down to the last one: checked against the engine, and once against
// figures computed here from the rows themselves.
#include "data/Connection.h"
#include "data/Dialect.h"
#include "data/access/AccessFixtures.h"
#include "tree/LocaleScope.h"
#include "tree/TreeInvariant.h"

#include <gtest/gtest.h>
#include <numeric>

using NwindTree = test::access::WithAccessFixtures;

TEST_F(NwindTree, EveryNodeSelectsExactlyItsOwnRows) {
    auto connection = std::make_shared<data::Connection>();
    connection->Open(data::accessConnectionString(test::access::accessFixture("nwind.mdb")));
    const struct {
        const char* table;
        QStringList order;
        const char* dateGroup;
    } trees[] = {
        // Texts with nulls above a year level of a date with nulls, over currency amounts.
        {"[Orders]", {"ShipCountry", "ShipRegion", "ShippedDate", "Freight"}, "Year"},
        // Small whole numbers above months.
        {"[Orders]", {"ShipVia", "OrderDate", "EmployeeID"}, "Month"},
        // Discounts are Single values that no decimal text writes exactly; prices are currency.
        {"[Order Details]", {"Discount", "Quantity", "UnitPrice"}, "None"},
        {"[Products]", {"Discontinued", "UnitPrice", "UnitsInStock"}, "None"},
    };
    for (const auto& t : trees) {
        SCOPED_TRACE(t.table);
        test::TreeInvariant tree(connection, t.table, data::Dialect::Jet);
        EXPECT_GT(tree.check(t.order, t.dateGroup), 0);
    }
}

namespace {

// The orders' rows as the file holds them, with no statement but a plain read, and the figures a
// node's label must show computed here from them: a check that does not take its expectations
// from the engine it checks.
class RawOrders {
public:
    explicit RawOrders(const std::shared_ptr<data::Connection>& connection) {
        data::Recordset rows;
        rows.Open("SELECT * FROM [Orders]", connection, data::ado::adOpenForwardOnly,
                  data::ado::adLockReadOnly, -1);
        for (; !rows.Eof(); rows.MoveNext()) {
            std::vector<QVariant> row;
            for (const QString& name : Columns)
                row.push_back(rows.Fields(name).Value());
            rows_.push_back(std::move(row));
        }
    }

    static inline const QStringList Columns = {"ShipCountry", "ShipVia", "OrderDate", "Freight"};

    // Checks a node against the rows of its path and returns those rows; the node shows the
    // statistics of column `depth` when that one holds numbers.
    std::vector<const std::vector<QVariant>*> check(const tree::NodePath& path,
                                                    const QString& label) const {
        std::vector<const std::vector<QVariant>*> rows;
        for (const auto& row : rows_)
            if (matches(row, path))
                rows.push_back(&row);
        const auto shown = drill::readLabel(label, test::UnitedStates);
        EXPECT_TRUE(shown) << label.toStdString();
        if (!shown)
            return rows;
        EXPECT_EQ(shown->count, qlonglong(rows.size())) << label.toStdString();
        const int depth = int(path.values.size());
        const bool numeric = depth == 1 || depth == 3;
        EXPECT_EQ(shown->hasStatistics, numeric) << label.toStdString();
        std::vector<double> values;
        for (const auto* row : rows)
            if (numeric && !(*row)[depth].isNull())
                values.push_back((*row)[depth].toDouble());
        if (!numeric)
            return rows;
        const double sum = std::accumulate(values.begin(), values.end(), 0.0);
        const std::array<double, 4> expected = {
            values.empty() ? 0 : *std::min_element(values.begin(), values.end()),
            values.empty() ? 0 : *std::max_element(values.begin(), values.end()),
            values.empty() ? 0 : sum / double(values.size()), sum};
        // Two decimals: within half a cent, an average that falls on a half cent either way.
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(shown->statistics[i].has_value(), !values.empty()) << label.toStdString();
            if (shown->statistics[i] && !values.empty()) {
                EXPECT_NEAR(*shown->statistics[i], expected[i], 0.005 + 1e-9)
                    << i << label.toStdString();
            }
        }
        return rows;
    }

private:
    // Texts compare without regard to case, dates by their year, numbers by value.
    static bool matches(const std::vector<QVariant>& row, const tree::NodePath& path) {
        for (std::size_t i = 0; i < path.values.size(); ++i) {
            const QVariant& node = path.values[i].value;
            const QVariant& cell = row[i];
            if (node.isNull() || cell.isNull()) {
                if (node.isNull() != cell.isNull())
                    return false;
            } else if (i == 0   ? cell.toString().compare(node.toString(), Qt::CaseInsensitive) != 0
                       : i == 2 ? QString::number(cell.toDate().year()) != node.toString()
                                : cell.toDouble() != node.toDouble()) {
                return false;
            }
        }
        return true;
    }

    std::vector<std::vector<QVariant>> rows_;
};

int checkBelow(tree::GroupingModel& grouping, const std::shared_ptr<data::Connection>& connection,
               const RawOrders& raw, tree::NodePath& path) {
    const int depth = int(path.values.size());
    if (!grouping.hasLevelBelow(depth))
        return 0;
    int nodes = 0;
    const tree::LevelSql level = grouping.startLevel(depth, path, "Year").sql;
    for (const tree::LevelRow& child : grouping.readLevel(connection, level)) {
        path.values.push_back(child.node);
        EXPECT_FALSE(raw.check(path, child.node.label).empty()) << child.node.label.toStdString();
        nodes += 1 + checkBelow(grouping, connection, raw, path);
        path.values.pop_back();
    }
    return nodes;
}

} // namespace

TEST_F(NwindTree, EveryLabelShowsTheFiguresOfItsRowsAsTheFileHoldsThem) {
    test::LocaleScope region(test::UnitedStates);
    auto connection = std::make_shared<data::Connection>();
    connection->Open(data::accessConnectionString(test::access::accessFixture("nwind.mdb")));
    const RawOrders raw(connection);
    tree::GroupingModel grouping;
    grouping.open(
        "[Orders]", data::Dialect::Jet,
        test::columnsNamed(connection, "[Orders]", data::Dialect::Jet, RawOrders::Columns));
    tree::NodePath root;
    EXPECT_EQ(raw.check(root, tree::rootLabel(grouping.readRoot(connection))).size(), 830u);
    EXPECT_GT(checkBelow(grouping, connection, raw, root), 830);
}
