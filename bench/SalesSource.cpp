#include "SalesSource.h"

#include "Random.h"
#include "data/AdoTypes.h"
#include "data/jet/CalendarDate.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace bench {

namespace {

using namespace data::ado;

enum Column { Region, City, Customer, OrderDate, Amount, Qty, Paid };

using Syllables = std::array<const char*, 16>;
constexpr Syllables Plain = {"ka",  "lo", "ven",  "ra", "mi", "dor", "sa", "tel",
                             "bru", "ne", "quin", "fa", "zo", "har", "pe", "lis"};
// The same syllables, half of them with an accented letter: the words stay as distinct.
constexpr Syllables Accented = {"kä",  "lö", "vén",  "ra", "mì", "dôr", "sa", "tél",
                                "brü", "ne", "quïn", "fa", "zø", "hår", "pe", "lis"};

// Made-up words from syllables: index 0 to 16^syllables - 1, each a different word.
QString word(const Syllables& from, int index, int syllables) {
    QString text;
    for (int i = 0; i < syllables; ++i, index /= 16)
        text += QString::fromUtf8(from[std::size_t(index % 16)]);
    text[0] = text[0].toUpper();
    return text;
}

SalesSource::Names namesFrom(const Syllables& syllables, std::vector<QString> regions) {
    SalesSource::Names names{std::move(regions), {}, {}};
    for (int i = 0; i < SalesSource::CityCount; ++i) // 37 and 4096 share no factor: all differ
        names.cities.push_back(word(syllables, i * 37 % 4096, 3));
    for (int i = 0; i < SalesSource::CustomerCount; ++i)
        names.customers.push_back(word(syllables, i % 200, 2) + u' ' + word(syllables, i / 200, 2));
    return names;
}

} // namespace

SalesSource::SalesSource(int rows, std::uint64_t seed)
    : rows_(rows), seed_(seed),
      plain_(
          namesFrom(Plain, {"North", "South", "East", "West", "Central", "Northeast", "Northwest",
                            "Southeast", "Southwest", "Coast", "Highlands", "Islands"})),
      accented_(namesFrom(Accented, {"Nörd", "Süd", "Öst", "Wëst", "Céntral", "Nordöst", "Nordwëst",
                                     "Südöst", "Südwëst", "Küste", "Hochländ", "Ínseln"})) {}

QStringList SalesSource::tableNames() {
    return {TableName, AccentedTableName};
}

std::optional<data::jet::SourceTable> SalesSource::describe(const QString& name) {
    const QStringList names = tableNames();
    const auto found = std::find_if(names.begin(), names.end(), [&](const QString& table) {
        return name.compare(table, Qt::CaseInsensitive) == 0;
    });
    if (found == names.end())
        return std::nullopt;
    return data::jet::SourceTable{*found,
                                  {{QStringLiteral("Region"), adVarWChar},
                                   {QStringLiteral("City"), adVarWChar},
                                   {QStringLiteral("Customer"), adVarWChar},
                                   {QStringLiteral("OrderDate"), adDate},
                                   {QStringLiteral("Amount"), adDouble},
                                   {QStringLiteral("Qty"), adInteger},
                                   {QStringLiteral("Paid"), adBoolean}}};
}

void SalesSource::load(const QString& name, data::jet::RowSink& sink) {
    load(name.compare(AccentedTableName, Qt::CaseInsensitive) == 0 ? accented_ : plain_, sink);
}

void SalesSource::load(const Names& names, data::jet::RowSink& sink) const {
    Random random(seed_);
    const int firstDay = int(data::jet::toSerialDate({2015, 1, 1, 0, 0, 0}));
    const int days = int(data::jet::toSerialDate({2025, 1, 1, 0, 0, 0})) - firstDay;
    for (int row = 0; row < rows_; ++row) {
        const int customer = random.below(CustomerCount);
        const int city = cityOfCustomer(customer);
        if (!random.chance(0.03))
            sink.setText(Region, names.regions[std::size_t(regionOfCity(city))]);
        if (!random.chance(0.02))
            sink.setText(City, names.cities[std::size_t(city)]);
        if (!random.chance(0.04))
            sink.setText(Customer, names.customers[std::size_t(customer)]);
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
