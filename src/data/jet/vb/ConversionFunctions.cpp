#include "data/jet/vb/Conversions.h"
#include "data/jet/vb/VbFunctions.h"

#include <array>

namespace data::jet::vb {

namespace {

void cint(SqlCall& call) {
    call.setInteger(toInteger(call.number(0)));
}
void clng(SqlCall& call) {
    call.setInteger(toLong(call.number(0)));
}
void cdbl(SqlCall& call) {
    call.setDouble(call.number(0));
}
void ccur(SqlCall& call) {
    call.setDouble(toCurrency(call.number(0)));
}

// Numbers are True unless zero; text may also say "True" or "False".
void cbool(SqlCall& call) {
    if (call.type(0) == SQLITE_TEXT) {
        const QString text = call.text(0).trimmed();
        if (text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
            return call.setBoolean(true);
        if (text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
            return call.setBoolean(false);
    }
    call.setBoolean(call.number(0) != 0);
}

constexpr std::array Functions{
    FunctionDefinition{"vb_cint", 1, &cint},   FunctionDefinition{"vb_clng", 1, &clng},
    FunctionDefinition{"vb_cdbl", 1, &cdbl},   FunctionDefinition{"vb_ccur", 1, &ccur},
    FunctionDefinition{"vb_cbool", 1, &cbool},
};

} // namespace

std::span<const FunctionDefinition> conversionFunctions() {
    return Functions;
}

} // namespace data::jet::vb
