#include "drill/NodeCheck.h"

#include "data/Ado.h"
#include "data/Recordset.h"
#include "drill/LabelCount.h"
#include "grid/DetailSql.h"
#include "grid/RecordsetModel.h"
#include "ui/main/DataGrid.h"
#include "ui/main/Feedback.h"
#include "ui/main/frmMain.h"

#include <QAbstractItemModel>
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

    void check(const ui::NodePtr& node, int depth) {
        ++report_.nodes;
        path_ = nodePath(node);
        if (const auto count = labelCount(node->Text())) {
            if (depth < builtDepth_ && window_.state().Grouping.hasLevelBelow(depth) &&
                !refused_.contains(node.get()))
                checkChildren(node, *count);
            checkRows(node, depth, *count);
        } else {
            fail("the label shows no row count");
        }
        for (ui::NodePtr child = node->Child(); child; child = child->Next())
            check(child, depth + 1);
    }

    CheckReport report() const { return report_; }

private:
    void fail(const QString& what) { report_.violations.push_back({path_, what}); }

    void checkChildren(const ui::NodePtr& node, qlonglong count) {
        qlonglong sum = 0;
        for (ui::NodePtr child = node->Child(); child; child = child->Next()) {
            const auto rows = labelCount(child->Text());
            if (!rows)
                return; // reported at the child
            sum += *rows;
        }
        if (sum != count)
            fail(QStringLiteral("its children count %1 rows, it counts %2").arg(sum).arg(count));
    }

    // The node's condition counted by the data source, and the rows Update Details binds.
    void checkRows(const ui::NodePtr& node, int depth, qlonglong count) {
        window_.updateDetails(node, depth);
        for (const Message& message : window_.takeMessages())
            fail(messageText(message));
        const Module1& state = window_.state();
        try {
            const QString filter = window_.form().makeFilter(depth);
            const qlonglong selected = countWhere(filter);
            if (selected != count)
                fail(QStringLiteral("its condition selects %1 rows, it counts %2: %3")
                         .arg(selected)
                         .arg(count)
                         .arg(filter));
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
        const qlonglong bound = boundRows();
        if (bound >= 0 && bound != count)
            fail(QStringLiteral("the grid binds %1 rows, it counts %2").arg(bound).arg(count));
    }

    qlonglong countWhere(const QString& filter) {
        const Module1& state = window_.state();
        QString sql = "SELECT COUNT(*) AS CNT FROM " + state.Grouping.RecordSource;
        if (!filter.isEmpty())
            sql += " WHERE " + filter;
        data::Recordset rows;
        rows.Open(sql, state.DbConnection, data::ado::adOpenForwardOnly, data::ado::adLockReadOnly,
                  -1);
        return rows.Fields("CNT").Value().toLongLong();
    }

    // Reads the grid's rows to the end, as a person scrolling down does; a read that fails part
    // way is a violation of its own. The grid's static recordset keeps the rows it has read, so
    // the largest node (the root, every row) is held once; each node's rows are let go when the
    // next node's are bound.
    qlonglong boundRows() {
        const auto model = window_.form().grdDataGrid->dataSource();
        if (!model) {
            fail("the grid has no rows bound");
            return -1;
        }
        while (model->canFetchMore({}))
            model->fetchMore({});
        if (const auto* rows = qobject_cast<const grid::RecordsetModel*>(model.get());
            rows && rows->failed())
            fail("the grid's rows cannot be read to the end: " + rows->errorText());
        return model->rowCount();
    }

    DrillWindow& window_;
    const int builtDepth_;
    std::set<const ui::TreeNode*> refused_;
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
