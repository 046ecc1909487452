#include "data/Ado.h"
#include "data/ColumnTable.h"
#include "data/Connection.h"
#include "data/Dialect.h"
#include "data/Recordset.h"
#include "data/access/AccessFixtures.h"
#include "tree/DateGrouping.h"
#include "tree/LevelRows.h"
#include "tree/NodeFilter.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <vector>

using namespace tree;
using test::access::accessFixture;

namespace {

// The Orders table of the sample database, grouped by chosen columns down to the last one.
class NwindTree : public test::access::WithAccessFixtures {
protected:
    void SetUp() override {
        WithAccessFixtures::SetUp();
        if (IsSkipped() || HasFailure())
            return;
        connection_ = std::make_shared<data::Connection>();
        connection_->Open(data::accessConnectionString(accessFixture("nwind.mdb")));
    }

    // The column table with the given columns in this order, dates grouped as given.
    void groupBy(const QStringList& order, const QString& dateGroup) {
        data::Recordset structure;
        structure.Open(data::structureSql(source_), connection_, data::ado::adOpenStatic,
                       data::ado::adLockReadOnly, -1);
        data::ColInfoTable all;
        const int count = data::fillColumnTable(all, structure, data::JetProvider);
        fieldCount_ = 0;
        for (const QString& name : order)
            for (int i = 0; i < count; ++i)
                if (all[i].ColName == name)
                    columns_[fieldCount_++] = all[i];
        ASSERT_EQ(fieldCount_, order.size());
        data::resetSpareEntries(columns_, fieldCount_);
        for (int i = 0; i < fieldCount_; ++i)
            if (columns_[i].ColConv == "CDate")
                columns_[i].ColDateGroup = dateGroup;
    }

    qlonglong countWhere(const QString& condition) {
        data::Recordset rows;
        rows.Open("SELECT Count(1) AS N FROM " + source_ + " WHERE " + condition, connection_,
                  data::ado::adOpenForwardOnly, data::ado::adLockReadOnly, -1);
        return rows.Fields("N").Value().toLongLong();
    }

    // Builds every level below the node and checks that the children add up to the node and
    // that each child's condition selects exactly its rows; returns the nodes visited.
    int expand(std::vector<NodeValue>& path, qlonglong count) {
        const int depth = int(path.size());
        if (depth == fieldCount_)
            return 0;
        const QString filter = makeFilter(path, columns_, data::JetProvider);
        const LevelSql level{
            depth, fieldCount_, source_, filter,
            TreeBuildDate(columns_[depth].ColSQL, columns_[depth].ColDateGroup, data::JetProvider)};
        const std::vector<LevelRow> children = readLevel(connection_, columns_, level);
        qlonglong total = 0;
        int visited = 0;
        for (const LevelRow& child : children) {
            const qlonglong rows = child.figures.count.toLongLong();
            total += rows;
            path.push_back(child.node);
            const QString condition = makeFilter(path, columns_, data::JetProvider);
            EXPECT_EQ(countWhere(condition), rows) << condition.toStdString();
            visited += 1 + expand(path, rows);
            path.pop_back();
        }
        EXPECT_EQ(total, count) << "below " << filter.toStdString();
        return visited;
    }

    void checkTree(const QStringList& order, const QString& dateGroup) {
        groupBy(order, dateGroup);
        const Figures root = readRoot(connection_, columns_, source_);
        ASSERT_EQ(root.count.toLongLong(), 830);
        std::vector<NodeValue> path;
        EXPECT_GT(expand(path, 830), 0);
    }

    std::shared_ptr<data::Connection> connection_;
    const QString source_ = "[Orders]";
    data::ColInfoTable columns_;
    int fieldCount_ = 0;
};

} // namespace

TEST_F(NwindTree, TextColumnsWithNullsAboveAYearLevel) {
    checkTree({"ShipCountry", "ShipRegion", "OrderDate", "Freight"}, "Year");
}

TEST_F(NwindTree, MonthsAboveNumbers) {
    checkTree({"OrderDate", "EmployeeID", "ShipVia", "Freight"}, "Month");
}

TEST_F(NwindTree, QuartersOfADateWithNulls) {
    checkTree({"ShipVia", "ShippedDate", "ShipCountry"}, "Quarter");
}

TEST_F(NwindTree, WholeDatesAndFreightAmounts) {
    checkTree({"ShippedDate", "Freight"}, "None");
    checkTree({"Freight", "CustomerID"}, "None");
}
