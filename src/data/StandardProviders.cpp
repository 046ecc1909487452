#include "data/StandardProviders.h"

#include "data/ConnectionString.h"
#include "data/Provider.h"
#include "data/access/AccessFile.h"
#include "data/jet/JetProvider.h"

namespace data {

void registerStandardProviders() {
    registerProvider("Microsoft.Jet.OLEDB.4.0", [](const ConnectionString& cs, int) {
        auto file = std::make_shared<access::AccessFile>(cs.value("Data Source"));
        return std::make_unique<jet::JetProvider>(file, [file] { return file->tableEntries(); });
    });
}

} // namespace data
