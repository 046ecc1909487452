#include "tree/LevelRows.h"

#include "data/Ado.h"
#include "data/Connection.h"
#include "data/Provider.h"
#include "data/Recordset.h"

#include <array>

namespace tree {

namespace {

// Where a statement's figures stand among its fields, looked up once rather than by name for
// every row; a level may have thousands.
struct FigureFields {
    FigureFields(const data::Recordset& rows, const QString& countField, bool statistics)
        : count(rows.fieldIndex(countField)), statistics(statistics) {
        if (statistics)
            for (std::size_t i = 0; i < names.size(); ++i)
                at[i] = rows.fieldIndex(names[i]);
    }

    Figures read(const data::Recordset& rows) const {
        Figures figures;
        figures.count = rows.Fields(count).Value();
        figures.hasStatistics = statistics;
        if (statistics) {
            figures.min = rows.Fields(at[0]).Value();
            figures.max = rows.Fields(at[1]).Value();
            figures.avg = rows.Fields(at[2]).Value();
            figures.sum = rows.Fields(at[3]).Value();
        }
        return figures;
    }

    static constexpr std::array<const char*, 4> names = {"CMIN", "CMAX", "CAVG", "CSUM"};
    int count;
    bool statistics;
    std::array<int, 4> at{};
};

std::unique_ptr<data::Recordset> open(const std::shared_ptr<data::Connection>& connection,
                                      const QString& sql, int cursorType, int lockType,
                                      int options) {
    auto rows = std::make_unique<data::Recordset>();
    rows->CursorLocation = data::ado::adUseServer;
    rows->Open(sql, connection, cursorType, lockType, options);
    return rows;
}

// A statement of the level, handed to the provider with its shape.
std::unique_ptr<data::Recordset> openLevel(const std::shared_ptr<data::Connection>& connection,
                                           const data::ColInfoTable& columns, const LevelSql& level,
                                           data::LevelShape::Part part) {
    const bool groups = part == data::LevelShape::Part::Groups;
    const QString sql =
        groups ? groupedStatement(columns, level) : nullGroupStatement(columns, level);
    if (!connection) // fails as any statement on no connection does
        return open(connection, sql, data::ado::adOpenForwardOnly, data::ado::adLockReadOnly, 32);
    auto rows = std::make_unique<data::Recordset>();
    rows->CursorLocation = data::ado::adUseServer;
    rows->openCursor(connection->provider().executeLevel(levelShape(columns, level, part), sql),
                     data::ado::adOpenForwardOnly);
    return rows;
}

} // namespace

Figures readRoot(const std::shared_ptr<data::Connection>& connection,
                 const data::ColInfoTable& columns, const QString& recordSource) {
    auto rows = open(connection, rootStatement(columns, recordSource), data::ado::adOpenStatic,
                     data::ado::adLockUnspecified, 32);
    return FigureFields(*rows, "CNNULL", rows->fieldIndex("CMIN") >= 0).read(*rows);
}

std::vector<LevelRow> readLevel(const std::shared_ptr<data::Connection>& connection,
                                const data::ColInfoTable& columns, const LevelSql& level,
                                const Regional& regional) {
    const bool statistics = levelHasStatistics(columns, level);
    std::vector<LevelRow> children;
    {
        auto nulls = openLevel(connection, columns, level, data::LevelShape::Part::NullGroup);
        const Figures figures = FigureFields(*nulls, "CCNT", statistics).read(*nulls);
        if (figures.count.toLongLong() > 0)
            children.push_back({NodeValue{QVariant(), 0, nullLabel(figures, regional)}, figures});
    }
    auto groups = openLevel(connection, columns, level, data::LevelShape::Part::Groups);
    const FigureFields fields(*groups, "CCNT", statistics);
    const int nameField = groups->fieldIndex("CNAME");
    const int type = groups->Fields(nameField).Type;
    const std::size_t named = children.size();
    // The rows are read first and labelled after: each pass keeps its own working set in the
    // processor's caches, which for a level of thousands of groups is a fifth faster than
    // labelling each row as it comes.
    for (; !groups->Eof(); groups->MoveNext())
        children.push_back(
            {NodeValue{groups->Fields(nameField).Value(), type, QString()}, fields.read(*groups)});
    for (std::size_t i = named; i < children.size(); ++i) {
        LevelRow& child = children[i];
        child.node.label =
            groupLabel(groupValueText(child.node.value, type, regional), child.figures, regional);
    }
    return children;
}

} // namespace tree
