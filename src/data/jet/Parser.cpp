#include "data/jet/Parser.h"

#include "data/Error.h"
#include "data/jet/Lexer.h"

#include <algorithm>

namespace data::jet {
namespace {

const QString onlySelect = QStringLiteral("Only SELECT statements can be run on this data source.");
const QString misspelled =
    QStringLiteral("The SELECT statement includes a reserved word or an argument name that is "
                   "misspelled or missing, or the punctuation is incorrect.");
const QString fromError = QStringLiteral("Syntax error in FROM clause.");
const QString joinError = QStringLiteral("Syntax error in JOIN operation.");

// Deeper nesting than this is refused rather than risking the stack.
constexpr int maxNesting = 200;

struct OpWord {
    QStringView word;
    Op op;
};
using Levels = std::vector<std::vector<OpWord>>;

// Binary operators from the loosest binding to the tightest; Not and the comparisons sit
// between the two tables.
const Levels logicalLevels = {
    {{u"IMP", Op::Imp}}, {{u"EQV", Op::Eqv}}, {{u"XOR", Op::Xor}},
    {{u"OR", Op::Or}},   {{u"AND", Op::And}},
};
const Levels arithmeticLevels = {
    {{u"&", Op::Concat}},  {{u"+", Op::Add}, {u"-", Op::Sub}}, {{u"MOD", Op::Mod}},
    {{u"\\", Op::IntDiv}}, {{u"*", Op::Mul}, {u"/", Op::Div}}, {{u"^", Op::Pow}},
};
const std::vector<OpWord> comparisons = {
    {u"=", Op::Eq}, {u"<>", Op::Ne}, {u"<", Op::Lt},
    {u">", Op::Gt}, {u"<=", Op::Le}, {u">=", Op::Ge},
};

// Keywords, operators and punctuation are matched by their text; names and literals never.
bool isWord(const Token& token, QStringView word) {
    switch (token.kind) {
    case TokenKind::Keyword:
    case TokenKind::Operator:
    case TokenKind::LeftParen:
    case TokenKind::RightParen:
    case TokenKind::Comma:
    case TokenKind::Semicolon:
        return token.text == word;
    default:
        return false;
    }
}

// Where the text of an expression quoted in a message stops: at a clause's word (outside a
// subquery), or at the end of the clause item when outside parentheses.
bool endsExpressionText(const Token& token, int depth, bool inSubquery) {
    static const QStringView clauseWords[] = {u"FROM",  u"WHERE", u"GROUP", u"HAVING",
                                              u"ORDER", u"INTO",  u"UNION", u";"};
    static const QStringView itemWords[] = {u"AS", u"ASC", u"DESC", u","};
    const auto isAny = [&](const auto& words) {
        return std::any_of(std::begin(words), std::end(words),
                           [&](QStringView word) { return isWord(token, word); });
    };
    return token.kind == TokenKind::End || (!inSubquery && isAny(clauseWords)) ||
           (depth <= 0 && isAny(itemWords));
}

enum class ExprProblem { MissingOperator, MissingParen };

// A word Jet reserves only where it means something (JOIN, ON, TOP, DISTINCTROW, ...): outside
// those places it stays a name.
bool isBareWord(const Token& token, QStringView word) {
    return token.kind == TokenKind::Name && token.bareName && !token.star &&
           token.text.compare(word, Qt::CaseInsensitive) == 0;
}

bool isJoinWord(const Token& token) {
    static const QStringView words[] = {u"INNER", u"LEFT", u"RIGHT", u"OUTER", u"JOIN", u"ON"};
    return std::any_of(std::begin(words), std::end(words),
                       [&](QStringView word) { return isBareWord(token, word); });
}

class Parser {
public:
    explicit Parser(const QString& sql) : sql_(sql), tokens_(tokenize(sql)) {}

    SelectStatement statement() {
        if (!accept(u"SELECT"))
            throw Error(onlySelect);
        SelectStatement st = select();
        accept(u";");
        if (peek().kind != TokenKind::End)
            throw Error(QStringLiteral("Characters found after end of SQL statement."));
        return st;
    }

private:
    // The statement after its SELECT, up to its end or, in a subquery, its closing parenthesis.
    SelectStatement select() {
        SelectStatement st;
        if (acceptWord(u"DISTINCTROW"))
            st.distinctRow = true;
        else if (accept(u"DISTINCT"))
            st.distinct = true;
        else if (atWord(u"ALL") && peek(1).kind != TokenKind::Comma && !isWord(peek(1), u"FROM"))
            ++pos_;
        if (atWord(u"TOP") && peek(1).kind == TokenKind::Number) {
            ++pos_;
            st.top = TopClause{next().text, false};
            st.top->percent = acceptWord(u"PERCENT");
        }
        selectList(st);
        if (at(u"INTO"))
            throw Error(onlySelect); // SELECT ... INTO makes a table
        if (!accept(u"FROM"))
            fail(misspelled);
        fromList(st);
        if (accept(u"WHERE"))
            st.where = clauseExpression({u"GROUP", u"HAVING", u"ORDER"});
        if (accept(u"GROUP")) {
            if (!accept(u"BY"))
                fail(QStringLiteral("Syntax error in GROUP BY clause."));
            do
                st.groupBy.push_back(clauseExpression({u",", u"HAVING", u"ORDER"}));
            while (accept(u","));
        }
        if (accept(u"HAVING"))
            st.having = clauseExpression({u"ORDER"});
        if (accept(u"ORDER"))
            orderBy(st);
        return st;
    }

    const Token& peek(size_t ahead = 0) const {
        return tokens_[std::min(pos_ + ahead, tokens_.size() - 1)];
    }
    const Token& next() { return tokens_[pos_++]; }
    bool at(QStringView word) const { return isWord(peek(), word); }
    bool accept(QStringView word) {
        if (!at(word))
            return false;
        ++pos_;
        return true;
    }
    // A keyword, or a word reserved only where it is looked for (see isBareWord).
    bool atWord(QStringView word) const { return at(word) || isBareWord(peek(), word); }
    bool acceptWord(QStringView word) {
        if (!atWord(word))
            return false;
        ++pos_;
        return true;
    }
    // Where a subquery's clause may end: at its closing parenthesis.
    bool atSubqueryEnd() const { return subqueries_ > 0 && at(u")"); }

    // A clause-level failure; an unclosed bracket is reported as such wherever it is.
    [[noreturn]] void fail(const QString& message) const {
        const Token& token = peek();
        if (token.kind == TokenKind::Invalid && token.problem == LexProblem::UnclosedBracket)
            throw Error(QStringLiteral("Invalid bracketing of name '%1'.").arg(token.text));
        throw Error(message);
    }

    // The expression being read, as written, from its start to the end of its clause item.
    QString expressionText() const {
        const qsizetype start = tokens_[exprStart_].start;
        qsizetype end = start;
        std::vector<bool> open; // for each parenthesis open, whether a subquery follows it
        for (size_t i = exprStart_; i < tokens_.size(); ++i) {
            const Token& token = tokens_[i];
            const bool inSubquery = std::find(open.begin(), open.end(), true) != open.end();
            if (endsExpressionText(token, int(open.size()), inSubquery))
                break;
            if (token.kind == TokenKind::LeftParen)
                open.push_back(i + 1 < tokens_.size() && isWord(tokens_[i + 1], u"SELECT"));
            else if (token.kind == TokenKind::RightParen && !open.empty())
                open.pop_back();
            end = token.end;
        }
        return sql_.mid(start, end - start);
    }

    [[noreturn]] void expressionError(ExprProblem problem) const {
        const Token& token = peek();
        const QString text = expressionText();
        switch (token.kind == TokenKind::Invalid ? token.problem : LexProblem::None) {
        case LexProblem::UnclosedString:
            throw Error(
                QStringLiteral("Syntax error in string in query expression '%1'.").arg(text));
        case LexProblem::BadDate:
            throw Error(QStringLiteral("Syntax error in date in query expression '%1'.").arg(text));
        case LexProblem::UnclosedBracket:
            fail({});
        case LexProblem::BadCharacter:
            throw Error(QStringLiteral("Invalid character '%1' in query expression '%2'.")
                            .arg(token.text, text));
        case LexProblem::None:
            break;
        }
        if (problem == ExprProblem::MissingParen)
            throw Error(
                QStringLiteral("Missing ), ], or Item in query expression '%1'.").arg(text));
        throw Error(
            QStringLiteral("Syntax error (missing operator) in query expression '%1'.").arg(text));
    }

    // One expression of a clause, which must be followed by one of the words given (or the end).
    Expr clauseExpression(std::initializer_list<QStringView> follow) {
        exprStart_ = pos_;
        Expr expr = expression();
        const bool followed = peek().kind == TokenKind::End || at(u";") || atSubqueryEnd() ||
                              std::any_of(follow.begin(), follow.end(),
                                          [&](QStringView word) { return atWord(word); });
        if (!followed)
            expressionError(ExprProblem::MissingOperator);
        return expr;
    }

    void selectList(SelectStatement& st) {
        do {
            if (at(u"FROM") || peek().kind == TokenKind::End)
                fail(misspelled);
            SelectItem item;
            if (accept(u"*")) {
                item.star = true;
            } else if (peek().kind == TokenKind::Name && peek().star) {
                item.star = true;
                item.starQualifier = next().parts;
            } else {
                item.expr = clauseExpression({u",", u"FROM", u"INTO", u"AS"});
                if (accept(u"AS")) {
                    if (peek().kind != TokenKind::Name || peek().parts.size() != 1 || peek().star)
                        fail(misspelled);
                    item.alias = next().text;
                }
            }
            st.items.push_back(std::move(item));
        } while (accept(u","));
    }

    // Sources separated by commas, each a table or joined tables.
    void fromList(SelectStatement& st) {
        do
            st.from.push_back(joinedSource());
        while (accept(u","));
        static const QStringView follow[] = {u"WHERE", u"GROUP", u"HAVING", u"ORDER", u";"};
        if (peek().kind != TokenKind::End && !atSubqueryEnd() &&
            std::none_of(std::begin(follow), std::end(follow),
                         [&](QStringView word) { return at(word); }))
            fail(fromError);
    }

    // A source followed by any number of INNER, LEFT [OUTER] or RIGHT [OUTER] JOIN ... ON ...
    FromSource joinedSource() {
        Nesting nesting(*this);
        FromSource left = primarySource();
        while (true) {
            JoinKind kind = JoinKind::Inner;
            if (acceptWord(u"LEFT"))
                kind = JoinKind::Left;
            else if (acceptWord(u"RIGHT"))
                kind = JoinKind::Right;
            else if (!acceptWord(u"INNER"))
                break;
            if (kind != JoinKind::Inner)
                acceptWord(u"OUTER");
            if (!acceptWord(u"JOIN"))
                fail(joinError);
            FromSource right = primarySource();
            if (!acceptWord(u"ON"))
                fail(joinError);
            FromSource join;
            join.join = kind;
            join.on = clauseExpression(
                {u"INNER", u"LEFT", u"RIGHT", u")", u",", u"WHERE", u"GROUP", u"HAVING", u"ORDER"});
            join.sides.push_back(std::move(left));
            join.sides.push_back(std::move(right));
            left = std::move(join);
        }
        return left;
    }

    // A table with its alias, or joined sources in parentheses.
    FromSource primarySource() {
        if (accept(u"(")) {
            if (at(u"SELECT"))
                throw Error(QStringLiteral("A subquery in the FROM clause is not supported."));
            FromSource inner = joinedSource();
            if (!accept(u")"))
                fail(joinError);
            return inner;
        }
        if (peek().kind != TokenKind::Name || peek().star || isJoinWord(peek()))
            fail(fromError);
        FromSource source;
        source.table = next().parts;
        if (accept(u"AS") || (peek().kind == TokenKind::Name && !isJoinWord(peek()))) {
            if (peek().kind != TokenKind::Name || peek().parts.size() != 1 || peek().star)
                fail(fromError);
            source.alias = next().text;
        }
        return source;
    }

    void orderBy(SelectStatement& st) {
        if (!accept(u"BY"))
            fail(QStringLiteral("Syntax error in ORDER BY clause."));
        do {
            OrderTerm term;
            term.expr = clauseExpression({u",", u"ASC", u"DESC"});
            term.descending = accept(u"DESC");
            if (!term.descending)
                accept(u"ASC");
            st.orderBy.push_back(std::move(term));
        } while (accept(u","));
    }

    // Counts nesting while an expression is read, refusing what would go too deep.
    struct Nesting {
        explicit Nesting(Parser& parser) : parser_(parser) {
            if (++parser_.depth_ > maxNesting)
                throw Error(QStringLiteral("Query too complex."));
        }
        ~Nesting() { --parser_.depth_; }
        Parser& parser_;
    };

    Expr node(ExprKind kind, size_t first, std::vector<Expr> args = {}) const {
        Expr expr;
        expr.kind = kind;
        expr.args = std::move(args);
        const qsizetype start = tokens_[first].start;
        expr.source = sql_.mid(start, tokens_[pos_ - 1].end - start);
        return expr;
    }

    Expr operation(ExprKind kind, Op op, size_t first, std::vector<Expr> args) const {
        Expr expr = node(kind, first, std::move(args));
        expr.op = op;
        return expr;
    }

    const Op* match(const std::vector<OpWord>& ops) {
        for (const OpWord& candidate : ops)
            if (accept(candidate.word))
                return &candidate.op;
        return nullptr;
    }

    // Left-associative binary operators, level by level, with `below` for the operands of the
    // tightest level.
    Expr chain(const Levels& levels, size_t level, Expr (Parser::*below)()) {
        if (level == levels.size())
            return (this->*below)();
        const size_t first = pos_;
        Expr left = chain(levels, level + 1, below);
        while (const Op* op = match(levels[level])) {
            Expr right = chain(levels, level + 1, below);
            std::vector<Expr> args;
            args.push_back(std::move(left));
            args.push_back(std::move(right));
            left = operation(ExprKind::Binary, *op, first, std::move(args));
        }
        return left;
    }

    Expr expression() {
        Nesting nesting(*this);
        return chain(logicalLevels, 0, &Parser::negation);
    }

    Expr negation() {
        const size_t first = pos_;
        if (!accept(u"NOT"))
            return comparison();
        Nesting nesting(*this);
        std::vector<Expr> args;
        args.push_back(negation());
        return operation(ExprKind::Unary, Op::Not, first, std::move(args));
    }

    // Comparisons, Like, Is [Not] Null, [Not] Between ... And ..., [Not] In (...).
    Expr comparison() {
        const size_t first = pos_;
        Expr left = arithmetic();
        while (true) {
            std::vector<Expr> args;
            args.push_back(std::move(left));
            if (const Op* op = match(comparisons)) {
                args.push_back(arithmetic());
                left = operation(ExprKind::Binary, *op, first, std::move(args));
                continue;
            }
            if (accept(u"IS")) {
                const bool negated = accept(u"NOT");
                if (!accept(u"NULL"))
                    expressionError(ExprProblem::MissingOperator);
                left = node(ExprKind::IsNull, first, std::move(args));
                left.negated = negated;
                continue;
            }
            const Token& after = peek(1);
            const bool negated = at(u"NOT") && (isWord(after, u"LIKE") ||
                                                isWord(after, u"BETWEEN") || isWord(after, u"IN"));
            if (negated)
                ++pos_;
            ExprKind kind = ExprKind::Like;
            if (accept(u"LIKE")) {
                args.push_back(arithmetic());
            } else if (accept(u"BETWEEN")) {
                kind = ExprKind::Between;
                args.push_back(arithmetic());
                if (!accept(u"AND"))
                    expressionError(ExprProblem::MissingOperator);
                args.push_back(arithmetic());
            } else if (accept(u"IN")) {
                kind = ExprKind::In;
                if (at(u"(") && isWord(peek(1), u"SELECT")) {
                    args.push_back(subquery());
                } else {
                    if (!accept(u"("))
                        expressionError(ExprProblem::MissingOperator);
                    do
                        args.push_back(expression());
                    while (accept(u","));
                    if (!accept(u")"))
                        expressionError(ExprProblem::MissingParen);
                }
            } else {
                return std::move(args.front());
            }
            left = node(kind, first, std::move(args));
            left.negated = negated;
        }
    }

    Expr arithmetic() { return chain(arithmeticLevels, 0, &Parser::unary); }

    Expr unary() {
        const size_t first = pos_;
        if (accept(u"+"))
            return unary();
        if (!accept(u"-"))
            return primary();
        Nesting nesting(*this);
        std::vector<Expr> args;
        args.push_back(unary());
        return operation(ExprKind::Unary, Op::Neg, first, std::move(args));
    }

    Expr leaf(ExprKind kind, size_t first) {
        const Token& token = next();
        Expr expr = node(kind, first);
        expr.text = token.text;
        expr.parts = token.parts;
        return expr;
    }

    Expr primary() {
        const size_t first = pos_;
        const Token& token = peek();
        switch (token.kind) {
        case TokenKind::Number:
            return leaf(ExprKind::Number, first);
        case TokenKind::String:
            return leaf(ExprKind::String, first);
        case TokenKind::Date:
            return leaf(ExprKind::Date, first);
        case TokenKind::Name:
            if (isBareWord(token, u"EXISTS") && isWord(peek(1), u"(") &&
                isWord(peek(2), u"SELECT")) {
                ++pos_;
                Expr exists = subquery();
                exists.kind = ExprKind::Exists;
                return exists;
            }
            if (token.bareName && isWord(peek(1), u"("))
                return call();
            if (token.star)
                break;
            if (isBareWord(token, u"YES") || isBareWord(token, u"NO")) {
                const bool yes = isBareWord(token, u"YES");
                Expr expr = leaf(ExprKind::Boolean, first);
                expr.text = yes ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
                return expr;
            }
            return leaf(ExprKind::Column, first);
        case TokenKind::Keyword:
            if (at(u"TRUE") || at(u"FALSE"))
                return leaf(ExprKind::Boolean, first);
            if (at(u"NULL"))
                return leaf(ExprKind::Null, first);
            break;
        case TokenKind::LeftParen: {
            if (isWord(peek(1), u"SELECT"))
                return subquery();
            ++pos_;
            Expr inner = expression();
            if (!accept(u")"))
                expressionError(ExprProblem::MissingParen);
            return inner;
        }
        default:
            break;
        }
        expressionError(ExprProblem::MissingOperator);
    }

    // (SELECT ...): a statement of its own, read up to its closing parenthesis.
    Expr subquery() {
        const size_t first = pos_;
        pos_ += 2; // ( SELECT
        Nesting nesting(*this);
        const size_t itemStart = exprStart_;
        ++subqueries_;
        auto query = std::make_shared<SelectStatement>(select());
        --subqueries_;
        exprStart_ = itemStart;
        if (!accept(u")"))
            expressionError(ExprProblem::MissingParen);
        Expr expr = node(ExprKind::Subquery, first);
        expr.query = std::move(query);
        return expr;
    }

    // name(args), or Count(*).
    Expr call() {
        const size_t first = pos_;
        const QString name = next().text;
        ++pos_; // (
        Nesting nesting(*this);
        std::vector<Expr> args;
        if (!accept(u")")) {
            do {
                if (at(u"*") && isWord(peek(1), u")")) {
                    args.push_back(leaf(ExprKind::Star, pos_));
                    continue;
                }
                args.push_back(expression());
            } while (accept(u","));
            if (!accept(u")"))
                expressionError(ExprProblem::MissingParen);
        }
        Expr expr = node(ExprKind::Call, first, std::move(args));
        expr.text = name;
        return expr;
    }

    const QString& sql_;
    std::vector<Token> tokens_;
    size_t pos_ = 0;
    size_t exprStart_ = 0; // the first token of the clause item being read, for messages
    int depth_ = 0;
    int subqueries_ = 0; // how many subqueries the token being read is in
};

} // namespace

SelectStatement parseSelect(const QString& sql) {
    return Parser(sql).statement();
}

} // namespace data::jet
