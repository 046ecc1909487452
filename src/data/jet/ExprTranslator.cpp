#include "data/jet/ExprTranslator.h"

#include "data/AdoTypes.h"
#include "data/Error.h"
#include "data/TextCollation.h"
#include "data/jet/DateSpanCondition.h"
#include "data/jet/GroupsTable.h"
#include "data/jet/NameError.h"
#include "data/jet/SqlQuote.h"
#include "data/jet/Translate.h"
#include "data/jet/VbFunctions.h"
#include "data/jet/vb/FormatMask.h"

#include <algorithm>

namespace data::jet {

using namespace data::ado;

namespace {

const QString textCollation = QStringLiteral(" COLLATE JETTEXT");

SqlExpr typed(QString sql, int adoType) {
    return {std::move(sql), valueTypeOf(adoType)};
}

SqlExpr truthValue(QString sql) {
    SqlExpr expr = typed(std::move(sql), adBoolean);
    expr.truth = true;
    return expr;
}

bool isText(const ValueType& type) {
    return type.storage == Storage::Text && type.ado != adEmpty;
}

bool anyText(const std::vector<SqlExpr>& exprs) {
    return std::any_of(exprs.begin(), exprs.end(), [](const SqlExpr& e) { return isText(e.type); });
}

// The left side of a comparison; comparing text, it brings the case-insensitive collation.
QString comparedSql(const SqlExpr& expr, bool text) {
    return text ? valueSql(expr) + textCollation : valueSql(expr);
}

QString joinedValues(const std::vector<SqlExpr>& exprs, size_t from = 0) {
    QStringList values;
    for (size_t i = from; i < exprs.size(); ++i)
        values << valueSql(exprs[i]);
    return values.join(QStringLiteral(", "));
}

std::vector<SqlExpr> translateAll(const std::vector<Expr>& exprs, const ExprScope& scope) {
    std::vector<SqlExpr> result;
    for (const Expr& expr : exprs)
        result.push_back(translateExpr(expr, scope));
    return result;
}

const char* symbolOf(Op op) {
    switch (op) {
    case Op::Add:
        return "+";
    case Op::Sub:
    case Op::Neg:
        return "-";
    case Op::Mul:
        return "*";
    case Op::IntDiv:
    case Op::Div:
        return "/";
    case Op::Mod:
        return "%";
    case Op::Eq:
    case Op::Eqv:
        return "=";
    case Op::Ne:
    case Op::Xor:
        return "<>";
    case Op::Lt:
        return "<";
    case Op::Gt:
        return ">";
    case Op::Le:
        return "<=";
    case Op::Ge:
        return ">=";
    case Op::And:
        return "AND";
    case Op::Or:
        return "OR";
    default:
        return "";
    }
}

SqlExpr number(const Expr& expr) {
    bool whole = false;
    expr.text.toInt(&whole); // fails for decimals, exponents and what exceeds a Long
    return typed(expr.text, whole ? adInteger : adDouble);
}

const ColumnInfo* findColumn(const TableInfo& table, const QString& name) {
    const auto column =
        std::find_if(table.columns.begin(), table.columns.end(), [&](const ColumnInfo& c) {
            return c.name.compare(name, Qt::CaseInsensitive) == 0;
        });
    return column == table.columns.end() ? nullptr : &*column;
}

[[noreturn]] void unknownColumn(const Expr& expr, const ExprScope& scope) {
    const QString name = expr.parts.join(u'.');
    QStringList tables;
    for (const ScopeSource& source : scope.sources)
        tables << source.table->name;
    const QString description =
        tables.size() == 1
            ? QStringLiteral("Unknown column '%1' in table '%2'.").arg(name, tables[0])
            : QStringLiteral("Unknown column '%1' in tables '%2'.")
                  .arg(name, tables.join(QStringLiteral("', '")));
    throw NameError(NameError::Kind::Column, expr.source.isEmpty() ? name : expr.source,
                    description);
}

// A column of one of the statement's sources, else of the statement a subquery stands in. A name
// without qualifier must belong to one source only.
SqlExpr columnRef(const Expr& expr, const ExprScope& scope) {
    const QString qualifier = expr.parts.mid(0, expr.parts.size() - 1).join(u'.');
    const QString& name = expr.parts.last();
    for (const ExprScope* level = &scope; level; level = level->outer) {
        const ColumnInfo* found = nullptr;
        const ScopeSource* foundIn = nullptr;
        bool qualifierKnown = false;
        for (const ScopeSource& source : level->sources) {
            if (!qualifier.isEmpty() && !source.qualifiers.contains(qualifier, Qt::CaseInsensitive))
                continue;
            qualifierKnown = true;
            const ColumnInfo* column = findColumn(*source.table, name);
            if (!column)
                continue;
            if (found)
                throw Error(QStringLiteral("The specified field '%1' could refer to more than one "
                                           "table listed in the FROM clause of your SQL "
                                           "statement.")
                                .arg(expr.parts.join(u'.')));
            found = column;
            foundIn = &source;
        }
        if (found) {
            // A subquery names the columns of the statement around it by that statement's
            // name for the table, which its own sources (all given aliases) do not hide.
            const QString sqlName = foundIn->sqlName.isEmpty() && level != &scope
                                        ? foundIn->table->name
                                        : foundIn->sqlName;
            SqlExpr value = columnValue(*found, sqlName);
            value.source = foundIn;
            return value;
        }
        if (qualifierKnown && !qualifier.isEmpty())
            break;
    }
    unknownColumn(expr, scope);
}

SqlExpr unary(const Expr& expr, const ExprScope& scope) {
    const SqlExpr operand = translateExpr(expr.args[0], scope);
    if (expr.op == Op::Not)
        return truthValue(QStringLiteral("(NOT %1)").arg(operand.sql));
    return {QStringLiteral("(-%1)").arg(valueSql(operand)),
            arithmeticType(operand.type, valueTypeOf(adSmallInt))};
}

// Whether the text CStr and & make of a value depends on its type, which the engine's storage
// does not tell: dates are kept as text in the engine's form, Booleans as -1 and 0, and a Single
// as a double whose digits go beyond the seven a Single holds.
bool textFollowsType(const ValueType& type) {
    return type.storage == Storage::DateTime || type.storage == Storage::Boolean ||
           type.ado == adSingle;
}

// The arguments of vb_cstr for the value: the type code follows where the text depends on it.
QString cstrArguments(const SqlExpr& expr) {
    if (!textFollowsType(expr.type))
        return valueSql(expr);
    return QStringLiteral("%1, %2").arg(valueSql(expr)).arg(expr.type.ado);
}

// The value as CStr writes it; a value whose text the engine's own conversion gives as is.
QString cstrSql(const SqlExpr& expr) {
    if (!textFollowsType(expr.type))
        return valueSql(expr);
    return QStringLiteral("vb_cstr(%1)").arg(cstrArguments(expr));
}

// The operands of a run of & (a & b & c), each as CStr writes it.
void concatOperands(const Expr& expr, const ExprScope& scope, QStringList& operands) {
    if (expr.kind != ExprKind::Binary || expr.op != Op::Concat) {
        operands << cstrSql(translateExpr(expr, scope));
        return;
    }
    concatOperands(expr.args[0], scope, operands);
    concatOperands(expr.args[1], scope, operands);
}

// A run of & is one call that joins every operand at once, Null counting as "", rather than a
// call for each & that makes a text only for the next one to copy it again.
SqlExpr concatenation(const Expr& expr, const ExprScope& scope) {
    QStringList operands;
    concatOperands(expr, scope, operands);
    return typed(QStringLiteral("vb_concat(%1)").arg(operands.join(QStringLiteral(", "))),
                 adVarWChar);
}

// Jet rounds the operands of \ and Mod to whole numbers first.
QString wholeNumber(const QString& value) {
    return QStringLiteral("CAST(round(%1) AS INTEGER)").arg(value);
}

// Terms first to last joined by AND in halves: ((a AND b) AND (c AND d)).
QString balancedAnd(const QStringList& terms, qsizetype first, qsizetype last) {
    if (first == last)
        return terms[first];
    const qsizetype middle = first + (last - first) / 2;
    return QStringLiteral("(%1 AND %2)")
        .arg(balancedAnd(terms, first, middle), balancedAnd(terms, middle + 1, last));
}

// A chain of And, as a node's condition writes one comparison per depth. Nested term by term,
// the condition of a node a hundred levels deep would nest deeper than the engine's parser
// reads, and a thousand deeper than it evaluates; joined in halves it nests as deep as the
// number of terms has binary digits.
SqlExpr conjunction(const Expr& expr, const ExprScope& scope) {
    std::vector<const Expr*> terms;
    const Expr* left = &expr;
    for (; left->kind == ExprKind::Binary && left->op == Op::And; left = &left->args[0])
        terms.push_back(&left->args[1]);
    terms.push_back(left);
    QStringList sql;
    for (auto term = terms.rbegin(); term != terms.rend(); ++term)
        sql << translateExpr(**term, scope).sql;
    return truthValue(balancedAnd(sql, 0, sql.size() - 1));
}

SqlExpr binary(const Expr& expr, const ExprScope& scope) {
    if (expr.op == Op::Concat)
        return concatenation(expr, scope);
    if (expr.op == Op::And)
        return conjunction(expr, scope);
    const SqlExpr left = translateExpr(expr.args[0], scope);
    const SqlExpr right = translateExpr(expr.args[1], scope);
    const QString a = valueSql(left), b = valueSql(right);
    const QString symbol = QLatin1String(symbolOf(expr.op));
    switch (expr.op) {
    case Op::Add:
        if (isText(left.type) && isText(right.type)) // + joins text, Null giving Null
            return typed(QStringLiteral("(%1 || %2)").arg(a, b), adVarWChar);
        [[fallthrough]];
    case Op::Sub:
    case Op::Mul:
        return {QStringLiteral("(%1 %2 %3)").arg(a, symbol, b),
                arithmeticType(left.type, right.type)};
    case Op::Div: // always in real numbers, where SQLite would divide integers whole
        return typed(QStringLiteral("(CAST(%1 AS REAL) / %2)").arg(a, b), adDouble);
    case Op::IntDiv:
    case Op::Mod:
        return typed(QStringLiteral("(%1 %2 %3)").arg(wholeNumber(a), symbol, wholeNumber(b)),
                     adInteger);
    case Op::Pow:
        return typed(QStringLiteral("pow(%1, %2)").arg(a, b), adDouble);
    case Op::Eq:
    case Op::Ne:
    case Op::Lt:
    case Op::Gt:
    case Op::Le:
    case Op::Ge: {
        // Text of digits against text of digits compares the same without the collation, and
        // then an index on the formatted dates can find the rows.
        const bool binary = left.ordersAsBinary && expr.args[1].kind == ExprKind::String &&
                            collatesAsBinary((left.alphabet + expr.args[1].text).toStdU16String());
        const bool text = (isText(left.type) || isText(right.type)) && !binary;
        const QString compared = comparedSql(left, text);
        const QString comparison = QStringLiteral("(%1 %2 %3)").arg(compared, symbol, b);
        const bool searched =
            binary && left.formattedDates && left.formattedDates == scope.indexedDates;
        const QString span =
            expr.op == Op::Eq && !searched ? dateSpanCondition(expr, scope) : QString();
        return truthValue(span.isEmpty() ? comparison
                                         : QStringLiteral("(%1 AND %2)").arg(span, comparison));
    }
    case Op::Or:
        return truthValue(QStringLiteral("(%1 %2 %3)").arg(left.sql, symbol, right.sql));
    case Op::Xor:
    case Op::Eqv:
        return truthValue(
            QStringLiteral("((%1 <> 0) %2 (%3 <> 0))").arg(left.sql, symbol, right.sql));
    case Op::Imp:
        return truthValue(QStringLiteral("((NOT %1) OR %2)").arg(left.sql, right.sql));
    default:
        throw Error(QStringLiteral("Syntax error in query expression '%1'.").arg(expr.source));
    }
}

// Like, Between and In.
SqlExpr test(const Expr& expr, const ExprScope& scope) {
    const std::vector<SqlExpr> args = translateAll(expr.args, scope);
    const QString no = expr.negated ? QStringLiteral("NOT ") : QString();
    if (expr.kind == ExprKind::Like)
        return truthValue(QStringLiteral("(vb_like(%1) %2 0)")
                              .arg(joinedValues(args), expr.negated ? "=" : "<>"));
    const QString value = comparedSql(args[0], anyText(args));
    if (expr.kind == ExprKind::In && expr.args.size() == 2 &&
        expr.args[1].kind == ExprKind::Subquery) // the values the subquery gives
        return truthValue(QStringLiteral("(%1 %2IN %3)").arg(value, no, args[1].sql));
    if (expr.kind == ExprKind::Between)
        return truthValue(QStringLiteral("(%1 %2BETWEEN %3 AND %4)")
                              .arg(value, no, valueSql(args[1]), valueSql(args[2])));
    return truthValue(QStringLiteral("(%1 %2IN (%3))").arg(value, no, joinedValues(args, 1)));
}

[[noreturn]] void wrongArgumentCount(const Expr& call) {
    throw Error(QStringLiteral("Wrong number of arguments used with function in query "
                               "expression '%1'.")
                    .arg(call.source));
}

void checkArguments(const Expr& call, size_t min, size_t max) {
    if (call.args.size() < min || call.args.size() > max)
        wrongArgumentCount(call);
}

// A literal that is never Null: counting it counts the rows.
bool isNonNullLiteral(const Expr& expr) {
    return expr.kind == ExprKind::Number || expr.kind == ExprKind::String ||
           expr.kind == ExprKind::Date || expr.kind == ExprKind::Boolean;
}

// A table of groups holds the count of one column's values and the statistics of one column of
// numbers; any other aggregate over it fails, and the statement is then read from its source.
void requireFigure(const GroupsTable& groups, const ColumnInfo* column, bool count, bool numbers) {
    const bool held = column && (count ? column->name == groups.second
                                       : numbers && !groups.statistics.isEmpty() &&
                                             column->name == groups.statistics);
    if (!held)
        throw FigureNotHeld(QStringLiteral("The groups do not hold this figure."));
}

// The aggregates' names in SQLite, as jet_statistics' figures are named after them too.
const QLatin1String AggregateNames[] = {QLatin1String("count"), QLatin1String("min"),
                                        QLatin1String("max"), QLatin1String("avg"),
                                        QLatin1String("sum")};

// Count, Min, Max, Avg, Sum. Over a currency column they work on the stored whole amounts and
// divide once, so that sums stay exact. Count(1) counts rows as count(*) does, which SQLite
// answers faster. Min, Max, Avg and Sum of a column of numbers take their figure from the one
// pass of jet_statistics, which SQLite makes once however many of the four a statement asks for.
SqlExpr aggregate(const Expr& call, Aggregate kind, const ExprScope& scope) {
    if (!scope.aggregateBan.isEmpty())
        throw Error(scope.aggregateBan);
    checkArguments(call, 1, 1);
    const Expr& arg = call.args[0];
    const bool count = kind == Aggregate::Count;
    const QString name = AggregateNames[int(kind)];
    if (arg.kind == ExprKind::Star || (count && isNonNullLiteral(arg))) {
        if (!count)
            throw Error(QStringLiteral("Syntax error (missing operator) in query expression '%1'.")
                            .arg(call.source));
        return typed(scope.summary ? quoteIdentifier(GroupsTable::RowsColumn)
                                   : QStringLiteral("count(*)"),
                     adInteger);
    }
    ExprScope inner = scope;
    inner.aggregateBan =
        QStringLiteral("Cannot have aggregate function in expression (%1).").arg(call.source);
    const SqlExpr value = translateExpr(arg, inner);
    const bool currency = value.column && value.column->storage == Storage::Currency;
    // Count needs no conversion of a column's values, the others only a currency column's.
    const bool raw = value.column && (count || currency);
    const bool numbers = value.column && !value.truth &&
                         (value.column->storage == Storage::Integer ||
                          value.column->storage == Storage::Real || currency);
    if (scope.summary)
        requireFigure(*scope.summary, value.column, count, numbers);
    QString sql = name + u'(' + (raw ? value.columnSql : valueSql(value)) + u')';
    if (numbers && !count)
        sql = QStringLiteral("jet_%1(%2)")
                  .arg(name, scope.summary
                                 ? quoteIdentifier(GroupsTable::FiguresColumn)
                                 : QStringLiteral("jet_statistics(%1)").arg(value.columnSql));
    if (count && scope.summary)
        sql = quoteIdentifier(GroupsTable::CountColumn);
    if (currency && !count)
        sql = QStringLiteral("(%1 / 10000.0)").arg(sql);
    if (count)
        return typed(sql, adInteger);
    if (kind == Aggregate::Avg)
        return typed(sql, adDouble);
    return {sql, kind == Aggregate::Sum ? sumType(value.type) : value.type};
}

// Format(date column, "mask") where the mask writes only numbers and characters whose order
// folding case keeps, like "yyyy\/mm" or "yyyy\/\Qq": the characters it writes. A date column
// holds only dates (the engine stores Null for anything else), so every value it gives is the
// mask applied.
std::optional<QString> datesAsBinaryText(const Expr& call, const std::vector<SqlExpr>& args) {
    if (args.size() != 2 || !args[0].column || args[0].column->storage != Storage::DateTime ||
        call.args[1].kind != ExprKind::String)
        return std::nullopt;
    const vb::FormatMask mask(call.args[1].text);
    const vb::DateMask* dates = mask.dateMask();
    std::optional<QString> alphabet = dates ? dates->alphabet() : std::nullopt;
    if (alphabet && collatesAsBinary(alphabet->toStdU16String()))
        return alphabet;
    return std::nullopt;
}

// IIf(condition, a, b): b when the condition is False or Null.
SqlExpr iif(const Expr& call, const ExprScope& scope) {
    checkArguments(call, 3, 3);
    const std::vector<SqlExpr> args = translateAll(call.args, scope);
    return {QStringLiteral("(CASE WHEN %1 THEN %2 ELSE %3 END)")
                .arg(args[0].sql, valueSql(args[1]), valueSql(args[2])),
            commonType(args[1].type, args[2].type)};
}

SqlExpr call(const Expr& call, const ExprScope& scope) {
    if (const std::optional<Aggregate> kind = aggregateOf(call))
        return aggregate(call, *kind, scope);
    const QString name = call.text.toLower();
    if (name == u"iif")
        return iif(call, scope);
    if (name == u"isnull") { // VB's IsNull(value), the same test as Is Null
        checkArguments(call, 1, 1);
        return truthValue(
            QStringLiteral("(%1 IS NULL)").arg(translateExpr(call.args[0], scope).sql));
    }
    const VbFunction* function = findVbFunction(call.text);
    if (!function)
        throw NameError(NameError::Kind::Function, call.text,
                        QStringLiteral("Undefined function '%1' in expression.").arg(call.text));
    checkArguments(call, function->minArgs, function->maxArgs);
    const std::vector<SqlExpr> args = translateAll(call.args, scope);
    QString values = joinedValues(args);
    if (name.startsWith(u"format") && args.size() == 1)
        values += QStringLiteral(", ''"); // Format without a mask: the general format
    if (qstrcmp(function->name, "cstr") == 0 && textFollowsType(args[0].type))
        values = cstrArguments(args[0]);
    ValueType type = valueTypeOf(function->resultType);
    if (function->resultType == adEmpty)
        type = args.size() == 1 ? args[0].type : commonType(args[0].type, args[1].type);
    SqlExpr result{QStringLiteral("vb_%1(%2)").arg(QLatin1String(function->name), values), type};
    if (qstrcmp(function->name, "format") == 0)
        if (const std::optional<QString> alphabet = datesAsBinaryText(call, args)) {
            result.ordersAsBinary = true;
            result.alphabet = *alphabet;
            result.formattedDates = args[0].column;
        }
    return result;
}

} // namespace

std::optional<Aggregate> aggregateOf(const Expr& expr) {
    if (expr.kind != ExprKind::Call)
        return std::nullopt;
    for (int i = 0; i < int(std::size(AggregateNames)); ++i)
        if (expr.text.compare(AggregateNames[i], Qt::CaseInsensitive) == 0)
            return Aggregate(i);
    return std::nullopt;
}

SqlExpr columnValue(const ColumnInfo& column, const QString& sqlName) {
    QString sql = quoteIdentifier(column.name);
    if (!sqlName.isEmpty())
        sql = quoteIdentifier(sqlName) + u'.' + sql;
    SqlExpr expr{sql, {column.adoType, column.storage}};
    expr.column = &column;
    expr.columnSql = sql;
    if (column.storage == Storage::Currency) {
        expr.sql = QStringLiteral("(%1 / 10000.0)").arg(expr.sql);
        expr.type.storage = Storage::Real;
    }
    return expr;
}

QString valueSql(const SqlExpr& expr) {
    return expr.truth ? QStringLiteral("(-%1)").arg(expr.sql) : expr.sql;
}

QString collatedSql(const SqlExpr& expr) {
    const bool collate = isText(expr.type) && !expr.column && !expr.ordersAsBinary;
    return collate ? valueSql(expr) + textCollation : valueSql(expr);
}

SqlExpr translateExpr(const Expr& expr, const ExprScope& scope) {
    switch (expr.kind) {
    case ExprKind::Number:
        return number(expr);
    case ExprKind::String:
        return typed(quoteString(expr.text), adVarWChar);
    case ExprKind::Date:
        return typed(quoteString(expr.text), adDate);
    case ExprKind::Boolean:
        return typed(expr.text == u"TRUE" ? QStringLiteral("-1") : QStringLiteral("0"), adBoolean);
    case ExprKind::Null:
        return typed(QStringLiteral("NULL"), adEmpty);
    case ExprKind::Column:
        return columnRef(expr, scope);
    case ExprKind::Unary:
        return unary(expr, scope);
    case ExprKind::Binary:
        return binary(expr, scope);
    case ExprKind::IsNull:
        return truthValue(QStringLiteral("(%1 IS %2NULL)")
                              .arg(translateExpr(expr.args[0], scope).sql,
                                   expr.negated ? QStringLiteral("NOT ") : QString()));
    case ExprKind::Like:
    case ExprKind::Between:
    case ExprKind::In:
        return test(expr, scope);
    case ExprKind::Call:
        return call(expr, scope);
    case ExprKind::Subquery:
        return translateSubquery(*expr.query, scope);
    case ExprKind::Exists:
        return truthValue(QStringLiteral("(EXISTS %1)").arg(translateExists(*expr.query, scope)));
    case ExprKind::Star:
        break;
    }
    throw Error(QStringLiteral("Syntax error (missing operator) in query expression '%1'.")
                    .arg(expr.source));
}

} // namespace data::jet
