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
namespace bench {

class SalesSource : public data::jet::TableSource {
public:
    static constexpr int RegionCount = 12;
    static constexpr int CityCount = 2000;
    static constexpr int CustomerCount = 50000;

    explicit SalesSource(int rows, std::uint64_t seed = 20240607);

    QStringList tableNames() override;
    std::optional<data::jet::SourceTable> describe(const QString& name) override;
    void load(const QString& name, data::jet::RowSink& sink) override;

    const QString& region(int index) const { return regions_[std::size_t(index)]; }
    const QString& city(int index) const { return cities_[std::size_t(index)]; }
    const QString& customer(int index) const { return customers_[std::size_t(index)]; }
    static int cityOfCustomer(int customer) { return int(customer * 7919LL % CityCount); }
    static int regionOfCity(int city) { return city * 7 % RegionCount; }

private:
    int rows_;
    std::uint64_t seed_;
    std::vector<QString> regions_;
    std::vector<QString> cities_;
    std::vector<QString> customers_;
};

} // namespace bench
