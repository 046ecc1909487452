// Results of the engine in the data grid: cells as the region writes them, and rows read only as
// far as the grid shows them, keeping what was read when a read fails part way.
#include "data/AdoTypes.h"
#include "data/Connection.h"
#include "data/Dialect.h"
#include "data/Recordset.h"
#include "data/access/AccessFixtures.h"
#include "data/jet/JetTestSupport.h"
#include "grid/RecordsetModel.h"
#include "tree/LocaleScope.h"
#include "ui/main/DataGrid.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>
#include <map>

using data::jet::testing::openStatic;
using grid::RecordsetModel;

namespace {

// Column N counts the rows from 1, column X holds what `x` gives for N; made row by row as the
// engine loads them instead of being held.
class GeneratedTable : public data::jet::TableSource {
public:
    GeneratedTable(qint64 rows, std::function<qint64(qint64)> x) : rows_(rows), x_(std::move(x)) {}
    QStringList tableNames() override { return {"T"}; }
    std::optional<data::jet::SourceTable> describe(const QString&) override {
        return data::jet::SourceTable{
            "T", {{"N", data::ado::adInteger, 0}, {"X", data::ado::adInteger, 0}}};
    }
    void load(const QString&, data::jet::RowSink& sink) override {
        for (qint64 n = 1; n <= rows_; ++n) {
            sink.setInteger(0, n);
            sink.setInteger(1, x_(n));
            sink.endRow();
        }
    }

private:
    qint64 rows_;
    std::function<qint64(qint64)> x_;
};

class GridFetchTest : public ::testing::Test {
protected:
    std::shared_ptr<RecordsetModel> modelOf(qsizetype rows, std::function<qint64(qint64)> x,
                                            const QString& sql) {
        using data::jet::testing::connectTo;
        records = openStatic(connectTo(std::make_shared<GeneratedTable>(rows, std::move(x))), sql);
        return std::make_shared<RecordsetModel>(records);
    }
    void show(std::shared_ptr<RecordsetModel> model) {
        grid.setDataSource(std::move(model));
        grid.resize(400, 300);
        grid.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
        settle();
    }
    void scrollToEnd() {
        grid.Scroll(0, 1 << 30);
        settle();
    }
    // The view lays itself out and asks for rows in the turns of the event loop after a change:
    // turned until its rows stay as they are, however long each turn takes.
    void settle() {
        for (int same = 0, turns = 0; same < 3 && turns < 1000; ++turns) {
            const int before = shown().rowCount();
            QApplication::processEvents();
            same = shown().rowCount() == before ? same + 1 : 0;
        }
    }
    // What the grid's view shows, and the first cell of one of its rows.
    QAbstractItemModel& shown() { return *grid.findChild<QTableView*>()->model(); }
    QString cell(int row) { return shown().index(row, 0).data().toString(); }

    std::shared_ptr<data::Recordset> records;
    ui::DataGrid grid;
};

} // namespace

TEST_F(GridFetchTest, AMillionRowsShowAtOnceAndAreReadOnlyAsFarAsScrolled) {
    auto model = modelOf(
        1'000'000, [](qint64 n) { return n; }, "SELECT * FROM [T]");
    show(model);
    EXPECT_EQ(cell(0), "1");
    const qsizetype firstScreen = records->rowsKnown();
    EXPECT_GT(shown().rowCount(), 10) << "the first screen is filled";
    EXPECT_LT(firstScreen, 2000) << "and little more is read";

    scrollToEnd();
    const qsizetype scrolled = records->rowsKnown();
    EXPECT_GT(scrolled, firstScreen);
    EXPECT_LT(scrolled, 4000);
    EXPECT_EQ(shown().rowCount(), scrolled);
    EXPECT_EQ(cell(int(scrolled) - 1), QString::number(scrolled));
}

TEST_F(GridFetchTest, AFailurePartWayKeepsTheRowsReadAndIsReportedOnce) {
    const int failing = 300; // CInt overflows on this row
    auto model = modelOf(
        1000, [=](qint64 n) { return n == failing ? 100000 : n; }, "SELECT CInt([X]) FROM [T]");
    QSignalSpy reported(model.get(), &RecordsetModel::fetchFailed);
    show(model);
    for (int i = 0; i < 4 && !model->failed(); ++i)
        scrollToEnd();
    ASSERT_TRUE(model->failed());
    EXPECT_EQ(shown().rowCount(), failing - 1);
    EXPECT_EQ(cell(failing - 2), QString::number(failing - 1));
    ASSERT_TRUE(reported.count() == 1 || reported.wait(60000));
    EXPECT_EQ(reported.first().first().toString(), "Overflow");

    scrollToEnd(); // and reads no further
    EXPECT_EQ(shown().rowCount(), failing - 1);
    EXPECT_EQ(reported.count(), 1);
}

TEST_F(GridFetchTest, CellsShowValuesAsTheRegionWritesThemUnderTheFieldNames) {
    ASSERT_NO_FATAL_FAILURE(test::requireFixture("access/nwind.mdb"));
    auto northwind = std::make_shared<data::Connection>();
    northwind->Open(data::accessConnectionString(test::access::accessFixture("nwind.mdb")));
    records = openStatic(northwind, "SELECT * FROM [Orders] WHERE [OrderID] = 10248 OR "
                                    "[OrderID] = 10540 ORDER BY [OrderID]");
    show(std::make_shared<RecordsetModel>(records));
    ASSERT_EQ(shown().rowCount(), 2);
    ASSERT_EQ(shown().columnCount(), records->fieldCount());
    std::map<QString, int> column;
    for (int c = 0; c < shown().columnCount(); ++c) {
        EXPECT_EQ(shown().headerData(c, Qt::Horizontal).toString(), records->Fields(c).Name);
        column[records->Fields(c).Name] = c;
    }
    const auto cell = [&](int row, const QString& name, int role = Qt::DisplayRole) {
        return shown().index(row, column.at(name)).data(role);
    };
    EXPECT_EQ(cell(0, "ShipRegion").toString(), "") << "a null region is an empty cell";
    const test::LocaleScope german(test::Germany);
    EXPECT_EQ(cell(1, "Freight").toString(), "1007,64");
    EXPECT_EQ(cell(0, "OrderDate").toString(), "04.08.1994");
    EXPECT_TRUE(cell(0, "OrderID", Qt::TextAlignmentRole).toInt() & Qt::AlignRight);
    EXPECT_TRUE(cell(0, "Freight", Qt::TextAlignmentRole).toInt() & Qt::AlignRight);
    EXPECT_FALSE(cell(0, "ShipName", Qt::TextAlignmentRole).toInt() & Qt::AlignRight);
}
