// Results bound to the data grid are read only as far as the grid shows them, and a failure
// part-way keeps what was read.
#include "data/AdoTypes.h"
#include "data/jet/JetTestSupport.h"
#include "grid/RecordsetModel.h"
#include "ui/main/DataGrid.h"

#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

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
        using namespace data::jet::testing;
        records = openStatic(connectTo(std::make_shared<GeneratedTable>(rows, std::move(x))), sql);
        return std::make_shared<RecordsetModel>(records);
    }

    void show(std::shared_ptr<RecordsetModel> model) {
        grid.setDataSource(std::move(model));
        grid.resize(400, 300);
        grid.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
        QTest::qWait(50); // the view asks for rows once laid out
    }
    void scrollToEnd() {
        grid.Scroll(0, 1 << 30);
        QTest::qWait(50);
    }
    QString cell(int row) {
        return grid.findChild<QTableView*>()->model()->index(row, 0).data().toString();
    }

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
    EXPECT_GT(model->rowCount(), 10) << "the first screen is filled";
    EXPECT_LT(firstScreen, 2000) << "and little more is read";

    scrollToEnd();
    const qsizetype scrolled = records->rowsKnown();
    EXPECT_GT(scrolled, firstScreen);
    EXPECT_LT(scrolled, 4000);
    EXPECT_EQ(model->rowCount(), scrolled);
    EXPECT_EQ(cell(int(scrolled) - 1), QString::number(scrolled));
}

TEST_F(GridFetchTest, AFailurePartWayKeepsTheRowsReadAndIsReported) {
    const int failing = 300; // CInt overflows on this row
    auto model = modelOf(
        1000, [=](qint64 n) { return n == failing ? 100000 : n; }, "SELECT CInt([X]) FROM [T]");
    QSignalSpy reported(model.get(), &RecordsetModel::fetchFailed);
    show(model);
    for (int i = 0; i < 4 && !model->failed(); ++i)
        scrollToEnd();
    ASSERT_TRUE(model->failed());
    EXPECT_EQ(model->errorText(), "Overflow");
    EXPECT_EQ(model->rowCount(), failing - 1);
    EXPECT_EQ(cell(failing - 2), QString::number(failing - 1));
    ASSERT_TRUE(reported.count() == 1 || reported.wait(1000));
    EXPECT_EQ(reported.first().first().toString(), "Overflow");

    scrollToEnd(); // and reads no further
    EXPECT_EQ(model->rowCount(), failing - 1);
    EXPECT_EQ(reported.count(), 1);
}
