// What the parser and translator tests do not reach: reserved words in brackets, quotes doubled
// in both styles, numbers as written, and dates with times.
#include "data/jet/Lexer.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

using namespace data::jet;

namespace {

// The tokens' texts (a name's parts joined by "|"), without the End token.
QStringList texts(const QString& sql) {
    QStringList result;
    for (const Token& token : tokenize(sql))
        if (token.kind != TokenKind::End)
            result << (token.kind == TokenKind::Name ? token.parts.join('|') : token.text);
    return result;
}

} // namespace

TEST(JetLexer, NamesStringsAndNumbers) {
    EXPECT_EQ(texts("[Order Details].[UnitPrice] x.[y z] Format$ [Select] sElEcT"),
              QStringList({"Order Details|UnitPrice", "x|y z", "Format$", "Select", "SELECT"}));
    const std::vector<Token> tokens = tokenize("Format$([Select])");
    EXPECT_TRUE(tokens[0].bareName);
    EXPECT_EQ(tokens[2].kind, TokenKind::Name); // a bracketed reserved word is a name
    EXPECT_FALSE(tokens[2].bareName);

    EXPECT_EQ(texts(R"('it''s' "say ""hi""" 'a"b' "")"),
              QStringList({"it's", "say \"hi\"", "a\"b", ""}));
    EXPECT_EQ(tokenize(R"("x")")[0].kind, TokenKind::String);
    EXPECT_EQ(texts("12 1.5 .5 1e3 2.5E-3 7E+2"),
              QStringList({"12", "1.5", ".5", "1e3", "2.5E-3", "7E+2"}));
    // An exponent needs digits; otherwise the letter starts a name.
    EXPECT_EQ(tokenize("1e")[1].kind, TokenKind::Name);
}

TEST(JetLexer, DatesInJetsFormats) {
    EXPECT_EQ(texts("#3/4/2001# #12/31/1999 23:59:58# #2001-03-04# #2001-3-4 10:05#"),
              QStringList({"2001-03-04 00:00:00", "1999-12-31 23:59:58", "2001-03-04 00:00:00",
                           "2001-03-04 10:05:00"}));
    for (const char* bad : {"#2/30/2001#", "#13/1/2001#", "#2001-01-01 25:00#", "#soon#", "#1/1"})
        EXPECT_EQ(tokenize(bad)[0].problem, LexProblem::BadDate) << bad;
}
