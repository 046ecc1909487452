#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <array>
#include <memory>
#include <optional>

namespace data {
class Connection;
}

// What the data source itself says of the rows a node's condition selects, to hold a node's
// label against.
namespace drill {

// The rows of the record source the condition selects ("" selects every row), counted afresh:
// SELECT COUNT(*) FROM the source WHERE the condition.
qlonglong countWhere(const std::shared_ptr<data::Connection>& connection, const QString& source,
                     const QString& condition);

// Min, Max, Avg and Sum of a column over exactly those rows.
std::array<QVariant, 4> statisticsWhere(const std::shared_ptr<data::Connection>& connection,
                                        const QString& source, const QString& column,
                                        const QString& condition);

// The last row `statement` gives, as the grid shows its cells, read from the first row on;
// empty when it gives none.
QStringList lastRowText(const std::shared_ptr<data::Connection>& connection,
                        const QString& statement);

// Whether a statistic as a label shows it (two decimals; nothing for a null) is `value`.
bool showsStatistic(const std::optional<double>& shown, const QVariant& value);

} // namespace drill
