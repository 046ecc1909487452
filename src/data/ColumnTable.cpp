#include "data/ColumnTable.h"

#include "data/ColumnTypes.h"
#include "data/Dialect.h"
#include "data/Error.h"
#include "data/Recordset.h"
#include "data/SqlName.h"

namespace data {

void resetSpareEntries(ColInfoTable& table, int fieldCount) {
    for (int i = std::max(fieldCount, 0); i <= ColInfoUpper; ++i)
        table[i] = ColInfoRec{"", "", Conversion::Spare, std::nullopt, false};
}

QString recordSourceFor(const QString& schema, const QString& tableName, Dialect dialect) {
    if (dialect == Dialect::Oracle && !schema.isEmpty())
        return oracleName(schema) + "." + oracleName(tableName);
    return sqlName(tableName, dialect);
}

QString structureSql(const QString& recordSource) {
    return "Select * From " + recordSource + " Where 1 = 0";
}

void requireColumnRoom(qsizetype count) {
    if (count > ColInfoUpper + 1)
        throw Error(QString("The record source has %1 columns; the program can work with at "
                            "most %2.")
                        .arg(count)
                        .arg(ColInfoUpper + 1));
}

int fillColumnTable(ColInfoTable& table, const Recordset& structure, Dialect dialect) {
    const int count = structure.fieldCount();
    requireColumnRoom(count);
    for (int i = 0; i < count; ++i) {
        const Field& field = structure.Fields(i);
        table[i] = ColInfoRec{field.Name, sqlName(field.Name, dialect), colADTypes(field.Type),
                              std::nullopt, false};
    }
    return count;
}

} // namespace data
