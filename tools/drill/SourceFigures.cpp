#include "drill/SourceFigures.h"

#include "data/Ado.h"
#include "data/Recordset.h"
#include "data/ValueText.h"

#include <cmath>

namespace drill {

namespace {

std::shared_ptr<data::Recordset> select(const std::shared_ptr<data::Connection>& connection,
                                        const QString& what, const QString& source,
                                        const QString& condition) {
    auto rows = std::make_shared<data::Recordset>();
    rows->Open("SELECT " + what + " FROM " + source +
                   (condition.isEmpty() ? QString() : " WHERE " + condition),
               connection, data::ado::adOpenForwardOnly, data::ado::adLockReadOnly, -1);
    return rows;
}

} // namespace

qlonglong countWhere(const std::shared_ptr<data::Connection>& connection, const QString& source,
                     const QString& condition) {
    return select(connection, "COUNT(*) AS CNT", source, condition)
        ->Fields("CNT")
        .Value()
        .toLongLong();
}

std::array<QVariant, 4> statisticsWhere(const std::shared_ptr<data::Connection>& connection,
                                        const QString& source, const QString& column,
                                        const QString& condition) {
    const auto rows = select(connection,
                             QStringLiteral("Min(%1) AS CMIN, Max(%1) AS CMAX, Avg(%1) AS CAVG, "
                                            "Sum(%1) AS CSUM")
                                 .arg(column),
                             source, condition);
    return {rows->Fields(0).Value(), rows->Fields(1).Value(), rows->Fields(2).Value(),
            rows->Fields(3).Value()};
}

QStringList lastRowText(const std::shared_ptr<data::Connection>& connection,
                        const QString& statement) {
    data::Recordset rows;
    rows.Open(statement, connection, data::ado::adOpenForwardOnly, data::ado::adLockReadOnly, -1);
    QStringList last;
    for (; !rows.Eof(); rows.MoveNext()) {
        last.clear();
        for (int i = 0; i < rows.fieldCount(); ++i)
            last << data::valueText(rows.Fields(i).Value(), rows.Fields(i).Type);
    }
    return last;
}

bool showsStatistic(const std::optional<double>& shown, const QVariant& value) {
    if (!shown || value.isNull())
        return !shown && value.isNull();
    const double exact = value.toDouble();
    return std::abs(*shown - exact) <= 0.005 + 1e-12 * std::abs(exact);
}

} // namespace drill
