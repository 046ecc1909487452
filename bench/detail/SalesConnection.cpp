#include "SalesConnection.h"

#include "data/Connection.h"
#include "data/Provider.h"
#include "data/jet/JetProvider.h"

namespace bench {

std::shared_ptr<data::Connection> connectToSales(std::shared_ptr<data::jet::TableSource> source) {
    const QString provider = QStringLiteral("Quarrymere.BenchSales");
    data::registerProvider(provider, [source](const data::ConnectionString&, int) {
        return std::make_unique<data::jet::JetProvider>(source, [] {
            return std::vector<data::TableEntry>{
                {QStringLiteral("Sales"), QStringLiteral("TABLE"), {}, {}}};
        });
    });
    auto connection = std::make_shared<data::Connection>();
    connection->Open("Provider=" + provider);
    return connection;
}

} // namespace bench
