// The grid's model over Northwind tables read through the Access provider.
#include "grid/RecordsetModel.h"

#include "data/AdoTypes.h"
#include "data/Connection.h"
#include "data/Error.h"
#include "data/Recordset.h"
#include "data/access/AccessFixtures.h"
#include "data/jet/JetTestSupport.h"

using data::jet::testing::DefaultLocale;
using data::jet::testing::openStatic;
using grid::RecordsetModel;

namespace {

class RecordsetModelTest : public test::access::WithAccessFixtures {
protected:
    void SetUp() override {
        WithAccessFixtures::SetUp();
        if (HasFailure())
            return;
        northwind = std::make_shared<data::Connection>();
        northwind->Open("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" +
                        test::access::accessFixture("nwind.mdb"));
    }

    // The model of the statement, with every row read.
    static std::unique_ptr<RecordsetModel> model(std::shared_ptr<data::Recordset> records) {
        auto model = std::make_unique<RecordsetModel>(std::move(records));
        while (model->canFetchMore({}))
            model->fetchMore({});
        return model;
    }
    static QString cell(const RecordsetModel& model, int row, const QString& name) {
        return model.index(row, column(model, name)).data().toString();
    }
    static bool alignedRight(const RecordsetModel& model, const QString& name) {
        return model.index(0, column(model, name)).data(Qt::TextAlignmentRole).toInt() &
               Qt::AlignRight;
    }
    static int column(const RecordsetModel& model, const QString& name) {
        for (int c = 0; c < model.columnCount(); ++c)
            if (model.headerData(c, Qt::Horizontal).toString() == name)
                return c;
        ADD_FAILURE() << "no column " << name.toStdString();
        return -1;
    }

    std::shared_ptr<data::Connection> northwind;
};

} // namespace

TEST_F(RecordsetModelTest, OrdersShowFieldNamesAndValuesAsTheRegionWritesThem) {
    auto orders = openStatic(northwind, "SELECT * FROM [Orders] WHERE [OrderID] = 10248 OR "
                                        "[OrderID] = 10540 ORDER BY [OrderID]");
    const auto grid = model(orders);
    ASSERT_EQ(grid->columnCount(), orders->fieldCount());
    for (int c = 0; c < grid->columnCount(); ++c)
        EXPECT_EQ(grid->headerData(c, Qt::Horizontal).toString(), orders->Fields(c).Name);
    ASSERT_EQ(grid->rowCount(), 2);
    EXPECT_EQ(cell(*grid, 0, "ShipRegion"), "") << "a null region is an empty cell";
    DefaultLocale german("de_DE");
    EXPECT_EQ(cell(*grid, 0, "OrderID"), "10248");
    EXPECT_EQ(cell(*grid, 1, "Freight"), "1007,64");
    EXPECT_EQ(cell(*grid, 0, "OrderDate"), "04.08.1994");

    EXPECT_TRUE(alignedRight(*grid, "OrderID"));
    EXPECT_TRUE(alignedRight(*grid, "Freight"));
    EXPECT_FALSE(alignedRight(*grid, "ShipName"));
    EXPECT_FALSE(grid->flags(grid->index(0, 0)) & Qt::ItemIsEditable);

    const auto categories = model(openStatic(northwind, "SELECT * FROM [Categories]"));
    ASSERT_GT(categories->rowCount(), 0);
    EXPECT_TRUE(cell(*categories, 0, "Picture").startsWith("<Binary: "));
}

TEST_F(RecordsetModelTest, AnEmptyResultKeepsItsColumnsAndAForwardOnlyOneIsRefused) {
    const auto empty = model(openStatic(northwind, "SELECT * FROM [Orders] WHERE 1 = 0"));
    EXPECT_EQ(empty->rowCount(), 0);
    EXPECT_EQ(empty->headerData(0, Qt::Horizontal).toString(), "OrderID");

    auto forward = std::make_shared<data::Recordset>();
    forward->Open("SELECT * FROM [Orders]", northwind, data::ado::adOpenForwardOnly);
    EXPECT_THROW(RecordsetModel{forward}, data::Error);
}
