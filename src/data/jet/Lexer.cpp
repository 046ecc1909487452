#include "data/jet/Lexer.h"

#include "data/jet/DateLiteral.h"

#include <QSet>
#include <optional>

namespace data::jet {
namespace {

bool isKeyword(const QString& upper) {
    static const QSet<QString> words = {
        "SELECT", "DISTINCT", "FROM", "WHERE", "GROUP", "BY",      "HAVING", "ORDER", "ASC",
        "DESC",   "AS",       "AND",  "OR",    "NOT",   "XOR",     "EQV",    "IMP",   "MOD",
        "LIKE",   "IS",       "NULL", "TRUE",  "FALSE", "BETWEEN", "IN",     "INTO",  "UNION"};
    return words.contains(upper);
}

bool startsBareName(QChar c) {
    return c.isLetter() || c == u'_';
}
bool continuesBareName(QChar c) {
    return c.isLetterOrNumber() || c == u'_' || c == u'$';
}

class Lexer {
public:
    explicit Lexer(const QString& sql) : sql_(sql) {}

    std::vector<Token> run() {
        while (true) {
            while (pos_ < sql_.size() && sql_[pos_].isSpace())
                ++pos_;
            if (pos_ >= sql_.size())
                break;
            readToken();
        }
        Token end;
        end.start = end.end = sql_.size();
        tokens_.push_back(end);
        return std::move(tokens_);
    }

private:
    QChar at(qsizetype i) const { return i < sql_.size() ? sql_[i] : QChar(); }

    void push(TokenKind kind, qsizetype start, QString text = {}) {
        Token token;
        token.kind = kind;
        token.text = std::move(text);
        token.start = start;
        token.end = pos_;
        tokens_.push_back(std::move(token));
    }

    // Ends the statement with one Invalid token running from start to its end.
    void invalidToEnd(qsizetype start, LexProblem problem) {
        pos_ = sql_.size();
        push(TokenKind::Invalid, start, sql_.mid(start));
        tokens_.back().problem = problem;
    }

    void readToken() {
        const qsizetype start = pos_;
        const QChar c = sql_[pos_];
        if (c == u'[' || startsBareName(c))
            return readName(start);
        if (c.isDigit() || (c == u'.' && at(pos_ + 1).isDigit()))
            return readNumber(start);
        if (c == u'\'' || c == u'"')
            return readString(start, c);
        if (c == u'#')
            return readDate(start);
        if (readPunctuation(start))
            return;
        ++pos_;
        push(TokenKind::Invalid, start, QString(c));
        tokens_.back().problem = LexProblem::BadCharacter;
    }

    // The name between "[" and the "]" that closes it, where "]]" stands for a bracket of the
    // name: the program writes every bracketed name so (data::bracketedName). Nothing when no
    // bracket closes it.
    std::optional<QString> readBracketed() {
        QString name;
        for (qsizetype i = pos_ + 1; i < sql_.size(); ++i) {
            if (sql_[i] == u']') {
                if (at(i + 1) != u']') {
                    pos_ = i + 1;
                    return name;
                }
                ++i;
            }
            name += sql_[i];
        }
        return std::nullopt;
    }

    // One or more parts, [bracketed] or bare, joined by "." with nothing between.
    void readName(qsizetype start) {
        QStringList parts;
        bool bracketed = false;
        while (true) {
            if (at(pos_) == u'[') {
                const std::optional<QString> part = readBracketed();
                if (!part)
                    return invalidToEnd(start, LexProblem::UnclosedBracket);
                parts << *part;
                bracketed = true;
            } else {
                const qsizetype from = pos_;
                while (pos_ < sql_.size() && continuesBareName(sql_[pos_]))
                    ++pos_;
                parts << sql_.mid(from, pos_ - from);
            }
            const QChar separator = at(pos_), after = at(pos_ + 1);
            if (separator == u'.' && after == u'*') {
                pos_ += 2;
                push(TokenKind::Name, start, parts.last());
                tokens_.back().parts = parts;
                tokens_.back().star = true;
                return;
            }
            if ((separator != u'.' && separator != u'!') ||
                !(after == u'[' || startsBareName(after)))
                break;
            ++pos_;
        }
        const QString upper = parts.first().toUpper();
        if (parts.size() == 1 && !bracketed && isKeyword(upper))
            return push(TokenKind::Keyword, start, upper);
        push(TokenKind::Name, start, parts.last());
        tokens_.back().parts = parts;
        tokens_.back().bareName = parts.size() == 1 && !bracketed;
    }

    void skipDigits() {
        while (at(pos_).isDigit())
            ++pos_;
    }

    void readNumber(qsizetype start) {
        skipDigits();
        if (at(pos_) == u'.') {
            ++pos_;
            skipDigits();
        }
        const QChar e = at(pos_);
        if (e == u'e' || e == u'E') {
            qsizetype digits = pos_ + 1;
            if (at(digits) == u'+' || at(digits) == u'-')
                ++digits;
            if (at(digits).isDigit()) {
                pos_ = digits;
                skipDigits();
            }
        }
        push(TokenKind::Number, start, sql_.mid(start, pos_ - start));
    }

    // Jet takes both quote styles for strings; the quote doubled inside stands for itself.
    void readString(qsizetype start, QChar quote) {
        QString value;
        ++pos_;
        while (true) {
            if (pos_ >= sql_.size())
                return invalidToEnd(start, LexProblem::UnclosedString);
            if (sql_[pos_] == quote) {
                if (at(pos_ + 1) != quote)
                    break;
                ++pos_;
            }
            value += sql_[pos_++];
        }
        ++pos_;
        push(TokenKind::String, start, value);
    }

    void readDate(qsizetype start) {
        const qsizetype close = sql_.indexOf(u'#', start + 1);
        if (close < 0)
            return invalidToEnd(start, LexProblem::BadDate);
        pos_ = close + 1;
        const std::optional<QString> value =
            dateLiteralValue(sql_.mid(start + 1, close - start - 1));
        if (!value) {
            push(TokenKind::Invalid, start, sql_.mid(start, pos_ - start));
            tokens_.back().problem = LexProblem::BadDate;
            return;
        }
        push(TokenKind::Date, start, *value);
    }

    bool readPunctuation(qsizetype start) {
        static const char* const twoChar[] = {"<>", "<=", ">="};
        for (const char* op : twoChar) {
            if (sql_.mid(pos_, 2) == QLatin1String(op)) {
                pos_ += 2;
                push(TokenKind::Operator, start, QLatin1String(op));
                return true;
            }
        }
        const QChar c = sql_[pos_];
        TokenKind kind = TokenKind::Operator;
        if (c == u'(')
            kind = TokenKind::LeftParen;
        else if (c == u')')
            kind = TokenKind::RightParen;
        else if (c == u',')
            kind = TokenKind::Comma;
        else if (c == u';')
            kind = TokenKind::Semicolon;
        else if (!QStringLiteral("=<>+-*/\\^&").contains(c))
            return false;
        ++pos_;
        push(kind, start, QString(c));
        return true;
    }

    const QString& sql_;
    qsizetype pos_ = 0;
    std::vector<Token> tokens_;
};

} // namespace

std::vector<Token> tokenize(const QString& sql) {
    return Lexer(sql).run();
}

} // namespace data::jet
