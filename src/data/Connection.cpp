#include "data/Connection.h"

#include "data/ConnectionString.h"
#include "data/Error.h"
#include "data/PagedRecordset.h"
#include "data/Provider.h"
#include "data/Recordset.h"

namespace data {

Connection::Connection() = default;
Connection::~Connection() = default;

void Connection::Open(const QString& connectionString, const QString& userId,
                      const QString& password, int) {
    ConnectionString parsed = ConnectionString::parse(connectionString);
    if (!userId.isEmpty())
        parsed.set("User ID", userId);
    if (!password.isEmpty())
        parsed.set("Password", password);
    provider_ = openProvider(parsed, Mode);
}

Provider& Connection::provider() {
    if (!provider_)
        throw Error("Operation is not allowed when the object is closed.");
    return *provider_;
}

void Connection::prepareGrouping(const QString& recordSource,
                                 const std::vector<LevelTerm>& terms) noexcept {
    try {
        if (!provider_)
            return;
        if (provider_->preparesGrouping())
            for (PagedRecordset* reading : pagedReadings_)
                reading->letGo();
        provider_->prepareGrouping(recordSource, terms);
    } catch (...) {
        // The tree's statements give the same rows without it, only more slowly.
    }
}

void Connection::addPagedReading(PagedRecordset* reading) {
    pagedReadings_.push_back(reading);
}

void Connection::removePagedReading(PagedRecordset* reading) {
    std::erase(pagedReadings_, reading);
}

std::shared_ptr<Recordset> Connection::OpenSchema(int schema) {
    if (schema != ado::adSchemaTables)
        throw Error("Object or provider is not capable of performing requested operation.");
    auto rs = std::make_shared<Recordset>();
    rs->openCursor(provider().tables(), ado::adOpenStatic);
    ++schemaReads_;
    return rs;
}

} // namespace data
