#include "tree/LevelRows.h"

#include "data/Ado.h"
#include "data/Recordset.h"

namespace tree {

namespace {

Figures figuresOf(const data::Recordset& rows, const QString& countField, bool statistics) {
    Figures figures;
    figures.count = rows.Fields(countField).Value();
    figures.hasStatistics = statistics;
    if (statistics) {
        figures.min = rows.Fields("CMIN").Value();
        figures.max = rows.Fields("CMAX").Value();
        figures.avg = rows.Fields("CAVG").Value();
        figures.sum = rows.Fields("CSUM").Value();
    }
    return figures;
}

std::unique_ptr<data::Recordset> open(const std::shared_ptr<data::Connection>& connection,
                                      const QString& sql, int cursorType, int lockType,
                                      int options) {
    auto rows = std::make_unique<data::Recordset>();
    rows->CursorLocation = data::ado::adUseServer;
    rows->Open(sql, connection, cursorType, lockType, options);
    return rows;
}

} // namespace

Figures readRoot(const std::shared_ptr<data::Connection>& connection,
                 const data::ColInfoTable& columns, const QString& recordSource) {
    auto rows = open(connection, rootStatement(columns, recordSource), data::ado::adOpenStatic,
                     data::ado::adLockUnspecified, 32);
    return figuresOf(*rows, "CNNULL", rows->fieldIndex("CMIN") >= 0);
}

std::vector<LevelRow> readLevel(const std::shared_ptr<data::Connection>& connection,
                                const data::ColInfoTable& columns, const LevelSql& level,
                                const Regional& regional) {
    const bool statistics = levelHasStatistics(columns, level);
    std::vector<LevelRow> children;
    {
        auto nulls = open(connection, nullGroupStatement(columns, level),
                          data::ado::adOpenForwardOnly, data::ado::adLockReadOnly, 32);
        const Figures figures = figuresOf(*nulls, "CCNT", statistics);
        if (figures.count.toLongLong() > 0)
            children.push_back({NodeValue{QVariant(), 0, nullLabel(figures, regional)}, figures});
    }
    auto groups = open(connection, groupedStatement(columns, level), data::ado::adOpenForwardOnly,
                       data::ado::adLockReadOnly, -1);
    for (; !groups->Eof(); groups->MoveNext()) {
        const data::Field& name = groups->Fields("CNAME");
        const QVariant value = name.Value();
        const Figures figures = figuresOf(*groups, "CCNT", statistics);
        const QString label =
            groupLabel(groupValueText(value, name.Type, regional.locale), figures, regional);
        children.push_back({NodeValue{value, name.Type, label}, figures});
    }
    return children;
}

} // namespace tree
