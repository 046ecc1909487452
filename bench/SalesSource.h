#pragma once

#include "data/jet/TableSource.h"

#include <cstdint>

// A synthetic Sales table made on the fly, pushed into the engine through the same seam the
// Access reader uses. The same seed gives the same rows.
//
// Columns: Region (12 values), City (2,000), Customer (50,000), each Null in a few percent of the
// rows; OrderDate over the ten years 2015 to 2024 with times, now and then Null; Amount, a
// Double with some negatives; Qty, a Long Integer; Paid, a Boolean. Every customer shops in one
// city and every city lies in one region, so a drill-down from region to city to customer finds
// rows at every level.
//
// A second table, SalesAccented, holds the same rows with the names spelled with accented
// letters ("Südöst", "Kälövén"), for measuring what text outside ASCII costs.
namespace bench {

class SalesSource : public data::jet::TableSource {
public:
    static constexpr int RegionCount = 12;
    static constexpr int CityCount = 2000;
    static constexpr int CustomerCount = 50000;

    static inline const QString TableName = QStringLiteral("Sales");
    static inline const QString AccentedTableName = QStringLiteral("SalesAccented");

    explicit SalesSource(int rows, std::uint64_t seed = 20240607);

    QStringList tableNames() override;
    std::optional<data::jet::SourceTable> describe(const QString& name) override;
    void load(const QString& name, data::jet::RowSink& sink) override;

    // The names of the Sales table.
    const QString& region(int index) const { return plain_.regions[std::size_t(index)]; }
    const QString& city(int index) const { return plain_.cities[std::size_t(index)]; }
    const QString& customer(int index) const { return plain_.customers[std::size_t(index)]; }
    static int cityOfCustomer(int customer) { return int(customer * 7919LL % CityCount); }
    static int regionOfCity(int city) { return city * 7 % RegionCount; }

    struct Names {
        std::vector<QString> regions;
        std::vector<QString> cities;
        std::vector<QString> customers;
    };
    const Names& plainNames() const { return plain_; }
    const Names& accentedNames() const { return accented_; }

private:
    void load(const Names& names, data::jet::RowSink& sink) const;

    int rows_;
    std::uint64_t seed_;
    Names plain_;
    Names accented_;
};

} // namespace bench
