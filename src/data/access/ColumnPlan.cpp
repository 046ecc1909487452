#include "data/access/ColumnPlan.h"

#include "data/AdoTypes.h"
#include "data/access/ExtendedDate.h"
#include "data/access/JetNumeric.h"

namespace data::access {

namespace {
// Date/Time Extended, a type libmdb does not name.
constexpr int ExtendedDateTimeType = 0x14;

struct KindInfo {
    ValueKind kind;
    int adoType;
    int storedSize;
};

KindInfo kindOf(const MdbColumn& column) {
    switch (column.col_type) {
    case MDB_BOOL:
        return KindInfo{ValueKind::Boolean, ado::adBoolean, 0};
    case MDB_BYTE:
        return KindInfo{ValueKind::Byte, ado::adUnsignedTinyInt, 1};
    case MDB_INT:
        return KindInfo{ValueKind::Integer, ado::adSmallInt, 2};
    case MDB_LONGINT:
        return KindInfo{ValueKind::LongInteger, ado::adInteger, 4};
    case MDB_MONEY:
        return KindInfo{ValueKind::Currency, ado::adCurrency, 8};
    case MDB_FLOAT:
        return KindInfo{ValueKind::Single, ado::adSingle, 4};
    case MDB_DOUBLE:
        return KindInfo{ValueKind::Double, ado::adDouble, 8};
    case MDB_DATETIME:
        return KindInfo{ValueKind::DateTime, ado::adDate, 8};
    case MDB_BINARY:
        return KindInfo{ValueKind::Binary, column.is_fixed ? ado::adBinary : ado::adVarBinary, 0};
    case MDB_TEXT:
        return KindInfo{ValueKind::Text, ado::adVarWChar, 0};
    case MDB_OLE:
        return KindInfo{ValueKind::OleObject, ado::adLongVarBinary, 0};
    case MDB_MEMO:
        return KindInfo{ValueKind::Memo, ado::adLongVarWChar, 0};
    case MDB_REPID:
        return KindInfo{ValueKind::ReplicationId, ado::adGUID, 16};
    case MDB_NUMERIC:
        return KindInfo{ValueKind::Numeric, ado::adNumeric, NumericSize};
    case ExtendedDateTimeType:
        return KindInfo{ValueKind::ExtendedDateTime, ado::adDate, ExtendedDateSize};
    default:
        return KindInfo{ValueKind::Unknown, column.is_fixed ? ado::adBinary : ado::adVarBinary, 0};
    }
}
} // namespace

ColumnPlan planColumn(const MdbColumn& column, int position, const QString& name, bool calculated) {
    const KindInfo info = kindOf(column);
    ColumnPlan plan;
    plan.position = position;
    plan.name = name;
    plan.kind = info.kind;
    plan.adoType = info.adoType;
    // libmdb takes the column's precision and scale from each other's byte: its col_prec
    // holds the scale (and its own Numeric formatting passes them crosswise to match).
    plan.scale = info.kind == ValueKind::Numeric ? column.col_prec : 0;
    plan.storedSize = info.storedSize;
    plan.calculated = calculated;
    return plan;
}

} // namespace data::access
