// The data grid driven through its header and cells the way the mouse drives it.
#include "ui/main/DataGrid.h"

#include "ui/controls/Twips.h"

#include <QApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>
#include <vector>

using namespace ui;

namespace {

constexpr int ColumnPx = 80;

class DataGridTest : public ::testing::Test {
protected:
    void SetUp() override { bind(5); }

    void bind(int rows) {
        grid.setDataSource(std::make_shared<QStandardItemModel>(rows, 6));
        for (int c = 0; c < header()->count(); ++c)
            header()->resizeSection(c, ColumnPx);
        grid.resize(3 * ColumnPx + 20, 200);
        grid.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
    }

    QTableView* view() { return grid.findChild<QTableView*>(); }
    QHeaderView* header() { return view()->horizontalHeader(); }
    QWidget* heads() { return header()->viewport(); }
    QWidget* cells() { return view()->viewport(); }

    QPoint onHeader(int column) {
        return {header()->sectionViewportPosition(column) + ColumnPx / 2, header()->height() / 2};
    }
    void press(QWidget* widget, QPoint at) { QTest::mousePress(widget, Qt::LeftButton, {}, at); }
    // A move with the left button held, which QTest::mouseMove cannot send.
    void drag(QWidget* widget, QPoint at) {
        QMouseEvent move(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &move);
    }
    void sweep(int from, int to) {
        press(heads(), onHeader(from));
        drag(heads(), onHeader(to));
        QTest::mouseRelease(heads(), Qt::LeftButton, {}, onHeader(to));
    }

    // Whether the grid shows the point of a part in the highlight colour.
    bool highlighted(QWidget* part, QPoint at) {
        const QColor colour = grid.grab().toImage().pixelColor(part->mapTo(&grid, at));
        return colour == grid.palette().color(QPalette::Active, QPalette::Highlight) ||
               colour == grid.palette().color(QPalette::Inactive, QPalette::Highlight);
    }
    // Points in the plain background of a column's header and of its first cell.
    QPoint headBackground(int column) { return onHeader(column) + QPoint(ColumnPx / 2 - 6, 0); }
    QPoint cellBackground(int column) {
        return {headBackground(column).x(), view()->rowHeight(0) / 2};
    }

    DataGrid grid;
};

TEST_F(DataGridTest, HeaderSweepSelectsBlockEitherWayAndClickStaysOnOneColumn) {
    for (int rows : {5, 0}) {
        bind(rows);
        std::vector<int> clicks;
        auto seen = QObject::connect(&grid, &DataGrid::HeadClick,
                                     [&](int column) { clicks.push_back(column); });

        sweep(1, 2);
        EXPECT_EQ(grid.SelStartCol(), 1);
        EXPECT_EQ(grid.SelEndCol(), 2);
        sweep(2, 0);
        EXPECT_EQ(grid.SelStartCol(), 0);
        EXPECT_EQ(grid.SelEndCol(), 2);
        EXPECT_TRUE(highlighted(heads(), headBackground(1)));
        sweep(1, 1);
        EXPECT_EQ(clicks, std::vector<int>{1});

        // Past the header's edge the block reaches the column at that edge; coming back to the
        // pressed column after that is no click.
        press(heads(), onHeader(1));
        drag(heads(), {-30, 5});
        EXPECT_EQ(grid.SelStartCol(), 0);
        EXPECT_EQ(grid.SelEndCol(), 1);
        drag(heads(), onHeader(1));
        QTest::mouseRelease(heads(), Qt::LeftButton, {}, onHeader(1));
        EXPECT_EQ(clicks.size(), 1u);
        QObject::disconnect(seen);
    }
}

TEST_F(DataGridTest, SettersHighlightOtherSelectionsClearAndScrollMovesByWholeColumnsAndRows) {
    grid.setSelStartCol(2);
    EXPECT_EQ(grid.SelEndCol(), 2) << "one end set selects that column";
    grid.setSelEndCol(1);
    EXPECT_EQ(grid.SelStartCol(), 2);
    for (int column : {0, 1, 2}) {
        EXPECT_EQ(highlighted(heads(), headBackground(column)), column > 0) << column;
        EXPECT_EQ(highlighted(cells(), cellBackground(column)), column > 0) << column;
    }
    grid.setSelEndCol(-1);
    EXPECT_EQ(grid.SelStartCol(), -1);

    grid.setSelStartCol(1);
    press(cells(), cellBackground(2));
    EXPECT_EQ(grid.SelStartCol(), -1) << "a press among the cells clears the block";
    grid.setSelStartCol(1);
    grid.setDataSource(std::make_shared<QStandardItemModel>(2, 3));
    EXPECT_EQ(grid.SelEndCol(), -1) << "so does a new data source";

    // Scroll moves by whole columns and rows and stops at the ends.
    bind(50);
    EXPECT_EQ(header()->height(), view()->rowHeight(0)) << "the header is one row high";
    const GridColumns columns = grid.Columns();
    EXPECT_DOUBLE_EQ(columns.Left(2), twips::fromPxX(2 * ColumnPx));
    grid.Scroll(1, 2);
    EXPECT_EQ(view()->columnAt(0), 1);
    EXPECT_EQ(view()->rowAt(0), 2);
    EXPECT_DOUBLE_EQ(columns.Left(0), 0) << "scrolled out to the left";
    EXPECT_DOUBLE_EQ(columns.Left(2), columns.Width(1));
    grid.Scroll(100, 100);
    EXPECT_EQ(view()->horizontalScrollBar()->value(), view()->horizontalScrollBar()->maximum());
    EXPECT_EQ(view()->verticalScrollBar()->value(), view()->verticalScrollBar()->maximum());
    grid.Scroll(-100, -100);
    EXPECT_EQ(view()->columnAt(0), 0);
    EXPECT_EQ(view()->rowAt(0), 0);
}

} // namespace
