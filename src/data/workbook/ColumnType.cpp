#include "data/workbook/ColumnType.h"

#include "data/AdoTypes.h"

namespace data::workbook {

namespace {
// The bit of each kind of value; a cell's kind is its index in CellValue.
constexpr unsigned kindOf(std::size_t index) {
    return 1u << index;
}
constexpr unsigned Number = kindOf(1);
constexpr unsigned Truth = kindOf(2);
constexpr unsigned Date = kindOf(3);
static_assert(std::is_same_v<std::variant_alternative_t<1, CellValue>, double>);
static_assert(std::is_same_v<std::variant_alternative_t<2, CellValue>, bool>);
static_assert(std::is_same_v<std::variant_alternative_t<3, CellValue>, jet::DateTimeParts>);
} // namespace

void ColumnType::add(const CellValue& cell) {
    if (!isEmpty(cell))
        kinds_ |= kindOf(cell.index());
}

int ColumnType::adoType() const {
    switch (kinds_) {
    case Number:
        return ado::adDouble;
    case Truth:
        return ado::adBoolean;
    case Date:
        return ado::adDate;
    default:
        return ado::adVarWChar;
    }
}

} // namespace data::workbook
