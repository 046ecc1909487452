// Jet statements as the lexer and parser read them, and translated for the engine and run
// through the Jet provider against two tiny tables: the rows they select, what they say about
// their columns, and how they fail.
#include "data/jet/Translate.h"

#include "data/AdoTypes.h"
#include "data/jet/JetProvider.h"
#include "data/jet/JetTestSupport.h"
#include "data/jet/Lexer.h"
#include "data/jet/Parser.h"
#include "support/DataFailure.h"
#include "tree/LocaleScope.h"

#include <gtest/gtest.h>

using namespace data::jet;
using namespace data::jet::testing;
using namespace data::ado;
using Rows = QList<QStringList>;

namespace {

// The tokens' texts (a name's parts joined by "|"), without the End token.
QStringList texts(const QString& sql) {
    QStringList result;
    for (const Token& token : tokenize(sql))
        if (token.kind != TokenKind::End)
            result << (token.kind == TokenKind::Name ? token.parts.join('|') : token.text);
    return result;
}

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

class JetTranslate : public ::testing::Test {
protected:
    Rows rows(const QString& sql) { return rowsOf(provider, sql); }
    QStringList columns(const QString& sql) { return columnsOf(provider, sql); }

    // The ids of the orders meeting the condition, in order.
    QString idsWhere(const QString& condition) {
        return idsOrderedBy("[OrderID]", " WHERE " + condition);
    }
    QString idsOrderedBy(const QString& order, const QString& where = {}) {
        QStringList ids;
        for (const QStringList& row :
             rows("SELECT [OrderID] FROM [Orders]" + where + " ORDER BY " + order))
            ids << row[0];
        return ids.join(',');
    }

    JetProvider provider{ordersAndT(), {}};
    Engine& db = provider.engine();
};

const QString stats = "Min([Amount]) AS CMIN, Max([Amount]) AS CMAX, Avg([Amount]) AS CAVG, "
                      "Sum([Amount]) AS CSUM FROM [Orders]";

} // namespace

// Reserved words in brackets, quotes doubled in both styles, numbers as written, dates with times.
TEST(JetLexer, NamesStringsNumbersAndDates) {
    EXPECT_EQ(texts("[Order Details].[UnitPrice] x.[y z] Format$ [Select] sElEcT"),
              QStringList({"Order Details|UnitPrice", "x|y z", "Format$", "Select", "SELECT"}));
    const std::vector<Token> tokens = tokenize("Format$([Select])");
    EXPECT_TRUE(tokens[0].bareName);
    EXPECT_EQ(tokens[2].kind, TokenKind::Name); // a bracketed reserved word is a name
    EXPECT_FALSE(tokens[2].bareName);
    EXPECT_EQ(texts(R"('it''s' "say ""hi""" 'a"b' "")"),
              QStringList({"it's", "say \"hi\"", "a\"b", ""}));
    EXPECT_EQ(texts("12 1.5 .5 1e3 2.5E-3 7E+2"),
              QStringList({"12", "1.5", ".5", "1e3", "2.5E-3", "7E+2"}));
    EXPECT_EQ(tokenize("1e")[1].kind, TokenKind::Name); // an exponent needs digits
    EXPECT_EQ(texts("#3/4/2001# #12/31/1999 23:59:58# #2001-3-4 10:05#"),
              QStringList({"2001-03-04 00:00:00", "1999-12-31 23:59:58", "2001-03-04 10:05:00"}));
    for (const char* bad : {"#2/30/2001#", "#13/1/2001#", "#2001-01-01 25:00#", "#soon#", "#1/1"})
        EXPECT_EQ(tokenize(bad)[0].problem, LexProblem::BadDate) << bad;
}

TEST(JetParser, OperatorsBindAsInJetAndStatementsHaveTheirParts) {
    EXPECT_EQ(where("a + b * c ^ d"), "(a + (b * (c ^ d)))");
    EXPECT_EQ(where("a - b - c"), "((a - b) - c)");
    EXPECT_EQ(where("a * b Mod c + d"), "(((a * b) MOD c) + d)");
    EXPECT_EQ(where("a \\ b * c"), "(a \\ (b * c))");
    EXPECT_EQ(where("a Mod b \\ c"), "(a MOD (b \\ c))");
    EXPECT_EQ(where("-a ^ 2"), "((- a) ^ 2)");
    EXPECT_EQ(where("2 ^ -a"), "(2 ^ (- a))");
    // Concatenation binds looser than arithmetic, tighter than comparison.
    EXPECT_EQ(where("a & b + c = d"), "((a & (b + c)) = d)");
    EXPECT_EQ(where("a & Chr(9) & b <> 'x'"), "(((a & Chr(9)) & b) <> 'x')");

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

    // The parts of a statement.
    const SelectStatement st = parseSelect(
        "select distinct [Region] AS CNAME, Count(*) as [Row Count], SALES.ORDERS.Total FROM "
        "SALES.ORDERS WHERE [Region] IS NOT NULL  GROUP BY [Region], Total HAVING Count(*) > 1 "
        "ORDER BY [Region] DESC, Total Asc;");
    EXPECT_TRUE(st.distinct);
    ASSERT_NE(st.singleTable(), nullptr);
    EXPECT_EQ(st.singleTable()->table, QStringList({"SALES", "ORDERS"}));
    ASSERT_EQ(st.items.size(), 3u);
    EXPECT_EQ(st.items[0].alias, "CNAME");
    EXPECT_EQ(st.items[1].alias, "Row Count");
    EXPECT_EQ(st.items[2].expr.source, "SALES.ORDERS.Total");
    EXPECT_EQ(st.groupBy.size(), 2u);
    EXPECT_EQ(show(*st.having), "(Count(*) > 1)");
    ASSERT_EQ(st.orderBy.size(), 2u);
    EXPECT_TRUE(st.orderBy[0].descending && !st.orderBy[1].descending);
    EXPECT_EQ(parseSelect("Select * From [Order Details] AS d").singleTable()->alias, "d");
}

TEST(JetParser, FailuresNameTheClauseOrExpression) {
    for (const char* sql : {"DELETE FROM T", "", "  ;", "SELECT * INTO Copy FROM T"})
        EXPECT_EQ(failure(sql), "Only SELECT statements can be run on this data source.") << sql;
    const std::pair<const char*, const char*> cases[] = {
        {"SELECT * FROM T; DROP TABLE T", "Characters found after end of SQL statement."},
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
        {"SELECT * FROM T U V", "Syntax error in FROM clause."},
        {"SELECT * FROM T INNER JOIN U", "Syntax error in JOIN operation."},
        {"SELECT * FROM (T LEFT JOIN U ON T.a = U.a", "Syntax error in JOIN operation."},
        {"SELECT * FROM T WHERE a IN (SELECT b FROM U", "Missing ), ], or Item in query "
                                                        "expression 'a IN (SELECT b FROM U'."},
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

TEST_F(JetTranslate, StatementsDescribeTheirColumnsSelectTheRightRowsAndFollowJetsArithmetic) {
    EXPECT_TRUE(rows("Select * From [Orders] Where 1 = 0").isEmpty());
    // The type codes: adInteger 3, adVarWChar 202, adCurrency 6, adBoolean 11, adDouble 5,
    // adDate 7, adSmallInt 2.
    EXPECT_EQ(columns("Select * From [Orders] Where 1 = 0").join(' '),
              "OrderID:3 Customer:202 Region:202 Amount:6 Shipped:11 Freight:5 OrderDate:7 Year:2");
    // Statistics of amounts stay exact.
    EXPECT_EQ(rows("SELECT Count(1) AS CNNULL , " + stats),
              Rows({{"6", "0.1", "20", "6.36", "31.8"}}));
    EXPECT_EQ(columns("SELECT Count(1) AS CNNULL , " + stats).join(' '),
              "CNNULL:3 CMIN:6 CMAX:6 CAVG:5 CSUM:6");
    EXPECT_EQ(rows("SELECT COUNT(1) AS CCNT , " + stats + " WHERE [Region] IS NULL"),
              Rows({{"2", "20", "20", "20", "20"}}));

    // Conditions select the right rows.
    const std::pair<const char*, const char*> cases[] = {
        {"[Region] = 'North' AND [OrderDate] IS NULL  AND [Year] = 2001", "6"},
        {"[Shipped] = True", "1,3"},
        {"[Shipped] = False AND [Freight] > 2", "2,5"},
        {"Not [Shipped]", "2,4,5,6"},
        {"[Amount] = 0.1 Or [Amount] >= 20", "2,3"},
        {"([Shipped] Or [OrderID] = 2) And [Region] Is Null", "3"},
        {"(Not [Shipped]) Is Null Or [OrderID] = 4", "4"},
        {"[OrderDate] = CDate('2001-03-04 10:00:00')", "1"},
        {"[OrderDate] >= #3/30/2001# And [OrderDate] < #2002-01-01#", "2,5"},
        {"Format([OrderDate], \"yyyy\\/\\Qq\") = '2001/q3'", "2"},
        {"Format$([OrderDate], 'YYYY') = '2001'", "1,2,5"},
        {"[Region] Like 'n*' And [Customer] Not Like 'b*'", "1,6"},
        {"[OrderID] In (1, 4) Or [OrderID] Between 5 And 5", "1,4,5"},
        {"[Region] Not In ('SOUTH') Xor [Shipped]", "2,6"},
        {"IIf([Region] Is Null, 'none', [Region]) = 'NONE'", "3,5"},
        {"IsNull([Region]) And Not IsNull([OrderID] + 1) And [OrderID] > 3", "5"},
        {"[Customer] & [Region] = 'alphanorth'", "1"},
        {"([OrderID] = 1) = True", "1"},
    };
    for (const auto& [condition, ids] : cases)
        EXPECT_EQ(idsWhere(condition), ids) << condition;

    // Values follow Jet's arithmetic and its rules for Null.
    EXPECT_EQ(rows("SELECT 7 / 2, 7 \\ 2, 7.6 Mod 3, 2 ^ 3, -2 ^ 2, [Freight] + Null, "
                   "'a' + 'b', [Amount] * 2, [OrderID] = 1 FROM [Orders] WHERE [OrderID] = 1"),
              Rows({{"3.5", "3", "2", "8", "4", "NULL", "ab", "21", "true"}}));
    EXPECT_EQ(rows("Select [A] & Chr(9) & [B] From [T]"), Rows({{"x\ty"}, {"p\tq"}, {"m\t"}}));
    EXPECT_EQ(columns("Select [A] & Chr(9) & [B] From [T]"), QStringList({"Expr1000:202"}));
    // Count of a literal counts rows.
    EXPECT_EQ(rows("SELECT Count(1), Count('x'), Count([Region]), Count(Null) FROM [Orders]"),
              Rows({{"6", "6", "4", "0"}}));
}

// & and CStr write a value as the grid shows it, in the region's way, where the engine's own
// text would differ: dates, Booleans (truth values among them) and Singles.
TEST(JetTranslateText, ConcatenationWritesValuesAsCStrDoes) {
    const test::LocaleScope german(test::Germany);
    JetProvider provider{ordersAndT(), {}};
    EXPECT_EQ(rowsOf(provider, "SELECT [Shipped] & '|' & [OrderDate] & '|' & [Freight] & '|' & "
                               "CStr([Shipped]) & '|' & ([OrderID] = 2) & '|' & #2001-03-04# & "
                               "[Region] FROM [Orders] WHERE [OrderID] = 1"),
              Rows({{"True|04.03.2001 10:00:00|1,5|True|False|04.03.2001North"}}));
}

TEST_F(JetTranslate, TextStatementsOrderingAndTheFieldTypeOfEachSelectItem) {
    // A doubled quote inside the literal; the comparison ignores case.
    EXPECT_EQ(rows("Select [A] From [T] WHERE [X] = 'Bon app'''"), Rows({{"x"}, {"m"}}));
    EXPECT_EQ(rows("SELECT [A], [B] FROM [T] WHERE [A] <> 'P' ORDER BY [B] DESC"),
              Rows({{"x", "y"}, {"m", "NULL"}}));
    // A number is a value to Jet, not a select item's position.
    EXPECT_EQ(rows("SELECT [A] FROM [T] ORDER BY 2, [A]"), Rows({{"m"}, {"p"}, {"x"}}));
    EXPECT_EQ(rows("SELECT [A], [B] FROM [T] ORDER BY [B]"),
              Rows({{"m", "NULL"}, {"p", "q"}, {"x", "y"}}));
    EXPECT_EQ(rows("SELECT DISTINCT [Region] FROM [Orders] WHERE [Region] IS NOT NULL").size(), 2);
    // Text that is no column sorts without regard to case too.
    EXPECT_EQ(idsOrderedBy("Left([Customer], 1) DESC"), "6,3,5,4,2,1");

    // Each select item has Jet's field type.
    const std::pair<const char*, int> items[] = {
        {"CInt([Freight])", adSmallInt},
        {"CBool(1)", adBoolean},
        {"CDate('2001-01-01')", adDate},
        {"1.5", adDouble},
        {"3000000000", adDouble},
        {"[OrderID] = 1", adBoolean},
        {"[OrderID] & ''", adVarWChar},
        {"[OrderID] + [Year]", adInteger},
        {"[Amount] * 2", adCurrency},
        {"[OrderID] / 2", adDouble},
        {"IIf([Shipped], 1, 2)", adInteger},
        {"IIf([Shipped], Null, [OrderDate])", adDate},
        {"IIf([Shipped], 1, 'a')", adVarWChar},
        {"Nz([Freight], 0)", adVarWChar},
        {"Nz([Amount])", adCurrency},
        {"Count(*)", adInteger},
        {"Min([OrderDate])", adDate},
        {"Sum([Year])", adInteger},
        {"Sum([Amount])", adCurrency},
        {"Sum([Freight])", adDouble},
    };
    QStringList list;
    for (const auto& item : items)
        list << item.first;
    const Translation translation = translate("SELECT " + list.join(", ") + " FROM Orders", db);
    ASSERT_EQ(translation.columns.size(), std::size(items));
    for (size_t i = 0; i < std::size(items); ++i) {
        EXPECT_EQ(translation.columns[i].adoType, items[i].second) << items[i].first;
        EXPECT_EQ(translation.columns[i].name, QString("Expr%1").arg(1000 + i));
    }
    EXPECT_EQ(translation.columns[1].storage, Storage::Boolean);
    EXPECT_EQ(translation.columns[2].storage, Storage::DateTime);
    EXPECT_EQ(translation.columns[5].storage, Storage::Boolean); // [OrderID] = 1
    EXPECT_EQ(translation.columns.back().storage, Storage::Real);
}

TEST_F(JetTranslate, NamesResolveWithoutRegardToCaseAndFailuresDescribeTheProblem) {
    const Translation translation =
        translate("SELECT [orders].[amount], ORDERS.Region AS R, orderid + 1 FROM orders", db);
    EXPECT_EQ(translation.columns[0].name, "Amount");
    EXPECT_EQ(translation.columns[1].name, "R");
    EXPECT_EQ(translation.columns[2].name, "Expr1000");
    EXPECT_EQ(translation.tables, QStringList({"Orders"}));
    EXPECT_EQ(
        translate("SELECT o.[Region] FROM [Orders] AS o WHERE O.OrderID = 1", db).columns[0].name,
        "Region");
    // Quotes inside names and literals.
    EXPECT_EQ(rows("SELECT [Odd \"Name\"] FROM [T] WHERE [X] <> 'it''s' AND [X] Like '*''' "
                   "ORDER BY [A]"),
              Rows({{"3"}, {"1"}}));

    // Failures describe the problem.
    const std::pair<const char*, const char*> cases[] = {
        {"SELECT * FROM SALES.ORDERS", "The database engine cannot find the input table or query "
                                       "'SALES.ORDERS'. Make sure it exists and that its name is "
                                       "spelled correctly."},
        {"SELECT [Amout] FROM [Orders]", "Unknown column 'Amout' in table 'Orders'."},
        {"SELECT Orders.Region FROM Orders o", "Unknown column 'Orders.Region' in table 'Orders'."},
        {"SELECT Foo([Region]) FROM [Orders]", "Undefined function 'Foo' in expression."},
        {"SELECT Left([Region]) FROM [Orders]",
         "Wrong number of arguments used with function in query expression 'Left([Region])'."},
        {"SELECT IIf(1, 2) FROM [Orders]",
         "Wrong number of arguments used with function in query expression 'IIf(1, 2)'."},
        {"SELECT Sum(*) FROM [Orders]",
         "Syntax error (missing operator) in query expression 'Sum(*)'."},
        {"SELECT * FROM [Orders] WHERE Count(1) > 1",
         "Cannot have aggregate function in WHERE clause (Count(1) > 1)."},
        {"SELECT Count(1) FROM [Orders] GROUP BY Max([Year])",
         "Cannot have aggregate function in GROUP BY clause (Max([Year]))."},
        {"SELECT Sum(Count(1)) FROM [Orders]",
         "Cannot have aggregate function in expression (Sum(Count(1)))."},
    };
    for (const auto& [sql, message] : cases)
        EXPECT_EQ(test::failureOf([&] { translate(sql, db); }), message) << sql;
}
