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

void Provider::prepareGrouping(const QString&, const QStringList&) {}

namespace {

WorkbookDriverLookup& workbookDriverLookup() {
    static WorkbookDriverLookup lookup;
    return lookup;
}

} // namespace

void registerWorkbookDriverLookup(WorkbookDriverLookup lookup) {
    workbookDriverLookup() = std::move(lookup);
}

QString workbookDriver() {
    return workbookDriverLookup() ? workbookDriverLookup()() : QString();
}

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
