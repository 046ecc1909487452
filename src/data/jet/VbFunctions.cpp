#include "data/jet/VbFunctions.h"

#include "data/AdoTypes.h"

namespace data::jet {

using namespace data::ado;

namespace {

const VbFunction functions[] = {
    {"format", 1, 2, adVarWChar}, {"cdate", 1, 1, adDate},      {"chr", 1, 1, adVarWChar},
    {"cstr", 1, 1, adVarWChar},   {"cint", 1, 1, adSmallInt},   {"clng", 1, 1, adInteger},
    {"cdbl", 1, 1, adDouble},     {"ccur", 1, 1, adCurrency},   {"cbool", 1, 1, adBoolean},
    {"year", 1, 1, adSmallInt},   {"month", 1, 1, adSmallInt},  {"day", 1, 1, adSmallInt},
    {"hour", 1, 1, adSmallInt},   {"minute", 1, 1, adSmallInt}, {"second", 1, 1, adSmallInt},
    {"len", 1, 1, adInteger},     {"left", 2, 2, adVarWChar},   {"right", 2, 2, adVarWChar},
    {"mid", 2, 3, adVarWChar},    {"ucase", 1, 1, adVarWChar},  {"lcase", 1, 1, adVarWChar},
    {"trim", 1, 1, adVarWChar},   {"nz", 1, 2, adEmpty},
};

} // namespace

const VbFunction* findVbFunction(const QString& name) {
    const bool dollar = name.endsWith(u'$');
    const QString bare = (dollar ? name.chopped(1) : name).toLower();
    for (const VbFunction& function : functions) {
        if (bare == QLatin1String(function.name))
            return dollar && function.resultType != adVarWChar ? nullptr : &function;
    }
    return nullptr;
}

} // namespace data::jet
