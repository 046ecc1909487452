#include "data/access/QuerySql.h"

#include "data/SqlName.h"
#include "data/jet/ViewMessages.h"

#include <memory>

namespace data::access {

namespace {

namespace messages = jet::messages;

enum Attribute {
    TypeAttribute = 1,
    ParameterAttribute = 2,
    FlagAttribute = 3,
    RemoteDatabaseAttribute = 4,
    TableAttribute = 5,
    ColumnAttribute = 6,
    JoinAttribute = 7,
    WhereAttribute = 8,
    GroupByAttribute = 9,
    HavingAttribute = 10,
    OrderByAttribute = 11,
};

constexpr std::int64_t SelectType = 1;
constexpr std::int64_t SelectStarFlag = 0x01, DistinctFlag = 0x02, DistinctRowFlag = 0x08,
                       TopFlag = 0x10, PercentFlag = 0x20;

// The kind of query the type row's Flag (or, without one, the object's Flags) marks, with its
// article; empty for a select query.
QString kindOf(const SavedQuery& query) {
    std::optional<std::int64_t> type;
    for (const QueryRow& row : query.rows)
        if (row.attribute == TypeAttribute)
            type = row.flag.value_or(SelectType);
    if (!type) { // the object's Flags carry the kind in their bits 4 to 7
        static const std::int64_t byObjectFlags[] = {1, 6, 5, 4, 3, 2, 7, 8, 9};
        const std::uint32_t kind = (query.flags & 0xF0u) >> 4;
        type = kind < std::size(byObjectFlags) ? byObjectFlags[kind] : 0;
    }
    switch (*type) {
    case SelectType:
        return {};
    case 2:
        return QStringLiteral("a make-table query");
    case 3:
        return QStringLiteral("an append query");
    case 4:
        return QStringLiteral("an update query");
    case 5:
        return QStringLiteral("a delete query");
    case 6:
        return QStringLiteral("a crosstab query");
    case 7:
        return QStringLiteral("a data-definition query");
    case 8:
        return QStringLiteral("a pass-through query");
    case 9:
        return QStringLiteral("a union query");
    default:
        return QStringLiteral("a query of a kind Access keeps for itself");
    }
}

// A source of the FROM clause while joins are put together: one table, or two sources joined.
struct Source {
    QString key;   // a table's alias, else its name: what the join rows call it
    QString table; // "[Orders] AS [o]"
    std::int64_t join = 0;
    QStringList on;
    std::shared_ptr<Source> left, right;

    bool holds(const QString& name) const {
        if (!left)
            return key.compare(name, Qt::CaseInsensitive) == 0;
        return left->holds(name) || right->holds(name);
    }

    QString sql(bool outermost) const {
        if (!left)
            return table;
        const char* kind = join == 2 ? " LEFT JOIN " : join == 3 ? " RIGHT JOIN " : " INNER JOIN ";
        const QString condition =
            on.size() == 1 ? on[0]
                           : QStringLiteral("((%1))").arg(on.join(QStringLiteral(") AND (")));
        const QString text = left->sql(false) + QLatin1String(kind) + right->sql(false) +
                             QStringLiteral(" ON ") + condition;
        return outermost ? text : u'(' + text + u')';
    }
};

using SourcePtr = std::shared_ptr<Source>;

SourcePtr tableSource(const QString& name, const QString& alias) {
    auto source = std::make_shared<Source>();
    source->key = alias.isEmpty() ? name : alias;
    source->table = bracketedName(name);
    if (!alias.isEmpty())
        source->table += QStringLiteral(" AS ") + bracketedName(alias);
    return source;
}

// The FROM clause, or nothing when a join cannot be written (a kind of join Jet does not have,
// or two joins of different kinds between the same sources).
std::optional<QString> fromClause(const std::vector<const QueryRow*>& tables,
                                  const std::vector<const QueryRow*>& joins) {
    std::vector<SourcePtr> sources;
    for (const QueryRow* row : tables)
        sources.push_back(tableSource(row->name1, row->name2));
    for (const QueryRow* row : joins) {
        const std::int64_t kind = row->flag.value_or(0);
        if (kind < 1 || kind > 3)
            return std::nullopt;
        // The sources holding the two sides, taken out of the list (a side the table rows do
        // not list stands alone).
        SourcePtr from, to;
        for (auto it = sources.begin(); it != sources.end() && !(from && to);) {
            if (!from && (*it)->holds(row->name1)) {
                from = *it;
                if ((*it)->holds(row->name2)) {
                    to = from;
                    break;
                }
                it = sources.erase(it);
            } else if (!to && (*it)->holds(row->name2)) {
                to = *it;
                it = sources.erase(it);
            } else {
                ++it;
            }
        }
        if (from && from == to) { // already joined: one more condition of their join
            if (from->join != kind)
                return std::nullopt;
            from->on << row->expression;
            continue;
        }
        auto join = std::make_shared<Source>();
        join->left = from ? from : tableSource(row->name1, {});
        join->right = to ? to : tableSource(row->name2, {});
        join->join = kind;
        join->on << row->expression;
        sources.push_back(join);
    }
    QStringList parts;
    for (const SourcePtr& source : sources)
        parts << source->sql(true);
    return parts.join(QStringLiteral(", "));
}

} // namespace

jet::SourceView queryView(const SavedQuery& query) {
    jet::SourceView view{query.name, {}};
    const auto unsupported = [&](const QString& description) {
        view.unsupported = description;
        return view;
    };
    if (const QString kind = kindOf(query); !kind.isEmpty())
        return unsupported(messages::queryKindNotSupported(query.name, kind));

    std::vector<const QueryRow*> tables, joins;
    const QueryRow* flags = nullptr;
    QStringList columns, groupBy, orderBy;
    QString where, having;
    bool parameters = false, remote = false, fromExpression = false;
    for (const QueryRow& row : query.rows) {
        switch (row.attribute) {
        case ParameterAttribute:
            parameters = true;
            break;
        case FlagAttribute:
            flags = &row;
            break;
        case RemoteDatabaseAttribute:
            remote = true;
            break;
        case TableAttribute:
            fromExpression = fromExpression || !row.expression.isEmpty() || row.name1.isEmpty();
            tables.push_back(&row);
            break;
        case ColumnAttribute:
            columns << (row.name1.isEmpty()
                            ? row.expression
                            : row.expression + QStringLiteral(" AS ") + bracketedName(row.name1));
            break;
        case JoinAttribute:
            joins.push_back(&row);
            break;
        case WhereAttribute:
            where = row.expression;
            break;
        case GroupByAttribute:
            groupBy << row.expression;
            break;
        case HavingAttribute:
            having = row.expression;
            break;
        case OrderByAttribute:
            orderBy << row.expression + (row.name1.compare(u"D", Qt::CaseInsensitive) == 0
                                             ? QStringLiteral(" DESC")
                                             : QString());
            break;
        default:
            break;
        }
    }
    if (parameters)
        return unsupported(messages::queryParametersNotSupported(query.name));
    if (remote)
        return unsupported(
            messages::queryNotSupported(query.name, QStringLiteral("reads another database")));
    if (fromExpression)
        return unsupported(messages::queryNotSupported(
            query.name, QStringLiteral("reads a subquery or another database in its FROM clause")));
    const std::optional<QString> from = fromClause(tables, joins);
    if (!from)
        return unsupported(messages::queryNotSupported(
            query.name, QStringLiteral("joins its tables in a way Jet SQL cannot write")));

    const std::int64_t flag = flags ? flags->flag.value_or(0) : 0;
    QString sql = QStringLiteral("SELECT ");
    if (flag & DistinctFlag)
        sql += QStringLiteral("DISTINCT ");
    else if (flag & DistinctRowFlag)
        sql += QStringLiteral("DISTINCTROW ");
    if ((flag & TopFlag) && flags)
        sql += QStringLiteral("TOP ") + flags->name1 +
               (flag & PercentFlag ? QStringLiteral(" PERCENT ") : QStringLiteral(" "));
    if ((flag & SelectStarFlag) || columns.isEmpty())
        columns.prepend(QStringLiteral("*"));
    sql += columns.join(QStringLiteral(", "));
    sql += QStringLiteral("\nFROM ") + *from;
    if (!where.isEmpty())
        sql += QStringLiteral("\nWHERE ") + where;
    if (!groupBy.isEmpty())
        sql += QStringLiteral("\nGROUP BY ") + groupBy.join(QStringLiteral(", "));
    if (!having.isEmpty())
        sql += QStringLiteral("\nHAVING ") + having;
    if (!orderBy.isEmpty())
        sql += QStringLiteral("\nORDER BY ") + orderBy.join(QStringLiteral(", "));
    view.sql = sql + u';';
    return view;
}

} // namespace data::access
