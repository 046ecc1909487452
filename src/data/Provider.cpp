#include "data/Provider.h"

#include "data/ConnectionString.h"
#include "data/Error.h"

#include <QMap>

namespace data {

namespace {
QMap<QString, ProviderFactory>& registry() {
    static QMap<QString, ProviderFactory> factories;
    return factories;
}
} // namespace

std::unique_ptr<Cursor> Provider::executeLevel(const LevelShape&, const QString& statement) {
    return execute(statement);
}

void Provider::prepareGrouping(const QString&, const std::vector<LevelTerm>&) {}

void registerProvider(const QString& name, ProviderFactory factory) {
    registry().insert(name, std::move(factory));
}

std::unique_ptr<Provider> openProvider(const ConnectionString& connection, int mode) {
    const QString name = connection.value("Provider");
    const auto it = registry().constFind(name);
    if (it == registry().constEnd())
        throw Error(name.isEmpty()
                        ? QString("The connection string names no provider.")
                        : QString("Provider cannot be found. It may not be properly installed. "
                                  "(Provider=%1)")
                              .arg(name));
    return (*it)(connection, mode);
}

} // namespace data
