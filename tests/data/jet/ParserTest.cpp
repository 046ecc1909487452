#include "data/jet/Parser.h"

#include "QtPrinters.h"
#include "support/DataFailure.h"

#include <gtest/gtest.h>

using namespace data::jet;

namespace {

// The expression with every operator application in parentheses.
QString show(const Expr& e) {
    static const char* const ops[] = {"-",  "NOT", "^",   "*",  "/",   "\\",  "MOD",
                                      "+",  "-",   "&",   "=",  "<>",  "<",   ">",
                                      "<=", ">=",  "AND", "OR", "XOR", "EQV", "IMP"};
    QStringList a;
    for (const Expr& arg : e.args)
        a << show(arg);
    const QString no = e.negated ? "NOT " : "";
    switch (e.kind) {
    case ExprKind::String:
        return "'" + e.text + "'";
    case ExprKind::Column:
        return e.parts.join('.');
    case ExprKind::Unary:
        return QString("(%1 %2)").arg(ops[int(e.op)], a[0]);
    case ExprKind::Binary:
        return QString("(%1 %2 %3)").arg(a[0], ops[int(e.op)], a[1]);
    case ExprKind::Like:
        return QString("(%1 %2LIKE %3)").arg(a[0], no, a[1]);
    case ExprKind::IsNull:
        return QString("(%1 IS %2NULL)").arg(a[0], no);
    case ExprKind::Between:
        return QString("(%1 %2BETWEEN %3 AND %4)").arg(a[0], no, a[1], a[2]);
    case ExprKind::In:
        return QString("(%1 %2IN (%3))").arg(a[0], no, a.mid(1).join(", "));
    case ExprKind::Call:
        return e.text + "(" + a.join(", ") + ")";
    default:
        return e.kind == ExprKind::Star ? "*" : e.text;
    }
}

QString where(const QString& condition) {
    return show(*parseSelect("SELECT * FROM T WHERE " + condition).where);
}

QString failure(const QString& sql) {
    return test::failureOf([&] { parseSelect(sql); });
}

} // namespace

TEST(JetParser, ArithmeticPrecedence) {
    EXPECT_EQ(where("a + b * c ^ d"), "(a + (b * (c ^ d)))");
    EXPECT_EQ(where("a - b - c"), "((a - b) - c)");
    EXPECT_EQ(where("a * b Mod c + d"), "(((a * b) MOD c) + d)");
    EXPECT_EQ(where("a \\ b * c"), "(a \\ (b * c))");
    EXPECT_EQ(where("a Mod b \\ c"), "(a MOD (b \\ c))");
    EXPECT_EQ(where("-a ^ 2"), "((- a) ^ 2)");
    EXPECT_EQ(where("2 ^ -a"), "(2 ^ (- a))");
    EXPECT_EQ(where("a - -b"), "(a - (- b))");
    EXPECT_EQ(where("(a + b) * c"), "((a + b) * c)");
}

TEST(JetParser, ConcatenationBindsLooserThanArithmeticTighterThanComparison) {
    EXPECT_EQ(where("a & b + c = d"), "((a & (b + c)) = d)");
    EXPECT_EQ(where("a + b & c"), "((a + b) & c)");
    EXPECT_EQ(where("a & Chr(9) & b <> 'x'"), "(((a & Chr(9)) & b) <> 'x')");
}

TEST(JetParser, ComparisonsAndLogic) {
    EXPECT_EQ(where("Not a = b And c Or d"), "(((NOT (a = b)) AND c) OR d)");
    EXPECT_EQ(where("a Or b And c"), "(a OR (b AND c))");
    EXPECT_EQ(where("a Xor b Or c"), "(a XOR (b OR c))");
    EXPECT_EQ(where("a Imp b Eqv c"), "(a IMP (b EQV c))");
    EXPECT_EQ(where("x Not Between 1 And 2 And y Is Not Null"),
              "((x NOT BETWEEN 1 AND 2) AND (y IS NOT NULL))");
    EXPECT_EQ(where("x Between a & b And c Or z Is Null"),
              "((x BETWEEN (a & b) AND c) OR (z IS NULL))");
    EXPECT_EQ(where("x Not In (1, 'a', y + 1) Or x Like 'a*'"),
              "((x NOT IN (1, 'a', (y + 1))) OR (x LIKE 'a*'))");
    EXPECT_EQ(where("Not x Not Like y & '%'"), "(NOT (x NOT LIKE (y & '%')))");
    EXPECT_EQ(where("a <= b = True"), "((a <= b) = TRUE)");
}

TEST(JetParser, StatementParts) {
    const SelectStatement st = parseSelect(
        "select distinct [Region] AS CNAME, Count(*) as [Row Count], SALES.ORDERS.Total "
        "FROM SALES.ORDERS WHERE [Region] IS NOT NULL  GROUP BY [Region], Total HAVING Count(*) > "
        "1 "
        "ORDER BY [Region] DESC, Total Asc;");
    EXPECT_TRUE(st.distinct);
    EXPECT_EQ(st.table, QStringList({"SALES", "ORDERS"}));
    ASSERT_EQ(st.items.size(), 3u);
    EXPECT_EQ(st.items[0].alias, "CNAME");
    EXPECT_EQ(st.items[1].alias, "Row Count");
    EXPECT_EQ(st.items[2].expr.source, "SALES.ORDERS.Total");
    EXPECT_EQ(st.groupBy.size(), 2u);
    EXPECT_EQ(show(*st.having), "(Count(*) > 1)");
    ASSERT_EQ(st.orderBy.size(), 2u);
    EXPECT_TRUE(st.orderBy[0].descending && !st.orderBy[1].descending);
    EXPECT_EQ(parseSelect("Select * From [Order Details] AS d").tableAlias, "d");
}

TEST(JetParser, OnlySelectStatements) {
    const QString onlySelect = "Only SELECT statements can be run on this data source.";
    for (const char* sql : {"DELETE FROM T", "insert into T values (1)", "DROP TABLE T",
                            "PRAGMA writable_schema = 1", "", "  ;", "SELECT * INTO Copy FROM T"})
        EXPECT_EQ(failure(sql), onlySelect) << sql;
    EXPECT_EQ(failure("SELECT * FROM T; DROP TABLE T"),
              "Characters found after end of SQL statement.");
}

TEST(JetParser, SyntaxErrorsNameTheClauseOrExpression) {
    const std::pair<const char*, const char*> cases[] = {
        {"SELECT * FROM T WHERE a b", "Syntax error (missing operator) in query expression 'a b'."},
        {"SELECT * FROM T WHERE a = 1 GROUP BY a b, c",
         "Syntax error (missing operator) in query expression 'a b'."},
        {"SELECT * FROM T WHERE (a = 1 OR b = 2",
         "Missing ), ], or Item in query expression '(a = 1 OR b = 2'."},
        {"SELECT * FROM T WHERE x = 'abc",
         "Syntax error in string in query expression 'x = 'abc'."},
        {"SELECT * FROM T WHERE d > #2/30/2001# AND e",
         "Syntax error in date in query expression 'd > #2/30/2001# AND e'."},
        {"SELECT * FROM T WHERE a ~ b", "Invalid character '~' in query expression 'a ~ b'."},
        {"SELECT * FROM [Orders", "Invalid bracketing of name '[Orders'."},
        {"SELECT * FROM T, U", "Syntax error in FROM clause."},
        {"SELECT * FROM (T)", "Syntax error in FROM clause."},
        {"SELECT * FROM T GROUP a", "Syntax error in GROUP BY clause."},
        {"SELECT * FROM T ORDER a", "Syntax error in ORDER BY clause."},
        {"SELECT FROM T", "The SELECT statement includes a reserved word or an argument name that "
                          "is misspelled or missing, or the punctuation is incorrect."},
    };
    for (const auto& [sql, message] : cases)
        EXPECT_EQ(failure(sql), message) << sql;
    EXPECT_EQ(failure("SELECT * FROM T WHERE " + QString(500, '(') + "a" + QString(500, ')')),
              "Query too complex.");
}
