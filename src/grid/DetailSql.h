#pragma once

#include "data/ColInfo.h"

#include <QString>

namespace grid {

// The grid's statement with every column in the table's order and no rows: it shows the
// column headers alone.
QString listBuildFieldsSql(const data::ColInfoTable& columns, int fieldCount,
                           const QString& recordSource);

} // namespace grid
