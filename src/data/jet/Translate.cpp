#include "data/jet/Translate.h"

#include "data/AdoTypes.h"
#include "data/Error.h"
#include "data/FileMessages.h"
#include "data/jet/GroupsTable.h"
#include "data/jet/KeptRows.h"
#include "data/jet/Lexer.h"
#include "data/jet/NameError.h"
#include "data/jet/Parser.h"
#include "data/jet/SqlQuote.h"

#include <algorithm>

namespace data::jet {

namespace {

// The values a statement gives: as the program reads them, or as a saved query's table keeps
// them.
enum class Form { Shown, Stored };

[[noreturn]] void noSuchTable(const QString& name) {
    throw NameError(NameError::Kind::Table, name, messages::noSuchTable(name).description());
}

const TableInfo& findTable(const QStringList& parts, Catalog& catalog) {
    const QString name = parts.join(u'.');
    const TableInfo* table = catalog.findTable(name);
    if (!table)
        noSuchTable(name);
    return *table;
}

// The source as its statement's expressions may name it: once it has an alias, by the alias
// only.
ScopeSource scopeSource(const FromSource& from, const TableInfo& table) {
    ScopeSource source;
    source.table = &table;
    const QString written = from.table.join(u'.');
    if (!from.alias.isEmpty())
        source.qualifiers << from.alias;
    else
        source.qualifiers << written << table.name;
    source.shownName = from.alias.isEmpty() ? written : from.alias;
    return source;
}

// Every table of a FROM clause in the order written, each with an alias in SQL when `named`.
void collectSources(const FromSource& from, Catalog& catalog, int* named,
                    std::vector<ScopeSource>& sources) {
    if (from.table.isEmpty()) {
        for (const FromSource& side : from.sides)
            collectSources(side, catalog, named, sources);
        return;
    }
    ScopeSource source = scopeSource(from, findTable(from.table, catalog));
    if (named)
        source.sqlName = QStringLiteral("~t%1").arg(++*named);
    sources.push_back(std::move(source));
}

ExprScope withoutAggregates(ExprScope scope, const char* clause, const Expr& expr) {
    scope.aggregateBan = QStringLiteral("Cannot have aggregate function in %1 clause (%2).")
                             .arg(QLatin1String(clause), expr.source);
    return scope;
}

// The SQL of one source of the FROM clause; `next` walks the scope's sources in the order
// collectSources listed them.
QString fromSql(const FromSource& from, const ExprScope& scope, size_t& next) {
    if (!from.table.isEmpty()) {
        const ScopeSource& source = scope.sources[next++];
        QString sql = quoteIdentifier(source.table->name);
        if (!source.sqlName.isEmpty())
            sql += QStringLiteral(" AS ") + quoteIdentifier(source.sqlName);
        return sql;
    }
    const QString left = fromSql(from.sides[0], scope, next);
    const QString right = fromSql(from.sides[1], scope, next);
    const char* join = from.join == JoinKind::Left    ? "LEFT JOIN"
                       : from.join == JoinKind::Right ? "RIGHT JOIN"
                                                      : "INNER JOIN";
    const QString on = translateExpr(*from.on, withoutAggregates(scope, "JOIN", *from.on)).sql;
    return QStringLiteral("(%1 %2 %3 ON %4)").arg(left, QLatin1String(join), right, on);
}

// A GROUP BY or ORDER BY term. SQLite would read a whole number there as a select item's
// position; Jet reads it as a value like any other.
QString termSql(const Expr& expr, const ExprScope& scope) {
    const SqlExpr term = translateExpr(expr, scope);
    const bool number = expr.kind == ExprKind::Number ||
                        (expr.kind == ExprKind::Unary && expr.args[0].kind == ExprKind::Number);
    return number ? QStringLiteral("CAST(%1 AS NUMERIC)").arg(term.sql) : collatedSql(term);
}

bool isAggregate(const Expr& expr) {
    return aggregateOf(expr).has_value();
}

// Whether the expression takes an aggregate of the statement's rows (a subquery's own do not
// count).
bool aggregates(const Expr& expr) {
    return isAggregate(expr) || std::any_of(expr.args.begin(), expr.args.end(), aggregates);
}

// The sources of this statement whose columns the expression reads.
void sourcesRead(const Expr& expr, const ExprScope& scope,
                 std::vector<const ScopeSource*>& sources) {
    if (expr.kind == ExprKind::Column) {
        const ScopeSource* source = translateExpr(expr, scope).source;
        const bool own = source && source >= scope.sources.data() &&
                         source < scope.sources.data() + scope.sources.size();
        if (own && std::find(sources.begin(), sources.end(), source) == sources.end())
            sources.push_back(source);
    }
    for (const Expr& arg : expr.args)
        sourcesRead(arg, scope, sources);
}

// One column of the statement's result.
struct Item {
    SqlExpr expr;
    QString name;
    bool aliased = false;
    const SelectItem* from = nullptr;
};

// The result's columns; a star stands for every column of the sources it names.
std::vector<Item> selectItems(const SelectStatement& st, const ExprScope& scope) {
    std::vector<Item> items;
    int unnamed = 0; // Jet names an expression without alias Expr1000, the next Expr1001, ...
    for (const SelectItem& item : st.items) {
        if (!item.star) {
            Item listed{translateExpr(item.expr, scope), item.alias, !item.alias.isEmpty(), &item};
            if (listed.name.isEmpty())
                listed.name = listed.expr.column ? listed.expr.column->name
                                                 : QStringLiteral("Expr%1").arg(1000 + unnamed++);
            items.push_back(std::move(listed));
            continue;
        }
        const QString qualifier = item.starQualifier.join(u'.');
        bool named = false;
        for (const ScopeSource& source : scope.sources) {
            if (!qualifier.isEmpty() && !source.qualifiers.contains(qualifier, Qt::CaseInsensitive))
                continue;
            named = true;
            for (const ColumnInfo& column : source.table->columns) {
                SqlExpr value = columnValue(column, source.sqlName);
                value.source = &source;
                items.push_back({std::move(value), column.name, false, &item});
            }
        }
        if (!named)
            noSuchTable(qualifier);
    }
    return items;
}

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Where several sources give columns of one name, each unaliased column takes its source's name
// before its own, as Jet names them: "Customers.CompanyName", "Shippers.CompanyName".
void nameAfterSources(std::vector<Item>& items) {
    std::vector<QString> renamed(items.size());
    for (size_t i = 0; i < items.size(); ++i) {
        const Item& item = items[i];
        if (item.aliased || !item.expr.column || !item.expr.source)
            continue;
        const bool shared = std::any_of(items.begin(), items.end(), [&](const Item& other) {
            return &other != &item && sameName(other.name, item.name);
        });
        if (shared)
            renamed[i] = item.expr.source->shownName + u'.' + item.name;
    }
    for (size_t i = 0; i < items.size(); ++i)
        if (!renamed[i].isEmpty())
            items[i].name = renamed[i];
}

// A column's SQL and description in the given form.
std::pair<QString, ResultColumn> itemColumn(const Item& item, Form form) {
    const SqlExpr& expr = item.expr;
    const int adoType = expr.type.ado == ado::adEmpty ? ado::adVarWChar : expr.type.ado;
    if (form == Form::Stored && expr.column)
        return {expr.columnSql, {item.name, expr.column->adoType, expr.column->storage}};
    if (form == Form::Stored && adoType == ado::adCurrency)
        return {QStringLiteral("CAST(round(%1 * 10000) AS INTEGER)").arg(valueSql(expr)),
                {item.name, adoType, Storage::Currency}};
    return {valueSql(expr), {item.name, adoType, expr.type.storage}};
}

struct StatementSql {
    QString sql;
    std::vector<ResultColumn> columns;
    QStringList tables;
    qint64 rowsKnown = -1;
};

// What the statement's expressions may name: every table of its FROM clause, each with an alias
// in SQL when `named` counts them. A statement over one table reads a level's table of groups in
// place of the table where `reading` gives one.
ExprScope statementScope(const SelectStatement& st, Catalog& catalog, const ExprScope* outer,
                         int* named, const LevelReading& reading) {
    ExprScope scope;
    scope.outer = outer;
    scope.catalog = &catalog;
    for (const FromSource& from : st.from)
        collectSources(from, catalog, named, scope.sources);
    scope.sourcesNamed = named;
    if (outer || scope.sources.size() != 1 || !scope.sources[0].sqlName.isEmpty())
        return scope;
    scope.indexedDates = reading.indexedDates;
    if (reading.groups) {
        scope.sources[0].table = &reading.groups->table;
        scope.summary = reading.groups;
    }
    return scope;
}

bool readsOneTable(const ExprScope& scope) {
    return scope.sources.size() == 1 && scope.sources[0].sqlName.isEmpty();
}

// The result's columns, named as Jet names them.
std::vector<Item> resultItems(const SelectStatement& st, const ExprScope& scope, Form form) {
    std::vector<Item> items = selectItems(st, scope);
    if (!readsOneTable(scope))
        nameAfterSources(items);
    if (form == Form::Stored)
        for (size_t i = 0; i < items.size(); ++i)
            for (size_t j = 0; j < i; ++j)
                if (sameName(items[i].name, items[j].name))
                    throw Error(QStringLiteral("Duplicate output alias '%1'.").arg(items[i].name));
    return items;
}

// DISTINCTROW: one row for each combination of the rows of the tables the output reads, kept by
// grouping by the row ids of those tables; nothing where the output reads every table.
QStringList distinctRowTerms(const SelectStatement& st, const ExprScope& scope,
                             const std::vector<Item>& items) {
    const bool grouped = !st.groupBy.empty() || st.having ||
                         std::any_of(st.items.begin(), st.items.end(), [](const SelectItem& item) {
                             return !item.star && aggregates(item.expr);
                         });
    if (!st.distinctRow || grouped || scope.sources.size() <= 1)
        return {};
    std::vector<const ScopeSource*> shown;
    for (const Item& item : items) {
        if (item.from && item.from->star && item.expr.source &&
            std::find(shown.begin(), shown.end(), item.expr.source) == shown.end())
            shown.push_back(item.expr.source);
        else if (item.from && !item.from->star)
            sourcesRead(item.from->expr, scope, shown);
    }
    QStringList terms;
    if (!shown.empty() && shown.size() < scope.sources.size())
        for (const ScopeSource& source : scope.sources)
            if (std::find(shown.begin(), shown.end(), &source) != shown.end())
                terms << quoteIdentifier(source.sqlName) + QStringLiteral("._rowid_");
    return terms;
}

// FROM, WHERE, GROUP BY and HAVING; `rowsKnown` as Translation's, of the rows the body reads.
QString bodySql(const SelectStatement& st, const ExprScope& scope, const std::vector<Item>& items,
                qint64& rowsKnown) {
    QStringList fromParts;
    size_t next = 0;
    for (const FromSource& from : st.from)
        fromParts << fromSql(from, scope, next);
    QString body = QStringLiteral(" FROM ") + fromParts.join(QStringLiteral(", "));
    // Where the condition asks for one value of a column whose rows are kept by value, the
    // statement reads that value's rows alone, by their ids in the order of the table; the
    // condition still decides every row.
    const QString kept = st.where ? keptRowsWhere(*st.where, scope, &rowsKnown) : QString();
    // A statement that reads every row of one table in no order reads the table itself, as Jet
    // would: the rows come in the order the source gave them, and one pass over the table is
    // faster than over an index that covers the same columns (an index keeps entries on its
    // inner pages).
    if ((readsOneTable(scope) && !st.where && st.groupBy.empty() && st.orderBy.empty() &&
         !st.distinct && !st.having && !st.top) ||
        !kept.isEmpty())
        body += QStringLiteral(" NOT INDEXED");
    if (st.where) {
        const QString where =
            translateExpr(*st.where, withoutAggregates(scope, "WHERE", *st.where)).sql;
        body += QStringLiteral(" WHERE ") +
                (kept.isEmpty() ? where : QStringLiteral("(%1) AND %2").arg(where, kept));
    }
    QStringList terms;
    for (const Expr& expr : st.groupBy)
        terms << termSql(expr, withoutAggregates(scope, "GROUP BY", expr));
    terms << distinctRowTerms(st, scope, items);
    if (!terms.isEmpty())
        body += QStringLiteral(" GROUP BY ") + terms.join(QStringLiteral(", "));
    if (st.having)
        body += QStringLiteral(" HAVING ") + translateExpr(*st.having, scope).sql;
    return body;
}

QString selectKeyword(const SelectStatement& st) {
    return QStringLiteral("SELECT ") + (st.distinct ? QStringLiteral("DISTINCT ") : QString());
}

// The statement without TOP: its items, body and ORDER BY.
QString plainSelect(const SelectStatement& st, const ExprScope& scope, const QStringList& itemSql,
                    const std::vector<ResultColumn>& columns, const QString& body) {
    QString sql = selectKeyword(st);
    for (qsizetype i = 0; i < itemSql.size(); ++i)
        sql += (i > 0 ? QStringLiteral(", ") : QString()) + itemSql[i] + QStringLiteral(" AS ") +
               quoteIdentifier(columns[i].name);
    sql += body;
    QStringList terms;
    for (const OrderTerm& term : st.orderBy)
        terms << termSql(term.expr, scope) +
                     (term.descending ? QStringLiteral(" DESC") : QString());
    if (!terms.isEmpty())
        sql += QStringLiteral(" ORDER BY ") + terms.join(QStringLiteral(", "));
    return sql;
}

// TOP: the rows ranked by the ORDER BY's terms (carried along as hidden columns), those up to
// the n-th kept with every row that ties with it; without ORDER BY, any n rows.
QString topSelect(const SelectStatement& st, const ExprScope& scope, const QStringList& itemSql,
                  const std::vector<ResultColumn>& columns, const QString& body) {
    QStringList inner, outerItems, rankOrder;
    for (qsizetype i = 0; i < itemSql.size(); ++i) {
        const QString column = quoteIdentifier(QStringLiteral("~c%1").arg(i + 1));
        inner << itemSql[i] + QStringLiteral(" AS ") + column;
        outerItems << column + QStringLiteral(" AS ") + quoteIdentifier(columns[i].name);
    }
    for (size_t i = 0; i < st.orderBy.size(); ++i) {
        const QString column = quoteIdentifier(QStringLiteral("~o%1").arg(i + 1));
        inner << termSql(st.orderBy[i].expr, scope) + QStringLiteral(" AS ") + column;
        rankOrder << column + (st.orderBy[i].descending ? QStringLiteral(" DESC") : QString());
    }
    const QString rank =
        rankOrder.isEmpty()
            ? QStringLiteral("row_number() OVER ()")
            : QStringLiteral("rank() OVER (ORDER BY %1)").arg(rankOrder.join(QStringLiteral(", ")));
    const QString& count = st.top->count;
    const QString kept = st.top->percent
                             ? QStringLiteral("(\"~rank\" - 1) * 100.0 < %1 * \"~rows\"").arg(count)
                             : QStringLiteral("\"~rank\" <= %1").arg(count);
    QString sql = QStringLiteral("SELECT %1 FROM (SELECT *, %2 AS \"~rank\", count(*) OVER () AS "
                                 "\"~rows\" FROM (%3%4%5)) WHERE %6")
                      .arg(outerItems.join(QStringLiteral(", ")), rank, selectKeyword(st),
                           inner.join(QStringLiteral(", ")), body, kept);
    if (!rankOrder.isEmpty())
        sql += QStringLiteral(" ORDER BY ") + rankOrder.join(QStringLiteral(", "));
    return sql;
}

// The statement in SQLite's dialect. `outer` is the scope of the statement a subquery stands
// in; `named` counts the sources given aliases in SQL, null for a statement over one table,
// whose columns go unqualified.
StatementSql statementSql(const SelectStatement& st, Catalog& catalog, const ExprScope* outer,
                          int* named, Form form, const LevelReading& reading = {}) {
    const ExprScope scope = statementScope(st, catalog, outer, named, reading);
    const std::vector<Item> items = resultItems(st, scope, form);
    StatementSql result;
    QStringList itemSql;
    for (const Item& item : items) {
        auto [sql, column] = itemColumn(item, form);
        itemSql << sql;
        result.columns.push_back(std::move(column));
    }
    for (const ScopeSource& source : scope.sources)
        if (!result.tables.contains(source.table->name))
            result.tables << source.table->name;
    qint64 rowsRead = -1;
    const QString body = bodySql(st, scope, items, rowsRead);
    // A statement that gives each row it reads as one row of its own gives as many rows.
    const bool rowForRow =
        st.groupBy.empty() && !st.having && !st.distinct && !st.top &&
        std::none_of(st.items.begin(), st.items.end(),
                     [](const SelectItem& item) { return !item.star && aggregates(item.expr); });
    result.rowsKnown = rowForRow ? rowsRead : -1;
    result.sql = st.top ? topSelect(st, scope, itemSql, result.columns, body)
                        : plainSelect(st, scope, itemSql, result.columns, body);
    return result;
}

// Every statement but one over a single table names its sources in SQL.
bool namesSources(const SelectStatement& st) {
    return !st.singleTable();
}

Translation translateStatement(const QString& jetSql, Catalog& catalog, Form form,
                               const LevelReading& reading = {}) {
    const SelectStatement st = parseSelect(jetSql);
    int named = 0;
    StatementSql statement =
        statementSql(st, catalog, nullptr, namesSources(st) ? &named : nullptr, form, reading);
    return {statement.sql.toUtf8(), std::move(statement.columns), std::move(statement.tables),
            statement.rowsKnown};
}

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

const TableInfo* recordSourceTable(const QString& recordSource, Catalog& catalog) {
    const std::vector<Token> tokens = tokenize(recordSource);
    if (tokens.size() != 2 || tokens[0].kind != TokenKind::Name || tokens[0].star)
        return nullptr;
    return catalog.findTable(tokens[0].parts.join(u'.'));
}

GroupingTerm translateGroupingTerm(const TableInfo& table, const LevelTerm& term) {
    Expr column;
    column.kind = ExprKind::Column;
    column.parts = QStringList{term.column};
    column.source = u'[' + term.column + u']';
    Expr expr = column;
    if (!term.plain()) {
        Expr mask;
        mask.kind = ExprKind::String;
        mask.text = jetDateMask(*term.dateGroup);
        expr = Expr{};
        expr.kind = ExprKind::Call;
        expr.text = QStringLiteral("Format");
        expr.source = QStringLiteral("Format(%1, \"%2\")").arg(column.source, mask.text);
        expr.args = {column, mask};
    }
    ExprScope scope;
    FromSource from;
    from.table = QStringList{table.name};
    scope.sources.push_back(scopeSource(from, table));
    scope = withoutAggregates(scope, "GROUP BY", expr);
    GroupingTerm grouping{termSql(expr, scope).toUtf8(), {}};
    collectColumns(expr, scope, grouping.columns);
    return grouping;
}

Translation translate(const QString& jetSql, Catalog& catalog) {
    return translateStatement(jetSql, catalog, Form::Shown);
}

Translation translateView(const QString& jetSql, Catalog& catalog) {
    return translateStatement(jetSql, catalog, Form::Stored);
}

Translation translateLevel(const QString& jetSql, Catalog& catalog, const LevelReading& reading) {
    return translateStatement(jetSql, catalog, Form::Shown, reading);
}

namespace {
StatementSql subquerySql(const SelectStatement& st, const ExprScope& outer) {
    if (!outer.catalog)
        throw Error(QStringLiteral("A subquery cannot be used here."));
    // Its sources are named in SQL even where the statement around it reads one unnamed table.
    int ownCount = 0;
    int* named = outer.sourcesNamed ? outer.sourcesNamed : &ownCount;
    return statementSql(st, *outer.catalog, &outer, named, Form::Shown);
}
} // namespace

SqlExpr translateSubquery(const SelectStatement& st, const ExprScope& outer) {
    const StatementSql statement = subquerySql(st, outer);
    if (statement.columns.size() != 1)
        throw Error(QStringLiteral(
            "You have written a subquery that can return more than one field without using the "
            "EXISTS reserved word in the main query's FROM clause. Revise the SELECT statement "
            "of the subquery to request only one field."));
    const ResultColumn& column = statement.columns[0];
    return {u'(' + statement.sql + u')', {column.adoType, column.storage}};
}

QString translateExists(const SelectStatement& st, const ExprScope& outer) {
    return u'(' + subquerySql(st, outer).sql + u')';
}

} // namespace data::jet
