#include "drill/NodeCheck.h"

#include "data/ColumnTypes.h"
#include "drill/LabelFigures.h"
#include "drill/SourceFigures.h"
#include "grid/DetailSql.h"
#include "grid/RecordsetModel.h"
#include "ui/controls/Feedback.h"
#include "ui/main/DataGrid.h"
#include "ui/main/frmMain.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>
#include <algorithm>
#include <exception>
#include <set>

namespace drill {

namespace {

class TreeCheck {
public:
    TreeCheck(DrillWindow& window, int builtDepth, const std::vector<ClickMessage>& clicks)
        : window_(window), builtDepth_(builtDepth) {
        for (const ClickMessage& click : clicks) {
            refused_.insert(click.node.get());
            report_.violations.push_back({click.path, messageText(click.message)});
        }
    }

    void check(const tree::NodePtr& node, int depth) {
        ++report_.nodes;
        path_ = nodePath(node);
        if (const auto shown = readLabel(node->Text())) {
            if (depth < builtDepth_ && window_.state().Grouping.hasLevelBelow(depth) &&
                !refused_.contains(node.get()))
                checkChildren(node, shown->count);
            checkRows(node, depth, *shown);
        } else {
            fail("the label shows no row count");
        }
        for (tree::NodePtr child = node->Child(); child; child = child->Next())
            check(child, depth + 1);
    }

    CheckReport report() const { return report_; }

private:
    void fail(const QString& what) { report_.violations.push_back({path_, what}); }

    void checkChildren(const tree::NodePtr& node, qlonglong count) {
        qlonglong sum = 0;
        for (tree::NodePtr child = node->Child(); child; child = child->Next()) {
            const auto rows = readLabel(child->Text());
            if (!rows)
                return; // reported at the child
            sum += rows->count;
        }
        if (sum != count)
            fail(QStringLiteral("its children count %1 rows, it counts %2").arg(sum).arg(count));
    }

    // The node's condition counted by the data source, with the statistics of the column the
    // node shows them of, and the rows Update Details binds.
    void checkRows(const tree::NodePtr& node, int depth, const LabelFigures& shown) {
        const qlonglong count = shown.count;
        window_.updateDetails(node, depth);
        for (const Message& message : window_.takeMessages())
            fail(messageText(message));
        const Module1& state = window_.state();
        try {
            const QString filter = window_.form().makeFilter(depth);
            const qlonglong selected =
                countWhere(state.DbConnection, state.Grouping.RecordSource, filter);
            if (selected != count)
                fail(QStringLiteral("its condition selects %1 rows, it counts %2: %3")
                         .arg(selected)
                         .arg(count)
                         .arg(filter));
            checkStatistics(shown, depth, filter);
            const tree::GroupingModel& grouping = state.Grouping;
            const QString detail = grid::listBuildDataSql(grouping.ColInfo, grouping.FieldCount,
                                                          grouping.RecordSource, filter);
            if (state.LastDetailSQL != detail) {
                fail("Update Details did not bind its rows: " + state.LastDetailSQL);
                return;
            }
        } catch (const std::exception& failure) {
            fail("its condition cannot be counted: " + ui::Feedback::describe(failure));
            return;
        }
        checkShownRows(count);
        checkLastRow(count);
    }

    // A node at depth L shows the statistics of column L when that column is numeric: each as
    // the label rounds it to two decimals, of exactly the rows its condition selects.
    void checkStatistics(const LabelFigures& shown, int depth, const QString& filter) {
        const tree::GroupingModel& grouping = window_.state().Grouping;
        const bool numeric =
            depth < grouping.FieldCount && data::ColIsNumeric(grouping.ColInfo[depth].ColConv);
        if (shown.hasStatistics != numeric) {
            fail(numeric ? QStringLiteral("the label shows no statistics of its numeric column")
                         : QStringLiteral("the label shows statistics of a column that has none"));
            return;
        }
        if (!numeric)
            return;
        static const char* const names[] = {"Min", "Max", "Avg", "Sum"};
        const Module1& state = window_.state();
        const auto values = statisticsWhere(state.DbConnection, grouping.RecordSource,
                                            grouping.ColInfo[depth].ColSQL, filter);
        for (int i = 0; i < 4; ++i) {
            const std::optional<double>& label = shown.statistics[i];
            if (!showsStatistic(label, values[i]))
                fail(QStringLiteral("its %1 shows %2, its rows give %3")
                         .arg(names[i], label ? QString::number(*label, 'f', 2) : "nothing",
                              values[i].isNull() ? "nothing" : values[i].toString()));
        }
    }

    // What the grid's view shows right after the binding, at its size in the window: as many
    // rows as fit its height, or all of the node's rows when fewer, and a scroll bar that goes
    // further when there are more rows than it shows.
    void checkShownRows(qlonglong count) {
        const auto* view = window_.form().grdDataGrid->findChild<QTableView*>();
        if (!view)
            return;
        // The view lays itself out once control is back in the event loop, as it is for a
        // person looking at it.
        QApplication::processEvents();
        const QWidget* viewport = view->viewport();
        const int rowHeight = view->verticalHeader()->defaultSectionSize();
        const qlonglong fit = rowHeight > 0 ? viewport->height() / rowHeight : 0;
        const int first = view->rowAt(0);
        int last = view->rowAt(viewport->height() - 1);
        if (last < 0)
            last = view->model()->rowCount() - 1;
        const qlonglong shown = first < 0 ? 0 : last - first + 1;
        if (shown < std::min(count, fit))
            fail(QStringLiteral("the grid shows %1 rows of %2 where %3 fit")
                     .arg(shown)
                     .arg(count)
                     .arg(fit));
        if (count > shown && view->verticalScrollBar()->maximum() <= 0)
            fail(QStringLiteral("the grid shows %1 rows of %2 and cannot scroll to the rest")
                     .arg(shown)
                     .arg(count));
    }

    // The grid's view has the node's rows from its binding: as many as the node counts, and
    // scrolled to its end, as a person does with Ctrl+End, the statement's last row in its last
    // line. A read that fails on the way is a violation of its own.
    void checkLastRow(qlonglong count) {
        auto* view = window_.form().grdDataGrid->findChild<QTableView*>();
        QAbstractItemModel* model = view ? view->model() : nullptr;
        if (!model || model != window_.form().grdDataGrid->dataSource().get()) {
            fail("the grid has no rows bound");
            return;
        }
        if (model->rowCount() != count) {
            fail(QStringLiteral("the grid has %1 rows, it counts %2")
                     .arg(model->rowCount())
                     .arg(count));
            return;
        }
        if (count == 0)
            return;
        view->scrollToBottom();
        QApplication::processEvents();
        const int last = view->rowAt(view->viewport()->height() - 1);
        if (last >= 0 && last != count - 1)
            fail(QStringLiteral("scrolled to its end, the grid shows row %1 of %2 last")
                     .arg(last + 1)
                     .arg(count));
        QStringList shown;
        for (int c = 0; c < model->columnCount(); ++c)
            shown << model->index(int(count - 1), c).data().toString();
        if (const auto* rows = qobject_cast<const grid::RecordsetModel*>(model);
            rows && rows->failed()) {
            fail("the grid's rows cannot be read to the end: " + rows->errorText());
            return;
        }
        const Module1& state = window_.state();
        const QStringList expected = lastRowText(state.DbConnection, state.LastDetailSQL);
        if (shown != expected)
            fail(QStringLiteral("the grid's last row shows %1, the statement's last row is %2")
                     .arg(shown.join(u'|'), expected.join(u'|')));
    }

    DrillWindow& window_;
    const int builtDepth_;
    std::set<const tree::TreeNode*> refused_;
    QString path_;
    CheckReport report_;
};

} // namespace

CheckReport checkTree(DrillWindow& window, int builtDepth,
                      const std::vector<ClickMessage>& clicks) {
    TreeCheck check(window, builtDepth, clicks);
    check.check(window.root(), 0);
    return check.report();
}

} // namespace drill
