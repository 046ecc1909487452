#include "data/Provider.h"

#include "data/ConnectionString.h"
#include "data/Error.h"
#include "data/Operation.h"
#include "data/RowsCursor.h"

#include <QMap>

namespace data {

namespace {
// Rows passed over between two reports to the operation running.
constexpr qsizetype RowsPerReport = 4096;

QMap<QString, ProviderFactory>& registry() {
    static QMap<QString, ProviderFactory> factories;
    return factories;
}
} // namespace

std::unique_ptr<Cursor> Provider::executeLevel(const LevelShape&, const QString& statement) {
    return execute(statement);
}

void Provider::prepareGrouping(const QString&, const std::vector<LevelTerm>&) {}

qsizetype Provider::countRows(const QString&) {
    return -1;
}

std::unique_ptr<Cursor> Provider::executeFrom(const QString& statement, qsizetype first) {
    auto cursor = execute(statement);
    for (qsizetype passed = 0; passed < first; ++passed) {
        if (passed % RowsPerReport == 0)
            tickOrStop(passed, first);
        if (!cursor->next()) {
            // Fewer rows than `first`: a cursor of the same fields that gives none, so that
            // nobody asks the spent one for more.
            std::vector<RowsCursor::Column> fields;
            for (int i = 0; i < cursor->fieldCount(); ++i)
                fields.push_back({cursor->fieldName(i), cursor->fieldType(i)});
            return std::make_unique<RowsCursor>(std::move(fields),
                                                std::vector<std::vector<QVariant>>{});
        }
    }
    return cursor;
}

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
