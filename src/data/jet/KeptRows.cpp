#include "data/jet/KeptRows.h"

#include "data/jet/ExprTranslator.h"

#include <QRegularExpression>
#include <algorithm>
#include <optional>

namespace data::jet {

namespace {

const ColumnInfo* plainColumn(const Expr& expr, const ExprScope& scope) {
    if (expr.kind != ExprKind::Column)
        return nullptr;
    const SqlExpr column = translateExpr(expr, scope);
    const bool own =
        column.column && column.source == &scope.sources[0] && column.sql == column.columnSql;
    return own ? column.column : nullptr;
}

// The value a literal gives the column in a comparison whose equality is that of the column's
// groups; none where it is not such a literal.
std::optional<QVariant> literalFor(const Expr& literal, const ColumnInfo& column) {
    if (literal.kind == ExprKind::String && column.storage == Storage::Text)
        return QVariant(literal.text);
    static const QRegularExpression whole(QStringLiteral("^[0-9]{1,18}$"));
    const bool numbers = column.storage == Storage::Integer || column.storage == Storage::Boolean ||
                         column.storage == Storage::Real;
    if (literal.kind == ExprKind::Number && numbers && whole.match(literal.text).hasMatch())
        return QVariant(literal.text.toLongLong());
    return std::nullopt;
}

std::optional<AskedValue> askedOf(const Expr& condition, const ExprScope& scope) {
    if (condition.kind == ExprKind::IsNull && !condition.negated) {
        if (const ColumnInfo* column = plainColumn(condition.args[0], scope))
            return AskedValue{column, QVariant()};
        return std::nullopt;
    }
    if (condition.kind != ExprKind::Binary || condition.op != Op::Eq)
        return std::nullopt;
    for (int side = 0; side < 2; ++side)
        if (const ColumnInfo* column = plainColumn(condition.args[side], scope))
            if (const auto value = literalFor(condition.args[1 - side], *column))
                return AskedValue{column, *value};
    return std::nullopt;
}

} // namespace

QString keptRowsWhere(const Expr& where, const ExprScope& scope, qint64* exactly) {
    KeptRows* kept = scope.catalog ? scope.catalog->keptRows() : nullptr;
    if (!kept || scope.summary || scope.outer || scope.sources.size() != 1 ||
        !scope.sources[0].sqlName.isEmpty())
        return {};
    std::vector<AskedValue> asked;
    std::size_t conditionsJoined = 0;
    std::vector<const Expr*> conditions = {&where};
    while (!conditions.empty()) {
        const Expr& condition = *conditions.back();
        conditions.pop_back();
        if (condition.kind == ExprKind::Binary && condition.op == Op::And) {
            conditions.push_back(&condition.args[1]);
            conditions.push_back(&condition.args[0]);
            continue;
        }
        ++conditionsJoined;
        if (auto one = askedOf(condition, scope))
            asked.push_back(std::move(*one));
    }
    if (asked.empty())
        return {};
    const KeptCondition found = kept->rowsWhere(*scope.sources[0].table, asked);
    if (exactly)
        *exactly = !found.sql.isEmpty() && found.decided == conditionsJoined ? found.rows : -1;
    return found.sql;
}

QString rowIdName(const TableInfo& table) {
    for (const char* name : {"_rowid_", "rowid", "oid"}) {
        const QString candidate = QString::fromLatin1(name);
        const bool taken =
            std::any_of(table.columns.begin(), table.columns.end(), [&](const ColumnInfo& c) {
                return c.name.compare(candidate, Qt::CaseInsensitive) == 0;
            });
        if (!taken)
            return candidate;
    }
    return {};
}

} // namespace data::jet
