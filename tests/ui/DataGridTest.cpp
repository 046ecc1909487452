// The data grid driven through its header and cells the way the mouse drives it.
#include "ui/main/DataGrid.h"

#include "ui/main/Pictures.h"
#include "ui/main/Twips.h"

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

std::shared_ptr<QStandardItemModel> table(int rows, int cols) {
    return std::make_shared<QStandardItemModel>(rows, cols);
}

// What DragOver (or, with state -1, DragDrop) reported.
struct DragReport {
    double x, y;
    int state;
    bool operator==(const DragReport&) const = default;
};

class DataGridTest : public ::testing::Test {
protected:
    void SetUp() override { bind(table(5, 6)); }

    void bind(std::shared_ptr<QAbstractItemModel> model) {
        grid.setDataSource(std::move(model));
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
    QPoint inGrid(QWidget* widget, QPoint at) { return widget->mapTo(&grid, at); }

    void press(QWidget* widget, QPoint at) { QTest::mousePress(widget, Qt::LeftButton, {}, at); }
    void release(QWidget* widget, QPoint at) {
        QTest::mouseRelease(widget, Qt::LeftButton, {}, at);
    }
    // A move with the left button held, which QTest::mouseMove cannot send.
    void drag(QWidget* widget, QPoint at) {
        QMouseEvent move(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &move);
    }
    void sweep(int from, int to) {
        press(heads(), onHeader(from));
        drag(heads(), onHeader(to));
        release(heads(), onHeader(to));
    }

    bool highlighted(QWidget* part, QPoint at) {
        const QColor colour = grid.grab().toImage().pixelColor(inGrid(part, at));
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
        bind(table(rows, 6));
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
        release(heads(), onHeader(1));
        EXPECT_EQ(clicks.size(), 1u);
        QObject::disconnect(seen);
    }
}

TEST_F(DataGridTest, SettersHighlightAndOtherSelectionsClear) {
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
    grid.setDataSource(table(2, 3));
    EXPECT_EQ(grid.SelEndCol(), -1) << "so does a new data source";
}

TEST_F(DataGridTest, MouseEventsInGridTwipsWithHeaderBandOneRowHigh) {
    EXPECT_EQ(header()->height(), view()->rowHeight(0));
    EXPECT_DOUBLE_EQ(grid.RowHeight(), twips::fromPxY(view()->rowHeight(0)));
    std::vector<MouseArgs> args;
    for (auto signal : {&DataGrid::MouseDown, &DataGrid::MouseMove, &DataGrid::MouseUp})
        QObject::connect(&grid, signal, [&](const MouseArgs& a) { args.push_back(a); });

    const QPoint head = onHeader(1);
    press(heads(), head);
    drag(heads(), {head.x(), 1});
    release(cells(), {7, 9});

    ASSERT_EQ(args.size(), 3u);
    EXPECT_DOUBLE_EQ(args[0].x, twips::fromPxX(head.x()));
    for (const MouseArgs& inHeader : {args[0], args[1]}) {
        EXPECT_EQ(inHeader.button, 1);
        EXPECT_GT(inHeader.y, 0);
        EXPECT_LT(inHeader.y, grid.RowHeight());
    }
    EXPECT_DOUBLE_EQ(args[2].x, twips::fromPxX(7));
    EXPECT_DOUBLE_EQ(args[2].y, twips::fromPxY(header()->height() + 9));
}

TEST_F(DataGridTest, ColumnsFollowHeaderAndScrollStopsAtEnds) {
    bind(table(50, 6));
    const GridColumns columns = grid.Columns();
    EXPECT_EQ(columns.Count(), 6);
    EXPECT_DOUBLE_EQ(columns.Left(2), twips::fromPxX(2 * ColumnPx));
    EXPECT_DOUBLE_EQ(columns.Width(2), twips::fromPxX(ColumnPx));

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

TEST_F(DataGridTest, DragBegunOnMouseDownReportsOverAndDropAndKeepsBlock) {
    const QPixmap picked = dragPicture(), droppable = dropPicture();
    grid.setDragIcon(picked);
    EXPECT_TRUE(grid.dragIconIs(QPixmap(picked)));
    EXPECT_FALSE(grid.dragIconIs(dragPicture())) << "a fresh drawing is another picture";
    grid.setSelStartCol(1);
    grid.setSelEndCol(2);
    std::vector<DragReport> reports;
    int mouseMoves = 0, mouseUps = 0;
    QObject::connect(&grid, &DataGrid::MouseDown, [&](const MouseArgs& a) {
        if (a.y < grid.RowHeight())
            grid.Drag(DragBegin);
    });
    QObject::connect(&grid, &DataGrid::MouseMove, [&] { ++mouseMoves; });
    QObject::connect(&grid, &DataGrid::MouseUp, [&] { ++mouseUps; });
    QObject::connect(&grid, &DataGrid::DragOver, [&](QObject* source, double x, double y, int s) {
        EXPECT_EQ(source, &grid);
        reports.push_back({x, y, s});
    });
    QObject::connect(&grid, &DataGrid::DragDrop, [&](QObject* source, double x, double y) {
        EXPECT_EQ(source, &grid);
        reports.push_back({x, y, -1});
    });

    press(heads(), onHeader(1));
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->pixmap().cacheKey(), picked.cacheKey());
    drag(heads(), onHeader(2));
    grid.setDragIcon(droppable);
    EXPECT_EQ(QApplication::overrideCursor()->pixmap().cacheKey(), droppable.cacheKey());
    drag(cells(), {10, 20});
    release(cells(), {12, 30});

    const int top = header()->height();
    const std::vector<DragReport> expected{
        {twips::fromPxX(onHeader(2).x()), twips::fromPxY(onHeader(2).y()), DragEnter},
        {twips::fromPxX(10), twips::fromPxY(top + 20), DragOverInside},
        {twips::fromPxX(12), twips::fromPxY(top + 30), -1}};
    EXPECT_EQ(reports, expected);
    EXPECT_EQ(mouseMoves + mouseUps, 0);
    EXPECT_EQ(grid.SelStartCol(), 1);
    EXPECT_EQ(grid.SelEndCol(), 2);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    drag(cells(), {10, 20});
    EXPECT_EQ(mouseMoves, 1) << "the drag is over";
}

TEST_F(DataGridTest, DragBegunOnMouseMoveEndsWithoutDropOutsideGrid) {
    std::vector<int> states;
    int drops = 0, clicks = 0;
    QObject::connect(&grid, &DataGrid::MouseMove, [&](const MouseArgs& a) {
        if (a.button == 1)
            grid.Drag(DragBegin);
    });
    QObject::connect(&grid, &DataGrid::DragOver,
                     [&](QObject*, double, double, int state) { states.push_back(state); });
    QObject::connect(&grid, &DataGrid::DragDrop, [&] { ++drops; });
    QObject::connect(&grid, &DataGrid::HeadClick, [&] { ++clicks; });

    press(heads(), onHeader(0));
    drag(heads(), onHeader(2));
    EXPECT_EQ(grid.SelEndCol(), 0) << "the move that began the drag does not sweep";
    drag(heads(), onHeader(1));
    drag(heads(), {-40, -40});
    drag(heads(), {-50, -50});
    release(heads(), {-50, -50});

    EXPECT_EQ(states, (std::vector<int>{DragEnter, DragLeave}));
    EXPECT_EQ(drops, 0);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // The header is ready for the next press.
    press(heads(), onHeader(2));
    release(heads(), onHeader(2));
    EXPECT_EQ(grid.SelStartCol(), 2);
    EXPECT_EQ(clicks, 1);
}

} // namespace
