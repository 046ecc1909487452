#include "data/jet/JetTestSupport.h"

#include <gtest/gtest.h>

using namespace data::jet::testing;

TEST(VbTextFunctions, PiecesOfText) {
    QueryRunner runner;
    const std::pair<const char*, const char*> texts[] = {
        {"vb_left('Hello', 2)", "He"},
        {"vb_left('Hi', 5)", "Hi"},
        {"vb_left('Hello', 0)", ""},
        {"vb_right('Hello', 3)", "llo"},
        {"vb_mid('Hello', 2, 3)", "ell"},
        {"vb_mid('Hello', 2)", "ello"},
        {"vb_mid('Hello', 9)", ""},
        {"vb_mid('Umsätze', 4, 2)", "ät"},
        {"vb_left(12345, 2)", "12"},
        {"vb_ucase('ärger')", "ÄRGER"},
        {"vb_lcase('NORTH Ä')", "north ä"},
        {"vb_trim('  a b  ')", "a b"},
        {"vb_trim(char(9) || 'a ')", "\ta"},
        {"vb_chr(65)", "A"},
        {"vb_chr(128)", "€"},
        {"vb_chr(228)", "ä"},
    };
    for (const auto& [sql, expected] : texts)
        EXPECT_EQ(runner.eval(sql).toString(), QString::fromUtf8(expected)) << sql;
    EXPECT_EQ(runner.eval("vb_len('Umsätze')").toInt(), 7);
    EXPECT_EQ(runner.eval("vb_len(1.5)").toInt(), 3);
    for (const char* sql : {"SELECT vb_left('a', -1)", "SELECT vb_mid('abc', 0)",
                            "SELECT vb_mid('abc', 1, -2)", "SELECT vb_chr(256)"})
        EXPECT_EQ(runner.errorOf(sql), "Invalid procedure call or argument") << sql;
    for (const char* sql : {"vb_len(NULL)", "vb_left(NULL, 2)", "vb_left('a', NULL)",
                            "vb_mid('abc', 1, NULL)", "vb_ucase(NULL)", "vb_trim(NULL)"})
        EXPECT_TRUE(runner.eval(sql).isNull()) << sql;
}

TEST(VbLike, JetPatternsWithoutRegardToCase) {
    QueryRunner runner;
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"North", "n*", true},
        {"North", "*TH", true},
        {"North", "South", false},
        {"abc", "a?c", true},
        {"ac", "a?c", false},
        {"a1c", "a#c", true},
        {"abc", "a#c", false},
        {"b", "[a-c]", true},
        {"B", "[a-c]", true},
        {"d", "[!a-c]", true},
        {"b", "[!a-c]", false},
        {"aXb", "a[xy]b", true},
        {"*x", "[*]x", true},
        {"ax", "[*]x", false},
        {"a-", "a[-]", true},
        {"Ärger", "ä*", true},
        {"ärger", "[Ä]RGER", true},
        {"", "*", true},
        {"", "?", false},
        {"mississippi", "*iss*ipp?", true},
        {"mississippi", "m*s*z", false},
        {"abc", "ab", false},
        {"100%", "#*[%]", true},
    };
    for (const auto& [text, pattern, expected] : cases) {
        const QByteArray sql = QByteArray("vb_like('") + text + "', '" + pattern + "')";
        EXPECT_EQ(runner.eval(sql).toInt(), expected ? -1 : 0) << sql.constData();
    }
    EXPECT_EQ(runner.errorOf("SELECT vb_like('x', 'a[bc')"), "Invalid pattern string");
    EXPECT_TRUE(runner.eval("vb_like(NULL, 'a')").isNull());
}
