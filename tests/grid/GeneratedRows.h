#pragma once

#include "data/jet/TableSource.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>

namespace data {
class Connection;
class Recordset;
} // namespace data

// Tables of any length for the grid's tests, made row by row as the engine loads them instead of
// being held or read from a file.
namespace test::grid {

// One table: column N counts the rows from 1, column X holds what `x` gives for N.
class GeneratedTable : public data::jet::TableSource {
public:
    GeneratedTable(QString name, std::int64_t rows, std::function<std::int64_t(std::int64_t)> x);

    QStringList tableNames() override;
    std::optional<data::jet::SourceTable> describe(const QString& name) override;
    void load(const QString& name, data::jet::RowSink& sink) override;

private:
    QString name_;
    std::int64_t rows_;
    std::function<std::int64_t(std::int64_t)> x_;
};

// A connection that runs Jet SQL over the source, through a provider registered for the purpose;
// its schema lists the source's tables.
std::shared_ptr<data::Connection> connectTo(std::shared_ptr<data::jet::TableSource> source);

// The statement's rows as a static recordset, which reads them as they are asked for.
std::shared_ptr<data::Recordset> openStatic(const std::shared_ptr<data::Connection>& connection,
                                            const QString& sql);

} // namespace test::grid
