#include "data/jet/DateSpanCondition.h"

#include "data/jet/CalendarDate.h"
#include "data/jet/SqlQuote.h"
#include "data/jet/vb/FormatMask.h"

namespace data::jet {

namespace {

QString dateText(const DateTimeParts& date) {
    const EngineDateText text = engineDateText(date);
    return quoteString(QString::fromLatin1(text.data(), qsizetype(text.size())));
}

} // namespace

QString dateSpanCondition(const Expr& equality, const ExprScope& scope) {
    const Expr& format = equality.args[0];
    const Expr& text = equality.args[1];
    if (format.kind != ExprKind::Call || format.text.compare(u"Format", Qt::CaseInsensitive) != 0 ||
        format.args.size() != 2 || format.args[0].kind != ExprKind::Column ||
        format.args[1].kind != ExprKind::String || text.kind != ExprKind::String)
        return QString();
    const SqlExpr column = translateExpr(format.args[0], scope);
    if (!column.column || column.column->storage != Storage::DateTime)
        return QString();
    const vb::FormatMask mask(format.args[1].text);
    const vb::DateMask* dates = mask.dateMask();
    const auto span = dates ? dates->span(text.text) : std::nullopt;
    if (!span)
        return QString();
    QString condition = QStringLiteral("(%1 >= %2").arg(column.sql, dateText(span->from));
    if (span->until)
        condition += QStringLiteral(" AND %1 < %2").arg(column.sql, dateText(*span->until));
    return condition + u')';
}

} // namespace data::jet
