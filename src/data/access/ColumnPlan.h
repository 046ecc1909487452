#pragma once

#include <QString>
#include <mdbtools.h>
#include <optional>

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
    Binary,
    Text,
    OleObject,
    Memo,
    ReplicationId,
    Numeric,
};

struct ColumnPlan {
    int position = 0; // index into libmdb's column list (and its cracked fields)
    QString name;
    ValueKind kind = ValueKind::Text;
    int adoType = 0;
    int scale = 0;      // decimals of a Numeric column
    int storedSize = 0; // bytes a fixed-size value occupies; 0 for variable ones
};

// The plan for a column of libmdb's type, or nothing for a column the program leaves out:
// attachment and multi-value columns (their values are keys into hidden tables) and types
// newer than libmdb knows.
std::optional<ColumnPlan> planColumn(const MdbColumn& column, int position, const QString& name);

} // namespace data::access
