#pragma once

#include "grid/CopyStatement.h"

#include <QString>
#include <memory>

namespace data {
class Connection;
}

namespace grid {

// The text the grid's Copy puts on the clipboard: the header line, then each row of the
// statement, its one value as the grid shows values (Null as nothing) and a line feed.
// The rows are read once, forward-only and read-only, on the connection. The first row is moved
// to without asking whether there is one, so a result without rows fails as any failure of the
// data source does, with data::Error; nothing is returned then.
QString copyText(const CopyStatement& copy, const std::shared_ptr<data::Connection>& connection);

} // namespace grid
