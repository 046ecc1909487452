#include "data/jet/Translate.h"

#include "data/AdoTypes.h"
#include "data/Error.h"
#include "data/FileMessages.h"
#include "data/jet/ExprTranslator.h"
#include "data/jet/Parser.h"
#include "data/jet/SqlQuote.h"
#include "data/jet/speedup/GroupingIndex.h"
#include "data/jet/speedup/SummaryStatement.h"

#include <algorithm>

namespace data::jet {

namespace {

const TableInfo& findSource(const SelectStatement& st, Catalog& catalog) {
    const QString name = st.table.join(u'.');
    const TableInfo* table = catalog.findTable(name);
    if (!table)
        throw messages::noSuchTable(name);
    return *table;
}

// Once the table has an alias, columns are qualified with the alias only.
ExprScope scopeOf(const SelectStatement& st, const TableInfo& table) {
    ExprScope scope;
    scope.table = &table;
    if (!st.tableAlias.isEmpty())
        scope.qualifiers << st.tableAlias;
    else
        scope.qualifiers << st.table.join(u'.') << table.name;
    return scope;
}

ExprScope withoutAggregates(ExprScope scope, const char* clause, const Expr& expr) {
    scope.aggregateBan = QStringLiteral("Cannot have aggregate function in %1 clause (%2).")
                             .arg(QLatin1String(clause), expr.source);
    return scope;
}

// A GROUP BY or ORDER BY term. SQLite would read a whole number there as a select item's
// position; Jet reads it as a value like any other.
QString termSql(const Expr& expr, const ExprScope& scope) {
    const SqlExpr term = translateExpr(expr, scope);
    const bool number = expr.kind == ExprKind::Number ||
                        (expr.kind == ExprKind::Unary && expr.args[0].kind == ExprKind::Number);
    return number ? QStringLiteral("CAST(%1 AS NUMERIC)").arg(term.sql) : collatedSql(term);
}

class SelectList {
public:
    void add(const SqlExpr& expr, const QString& name) {
        items_ << valueSql(expr) + QStringLiteral(" AS ") + quoteIdentifier(name);
        const int adoType = expr.type.ado == ado::adEmpty ? ado::adVarWChar : expr.type.ado;
        columns_.push_back({name, adoType, expr.type.storage});
    }

    // Jet names an expression without alias Expr1000, the next Expr1001, and so on.
    QString nextExpressionName() { return QStringLiteral("Expr%1").arg(1000 + unnamed_++); }

    QString sql() const { return items_.join(QStringLiteral(", ")); }
    std::vector<ResultColumn> takeColumns() { return std::move(columns_); }

private:
    QStringList items_;
    std::vector<ResultColumn> columns_;
    int unnamed_ = 0;
};

// The columns an expression reads, each once, in the order it names them.
void collectColumns(const Expr& expr, const ExprScope& scope,
                    std::vector<const ColumnInfo*>& columns) {
    if (expr.kind == ExprKind::Column) {
        const ColumnInfo* column = translateExpr(expr, scope).column;
        if (column && std::find(columns.begin(), columns.end(), column) == columns.end())
            columns.push_back(column);
    }
    for (const Expr& arg : expr.args)
        collectColumns(arg, scope, columns);
}

} // namespace

GroupingTerm translateGroupingTerm(const QString& recordSource, const QString& jetTerm,
                                   Catalog& catalog) {
    const SelectStatement st =
        parseSelect(QStringLiteral("SELECT ") + jetTerm + QStringLiteral(" FROM ") + recordSource);
    const TableInfo& table = findSource(st, catalog);
    if (st.items.size() != 1 || st.items[0].star || st.where || !st.groupBy.empty())
        throw Error(QStringLiteral("Not a grouping term: %1").arg(jetTerm));
    const Expr& expr = st.items[0].expr;
    const ExprScope scope = withoutAggregates(scopeOf(st, table), "GROUP BY", expr);
    GroupingTerm term{termSql(expr, scope).toUtf8(), {}};
    collectColumns(expr, scope, term.columns);
    return term;
}

Translation translate(const QString& jetSql, Catalog& catalog) {
    const SelectStatement st = parseSelect(jetSql);
    const TableInfo& table = findSource(st, catalog);
    ExprScope scope = scopeOf(st, table);
    const GroupingIndex* index = catalog.groupingIndex();
    if (index)
        scope.leadingIndexTerm = index->leadingTerm(table);
    // A level-2 statement of the grouping tree reads its groups' figures from their summary.
    const GroupSummary* summary = index ? index->summary(table) : nullptr;
    if (summary && answeredBySummary(st, scope, *summary)) {
        scope.table = &summary->table;
        scope.summary = summary;
    }

    SelectList list;
    for (const SelectItem& item : st.items) {
        if (item.star) {
            for (const ColumnInfo& column : table.columns)
                list.add(columnValue(column), column.name);
            continue;
        }
        const SqlExpr expr = translateExpr(item.expr, scope);
        QString name = item.alias;
        if (name.isEmpty())
            name = expr.column ? expr.column->name : list.nextExpressionName();
        list.add(expr, name);
    }

    QString sql = QStringLiteral("SELECT ") +
                  (st.distinct ? QStringLiteral("DISTINCT ") : QString()) + list.sql() +
                  QStringLiteral(" FROM ") + quoteIdentifier(scope.table->name);
    // A statement that reads every row in no order reads the table itself, as Jet would: the
    // rows come in the order the source gave them, and one pass over the table is faster than
    // over an index that covers the same columns (an index keeps entries on its inner pages).
    if (!st.where && st.groupBy.empty() && st.orderBy.empty() && !st.distinct && !st.having)
        sql += QStringLiteral(" NOT INDEXED");
    if (st.where)
        sql += QStringLiteral(" WHERE ") +
               translateExpr(*st.where, withoutAggregates(scope, "WHERE", *st.where)).sql;
    QStringList terms;
    for (const Expr& expr : st.groupBy)
        terms << termSql(expr, withoutAggregates(scope, "GROUP BY", expr));
    if (!terms.isEmpty())
        sql += QStringLiteral(" GROUP BY ") + terms.join(QStringLiteral(", "));
    if (st.having)
        sql += QStringLiteral(" HAVING ") + translateExpr(*st.having, scope).sql;
    terms.clear();
    for (const OrderTerm& term : st.orderBy)
        terms << termSql(term.expr, scope) +
                     (term.descending ? QStringLiteral(" DESC") : QString());
    if (!terms.isEmpty())
        sql += QStringLiteral(" ORDER BY ") + terms.join(QStringLiteral(", "));

    return {sql.toUtf8(), list.takeColumns(), {table.name}};
}

} // namespace data::jet
