#include "data/jet/JetTestSupport.h"

#include <gtest/gtest.h>

using namespace data::jet::testing;

namespace {

QueryRunner germanRunner() {
    return QueryRunner(std::make_shared<MemoryTableSource>(), QLocale(QStringLiteral("de_DE")));
}

} // namespace

// Halves go to the even neighbour; results beyond the type's range are an Overflow.
TEST(VbConversions, IntegerRoundingAndOverflow) {
    QueryRunner runner;
    const std::pair<const char*, qlonglong> rounded[] = {
        {"vb_cint(2.5)", 2},
        {"vb_cint(3.5)", 4},
        {"vb_cint(-2.5)", -2},
        {"vb_cint(-3.5)", -4},
        {"vb_cint(32767.4)", 32767},
        {"vb_cint(-32768.5)", -32768},
        {"vb_cint(' 12 ')", 12},
        {"vb_cint(-1)", -1},
        {"vb_clng(2147483646.5)", 2147483646},
        {"vb_clng(-2147483648)", -2147483648LL},
        // A date counts as its serial number: noon rounds to the even day.
        {"vb_clng('2001-03-04 12:00:00')", 36954},
    };
    for (const auto& [sql, expected] : rounded)
        EXPECT_EQ(runner.eval(sql).toLongLong(), expected) << sql;
    for (const char* sql :
         {"SELECT vb_cint(32767.5)", "SELECT vb_cint(-32769)", "SELECT vb_clng(2147483647.5)",
          "SELECT vb_clng(1e300)", "SELECT vb_ccur(1e15)"})
        EXPECT_EQ(runner.errorOf(sql), "Overflow") << sql;
    for (const char* sql : {"SELECT vb_cint('abc')", "SELECT vb_cdbl('')", "SELECT vb_clng(x'00')",
                            "SELECT vb_cbool('maybe')"})
        EXPECT_EQ(runner.errorOf(sql), "Type mismatch") << sql;
    EXPECT_TRUE(runner.eval("vb_cint(NULL)").isNull());
}

TEST(VbConversions, CurrencyDoubleAndBoolean) {
    QueryRunner runner;
    EXPECT_EQ(runner.eval("vb_ccur(1.23456)").toDouble(), 1.2346);
    EXPECT_EQ(runner.eval("vb_ccur('-7.00004')").toDouble(), -7.0);
    EXPECT_EQ(runner.eval("vb_cdbl('2.5e3')").toDouble(), 2500.0);
    EXPECT_EQ(runner.eval("vb_cdbl('2001-03-04')").toDouble(), 36954.0);
    EXPECT_EQ(runner.eval("vb_cbool(0)").toInt(), 0);
    EXPECT_EQ(runner.eval("vb_cbool(0.1)").toInt(), -1);
    EXPECT_EQ(runner.eval("vb_cbool('True')").toInt(), -1);
    EXPECT_EQ(runner.eval("vb_cbool(' false ')").toInt(), 0);
    EXPECT_EQ(runner.eval("vb_cbool('3')").toInt(), -1);
}

TEST(VbConversions, NumbersReadTheRegionsWay) {
    QueryRunner runner = germanRunner();
    EXPECT_EQ(runner.eval("vb_cdbl('1,5')").toDouble(), 1.5);
    EXPECT_EQ(runner.eval("vb_cdbl('1.500')").toDouble(), 1500.0);
    EXPECT_EQ(runner.eval("vb_cdbl('-2.5')").toDouble(), -2.5); // no German reading: '.' point
    EXPECT_EQ(runner.eval("vb_cint('2,5')").toInt(), 2);
}

// Up to 15 significant digits, exponents only for the very large and the very small.
TEST(VbConversions, NumbersAsVbWritesThem) {
    QueryRunner runner;
    const std::pair<const char*, const char*> texts[] = {
        {"vb_cstr(0.1 + 0.2)", "0.3"},
        {"vb_cstr(1.0 / 3)", "0.333333333333333"},
        {"vb_cstr(2.0)", "2"},
        {"vb_cstr(123456789012345.0)", "123456789012345"},
        {"vb_cstr(1e15)", "1E+15"},
        {"vb_cstr(0.0001)", "0.0001"},
        {"vb_cstr(0.00001)", "1E-05"},
        {"vb_cstr(-0.0)", "0"},
        {"vb_cstr(-42)", "-42"},
        {"vb_cstr(9223372036854775807)", "9223372036854775807"},
        {"vb_cstr('2001-03-04 10:05:09')", "2001-03-04 10:05:09"},
        {"vb_concat('x', 1.5)", "x1.5"},
        {"vb_concat(2, 3)", "23"},
        {"vb_concat('a', NULL)", "a"},
    };
    for (const auto& [sql, expected] : texts)
        EXPECT_EQ(runner.eval(sql).toString(), QString::fromUtf8(expected)) << sql;
    QueryRunner german = germanRunner();
    EXPECT_EQ(german.eval("vb_cstr(1.5)").toString(), "1,5");
    EXPECT_EQ(german.eval("vb_concat(1.5, 'x')").toString(), "1,5x");
}

TEST(VbConversions, NullHandlingOfConcatAndNz) {
    QueryRunner runner;
    const QVariant bothNull = runner.eval("vb_concat(NULL, NULL)");
    EXPECT_TRUE(bothNull.isValid());
    EXPECT_EQ(bothNull.toString(), "");
    const QVariant nz = runner.eval("vb_nz(NULL)");
    EXPECT_TRUE(nz.isValid());
    EXPECT_EQ(nz.toString(), "");
    EXPECT_EQ(runner.eval("vb_nz(NULL, 0)").toInt(), 0);
    EXPECT_EQ(runner.eval("vb_nz(5, 0)").toInt(), 5);
    EXPECT_EQ(runner.eval("vb_nz('a', 'b')").toString(), "a");
    EXPECT_FALSE(runner.eval("vb_nz(NULL, NULL)").isValid());
}
