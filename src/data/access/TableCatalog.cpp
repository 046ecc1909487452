#include "data/access/TableCatalog.h"

#include "data/access/Damage.h"
#include "data/access/RowLoader.h"
#include "data/access/TableDefinition.h"

#include <algorithm>

namespace data::access {

namespace {
constexpr std::uint32_t CatalogDefinitionPage = 2;
constexpr std::int64_t LocalTableType = 1;
constexpr std::int64_t OdbcLinkType = 4;
constexpr std::int64_t AccessLinkType = 6;
constexpr std::uint32_t EngineSystemFlag = 0x80000000u;
constexpr std::uint32_t AccessSystemFlag = 0x00000002u;
// An object's Id carries its definition page in the low 24 bits.
constexpr std::int64_t PageMask = 0x00ffffff;

// Picks out the columns of MSysObjects that describe a table or a link.
class CatalogSink : public jet::RowSink {
public:
    explicit CatalogSink(const TableDefinition& definition)
        : id_(indexOf(definition, "Id")), name_(indexOf(definition, "Name")),
          type_(indexOf(definition, "Type")), flags_(indexOf(definition, "Flags")),
          database_(indexOf(definition, "Database", false)),
          foreignName_(indexOf(definition, "ForeignName", false)) {}

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
        else if (column == database_)
            row_.link.database = value;
        else if (column == foreignName_)
            row_.link.foreignName = value;
    }
    void setBlob(int, const QByteArray&) override {}
    void endRow() override {
        if (row_.type == LocalTableType && !row_.name.isEmpty())
            tables.push_back({row_.name, tableTypeForFlags(row_.flags),
                              static_cast<std::uint32_t>(row_.id & PageMask), std::nullopt});
        if ((row_.type == AccessLinkType || row_.type == OdbcLinkType) && !row_.name.isEmpty()) {
            row_.link.odbc = row_.type == OdbcLinkType;
            tables.push_back({row_.name, QStringLiteral("LINK"), 0, row_.link});
        }
        row_ = {};
    }

private:
    // -1 for a column the catalog may lack.
    static int indexOf(const TableDefinition& definition, const char* name, bool required = true) {
        const auto& columns = definition.columns();
        const auto found = std::find_if(columns.begin(), columns.end(), [&](const auto& c) {
            return c.name == QLatin1String(name);
        });
        if (found == columns.end() && !required)
            return -1;
        if (found == columns.end())
            throw Damage(QStringLiteral("the catalog has no column '%1'").arg(name));
        return static_cast<int>(found - columns.begin());
    }

    struct Row {
        std::int64_t id = 0;
        QString name;
        std::int64_t type = 0;
        std::uint32_t flags = 0;
        TableLink link;
    };
    int id_, name_, type_, flags_, database_, foreignName_;
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
