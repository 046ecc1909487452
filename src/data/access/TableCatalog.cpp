#include "data/access/TableCatalog.h"

#include "data/access/Damage.h"
#include "data/access/RowLoader.h"
#include "data/access/TableDefinition.h"

#include <algorithm>

namespace data::access {

namespace {
constexpr std::uint32_t CatalogDefinitionPage = 2;
constexpr std::int64_t LocalTableType = 1;
constexpr std::uint32_t EngineSystemFlag = 0x80000000u;
constexpr std::uint32_t AccessSystemFlag = 0x00000002u;
// An object's Id carries its definition page in the low 24 bits.
constexpr std::int64_t PageMask = 0x00ffffff;

// Picks out the four columns of MSysObjects that describe a table.
class CatalogSink : public jet::RowSink {
public:
    explicit CatalogSink(const TableDefinition& definition)
        : id_(indexOf(definition, "Id")), name_(indexOf(definition, "Name")),
          type_(indexOf(definition, "Type")), flags_(indexOf(definition, "Flags")) {}

    std::vector<CatalogTable> tables;

    void setNull(int) override {}
    void setInteger(int column, std::int64_t value) override {
        if (column == id_)
            row_.id = value;
        else if (column == type_)
            row_.type = value;
        else if (column == flags_)
            row_.flags = static_cast<std::uint32_t>(value);
    }
    void setBoolean(int, bool) override {}
    void setDouble(int, double) override {}
    void setCurrency(int, std::int64_t) override {}
    void setDateTime(int, int, int, int, int, int, int) override {}
    void setText(int column, const QString& value) override {
        if (column == name_)
            row_.name = value;
    }
    void setBlob(int, const QByteArray&) override {}
    void endRow() override {
        if (row_.type == LocalTableType && !row_.name.isEmpty())
            tables.push_back({row_.name, tableTypeForFlags(row_.flags),
                              static_cast<std::uint32_t>(row_.id & PageMask)});
        row_ = {};
    }

private:
    static int indexOf(const TableDefinition& definition, const char* name) {
        const auto& columns = definition.columns();
        const auto found = std::find_if(columns.begin(), columns.end(), [&](const auto& c) {
            return c.name == QLatin1String(name);
        });
        if (found == columns.end())
            throw Damage(QStringLiteral("the catalog has no column '%1'").arg(name));
        return static_cast<int>(found - columns.begin());
    }

    struct Row {
        std::int64_t id = 0;
        QString name;
        std::int64_t type = 0;
        std::uint32_t flags = 0;
    };
    int id_, name_, type_, flags_;
    Row row_;
};
} // namespace

QString tableTypeForFlags(std::uint32_t flags) {
    if (flags & EngineSystemFlag)
        return QStringLiteral("SYSTEM TABLE");
    if (flags & AccessSystemFlag)
        return QStringLiteral("ACCESS TABLE");
    return QStringLiteral("TABLE");
}

std::vector<CatalogTable> readTableCatalog(MdbHandle& mdb, const FileLayout& layout,
                                           TextDecoder& text) {
    const TableDefinition catalog(mdb, layout, QStringLiteral("MSysObjects"), CatalogDefinitionPage,
                                  text);
    CatalogSink sink(catalog);
    loadRows(catalog, layout, text, sink);
    return std::move(sink.tables);
}

} // namespace data::access
