#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// A parsed Jet SELECT statement: plain data, one node type for every kind of expression.
namespace data::jet {

enum class Op {
    Neg, // unary minus
    Not,
    Pow,
    Mul,
    Div,
    IntDiv, // backslash
    Mod,
    Add,
    Sub,
    Concat, // &
    Eq,
    Ne,
    Lt,
    Gt,
    Le,
    Ge,
    And,
    Or,
    Xor,
    Eqv,
    Imp,
};

enum class ExprKind {
    Number,  // text: as written
    String,  // text: the value
    Date,    // text: 'YYYY-MM-DD HH:MM:SS'
    Boolean, // text: "TRUE" or "FALSE"
    Null,
    Column,  // parts: the qualifier's parts, then the column's name
    Star,    // the * of Count(*)
    Unary,   // op; args: the operand
    Binary,  // op; args: left, right
    Like,    // args: value, pattern; negated for Not Like
    IsNull,  // args: value; negated for Is Not Null
    Between, // args: value, low, high; negated for Not Between
    In,      // args: value, then each listed value; negated for Not In
    Call,    // text: the function's name as written; args
};

struct Expr {
    ExprKind kind = ExprKind::Null;
    QString text;
    QStringList parts;
    Op op = Op::Neg;
    bool negated = false;
    std::vector<Expr> args;
    QString source; // the expression as written in the statement, for messages
};

struct SelectItem {
    bool star = false; // SELECT *
    Expr expr;
    QString alias; // empty without AS
};

struct OrderTerm {
    Expr expr;
    bool descending = false;
};

struct SelectStatement {
    bool distinct = false;
    std::vector<SelectItem> items;
    QStringList table; // the source's name, part by part
    QString tableAlias;
    std::optional<Expr> where;
    std::vector<Expr> groupBy;
    std::optional<Expr> having;
    std::vector<OrderTerm> orderBy;
};

} // namespace data::jet
