// The grouping tree's speed-up changes how fast a level is read, never what it reads. Over random
// tables, every level of several column orders, moves and every date group gives with the
// speed-up the rows, values, types and statistics it gives without, and every node the rows the
// grid shows: read right after a move, before the source is prepared (the groups made in one
// pass, and their rows), and once it is (the index and the summary of the first two levels).
#include "data/AdoTypes.h"
#include "data/Dialect.h"
#include "data/Provider.h"
#include "data/jet/Database.h"
#include "data/jet/JetProvider.h"
#include "data/jet/JetTestSupport.h"
#include "support/EveryGroupLarge.h"
#include "support/IndexForEveryOrder.h"
#include "tree/GroupingModel.h"

#include <gtest/gtest.h>
#include <optional>

using namespace data::jet;
using namespace data::jet::testing;
using namespace data::ado;

namespace {

// Text in several letter cases and with characters that fold specially: the Kelvin sign folds
// to "k", "ß" and the dotted capital I fold to other letters, the Greek sigma has a final form.
const QString Texts[] = {"Oslo",    "OSLO",   "oslo",  "Kiel",  "\u212Aiel", "KIEL",  "Straße",
                         "STRASSE", "straße", "İzmir", "izmir", "ΣΟΦΟΣ",     "σοφος", "σοφοσ"};

// 400 rows: each column null now and then, decimals no double holds (sums differ by the order
// they are added in), exact decimals, currency, whole numbers, dates with times, truth values.
std::shared_ptr<MemoryTableSource> randomTable(std::uint32_t seed) {
    const auto next = [&](std::uint32_t n) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 8) % n;
    };
    const auto orNull = [&](Cell cell) { return next(9) == 0 ? Cell(nullptr) : cell; };
    std::vector<Row> rows;
    for (int i = 0; i < 400; ++i)
        rows.push_back({orNull(Texts[next(14)]), orNull(std::int64_t(next(5))),
                        orNull(next(12) * 0.1 + next(3) * 0.7),
                        orNull(Amount{std::int64_t(next(7)) * 12345}),
                        orNull(date(2001, 1 + next(3) * 5, 1 + next(3), next(2) * 13, 5, next(2))),
                        orNull(Texts[next(3) * 3 + next(3)]), orNull(next(6) * 0.01 + 1e15),
                        orNull(next(2) == 0)});
    auto source = std::make_shared<MemoryTableSource>();
    source->add({"Sales",
                 {{"City", adVarWChar, 0},
                  {"Units", adInteger, 0},
                  {"Amount", adDouble, 0},
                  {"Price", adCurrency, 0},
                  {"When", adDate, 0},
                  {"Kind", adVarWChar, 0},
                  {"Exact", adNumeric, 0},
                  {"Flag", adBoolean, 0}}},
                std::move(rows));
    return source;
}

const QStringList Order = {"City", "Units", "Amount", "Price", "When", "Kind", "Exact", "Flag"};

// Moves of the grid's columns (start, end, gap), one after another: none, a numeric column moved
// in before the statistics column of the first level, the first column moved right, a date
// column and a block moved to the front.
const int Moves[][3] = {{0, 0, 0}, {2, 2, 1}, {0, 0, 3}, {4, 4, 0}, {5, 6, 0}};

// A value with its type. The speed-up reads a group's rows in another order than the statement
// alone: a real is written to 12 digits (a sum added in another order may differ in the last
// bits, which no label shows), and text in one letter case (a group of several spellings shows
// one of them).
QString typed(const QVariant& v) {
    const bool real = v.typeId() == QMetaType::Double;
    return (real ? QString::number(v.toDouble(), 'g', 12) : v.toString().toCaseFolded()) + ':' +
           (v.isNull() ? "null" : v.typeName());
}

// A level's rows as text: each child's value with its type, and its figures with theirs. (The
// labels are written from them; a real's last bits may round a label's half cent either way.)
QStringList shown(const std::vector<tree::LevelRow>& rows) {
    QStringList text;
    for (const tree::LevelRow& row : rows) {
        const tree::Figures& f = row.figures;
        text << typed(row.node.value) + ':' + QString::number(row.node.fieldType) + " | " +
                    typed(f.count) + ' ' + typed(f.min) + ' ' + typed(f.max) + ' ' + typed(f.avg) +
                    ' ' + typed(f.sum);
    }
    return text;
}

// Every value of every row of a cursor, with its type.
QStringList shown(data::Cursor& cursor) {
    QStringList text;
    while (cursor.next())
        for (int i = 0; i < cursor.fieldCount(); ++i)
            text << typed(cursor.value(i)) + ':' + QString::number(cursor.fieldType(i));
    return text;
}

// The same tree over two connections, one with the speed-up and one without.
class OnAndOff {
public:
    explicit OnAndOff(const std::shared_ptr<MemoryTableSource>& source) {
        JetProvider::setSpeedupEnabled(false);
        off_ = connectTo(source);
        JetProvider::setSpeedupEnabled(true);
        on_ = connectTo(source);
    }

    void open(data::DateGroup dateGroup) {
        dateGroup_ = dateGroup;
        onTree_.open(on_, "[Sales]", data::Dialect::Jet, Order);
        offTree_.open(off_, "[Sales]", data::Dialect::Jet, Order);
    }
    void move(const int (&m)[3]) {
        onTree_.moveBlock(m[0], m[1], m[2]);
        offTree_.moveBlock(m[0], m[1], m[2]);
    }
    void prepare() {
        onTree_.prepareSource(*on_, dateGroup_);
        offTree_.prepareSource(*off_, dateGroup_);
    }

    // The level below the node at the end of `path`, compared, and the levels below its
    // children down to `deepest`.
    void compareBelow(tree::NodePath& path, int deepest) {
        const int depth = int(path.values.size());
        if (!onTree_.canGroup(depth) || failures_ > 3)
            return;
        const tree::LevelSql level = onTree_.startLevel(depth, path, dateGroup_).sql;
        const auto rows = onTree_.readLevel(on_, level);
        const auto expected =
            offTree_.readLevel(off_, offTree_.startLevel(depth, path, dateGroup_).sql);
        if (shown(rows) != shown(expected)) {
            ++failures_;
            ADD_FAILURE() << "below " << level.filter.toStdString() << " grouped by "
                          << onTree_.ColInfo[depth].ColName.toStdString()
                          << "\n  with:    " << shown(rows).join("\n           ").toStdString()
                          << "\n  without: " << shown(expected).join("\n           ").toStdString();
        }
        if (depth == 0)
            compareOtherCount(level);
        else
            compareRows(level.filter);
        for (const tree::LevelRow& child : expected) {
            if (depth + 1 >= deepest)
                break;
            path.values.push_back(child.node);
            compareBelow(path, deepest);
            path.values.pop_back();
        }
    }

private:
    // The node's rows as the grid reads them: all of them (in the order an index gives them, where
    // one serves), counted, and from a position on, as the same reading gives them.
    void compareRows(const QString& filter) {
        const QString sql = "SELECT * FROM [Sales] WHERE " + filter;
        data::Provider& on = on_->provider();
        const auto rows = [&](data::Provider& p, qsizetype from) {
            QList<QStringList> read;
            const auto cursor = p.executeFrom(sql, from);
            while (cursor->next()) {
                read.push_back({});
                for (int i = 0; i < cursor->fieldCount(); ++i)
                    read.back() << typed(cursor->value(i));
            }
            return read;
        };
        const QList<QStringList> all = rows(on, 0);
        auto sorted = all, expected = rows(off_->provider(), 0);
        std::sort(sorted.begin(), sorted.end());
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(sorted, expected) << filter.toStdString();
        EXPECT_EQ(on.countRows(sql), all.size()) << filter.toStdString();
        EXPECT_EQ(rows(on, all.size() / 2), all.mid(all.size() / 2)) << filter.toStdString();
    }

    // A statement of the level's shape that counts another column than the level groups by,
    // whose count the level's groups do not hold.
    void compareOtherCount(const tree::LevelSql& level) {
        const QString grouped = onTree_.ColInfo[0].ColSQL, other = onTree_.ColInfo[1].ColSQL;
        const QString sql = "SELECT " + grouped + " AS CNAME, COUNT(" + other +
                            ") AS CCNT FROM [Sales] WHERE " + grouped + " IS NOT NULL GROUP BY " +
                            grouped;
        const data::LevelShape shape =
            tree::levelShape(onTree_.ColInfo, level, data::LevelShape::Part::Groups);
        EXPECT_EQ(shown(*on_->provider().executeLevel(shape, sql)),
                  shown(*off_->provider().execute(sql)))
            << sql.toStdString();
    }

    tree::GroupingModel onTree_, offTree_;
    std::shared_ptr<data::Connection> on_, off_;
    data::DateGroup dateGroup_ = data::DateGroup::None;
    int failures_ = 0;
};

} // namespace

TEST(SpeedupOnOff, EveryLevelReadsTheSameWithTheSpeedupAndWithout) {
    for (const auto& [seed, served] :
         {std::pair{7u, "kept rows"}, {2024u, "index"}, {2024u, "pairs"}}) {
        // Prepared, the first seed's small groups serve every node alone; the second's are
        // served by the index, or as large groups are, by the pairs of the first two columns.
        std::optional<IndexForEveryOrder> indexed;
        std::optional<EveryGroupLarge> large;
        if (served == std::string_view("index"))
            indexed.emplace();
        else if (served == std::string_view("pairs"))
            large.emplace();
        OnAndOff trees(randomTable(seed));
        for (const data::DateGroup dateGroup : data::DateGroups) {
            SCOPED_TRACE(data::dateGroupKeyword(dateGroup).toStdString() + " seed " +
                         std::to_string(seed) + ", " + served);
            // Right after each move, as the window reads the levels before the source is
            // prepared for the new order (the nodes below the first level read their group's
            // rows alone).
            trees.open(dateGroup);
            for (const auto& move : Moves) {
                trees.move(move);
                tree::NodePath root;
                trees.compareBelow(root, 3);
            }
            // Prepared for each order, three levels deep.
            trees.open(dateGroup);
            for (const auto& move : Moves) {
                trees.move(move);
                trees.prepare();
                tree::NodePath root;
                trees.compareBelow(root, 3);
            }
        }
    }
}

// The index keys the tree's first terms in order and stops before a column of raw bytes; an
// index that a grid still reads from is dropped with the next change; none is made where the
// first level's small groups serve alone. Switched off, nothing is prepared.
TEST(SpeedupOnOff, TheIndexFollowsTheTreeOrderAndStopsBeforeRawBytes) {
    auto source = std::make_shared<MemoryTableSource>();
    source->add({"Sales",
                 {{"Region", adVarWChar, 0},
                  {"City", adVarWChar, 0},
                  {"Amount", adDouble, 0},
                  {"Photo", adLongVarBinary, 0}}},
                {{QString("North"), QString("Oslo"), 1.5, QByteArray("x")},
                 {QString("South"), QString("Bergen"), 2.5, QByteArray("y")}});
    std::optional<IndexForEveryOrder> indexed(std::in_place);
    JetProvider provider{source, [] { return std::vector<data::TableEntry>{}; }};
    const auto indexes = [](JetProvider& p) {
        QStringList sql;
        Statement rows = p.engine().prepare(
            "SELECT sql FROM sqlite_master WHERE type = 'index' AND tbl_name = 'Sales'");
        while (rows.step())
            sql << rows.value(0).toString();
        return sql;
    };
    using Terms = std::vector<data::LevelTerm>;
    const QStringList regionCity = {R"(CREATE INDEX "~grouping 1" ON "Sales" ("Region", "City"))"};
    provider.prepareGrouping("[Sales]", Terms{{"Region"}, {"City"}, {"Photo"}, {"Amount"}});
    EXPECT_EQ(indexes(provider), regionCity);
    provider.prepareGrouping("[Sales]", Terms{{"Region"}, {"City"}, {"Vanished"}, {"Amount"}});
    EXPECT_EQ(indexes(provider), regionCity);
    provider.prepareGrouping("[Sales]", Terms{{"REGION"}, {"CITY"}});
    EXPECT_EQ(indexes(provider), regionCity) << "the same order again builds nothing";

    const auto reading = provider.execute("SELECT Region FROM Sales");
    ASSERT_TRUE(reading->next());
    provider.prepareGrouping("[Sales]", Terms{{"City"}, {"Amount"}});
    EXPECT_EQ(indexes(provider).size(), 2);
    while (reading->next()) {
    }
    provider.prepareGrouping("[Sales]", Terms{{"Amount"}});
    EXPECT_EQ(indexes(provider),
              QStringList({R"(CREATE INDEX "~grouping 3" ON "Sales" ("Amount"))"}));
    // The pages of what was dropped are given back, not kept as free pages.
    {
        Database& database = provider.engine().database();
        const Database::OwnStatements own(database);
        const StatementHandle freePages = database.prepareOwn("PRAGMA freelist_count");
        ASSERT_EQ(sqlite3_step(freePages.get()), SQLITE_ROW);
        EXPECT_EQ(sqlite3_column_int(freePages.get(), 0), 0);
    }

    // A record source that names no table of the file, or more than a name, changes nothing.
    provider.prepareGrouping("[Sales Query]", Terms{{"Region"}});
    provider.prepareGrouping("Sales WHERE", Terms{{"Region"}});
    EXPECT_EQ(indexes(provider).size(), 1);

    // Where the first level's groups, made with their rows, are small, they serve alone; a
    // table whose columns take every name of the row ids keeps no rows, and its groups give way
    // to the next ones all the same.
    indexed.reset();
    provider.prepareGrouping("[Sales]", Terms{{"City"}, {"Amount"}});
    EXPECT_TRUE(indexes(provider).isEmpty());
    source->add(
        {"Ids", {{"_rowid_", adInteger, 0}, {"ROWID", adInteger, 0}, {"oid", adVarWChar, 0}}},
        {{std::int64_t(7), std::int64_t(8), QString("Oslo")}});
    JetProvider ids{source, [] { return std::vector<data::TableEntry>{}; }};
    ids.prepareGrouping("[Ids]", Terms{{"oid"}, {"rowid"}});
    ids.prepareGrouping("[Ids]", Terms{{"rowid"}, {"oid"}});
    const auto read = ids.execute("SELECT [_rowid_] FROM Ids WHERE rowid = 8");
    ASSERT_TRUE(read->next());
    EXPECT_EQ(read->value(0).toInt(), 7);

    JetProvider::setSpeedupEnabled(false);
    JetProvider plain{source, [] { return std::vector<data::TableEntry>{}; }};
    JetProvider::setSpeedupEnabled(true);
    plain.prepareGrouping("[Sales]", Terms{{"Region"}});
    EXPECT_TRUE(indexes(plain).isEmpty());
}
