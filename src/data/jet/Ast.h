#pragma once

#include <QString>
#include <QStringList>
#include <memory>
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

struct SelectStatement;

enum class ExprKind {
    Number,  // text: as written
    String,  // text: the value
    Date,    // text: 'YYYY-MM-DD HH:MM:SS'
    Boolean, // text: "TRUE" or "FALSE"
    Null,
    Column,   // parts: the qualifier's parts, then the column's name
    Star,     // the * of Count(*)
    Unary,    // op; args: the operand
    Binary,   // op; args: left, right
    Like,     // args: value, pattern; negated for Not Like
    IsNull,   // args: value; negated for Is Not Null
    Between,  // args: value, low, high; negated for Not Between
    In,       // args: value, then each listed value; negated for Not In
    Call,     // text: the function's name as written; args
    Subquery, // query: a SELECT in parentheses giving one value (or, as In's one listed value,
              // the values to look in)
    Exists,   // query: the SELECT of EXISTS (SELECT ...), true when it gives any row
};

struct Expr {
    ExprKind kind = ExprKind::Null;
    QString text;
    QStringList parts;
    Op op = Op::Neg;
    bool negated = false;
    std::vector<Expr> args;
    std::shared_ptr<const SelectStatement> query;
    QString source; // the expression as written in the statement, for messages
};

struct SelectItem {
    bool star = false;         // SELECT *, or SELECT Products.* with the qualifier below
    QStringList starQualifier; // the parts of the name before .*; empty for a plain *
    Expr expr;
    QString alias; // empty without AS
};

enum class JoinKind { Inner, Left, Right };

// One source listed after FROM: a table or saved query, or two sources joined.
struct FromSource {
    QStringList table; // the table's or query's name, part by part; empty for a join
    QString alias;
    JoinKind join = JoinKind::Inner;
    std::vector<FromSource> sides; // a join's left and right sources
    std::optional<Expr> on;        // a join's condition
};

// TOP n or TOP n PERCENT.
struct TopClause {
    QString count; // as written
    bool percent = false;
};

struct OrderTerm {
    Expr expr;
    bool descending = false;
};

struct SelectStatement {
    bool distinct = false;
    bool distinctRow = false; // DISTINCTROW: each combination of the output tables' rows once
    std::optional<TopClause> top;
    std::vector<SelectItem> items;
    std::vector<FromSource> from; // the sources after FROM, separated there by commas
    std::optional<Expr> where;
    std::vector<Expr> groupBy;
    std::optional<Expr> having;
    std::vector<OrderTerm> orderBy;

    // The one table FROM names when it names one table and no join; null otherwise.
    const FromSource* singleTable() const {
        return from.size() == 1 && !from[0].table.isEmpty() ? &from[0] : nullptr;
    }
};

} // namespace data::jet
