#include "SalesSource.h"

#include "Random.h"
#include "data/AdoTypes.h"
#include "data/jet/CalendarDate.h"

#include <array>
#include <cmath>

namespace bench {

namespace {

using namespace data::ado;

const QString TableName = QStringLiteral("Sales");

enum Column { Region, City, Customer, OrderDate, Amount, Qty, Paid };

// Made-up words from syllables: index 0 to 16^syllables - 1, each a different word.
QString word(int index, int syllables) {
    static constexpr std::array<const char*, 16> Syllables = {
        "ka",  "lo", "ven",  "ra", "mi", "dor", "sa", "tel",
        "bru", "ne", "quin", "fa", "zo", "har", "pe", "lis"};
    QString text;
    for (int i = 0; i < syllables; ++i, index /= 16)
        text += QLatin1String(Syllables[std::size_t(index % 16)]);
    text[0] = text[0].toUpper();
    return text;
}

} // namespace

SalesSource::SalesSource(int rows, std::uint64_t seed) : rows_(rows), seed_(seed) {
    regions_ = {"North",     "South",     "East",      "West",  "Central",   "Northeast",
                "Northwest", "Southeast", "Southwest", "Coast", "Highlands", "Islands"};
    for (int i = 0; i < CityCount; ++i)
        cities_.push_back(word(i * 37 % 4096, 3)); // 37 and 4096 share no factor: all differ
    for (int i = 0; i < CustomerCount; ++i)
        customers_.push_back(word(i % 200, 2) + u' ' + word(i / 200, 2));
}

QStringList SalesSource::tableNames() {
    return {TableName};
}

std::optional<data::jet::SourceTable> SalesSource::describe(const QString& name) {
    if (name.compare(TableName, Qt::CaseInsensitive) != 0)
        return std::nullopt;
    return data::jet::SourceTable{TableName,
                                  {{QStringLiteral("Region"), adVarWChar},
                                   {QStringLiteral("City"), adVarWChar},
                                   {QStringLiteral("Customer"), adVarWChar},
                                   {QStringLiteral("OrderDate"), adDate},
                                   {QStringLiteral("Amount"), adDouble},
                                   {QStringLiteral("Qty"), adInteger},
                                   {QStringLiteral("Paid"), adBoolean}}};
}

void SalesSource::load(const QString&, data::jet::RowSink& sink) {
    Random random(seed_);
    const int firstDay = int(data::jet::toSerialDate({2015, 1, 1, 0, 0, 0}));
    const int days = int(data::jet::toSerialDate({2025, 1, 1, 0, 0, 0})) - firstDay;
    for (int row = 0; row < rows_; ++row) {
        const int customer = random.below(CustomerCount);
        const int city = cityOfCustomer(customer);
        if (!random.chance(0.03))
            sink.setText(Region, region(regionOfCity(city)));
        if (!random.chance(0.02))
            sink.setText(City, this->city(city));
        if (!random.chance(0.04))
            sink.setText(Customer, this->customer(customer));
        if (!random.chance(0.01)) {
            const auto day = data::jet::fromSerialDate(firstDay + random.below(days));
            const int second = random.below(86400);
            sink.setDateTime(OrderDate, day->year, day->month, day->day, second / 3600,
                             second / 60 % 60, second % 60);
        }
        if (!random.chance(0.005)) {
            const double amount = std::round(random.unit() * random.unit() * 250000) / 100;
            sink.setDouble(Amount, random.chance(0.08) ? -amount : amount);
        }
        const int qty = 1 + random.below(50);
        sink.setInteger(Qty, random.chance(0.02) ? -qty : qty);
        sink.setBoolean(Paid, random.chance(0.75));
        sink.endRow();
    }
}

} // namespace bench
