#include "data/jet/Lexer.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

using namespace data::jet;

namespace {

std::vector<Token> tokensOf(const QString& sql) {
    std::vector<Token> tokens = tokenize(sql);
    EXPECT_EQ(tokens.back().kind, TokenKind::End);
    tokens.pop_back();
    return tokens;
}

Token only(const QString& sql) {
    const std::vector<Token> tokens = tokensOf(sql);
    EXPECT_EQ(tokens.size(), 1u) << sql.toStdString();
    return tokens.empty() ? Token{} : tokens.front();
}

} // namespace

TEST(JetLexer, NamesBracketedBareAndQualified) {
    const auto tokens =
        tokensOf("[Order Details].[UnitPrice] SALES.ORDERS Format$ [Select] x.[y z]");
    ASSERT_EQ(tokens.size(), 5u);
    EXPECT_EQ(tokens[0].parts, QStringList({"Order Details", "UnitPrice"}));
    EXPECT_EQ(tokens[0].start, 0);
    EXPECT_EQ(tokens[0].end, 27);
    EXPECT_EQ(tokens[1].parts, QStringList({"SALES", "ORDERS"}));
    EXPECT_FALSE(tokens[1].bareName);
    EXPECT_EQ(tokens[2].parts, QStringList({"Format$"}));
    EXPECT_TRUE(tokens[2].bareName);
    // A bracketed reserved word is a name.
    EXPECT_EQ(tokens[3].kind, TokenKind::Name);
    EXPECT_FALSE(tokens[3].bareName);
    EXPECT_EQ(tokens[4].parts, QStringList({"x", "y z"}));
}

TEST(JetLexer, KeywordsAndOperatorsIgnoreCase) {
    const auto tokens = tokensOf("sElEcT mod Not is NULL true False <= >= <> < > = + - * / \\ ^ &");
    QStringList texts;
    for (const Token& token : tokens)
        texts << token.text;
    EXPECT_EQ(texts.join(' '), "SELECT MOD NOT IS NULL TRUE FALSE <= >= <> < > = + - * / \\ ^ &");
    EXPECT_EQ(tokens[0].kind, TokenKind::Keyword);
    EXPECT_EQ(tokens[7].kind, TokenKind::Operator);
    const auto punctuation = tokensOf("(a,b);");
    EXPECT_EQ(punctuation[0].kind, TokenKind::LeftParen);
    EXPECT_EQ(punctuation[2].kind, TokenKind::Comma);
    EXPECT_EQ(punctuation[4].kind, TokenKind::RightParen);
    EXPECT_EQ(punctuation[5].kind, TokenKind::Semicolon);
}

TEST(JetLexer, BothQuoteStylesMakeStrings) {
    const auto tokens = tokensOf(R"('it''s' "say ""hi""" 'a"b' "" 'Bon app''')");
    ASSERT_EQ(tokens.size(), 5u);
    EXPECT_EQ(tokens[0].text, "it's");
    EXPECT_EQ(tokens[1].text, "say \"hi\"");
    EXPECT_EQ(tokens[2].text, "a\"b");
    EXPECT_EQ(tokens[3].text, "");
    EXPECT_EQ(tokens[4].text, "Bon app'");
    for (const Token& token : tokens)
        EXPECT_EQ(token.kind, TokenKind::String);
}

TEST(JetLexer, NumbersAsWritten) {
    for (const char* number : {"12", "1.5", ".5", "1e3", "2.5E-3", "7E+2"}) {
        const Token token = only(number);
        EXPECT_EQ(token.kind, TokenKind::Number) << number;
        EXPECT_EQ(token.text, number);
    }
    // An exponent needs digits; otherwise the letter starts a name.
    const auto tokens = tokensOf("1e");
    ASSERT_EQ(tokens.size(), 2u);
    EXPECT_EQ(tokens[0].text, "1");
    EXPECT_EQ(tokens[1].kind, TokenKind::Name);
}

TEST(JetLexer, DatesInJetsFormats) {
    const std::pair<const char*, const char*> dates[] = {
        {"#3/4/2001#", "2001-03-04 00:00:00"},
        {"#12/31/1999 23:59:58#", "1999-12-31 23:59:58"},
        {"#2001-03-04#", "2001-03-04 00:00:00"},
        {"#2001-3-4 10:05#", "2001-03-04 10:05:00"},
    };
    for (const auto& [written, value] : dates) {
        const Token token = only(written);
        EXPECT_EQ(token.kind, TokenKind::Date) << written;
        EXPECT_EQ(token.text, value);
    }
    for (const char* bad : {"#2/30/2001#", "#13/1/2001#", "#2001-01-01 25:00#", "#soon#"}) {
        const Token token = only(bad);
        EXPECT_EQ(token.kind, TokenKind::Invalid) << bad;
        EXPECT_EQ(token.problem, LexProblem::BadDate);
    }
}

TEST(JetLexer, UnreadableTextBecomesInvalidTokens) {
    const auto string = tokensOf("a = 'open");
    EXPECT_EQ(string.back().problem, LexProblem::UnclosedString);
    EXPECT_EQ(string.back().text, "'open");
    EXPECT_EQ(tokensOf("[Open name").back().problem, LexProblem::UnclosedBracket);
    EXPECT_EQ(tokensOf("a = #1/1/2001").back().problem, LexProblem::BadDate);
    const auto character = tokensOf("a ~ b");
    ASSERT_EQ(character.size(), 3u);
    EXPECT_EQ(character[1].problem, LexProblem::BadCharacter);
}
