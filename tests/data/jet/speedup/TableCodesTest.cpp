// A first level counted from the columns held as codes gives the groups, values, figures and
// rows of the pass over the table, on random tables whose codes outgrow one and two bytes; and
// the columns that would hold too much are let go, those wanted first kept.
#include "data/jet/speedup/TableCodes.h"

#include "data/AdoTypes.h"
#include "data/jet/Database.h"
#include "data/jet/Engine.h"
#include "data/jet/JetTestSupport.h"
#include "data/jet/TableLoader.h"
#include "data/jet/speedup/GroupRows.h"
#include "data/jet/speedup/LevelGroups.h"

#include <gtest/gtest.h>
#include <stdexcept>

using namespace data::jet;
using namespace data::jet::testing;
using namespace data::ado;

namespace {

// Texts in several letter cases, whole reals beside the integers they equal, -0.0 beside 0.0.
std::shared_ptr<MemoryTableSource> randomTable(std::uint32_t seed, int rows, int spread) {
    const auto next = [&](std::uint32_t n) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 8) % n;
    };
    const QString texts[] = {"Oslo", "OSLO", "oslo", "Straße", "STRASSE", "\u212Aiel", "Kiel"};
    const auto orNull = [&](Cell cell) { return next(11) == 0 ? Cell(nullptr) : cell; };
    std::vector<Row> table;
    for (int i = 0; i < rows; ++i)
        table.push_back({orNull(std::int64_t(next(std::uint32_t(spread)))),
                         orNull(texts[next(7)] + QString::number(next(3))),
                         orNull(next(4) == 0 ? -0.0 : next(5) * 0.5), orNull(next(2) == 0),
                         orNull(next(9) * 0.1 + 1e15)});
    auto source = std::make_shared<MemoryTableSource>();
    source->add({"T",
                 {{"Wide", adInteger, 0},
                  {"Name", adVarWChar, 0},
                  {"Half", adDouble, 0},
                  {"Flag", adBoolean, 0},
                  {"Figure", adDouble, 0}}},
                std::move(table));
    return source;
}

std::vector<const ColumnInfo*> allColumns(const TableInfo& table) {
    std::vector<const ColumnInfo*> order;
    for (const ColumnInfo& column : table.columns)
        order.push_back(&column);
    return order;
}

// The codes of every column of the engine's table T, as many as can be held.
TableCodes codesOf(Engine& engine) {
    const TableInfo& table = *engine.findTable("T");
    std::optional<TableCodes> codes = makeTableCodes(engine.database(), table, allColumns(table));
    if (!codes)
        throw std::runtime_error("no codes made");
    return std::move(*codes);
}

// The groups' table as text, each value with its type and the figures as they read, and every
// group's rows.
QStringList groupsOf(Engine& engine, const LevelGroups& groups) {
    QStringList text;
    const QByteArray value = quotedIdentifier(groups.table.second);
    const QByteArray figures = quotedIdentifier(GroupsTable::FiguresColumn);
    QByteArray read;
    for (const char* figure : {"jet_min", "jet_max", "jet_avg", "jet_sum"})
        read += QByteArray(", ") + figure + '(' + figures + ')';
    Statement statement = engine.prepare("SELECT " + value + ", typeof(" + value + "), " +
                                         quotedIdentifier(GroupsTable::RowsColumn) + ", " +
                                         quotedIdentifier(GroupsTable::CountColumn) +
                                         (groups.table.statistics.isEmpty() ? QByteArray() : read) +
                                         " FROM " + quotedIdentifier(groups.table.table.name));
    for (const QStringList& row : rowsOf(statement))
        text << row.join(" | ");
    for (std::size_t g = 0; groups.rows && g < groups.rows->groups(); ++g) {
        QStringList ids;
        for (const std::uint32_t id : groups.rows->of(std::int64_t(g)))
            ids << QString::number(id);
        text << ids.join(' ');
    }
    return text;
}

} // namespace

TEST(TableCodes, AFirstLevelCountedFromCodesIsThatOfThePass) {
    // Some 300 and 86,000 values of Wide: its codes take two bytes, then four.
    for (const auto& [seed, rows, spread] : {std::tuple{3u, 2000, 300}, {11u, 90000, 1000000}}) {
        SCOPED_TRACE(seed);
        Engine engine(randomTable(seed, rows, spread));
        const TableInfo& table = *engine.findTable("T");
        const std::optional<TableCodes> codes = codesOf(engine);
        EXPECT_EQ(codes->of(table, table.columns[0])->width(), spread > 65535 ? 4 : 2);
        int made = 0;
        for (int c = 0; c < 4; ++c) {
            const ColumnInfo& column = table.columns[std::size_t(c)];
            ASSERT_TRUE(codes->of(table, column)) << c;
            for (const ColumnInfo* statistics : {(const ColumnInfo*)nullptr, &table.columns[4]}) {
                const auto passed = makeLevelGroups(engine.database(), table, column, statistics,
                                                    QString::number(++made));
                const auto counted =
                    makeLevelGroups(engine.database(), table, column, statistics,
                                    QString::number(++made), codes->of(table, column));
                ASSERT_TRUE(passed && counted) << c;
                EXPECT_EQ(groupsOf(engine, *counted), groupsOf(engine, *passed))
                    << column.name.toStdString();
            }
        }
    }
}

TEST(TableCodes, ColumnsThatWouldHoldTooMuchAreLetGo) {
    // Wide has more values than are held, Name fewer.
    Engine engine(randomTable(5, int(MostCodedValues) + 20000, int(MostCodedValues) * 100));
    const TableCodes codes = codesOf(engine);
    const TableInfo& table = *engine.findTable("T");
    EXPECT_FALSE(codes.of(table, table.columns[0]));
    ASSERT_TRUE(codes.of(table, table.columns[1]));
    EXPECT_EQ(codes.of(table, table.columns[1])->rows(), MostCodedValues + 20000);
}

TEST(TableCodes, TextsBeyondTheirLimitAreLetGo) {
    // 700 distinct texts of 100,000 characters: more bytes than the codes hold in texts.
    std::vector<Row> rows;
    for (int i = 0; i < 700; ++i)
        rows.push_back(
            {QString(100000, QChar(u'a' + i % 26)) + QString::number(i), QString::number(i % 3)});
    auto source = std::make_shared<MemoryTableSource>();
    source->add({"T", {{"Long", adLongVarWChar, 0}, {"Short", adVarWChar, 0}}}, std::move(rows));
    Engine engine(source);
    const TableCodes codes = codesOf(engine);
    const TableInfo& table = *engine.findTable("T");
    EXPECT_FALSE(codes.of(table, table.columns[0]));
    EXPECT_TRUE(codes.of(table, table.columns[1]));
}
