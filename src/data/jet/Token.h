#pragma once

#include <QString>
#include <QStringList>

// The pieces a Jet statement is cut into before it is parsed.
namespace data::jet {

enum class TokenKind {
    Name,     // an identifier, bare or [bracketed], possibly qualified with "." (or "!", as
              // forms' controls are named: [Forms]![Orders]![OrderID])
    Keyword,  // a reserved word; text is in upper case
    String,   // '...' or "..."; text is the value, doubled quotes undone
    Number,   // text as written: integer, decimal or with an exponent
    Date,     // #...#; text is the value as 'YYYY-MM-DD HH:MM:SS'
    Operator, // = <> < > <= >= + - * / \ ^ &
    LeftParen,
    RightParen,
    Comma,
    Semicolon,
    Invalid, // text that is not a token; problem says why
    End,     // after the last token
};

enum class LexProblem {
    None,
    UnclosedString,
    BadDate,
    UnclosedBracket,
    BadCharacter,
};

struct Token {
    TokenKind kind = TokenKind::End;
    QString text;
    QStringList parts;     // Name: each part of the qualified name, without brackets
    bool bareName = false; // Name: one part written without brackets (can name a function)
    bool star = false;     // Name: followed by .*, all columns of the source it names
    LexProblem problem = LexProblem::None;
    qsizetype start = 0; // offset of the token's first character in the statement
    qsizetype end = 0;   // offset just past its last character
};

} // namespace data::jet
