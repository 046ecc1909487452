#include "data/jet/speedup/SummaryStatement.h"

#include <algorithm>

namespace data::jet {

namespace {

bool isColumn(const Expr& expr, const ExprScope& scope, const QString& name) {
    if (expr.kind != ExprKind::Column || name.isEmpty())
        return false;
    const ColumnInfo* column = translateExpr(expr, scope).column;
    return column && column->name == name;
}

bool isLiteral(const Expr& expr) {
    switch (expr.kind) {
    case ExprKind::Number:
    case ExprKind::String:
    case ExprKind::Date:
    case ExprKind::Boolean:
        return true;
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

bool isFigure(const Expr& expr, const ExprScope& scope, const GroupSummary& summary) {
    if (expr.kind != ExprKind::Call || expr.args.size() != 1)
        return false;
    const Expr& arg = expr.args[0];
    const auto named = [&](const char* name) {
        return expr.text.compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
    };
    if (named("Count"))
        return arg.kind == ExprKind::Star || isColumn(arg, scope, summary.second);
    return (named("Min") || named("Max") || named("Avg") || named("Sum")) &&
           isColumn(arg, scope, summary.statistics);
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

} // namespace data::jet
