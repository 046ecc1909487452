#include "data/access/QueryCatalog.h"

#include "data/access/Damage.h"
#include "data/access/RowLoader.h"
#include "data/access/TableDefinition.h"

#include <algorithm>
#include <map>

namespace data::access {

namespace {
constexpr std::uint32_t CatalogDefinitionPage = 2;
constexpr std::int64_t QueryObjectType = 5;
constexpr std::uint32_t HiddenOrSystemFlags = 0x80000003u;

// The index of a table's column by its name; -1 for a column the table may lack.
int indexOf(const TableDefinition& definition, const char* name, bool required) {
    const auto& columns = definition.columns();
    const auto found = std::find_if(columns.begin(), columns.end(),
                                    [&](const auto& c) { return c.name == QLatin1String(name); });
    if (found != columns.end())
        return static_cast<int>(found - columns.begin());
    if (required)
        throw Damage(QStringLiteral("the table '%1' has no column '%2'")
                         .arg(QString::fromUtf8(definition.table().entry->object_name),
                              QLatin1String(name)));
    return -1;
}

// Ignores every value but those it is told to pick.
class PickingSink : public jet::RowSink {
public:
    void setNull(int) override {}
    void setBoolean(int, bool) override {}
    void setDouble(int, double) override {}
    void setCurrency(int, std::int64_t) override {}
    void setDateTime(int, int, int, int, int, int, int) override {}
    void setBlob(int, const QByteArray&) override {}
};

// The query objects of MSysObjects: Id, Name, Type and Flags.
class QueryObjectSink : public PickingSink {
public:
    explicit QueryObjectSink(const TableDefinition& definition)
        : id_(indexOf(definition, "Id", true)), name_(indexOf(definition, "Name", true)),
          type_(indexOf(definition, "Type", true)), flags_(indexOf(definition, "Flags", true)) {}

    std::vector<std::pair<std::int64_t, SavedQuery>> queries;

    void setInteger(int column, std::int64_t value) override {
        if (column == id_)
            idValue_ = value;
        else if (column == type_)
            typeValue_ = value;
        else if (column == flags_)
            query_.flags = static_cast<std::uint32_t>(value);
    }
    void setText(int column, const QString& value) override {
        if (column == name_)
            query_.name = value;
    }
    void endRow() override {
        if (typeValue_ == QueryObjectType && !query_.name.isEmpty())
            queries.emplace_back(idValue_, std::move(query_));
        query_ = {};
        idValue_ = typeValue_ = 0;
    }

private:
    int id_, name_, type_, flags_;
    std::int64_t idValue_ = 0, typeValue_ = 0;
    SavedQuery query_;
};

// The rows of MSysQueries, by the Id of the query they belong to.
class QueryRowSink : public PickingSink {
public:
    explicit QueryRowSink(const TableDefinition& definition)
        : objectId_(indexOf(definition, "ObjectId", true)),
          attribute_(indexOf(definition, "Attribute", true)),
          name1_(indexOf(definition, "Name1", false)), name2_(indexOf(definition, "Name2", false)),
          expression_(indexOf(definition, "Expression", false)),
          flag_(indexOf(definition, "Flag", false)) {}

    std::map<std::int64_t, std::vector<QueryRow>> rows;

    void setInteger(int column, std::int64_t value) override {
        if (column == objectId_)
            objectIdValue_ = value;
        else if (column == attribute_)
            row_.attribute = static_cast<int>(value);
        else if (column == flag_)
            row_.flag = value;
    }
    void setText(int column, const QString& value) override {
        if (column == name1_)
            row_.name1 = value;
        else if (column == name2_)
            row_.name2 = value;
        else if (column == expression_)
            row_.expression = value;
    }
    void endRow() override {
        rows[objectIdValue_].push_back(std::move(row_));
        row_ = {};
        objectIdValue_ = 0;
    }

private:
    int objectId_, attribute_, name1_, name2_, expression_, flag_;
    std::int64_t objectIdValue_ = 0;
    QueryRow row_;
};

} // namespace

bool isHiddenQuery(const SavedQuery& query) {
    return query.name.startsWith(QLatin1Char('~')) || (query.flags & HiddenOrSystemFlags) != 0;
}

std::vector<SavedQuery> readQueryCatalog(MdbHandle& mdb, const FileLayout& layout,
                                         TextDecoder& text, std::uint32_t queriesDefinitionPage) {
    const TableDefinition objects(mdb, layout, QStringLiteral("MSysObjects"), CatalogDefinitionPage,
                                  text);
    QueryObjectSink objectSink(objects);
    loadRows(objects, layout, text, objectSink);
    if (objectSink.queries.empty() || queriesDefinitionPage == 0) {
        std::vector<SavedQuery> queries;
        for (auto& [id, query] : objectSink.queries)
            queries.push_back(std::move(query));
        return queries;
    }

    const TableDefinition definitions(mdb, layout, QStringLiteral("MSysQueries"),
                                      queriesDefinitionPage, text);
    QueryRowSink rowSink(definitions);
    loadRows(definitions, layout, text, rowSink);
    std::vector<SavedQuery> queries;
    for (auto& [id, query] : objectSink.queries) {
        if (const auto found = rowSink.rows.find(id); found != rowSink.rows.end())
            query.rows = std::move(found->second);
        queries.push_back(std::move(query));
    }
    return queries;
}

} // namespace data::access
