#include "data/jet/speedup/SummaryStatement.h"

#include "data/Error.h"
#include "data/jet/speedup/LevelGroups.h"

#include <algorithm>

namespace data::jet {

namespace {

// The table's column a column reference names; null for any other expression, and for a name
// the table lacks, which the statement's own translation then reports.
const ColumnInfo* columnOf(const Expr& expr, const ExprScope& scope) {
    if (expr.kind != ExprKind::Column)
        return nullptr;
    try {
        return translateExpr(expr, scope).column;
    } catch (const Error&) {
        return nullptr;
    }
}

bool isColumn(const Expr& expr, const ExprScope& scope, const QString& name) {
    const ColumnInfo* column = name.isEmpty() ? nullptr : columnOf(expr, scope);
    return column && column->name == name;
}

bool isNonNullLiteral(const Expr& expr) {
    return expr.kind == ExprKind::Number || expr.kind == ExprKind::String ||
           expr.kind == ExprKind::Date || expr.kind == ExprKind::Boolean;
}

bool isLiteral(const Expr& expr) {
    if (isNonNullLiteral(expr))
        return true;
    switch (expr.kind) {
    case ExprKind::Unary:
        return expr.op == Op::Neg && expr.args[0].kind == ExprKind::Number;
    case ExprKind::Call:
        return expr.text.compare(u"CDate", Qt::CaseInsensitive) == 0 && expr.args.size() == 1 &&
               expr.args[0].kind == ExprKind::String;
    default:
        return false;
    }
}

// [first] = literal, or [first] Is Null: one group of the first column.
bool selectsOneFirstGroup(const Expr& expr, const ExprScope& scope, const GroupSummary& summary) {
    if (expr.kind == ExprKind::IsNull)
        return !expr.negated && isColumn(expr.args[0], scope, summary.first);
    return expr.kind == ExprKind::Binary && expr.op == Op::Eq &&
           isColumn(expr.args[0], scope, summary.first) && isLiteral(expr.args[1]);
}

bool isNotNullSecond(const Expr& expr, const ExprScope& scope, const GroupSummary& summary) {
    return expr.kind == ExprKind::IsNull && expr.negated &&
           isColumn(expr.args[0], scope, summary.second);
}

// Count(*), Count(1) or Count([column]), and Min, Max, Avg or Sum of a column of numbers: the
// figures a summary row holds. `column` is null for a count of rows.
struct Figure {
    bool count = false;
    const ColumnInfo* column = nullptr;
};

std::optional<Figure> figureOf(const Expr& expr, const ExprScope& scope) {
    if (expr.kind != ExprKind::Call || expr.args.size() != 1)
        return std::nullopt;
    const Expr& arg = expr.args[0];
    const auto named = [&](const char* name) {
        return expr.text.compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
    };
    if (named("Count") && (arg.kind == ExprKind::Star || isNonNullLiteral(arg)))
        return Figure{true, nullptr};
    const ColumnInfo* column = columnOf(arg, scope);
    if (!column)
        return std::nullopt;
    if (named("Count"))
        return Figure{true, column};
    if ((named("Min") || named("Max") || named("Avg") || named("Sum")) && holdsNumbers(column))
        return Figure{false, column};
    return std::nullopt;
}

bool isFigure(const Expr& expr, const ExprScope& scope, const GroupSummary& summary) {
    const std::optional<Figure> figure = figureOf(expr, scope);
    if (!figure)
        return false;
    if (figure->count)
        return !figure->column || figure->column->name == summary.second;
    return !summary.statistics.isEmpty() && figure->column->name == summary.statistics;
}

// [column] Is Null, or with `negated` [column] Is Not Null: the column, else null.
const ColumnInfo* nullTested(const Expr& expr, const ExprScope& scope, bool negated) {
    if (expr.kind != ExprKind::IsNull || expr.negated != negated)
        return nullptr;
    return columnOf(expr.args[0], scope);
}

} // namespace

bool answeredBySummary(const SelectStatement& st, const ExprScope& scope,
                       const GroupSummary& summary) {
    if (st.distinct || st.having || !st.orderBy.empty() || st.groupBy.size() != 1 ||
        !isColumn(st.groupBy[0], scope, summary.second) || !st.where)
        return false;
    const Expr& where = *st.where;
    if (where.kind != ExprKind::Binary || where.op != Op::And)
        return false;
    const bool conditions = (isNotNullSecond(where.args[0], scope, summary) &&
                             selectsOneFirstGroup(where.args[1], scope, summary)) ||
                            (isNotNullSecond(where.args[1], scope, summary) &&
                             selectsOneFirstGroup(where.args[0], scope, summary));
    return conditions && std::all_of(st.items.begin(), st.items.end(), [&](const SelectItem& i) {
               return !i.star &&
                      (isColumn(i.expr, scope, summary.second) || isFigure(i.expr, scope, summary));
           });
}

std::optional<WholeTableLevel> wholeTableLevel(const SelectStatement& st, const ExprScope& scope) {
    if (st.distinct || st.having || !st.orderBy.empty() || st.top || !st.where ||
        st.groupBy.size() > 1)
        return std::nullopt;
    const bool grouped = st.groupBy.size() == 1;
    WholeTableLevel level;
    level.column = nullTested(*st.where, scope, grouped);
    if (!level.column || !groupedInOnePass(*level.column))
        return std::nullopt;
    if (grouped && columnOf(st.groupBy[0], scope) != level.column)
        return std::nullopt;
    for (const SelectItem& item : st.items) {
        if (item.star)
            return std::nullopt;
        if (grouped && isColumn(item.expr, scope, level.column->name))
            continue;
        const std::optional<Figure> figure = figureOf(item.expr, scope);
        if (!figure)
            return std::nullopt;
        if (figure->count) {
            if (figure->column && figure->column != level.column)
                return std::nullopt;
        } else if (!level.statistics || level.statistics == figure->column) {
            level.statistics = figure->column;
        } else {
            return std::nullopt;
        }
    }
    return level;
}

} // namespace data::jet
