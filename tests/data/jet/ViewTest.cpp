// Saved queries of a source as the engine's views: opened once when a statement first names
// them, read like tables by the program's statements, nested in each other, and refused with a
// description that names the query and what is not supported.
#include "data/AdoTypes.h"
#include "data/jet/JetProvider.h"
#include "data/jet/JetTestSupport.h"
#include "support/DataFailure.h"

#include <gtest/gtest.h>

using namespace data::jet;
using namespace data::jet::testing;
using namespace data::ado;
using Rows = QList<QStringList>;

namespace {

// Sales, the regions' managers, and a saved query joining them.
std::shared_ptr<MemoryTableSource> salesWithQueries() {
    auto source = std::make_shared<MemoryTableSource>();
    const auto text = [](const char* t) { return Cell(QString(t)); };
    source->add({"Sales",
                 {{"SaleID", adInteger, 0},
                  {"Region", adVarWChar, 0},
                  {"Amount", adCurrency, 0},
                  {"Sold", adDate, 0}}},
                {{std::int64_t(1), text("North"), Amount{1000}, date(2001, 1, 5)},
                 {std::int64_t(2), text("north"), Amount{2000}, date(2001, 2, 1)},
                 {std::int64_t(3), text("South"), Amount{1000}, date(2002, 3, 3)},
                 {std::int64_t(4), text("East"), Amount{70000}, nullptr}});
    source->add({"Regions", {{"Region", adVarWChar, 0}, {"Manager", adVarWChar, 0}}},
                {{text("NORTH"), text("Nina")}, {text("South"), text("Sam")}});
    source->addView("Managed", "SELECT Sales.*, Regions.Manager, CCur([Amount]*3) AS Triple, "
                               "Format([Sold],\"yyyy\") AS [Year] FROM [Regions] INNER JOIN "
                               "[Sales] ON Regions.Region = Sales.Region;");
    return source;
}

class Views : public ::testing::Test {
protected:
    std::shared_ptr<MemoryTableSource> source = salesWithQueries();
    JetProvider provider{source, {}};

    Rows rows(const QString& sql) { return rowsOf(provider, sql); }
    QString failure(const QString& sql) {
        return test::failureOf([&] { rowsOf(provider, sql); });
    }
};

} // namespace

TEST_F(Views, WhatTheEngineCannotAnswerIsNamedWithTheQueryAndNestingEnds) {
    source->addView("Crosstab", {},
                    "The query \"Crosstab\" is a crosstab query, which is not "
                    "supported.");
    source->addView("Asks", "SELECT * FROM Sales WHERE SaleID = [Which sale?]");
    source->addView("Calls", "SELECT Foo(Region) FROM Sales");
    source->addView("Misses", "SELECT * FROM Sales INNER JOIN Gone ON Sales.SaleID = Gone.ID");
    source->addView("Broken", "SELECT * FROM Sales WHERE SaleID =");
    source->addView("Reads Calls", "SELECT * FROM [Managed], [Calls]");
    source->addView("Reads Crosstab", "SELECT * FROM [Reads Calls] WHERE 1 = 0 UNION ALL "
                                      "SELECT * FROM Crosstab");
    EXPECT_EQ(failure("SELECT * FROM [Asks]"),
              "The query \"Asks\" asks for the parameter [Which sale?], which is not supported.");
    EXPECT_EQ(failure("Select * From [Calls] Where 1 = 0"),
              "The query \"Calls\" uses the function Foo, which is not supported.");
    EXPECT_EQ(failure("SELECT COUNT(*) FROM [Misses]"),
              "The query \"Misses\" reads \"Gone\", which is neither a table nor a query of the "
              "database.");
    EXPECT_EQ(failure("SELECT * FROM [Broken]"),
              "The query \"Broken\" cannot be opened: Syntax error (missing operator) in query "
              "expression 'SaleID ='.");
    EXPECT_EQ(failure("SELECT * FROM [Reads Calls]"),
              "The query \"Reads Calls\" reads the query \"Calls\", which cannot be opened. The "
              "query \"Calls\" uses the function Foo, which is not supported.");
    EXPECT_EQ(failure("SELECT * FROM [Reads Crosstab]"),
              "The query \"Reads Crosstab\" cannot be opened: Syntax error (missing operator) "
              "in query expression '1 = 0'.");
    // Each failure leaves the engine as it was: it answers what it can, and fails again.
    EXPECT_EQ(rows("SELECT COUNT(*) FROM [Managed]"), Rows({{"3"}}));
    EXPECT_EQ(failure("SELECT * FROM [Calls]"),
              "The query \"Calls\" uses the function Foo, which is not supported.");

    // Nesting ends at a loop or too deep.
    source->addView("Self", "SELECT * FROM [self]");
    source->addView("Ping", "SELECT * FROM [Pong]");
    source->addView("Pong", "SELECT * FROM [Pang]");
    source->addView("Pang", "SELECT * FROM [Ping]");
    source->addView("Above Ping", "SELECT * FROM [Ping]");
    EXPECT_EQ(failure("SELECT * FROM [Self]"),
              "The query \"Self\" reads itself, which is not supported.");
    EXPECT_EQ(failure("SELECT * FROM [Ping]"),
              "The query \"Ping\" reads itself in a loop (\"Ping\" reads \"Pong\", which reads "
              "\"Pang\", which reads \"Ping\"), which is not supported.");
    EXPECT_EQ(failure("SELECT * FROM [Above Ping]"),
              "The query \"Above Ping\" reads the query \"Ping\", which cannot be opened. The "
              "query \"Ping\" reads itself in a loop (\"Ping\" reads \"Pong\", which reads "
              "\"Pang\", which reads \"Ping\"), which is not supported.");

    // Queries reading queries as deep as the bound open; one more level does not.
    for (int level = 1; level <= Engine::MostViewsNested + 1; ++level)
        source->addView(QString("Level %1").arg(level),
                        level == 1 ? "SELECT SaleID FROM Sales"
                                   : QString("SELECT * FROM [Level %1]").arg(level - 1));
    EXPECT_EQ(rows(QString("SELECT COUNT(*) FROM [Level %1]").arg(Engine::MostViewsNested)),
              Rows({{"4"}}));
    JetProvider fresh{source, {}};
    EXPECT_EQ(test::failureOf([&] {
                  rowsOf(fresh,
                         QString("SELECT * FROM [Level %1]").arg(Engine::MostViewsNested + 1));
              }),
              QString("The query \"Level %1\" reads queries nested more than %2 deep, which is "
                      "not supported.")
                  .arg(Engine::MostViewsNested + 1)
                  .arg(Engine::MostViewsNested));
}

// Saved queries mean what Access means: each is opened as a view and its rows compared with those
// of a statement written by hand in the engine's own SQL over the same rows, which hold ties,
// nulls and duplicates on purpose.
namespace {

// Ten players: three score 80 (the second place), two 70, one score is Null, one team is Null.
// Teams: Gold has no player.
std::shared_ptr<MemoryTableSource> scoresAndTeams() {
    // Rows separated by commas, values by blanks; "-" is Null.
    const auto rows = [](const char* text) {
        std::vector<Row> rows;
        for (const QString& line : QString(text).split(',')) {
            Row row;
            for (const QString& value : line.split(' ')) {
                bool isNumber = false;
                const int number = value.toInt(&isNumber);
                row.push_back(value == "-" ? Cell(nullptr)
                              : isNumber   ? Cell(std::int64_t(number))
                                           : Cell(value));
            }
            rows.push_back(row);
        }
        return rows;
    };
    auto source = std::make_shared<MemoryTableSource>();
    source->add(
        {"Scores",
         {{"Player", adVarWChar, 0},
          {"Team", adVarWChar, 0},
          {"Score", adInteger, 0},
          {"Bonus", adInteger, 0}}},
        rows("Ann Red 90 5,Bob Red 80 -,Cid Blue 80 2,Dan Blue 70 -,Eve Red 70 1,Fay Green - "
             "3,Gus Blue 60 0,Hal Green 80 2,Ivy Red 50 -,Jon - 40 1"));
    source->add({"Teams", {{"Team", adVarWChar, 0}, {"Coach", adVarWChar, 0}}},
                rows("Red Rita,Blue Bill,Green Gina,Gold Gail"));
    source->addView("Red Players", "SELECT * FROM Scores WHERE Team = 'Red';");
    return source;
}

struct Meaning {
    const char* what;
    const char* jet;    // the saved query, as Access writes it
    const char* engine; // the same rows in the engine's SQL, over the tables as loaded
};

void PrintTo(const Meaning& meaning, std::ostream* out) {
    *out << meaning.what;
}

class SavedQueryMeaning : public ::testing::TestWithParam<Meaning> {};

// Every row as text, sorted: where an ORDER BY leaves ties, their order is the engine's.
Rows sorted(Rows rows) {
    std::sort(rows.begin(), rows.end());
    return rows;
}

TEST_P(SavedQueryMeaning, GivesTheRowsAccessGives) {
    const Meaning& meaning = GetParam();
    auto source = scoresAndTeams();
    source->addView("Saved", meaning.jet);
    JetProvider provider{source, {}};
    const Rows saved = rowsOf(provider, "SELECT * FROM [Saved]");

    QueryRunner runner(source);
    runner.engine().findTable("Scores");
    runner.engine().findTable("Teams");
    Statement statement = runner.engine().prepare(meaning.engine);
    const Rows expected = rowsOf(statement);
    EXPECT_FALSE(expected.isEmpty());
    EXPECT_EQ(sorted(saved), sorted(expected)) << meaning.jet;
}

INSTANTIATE_TEST_SUITE_P(
    TopSubqueriesAndMore, SavedQueryMeaning,
    ::testing::Values(
        // TOP n keeps every row that ties with the n-th: three share the second place.
        Meaning{"TopWithTies", "SELECT TOP 2 Player, Score FROM Scores ORDER BY Scores.Score DESC;",
                "SELECT Player, Score FROM Scores WHERE Score >= 80"},
        // TOP n PERCENT rounds up: a quarter of ten rows is three.
        Meaning{"TopPercentRoundsUp", "SELECT TOP 25 PERCENT Player FROM Scores ORDER BY Player;",
                "SELECT Player FROM Scores ORDER BY Player LIMIT 3"},
        // A subquery's own table hides nothing of the outer one named by its alias.
        Meaning{"CorrelatedByAlias",
                "SELECT o.Player FROM Scores AS o WHERE o.Score = (SELECT Max(Score) FROM Scores "
                "WHERE Scores.Team = o.Team);",
                "SELECT Player FROM Scores AS o WHERE Score = (SELECT max(Score) FROM Scores AS "
                "i WHERE i.Team = o.Team)"},
        // The outer table by its own name, and a name only the outer table has (Coach).
        Meaning{"CorrelatedByName",
                "SELECT Teams.Team FROM Teams WHERE EXISTS (SELECT * FROM Scores AS s WHERE "
                "s.Team = Teams.Team AND s.Player < Coach);",
                "SELECT Team FROM Teams AS t WHERE EXISTS (SELECT * FROM Scores AS s WHERE "
                "s.Team = t.Team AND s.Player < t.Coach)"},
        // Team inside the subquery is the subquery's own column, as Access binds it.
        Meaning{"UnqualifiedBindsInner",
                "SELECT Coach FROM Teams WHERE 3 <= (SELECT Count(*) FROM Scores WHERE Team = "
                "Teams.Team);",
                "SELECT Coach FROM Teams AS t WHERE 3 <= (SELECT count(*) FROM Scores AS s WHERE "
                "s.Team = t.Team)"},
        Meaning{"NotInSubquery",
                "SELECT Team FROM Teams WHERE Team NOT IN (SELECT Team FROM Scores WHERE Score "
                ">= 70);",
                "SELECT Team FROM Teams WHERE Team NOT IN (SELECT Team FROM Scores WHERE Score "
                ">= 70)"},
        Meaning{"InSubqueryAndNotExists",
                "SELECT Player FROM Scores WHERE Team IN (SELECT Team FROM Teams WHERE Coach "
                "LIKE 'G*') OR NOT EXISTS (SELECT * FROM Teams WHERE Teams.Team = Scores.Team);",
                "SELECT Player FROM Scores AS s WHERE Team IN ('Green', 'Gold') OR Team IS NULL"},
        // Aggregates pass over Nulls; Count(*) does not; HAVING filters the groups.
        Meaning{"GroupsWithNulls",
                "SELECT Team, Count(*) AS N, Count(Bonus) AS B, Sum(Bonus) AS S, Avg(Score) AS A "
                "FROM Scores GROUP BY Team HAVING Count(*) > 1;",
                "SELECT Team, count(*), count(Bonus), sum(Bonus), avg(Score) FROM Scores GROUP "
                "BY Team HAVING count(*) > 1"},
        // A LEFT JOIN keeps the team without players, DISTINCT folds the duplicate scores.
        Meaning{"LeftJoinAndDistinct",
                "SELECT DISTINCT Teams.Team, Scores.Score FROM Teams LEFT JOIN Scores ON "
                "Teams.Team = Scores.Team;",
                "SELECT DISTINCT t.Team, s.Score FROM Teams AS t LEFT JOIN Scores AS s ON t.Team "
                "= s.Team"},
        // Nulls come first in ascending order and tie with each other for TOP.
        Meaning{"TopTiesOfNulls", "SELECT TOP 2 Player FROM Scores ORDER BY Bonus, Team;",
                "SELECT Player FROM Scores WHERE Bonus IS NULL"},
        Meaning{"TopOfGroups",
                "SELECT TOP 1 Team, Count(*) AS N FROM Scores GROUP BY Team ORDER BY Count(*) "
                "DESC;",
                "SELECT Team, count(*) FROM Scores GROUP BY Team HAVING count(*) = 4"},
        // A saved query read by another, and a RIGHT JOIN keeping the player without a team.
        Meaning{"NestedQuery",
                "SELECT Count(*) AS N, Max(Score) AS M, Nz(Sum(Bonus), 0) AS B FROM [Red "
                "Players];",
                "SELECT count(*), max(Score), sum(Bonus) FROM Scores WHERE Team = 'Red'"},
        // DISTINCTROW: each row of Teams once, however many players match it.
        Meaning{"DistinctRow",
                "SELECT DISTINCTROW Teams.* FROM Teams INNER JOIN Scores ON Teams.Team = "
                "Scores.Team;",
                "SELECT Team, Coach FROM Teams WHERE Team IN (SELECT Team FROM Scores)"}),
    [](const auto& info) { return std::string(info.param.what); });

} // namespace
