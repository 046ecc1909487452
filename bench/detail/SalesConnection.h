#pragma once

#include <memory>

namespace data {
class Connection;
namespace jet {
class TableSource;
}
} // namespace data

namespace bench {

// An open connection to the engine over `source`, as opening an Access file gives one: the
// picker lists its Sales table, and the engine loads the table when a statement first reads it.
// Each call gives a connection with an engine of its own.
std::shared_ptr<data::Connection> connectToSales(std::shared_ptr<data::jet::TableSource> source);

} // namespace bench
