#pragma once

#include <QString>
#include <mdbtools.h>

// How each of a table's columns is read and which type code the program sees for it.
namespace data::access {

enum class ValueKind {
    Boolean,
    Byte,
    Integer,
    LongInteger,
    Currency,
    Single,
    Double,
    DateTime,
    ExtendedDateTime, // Date/Time Extended (Access 2019), read as a date to the second
    Binary,
    Text,
    OleObject,
    Memo,
    ReplicationId,
    Numeric,
    Unknown, // attachments, multi-value lists, and types newer than the reader knows: bytes
};

struct ColumnPlan {
    int position = 0; // index into libmdb's column list (and its cracked fields)
    QString name;
    ValueKind kind = ValueKind::Text;
    int adoType = 0;
    int scale = 0;      // decimals of a Numeric column
    int storedSize = 0; // bytes a fixed-size value occupies; 0 for variable ones
    // Calculated (Access 2010 and later): the row keeps the expression's last result in its
    // variable part, wrapped (CalculatedValue), in the type the column names.
    bool calculated = false;
};

// The plan for a column of libmdb's type. A column the reader cannot read as values (an
// attachment or multi-value column, whose values are keys into hidden tables, or a type newer
// than libmdb knows: Large Number) is still shown, as its stored bytes,
// which the grid shows and the tree does not group.
ColumnPlan planColumn(const MdbColumn& column, int position, const QString& name, bool calculated);

} // namespace data::access
