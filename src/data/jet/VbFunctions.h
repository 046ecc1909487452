#pragma once

#include <QString>

// The VB functions a statement may call. The engine registers each as a SQL function named
// vb_<name>.
namespace data::jet {

struct VbFunction {
    const char* name; // lower case, without $
    int minArgs;
    int maxArgs;
    int resultType; // data::ado code; adEmpty when it is the type the arguments share (Nz)
};

// The function called by this name: any case, with a trailing $ for those that give text.
// Null for a name that is no VB function.
const VbFunction* findVbFunction(const QString& name);

} // namespace data::jet
