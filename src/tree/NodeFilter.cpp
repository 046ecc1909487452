#include "tree/NodeFilter.h"

#include "data/NumberText.h"
#include "tree/DateGrouping.h"
#include "tree/GroupingOrder.h"
#include "tree/NodeLabel.h"
#include "tree/SqlText.h"

#include <QStringList>
#include <algorithm>

namespace tree {

namespace {

bool isFraction(const QVariant& value) {
    return value.typeId() == QMetaType::Double || value.typeId() == QMetaType::Float;
}

// A double with "." for the decimal point: as the label writes it (15 significant digits) when
// that reads back to the same double, otherwise the shortest text that does.
QString exactNumber(double value) {
    const QString asShown = data::numberText(value, QStringLiteral("."));
    bool ok = false;
    if (asShown.toDouble(&ok) == value && ok)
        return asShown;
    return QString::number(value, 'g', QLocale::FloatingPointShortest).toUpper();
}

QString integerText(const QVariant& value) {
    if (value.typeId() == QMetaType::ULongLong || value.typeId() == QMetaType::ULong)
        return QString::number(value.toULongLong());
    return QString::number(value.toLongLong());
}

QString decimalText(const NodeValue& node) {
    if (isFraction(node.value))
        return exactNumber(node.value.toDouble());
    // Exact decimals and whole numbers: their own digits, with a decimal point.
    return groupValueText(node.value, node.fieldType, QLocale::c()).replace(',', '.');
}

// The comparison for one node; "" for a column that is never grouped.
QString condition(const NodeValue& node, const data::ColInfoRec& column, data::Dialect dialect) {
    using data::Conversion;
    const QString& sql = column.ColSQL;
    if (column.ColConv == Conversion::Nothing)
        return QString();
    if (node.isNull())
        return sql + " IS NULL ";
    switch (column.ColConv) {
    case Conversion::CInt:
    case Conversion::CLng:
        return sql + " = " + integerText(node.value);
    case Conversion::CDec:
    case Conversion::CDbl:
        return sql + " = " + decimalText(node);
    case Conversion::CBool:
        return sql + " = " + groupValueText(node.value, node.fieldType);
    case Conversion::CStr:
        return sql + " = " + textLiteral(groupValueText(node.value, node.fieldType), dialect);
    case Conversion::CDate:
        return MakeFilterDate(sql, node.value, column.ColDateGroup.value_or(data::DateGroup::None),
                              dialect);
    case Conversion::Spare:
    case Conversion::Nothing:
        break;
    }
    return QString();
}

// The depths of the path that lie within the column table, deepest first: the node at depth L
// groups by column entry L - 1.
template <typename Visit>
void forEachDepth(std::span<const NodeValue> path, int firstDepth, Visit visit) {
    const auto deepest =
        std::min<qsizetype>(qsizetype(path.size()) + firstDepth - 1, data::ColInfoUpper + 1);
    for (qsizetype depth = deepest; depth >= std::max(firstDepth, 1); --depth)
        visit(path[depth - firstDepth], depth - 1);
}

} // namespace

QString makeFilter(std::span<const NodeValue> path, const data::ColInfoTable& columns,
                   data::Dialect dialect, int firstDepth) {
    QStringList conditions;
    forEachDepth(path, firstDepth, [&](const NodeValue& node, qsizetype column) {
        const QString text = condition(node, columns[column], dialect);
        if (!text.isEmpty())
            conditions << text;
    });
    return conditions.join(QStringLiteral(" AND "));
}

std::vector<data::LevelCondition>
pathConditions(std::span<const NodeValue> path, const data::ColInfoTable& columns, int firstDepth) {
    std::vector<data::LevelCondition> conditions;
    forEachDepth(path, firstDepth, [&](const NodeValue& node, qsizetype column) {
        const data::ColInfoRec& c = columns[column];
        if (c.ColConv != data::Conversion::Nothing && c.ColConv != data::Conversion::Spare)
            conditions.insert(conditions.begin(),
                              {levelTerm(c, data::DateGroup::None), node.value});
    });
    return conditions;
}

} // namespace tree
