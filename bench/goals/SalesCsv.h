#pragma once

#include <QString>

// The synthetic Sales table written as a CSV file with a header line, for the yardstick the
// goals are compared with (bench/duckdb): the same rows the engine loads, dates as
// "YYYY-MM-DD hh:mm:ss", truth values as true/false, nulls as empty fields.
namespace bench {

// Fails with data::Error when the file cannot be written.
void writeSalesCsv(int rows, const QString& path);

} // namespace bench
