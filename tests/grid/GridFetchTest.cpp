// Results of the engine in the data grid: cells as the region writes them, every row of a result
// within reach from the binding on, read by position as the view shows them, the same rows
// whether the engine starts a statement at a position or the rows before it are passed over, and
// what was read kept when a read fails part way.
#include "data/AdoTypes.h"
#include "data/Connection.h"
#include "data/Dialect.h"
#include "data/Operation.h"
#include "data/PagedRecordset.h"
#include "data/access/AccessFixtures.h"
#include "data/jet/JetProvider.h"
#include "data/jet/JetTestSupport.h"
#include "grid/RecordsetModel.h"
#include "support/IndexForEveryOrder.h"
#include "tree/LocaleScope.h"
#include "ui/main/DataGrid.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <algorithm>
#include <gtest/gtest.h>
#include <map>

using data::jet::testing::connectTo;
using grid::RecordsetModel;

namespace {

// Column N counts the rows from 1, column X holds what `x` gives for N (null for a negative
// value) and column S a text of X's in one of three letter cases; made row by row as the engine
// loads them instead of being held.
class GeneratedTable : public data::jet::TableSource {
public:
    GeneratedTable(qint64 rows, std::function<qint64(qint64)> x) : rows_(rows), x_(std::move(x)) {}
    QStringList tableNames() override { return {"T"}; }
    std::optional<data::jet::SourceTable> describe(const QString&) override {
        return data::jet::SourceTable{"T",
                                      {{"N", data::ado::adInteger, 0},
                                       {"X", data::ado::adInteger, 0},
                                       {"S", data::ado::adVarWChar, 0}}};
    }
    void load(const QString&, data::jet::RowSink& sink) override {
        for (qint64 n = 1; n <= rows_; ++n) {
            sink.setInteger(0, n);
            const qint64 x = x_(n);
            if (x < 0) {
                sink.setNull(1);
                sink.setNull(2);
            } else {
                static const char* const cases[] = {"abc%1", "ABC%1", "Abc%1"};
                sink.setInteger(1, x);
                sink.setText(2, QString(cases[n % 3]).arg(x % 7));
            }
            sink.endRow();
        }
    }

private:
    qint64 rows_;
    std::function<qint64(qint64)> x_;
};

// Turns the event loop until `done`, a turn at a time, however long each takes.
void turnUntil(const std::function<bool()>& done) {
    for (int turns = 0; !done() && turns < 1000; ++turns)
        QApplication::processEvents();
}

class GridFetchTest : public ::testing::Test {
protected:
    std::shared_ptr<RecordsetModel> modelOf(qsizetype rows, std::function<qint64(qint64)> x,
                                            const QString& sql) {
        records = std::make_shared<data::PagedRecordset>(
            connectTo(std::make_shared<GeneratedTable>(rows, std::move(x))), sql);
        return std::make_shared<RecordsetModel>(records);
    }
    void show(std::shared_ptr<RecordsetModel> model) {
        grid.setDataSource(std::move(model));
        grid.resize(400, 300);
        grid.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
        settle();
    }
    // The view lays itself out and paints in the turns of the event loop after a change: turned
    // until the row at its bottom stays where it is, however long each turn takes.
    void settle() {
        for (int same = 0, turns = 0; same < 3 && turns < 1000; ++turns) {
            const int before = lastShown();
            QApplication::processEvents();
            same = lastShown() == before ? same + 1 : 0;
        }
    }
    QTableView& view() { return *grid.findChild<QTableView*>(); }
    QAbstractItemModel& shown() { return *view().model(); }
    // The rows at the top and at the bottom of what the view shows, and the first cell of a row.
    int firstShown() { return view().rowAt(0); }
    int lastShown() { return view().rowAt(view().viewport()->height() - 1); }
    QString cell(int row, int column = 0) { return shown().index(row, column).data().toString(); }

    std::shared_ptr<data::PagedRecordset> records;
    ui::DataGrid grid;
};

} // namespace

TEST_F(GridFetchTest, EveryRowOfAMillionIsWithinReachFromTheBinding) {
    auto model = modelOf(
        1'000'000, [](qint64 n) { return n; }, "SELECT * FROM [T]");
    show(model);
    EXPECT_EQ(shown().rowCount(), 1'000'000) << "the count is the statement's, not the rows read";
    EXPECT_EQ(firstShown(), 0);
    EXPECT_EQ(cell(0), "1");

    // One Ctrl+End shows the last rows.
    QTest::keyClick(&view(), Qt::Key_End, Qt::ControlModifier);
    settle();
    ASSERT_EQ(lastShown(), 999'999);
    EXPECT_EQ(cell(999'999), "1000000");
    EXPECT_EQ(cell(firstShown()), QString::number(firstShown() + 1));

    // Page Up from there, and Ctrl+Home back to the first row, read again after the pages kept
    // were let go.
    const int bottom = firstShown();
    QTest::keyClick(&view(), Qt::Key_PageUp);
    settle();
    EXPECT_LT(firstShown(), bottom);
    EXPECT_EQ(cell(firstShown()), QString::number(firstShown() + 1));
    QTest::keyClick(&view(), Qt::Key_Home, Qt::ControlModifier);
    settle();
    EXPECT_EQ(firstShown(), 0);
    EXPECT_EQ(cell(0), "1");
    EXPECT_FALSE(model->failed());
}

// Rows started at a position by the engine are the rows a reading from the start passes there,
// for pages asked for in any order, in the stored order and in orders that hold rows equal (text
// folded, nulls); the rows a sort holds equal may come in another order, but each once.
TEST_F(GridFetchTest, RowsByPositionAreTheRowsOfAReadingFromTheStart) {
    auto source = std::make_shared<GeneratedTable>(5000, [](qint64 n) {
        const qint64 x = (n * 7919) % 1009;
        return x % 13 == 0 ? -1 : x % 50;
    });
    const auto connection = connectTo(source);
    const auto allRows = [&](const QString& sql, const QString& sort) {
        data::PagedRecordset rows(connection, sql, sort);
        std::vector<QStringList> all(std::size_t(rows.count()));
        // Pages from the end to the start, then every other one again.
        for (qsizetype i = rows.count() - 1; i >= 0; --i) {
            const auto* row = rows.row(i);
            EXPECT_NE(row, nullptr) << i;
            if (!row)
                return all;
            for (const QVariant& value : *row)
                all[std::size_t(i)] << value.toString();
        }
        for (qsizetype i = 0; i < rows.count(); i += 2 * data::PagedRecordset::PageRows) {
            const auto* again = rows.row(i);
            EXPECT_EQ(again ? again->at(0).toString() : "missing", all[std::size_t(i)].at(0)) << i;
        }
        return all;
    };
    const QString sql = "SELECT [N], [X], [S] FROM [T] WHERE [X] IS NULL OR [X] <> 3";
    for (const QString sort : {"", "[X]", "[S] DESC", "[N] DESC"}) {
        data::jet::JetProvider::engineOffsets = false;
        const auto plain = allRows(sql, sort);
        data::jet::JetProvider::engineOffsets = true;
        const auto positioned = allRows(sql, sort);
        ASSERT_EQ(positioned.size(), plain.size()) << sort.toStdString();
        EXPECT_GT(plain.size(), 4000u);
        const int key = sort.isEmpty()           ? 0
                        : sort.startsWith("[X]") ? 1
                        : sort.startsWith("[S]") ? 2
                                                 : 0;
        for (std::size_t i = 0; i < plain.size(); ++i)
            ASSERT_EQ(positioned[i][key].toLower(), plain[i][key].toLower())
                << sort.toStdString() << " row " << i;
        auto byRow = [](std::vector<QStringList> rows) {
            std::sort(rows.begin(), rows.end(), [](const QStringList& a, const QStringList& b) {
                return a.at(0).toInt() < b.at(0).toInt();
            });
            return rows;
        };
        EXPECT_EQ(byRow(positioned), byRow(plain)) << sort.toStdString();
    }
}

TEST_F(GridFetchTest, AFailurePartWayKeepsTheRowsReadAndIsReportedOnce) {
    const int failing = 300; // CInt overflows on this row
    auto model = modelOf(
        1000, [=](qint64 n) { return n == failing ? 100000 : n; }, "SELECT CInt([X]) FROM [T]");
    QSignalSpy reported(model.get(), &RecordsetModel::fetchFailed);
    show(model);
    EXPECT_EQ(shown().rowCount(), 1000);
    view().scrollTo(shown().index(failing + 10, 0));
    settle();
    ASSERT_TRUE(model->failed());
    EXPECT_EQ(cell(failing - 2), QString::number(failing - 1)) << "the rows read before it stay";
    EXPECT_EQ(cell(failing - 1), "");
    EXPECT_EQ(cell(failing + 10), "");
    turnUntil([&] { return reported.count() > 0; });
    ASSERT_EQ(reported.count(), 1);
    EXPECT_EQ(reported.first().first().toString(), "Overflow");

    view().scrollToBottom(); // and reads no further
    settle();
    EXPECT_EQ(cell(999), "");
    EXPECT_EQ(reported.count(), 1);
}

// While an operation lets the window paint, the rows are not read (the operation is using the
// source): they show empty, and are painted again once the operation is over.
TEST_F(GridFetchTest, RowsPaintedDuringAnOperationArePaintedAgainAfterIt) {
    struct PaintingOperation : data::OperationWatch {
        bool tick(qint64, qint64) override { return false; }
        bool stopping() const override { return false; }
        bool handlingEvents() const override { return true; }
    } operation;
    auto model = modelOf(
        1000, [](qint64 n) { return n; }, "SELECT * FROM [T]");
    QSignalSpy repainted(model.get(), &RecordsetModel::dataChanged);
    {
        const data::WatchScope during(operation);
        EXPECT_EQ(model->index(0, 0).data().toString(), "");
        QApplication::processEvents();
        EXPECT_EQ(repainted.count(), 0);
    }
    turnUntil([&] { return repainted.count() > 0; });
    ASSERT_EQ(repainted.count(), 1);
    EXPECT_EQ(repainted.first().at(0).value<QModelIndex>().row(), 0);
    EXPECT_EQ(model->index(0, 0).data().toString(), "1");
}

TEST_F(GridFetchTest, CellsShowValuesAsTheRegionWritesThemUnderTheFieldNames) {
    ASSERT_NO_FATAL_FAILURE(test::requireFixture("access/nwind.mdb"));
    auto northwind = std::make_shared<data::Connection>();
    northwind->Open(data::accessConnectionString(test::access::accessFixture("nwind.mdb")));
    records = std::make_shared<data::PagedRecordset>(
        northwind, "SELECT * FROM [Orders] WHERE [OrderID] = 10248 OR [OrderID] = 10540",
        "[OrderID]");
    show(std::make_shared<RecordsetModel>(records));
    ASSERT_EQ(shown().rowCount(), 2);
    ASSERT_EQ(shown().columnCount(), records->fieldCount());
    std::map<QString, int> column;
    for (int c = 0; c < shown().columnCount(); ++c) {
        EXPECT_EQ(shown().headerData(c, Qt::Horizontal).toString(), records->fieldName(c));
        column[records->fieldName(c)] = c;
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

// The engine cannot drop an index while a statement still reads: the grid's reading lets go of
// its statement when the tree's order changes, so that the index of the order before is gone
// before the new one is made (one index in memory, not two), and the grid reads on.
TEST_F(GridFetchTest, TheGridsReadingLetsTheIndexOfTheOrderBeforeGo) {
    const IndexForEveryOrder indexed;
    show(modelOf(
        1000, [](qint64 n) { return n % 50; }, "SELECT * FROM [T]"));
    const std::shared_ptr<data::Connection>& connection = records->connection();
    const auto indexes = [&] {
        auto& jet = dynamic_cast<data::jet::JetProvider&>(connection->provider());
        data::jet::Statement count = jet.engine().prepare(
            "SELECT count(*) FROM sqlite_master WHERE type = 'index' AND tbl_name = 'T'");
        return count.step() ? count.value(0).toInt() : -1;
    };
    connection->prepareGrouping("[T]", {{"S"}, {"X"}});
    connection->prepareGrouping("[T]", {{"X"}, {"S"}});
    EXPECT_EQ(indexes(), 1);
    view().scrollTo(shown().index(300, 0));
    settle();
    EXPECT_EQ(cell(300), "301");
    EXPECT_EQ(cell(300, 1), "1");
}
