// The data grid driven through its header and cells the way the mouse drives it.
#include "ui/main/DataGrid.h"

#include "ui/main/Pictures.h"
#include "ui/main/Twips.h"

#include <QAbstractTableModel>
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
    auto model = std::make_shared<QStandardItemModel>(rows, cols);
    for (int c = 0; c < cols; ++c)
        model->setHeaderData(c, Qt::Horizontal, QString("C%1").arg(c));
    return model;
}

struct DragReport {
    double x, y;
    int state;
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

    // The colour the grid shows at a point of one of its parts.
    QColor colourAt(QWidget* part, QPoint at) {
        return grid.grab().toImage().pixelColor(inGrid(part, at));
    }
    bool highlighted(QWidget* part, QPoint at) {
        const QColor colour = colourAt(part, at);
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

TEST_F(DataGridTest, HeaderSweepSelectsBlockEitherWayWithOrWithoutRows) {
    for (int rows : {5, 0}) {
        bind(table(rows, 6));
        std::vector<int> startAtMouseDown;
        auto seen = QObject::connect(&grid, &DataGrid::MouseDown,
                                     [&] { startAtMouseDown.push_back(grid.SelStartCol()); });

        sweep(1, 2);
        EXPECT_EQ(grid.SelStartCol(), 1);
        EXPECT_EQ(grid.SelEndCol(), 2);

        sweep(2, 0);
        EXPECT_EQ(grid.SelStartCol(), 0);
        EXPECT_EQ(grid.SelEndCol(), 2);
        EXPECT_TRUE(highlighted(heads(), headBackground(1)));
        EXPECT_EQ(startAtMouseDown, (std::vector<int>{-1, 1})) << "MouseDown comes first";

        // Beyond the last visible column the block reaches the nearest one.
        sweep(1, 1);
        press(heads(), onHeader(1));
        drag(heads(), {-30, 5});
        EXPECT_EQ(grid.SelStartCol(), 0);
        EXPECT_EQ(grid.SelEndCol(), 1);
        release(heads(), {-30, 5});
        QObject::disconnect(seen);
    }
}

TEST_F(DataGridTest, SettersHighlightAndOtherSelectionsClear) {
    grid.setSelStartCol(2);
    EXPECT_EQ(grid.SelEndCol(), 2) << "one end set selects that column";
    grid.setSelEndCol(1);
    EXPECT_EQ(grid.SelStartCol(), 2);
    EXPECT_EQ(grid.SelEndCol(), 1);
    for (int column : {1, 2}) {
        EXPECT_TRUE(highlighted(heads(), headBackground(column)));
        EXPECT_TRUE(highlighted(cells(), cellBackground(column)));
    }
    EXPECT_FALSE(highlighted(heads(), headBackground(0)));
    EXPECT_FALSE(highlighted(cells(), cellBackground(0)));

    grid.setSelEndCol(-1);
    EXPECT_EQ(grid.SelStartCol(), -1);

    grid.setSelStartCol(1);
    press(cells(), cellBackground(2));
    release(cells(), cellBackground(2));
    EXPECT_EQ(grid.SelStartCol(), -1) << "a press among the cells clears the block";

    grid.setSelStartCol(1);
    auto next = table(2, 3);
    grid.setDataSource(next);
    EXPECT_EQ(grid.SelStartCol(), -1);
    EXPECT_EQ(grid.SelEndCol(), -1);
    EXPECT_EQ(grid.dataSource(), next);
    EXPECT_EQ(grid.Columns().Count(), 3);
}

TEST_F(DataGridTest, HeadClickOnlyWhenPressAndReleaseStayOnOneColumn) {
    std::vector<int> clicks;
    QObject::connect(&grid, &DataGrid::HeadClick, [&](int column) { clicks.push_back(column); });

    press(heads(), onHeader(2));
    release(heads(), onHeader(2));
    sweep(0, 2);
    press(heads(), onHeader(0));
    drag(heads(), onHeader(1));
    drag(heads(), onHeader(0));
    release(heads(), onHeader(0));

    EXPECT_EQ(clicks, std::vector<int>{2});
}

TEST_F(DataGridTest, MouseEventsInGridTwipsWithHeaderBandOneRowHigh) {
    std::vector<MouseArgs> downs, moves, ups;
    QObject::connect(&grid, &DataGrid::MouseDown, [&](const MouseArgs& a) { downs.push_back(a); });
    QObject::connect(&grid, &DataGrid::MouseMove, [&](const MouseArgs& a) { moves.push_back(a); });
    QObject::connect(&grid, &DataGrid::MouseUp, [&](const MouseArgs& a) { ups.push_back(a); });

    EXPECT_EQ(header()->height(), view()->rowHeight(0));
    EXPECT_DOUBLE_EQ(grid.RowHeight(), twips::fromPxY(view()->rowHeight(0)));
    EXPECT_EQ(inGrid(heads(), {0, 0}), QPoint(0, 0));

    const QPoint head = onHeader(1);
    press(heads(), head);
    drag(heads(), {head.x(), 1});
    release(cells(), {7, 9});

    ASSERT_EQ(downs.size(), 1u);
    ASSERT_EQ(moves.size(), 1u);
    ASSERT_EQ(ups.size(), 1u);
    EXPECT_EQ(downs[0].button, 1);
    EXPECT_DOUBLE_EQ(downs[0].x, twips::fromPxX(head.x()));
    for (const MouseArgs& inHeader : {downs[0], moves[0]}) {
        EXPECT_GT(inHeader.y, 0);
        EXPECT_LT(inHeader.y, grid.RowHeight());
    }
    EXPECT_EQ(moves[0].button, 1);
    EXPECT_DOUBLE_EQ(ups[0].x, twips::fromPxX(7));
    EXPECT_DOUBLE_EQ(ups[0].y, twips::fromPxY(header()->height() + 9));
}

TEST_F(DataGridTest, ColumnsFollowHeaderAndScrollStopsAtEnds) {
    bind(table(50, 6));
    const GridColumns columns = grid.Columns();
    EXPECT_EQ(columns.Count(), 6);
    for (int c = 0; c < 3; ++c) {
        EXPECT_DOUBLE_EQ(columns.Left(c), twips::fromPxX(c * ColumnPx));
        EXPECT_DOUBLE_EQ(columns.Width(c), twips::fromPxX(ColumnPx));
    }
    EXPECT_DOUBLE_EQ(grid.Width(), twips::fromPxX(grid.width()));

    grid.Scroll(1, 2);
    EXPECT_EQ(view()->columnAt(0), 1);
    EXPECT_EQ(view()->rowAt(0), 2);
    EXPECT_DOUBLE_EQ(columns.Left(0), 0) << "scrolled out to the left";
    EXPECT_DOUBLE_EQ(columns.Left(1), 0);
    EXPECT_DOUBLE_EQ(columns.Left(2), columns.Width(1));

    grid.Scroll(100, 100);
    EXPECT_EQ(view()->horizontalScrollBar()->value(), view()->horizontalScrollBar()->maximum());
    EXPECT_EQ(view()->verticalScrollBar()->value(), view()->verticalScrollBar()->maximum());
    EXPECT_GT(view()->horizontalScrollBar()->maximum(), 1);
    grid.Scroll(-100, -100);
    EXPECT_EQ(view()->columnAt(0), 0);
    EXPECT_EQ(view()->rowAt(0), 0);
}

TEST_F(DataGridTest, DragBegunOnMouseDownReportsOverAndDropAndKeepsBlock) {
    const QPixmap picked = dragPicture(), droppable = dropPicture();
    grid.setDragIcon(picked);
    grid.setSelStartCol(1);
    grid.setSelEndCol(2);
    std::vector<DragReport> overs, drops;
    int mouseMoves = 0, mouseUps = 0;
    QObject::connect(&grid, &DataGrid::MouseDown, [&](const MouseArgs& a) {
        if (a.y < grid.RowHeight())
            grid.Drag(DragBegin);
    });
    QObject::connect(&grid, &DataGrid::MouseMove, [&] { ++mouseMoves; });
    QObject::connect(&grid, &DataGrid::MouseUp, [&] { ++mouseUps; });
    QObject::connect(&grid, &DataGrid::DragOver, [&](QObject* source, double x, double y, int s) {
        EXPECT_EQ(source, &grid);
        overs.push_back({x, y, s});
    });
    QObject::connect(&grid, &DataGrid::DragDrop, [&](QObject* source, double x, double y) {
        EXPECT_EQ(source, &grid);
        drops.push_back({x, y, -1});
    });

    press(heads(), onHeader(1));
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->pixmap().cacheKey(), picked.cacheKey());
    drag(heads(), onHeader(2));
    grid.setDragIcon(droppable);
    EXPECT_EQ(QApplication::overrideCursor()->pixmap().cacheKey(), droppable.cacheKey());
    drag(cells(), {10, 20});
    release(cells(), {12, 30});

    EXPECT_EQ(mouseMoves, 0);
    EXPECT_EQ(mouseUps, 0);
    ASSERT_EQ(overs.size(), 2u);
    EXPECT_EQ(overs[0].state, DragEnter);
    EXPECT_DOUBLE_EQ(overs[0].x, twips::fromPxX(onHeader(2).x()));
    EXPECT_EQ(overs[1].state, DragOverInside);
    EXPECT_DOUBLE_EQ(overs[1].y, twips::fromPxY(header()->height() + 20));
    ASSERT_EQ(drops.size(), 1u);
    EXPECT_DOUBLE_EQ(drops[0].x, twips::fromPxX(12));
    EXPECT_DOUBLE_EQ(drops[0].y, twips::fromPxY(header()->height() + 30));
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
}

TEST_F(DataGridTest, DragIconsAreToldApartByIdentity) {
    const QPixmap picked = dragPicture(), refused = noDropPicture();
    grid.setDragIcon(picked);
    EXPECT_TRUE(grid.dragIconIs(picked));
    EXPECT_TRUE(grid.dragIconIs(QPixmap(picked)));
    EXPECT_FALSE(grid.dragIconIs(refused));
    EXPECT_FALSE(grid.dragIconIs(dragPicture())) << "a fresh drawing is another picture";
    EXPECT_EQ(grid.DragIcon().cacheKey(), picked.cacheKey());
}

// A source that hands its rows over in portions of 100, as asked.
class PortionedModel : public QAbstractTableModel {
public:
    int rowCount(const QModelIndex& = {}) const override { return fetched; }
    int columnCount(const QModelIndex& = {}) const override { return 2; }
    QVariant data(const QModelIndex& index, int role) const override {
        return role == Qt::DisplayRole ? QVariant(index.row()) : QVariant();
    }
    bool canFetchMore(const QModelIndex&) const override { return fetched < 100000; }
    void fetchMore(const QModelIndex&) override {
        beginInsertRows({}, fetched, fetched + 99);
        fetched += 100;
        endInsertRows();
    }
    int fetched = 0;
};

TEST_F(DataGridTest, RowsAreFetchedOnlyAsFarAsShown) {
    auto model = std::make_shared<PortionedModel>();
    bind(model);
    EXPECT_TRUE(QTest::qWaitFor([&] { return model->fetched > 0; }));
    QTest::qWait(50);
    EXPECT_LT(model->fetched, 1000);

    const int shown = model->fetched;
    grid.Scroll(0, 1000);
    EXPECT_TRUE(QTest::qWaitFor([&] { return model->fetched > shown; })) << "the end asks for more";
}

} // namespace
