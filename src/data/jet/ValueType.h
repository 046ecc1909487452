#pragma once

#include "data/jet/Catalog.h"

// The type of a value a translated statement yields: the code the program sees, and how the
// engine hands the value back.
namespace data::jet {

struct ValueType {
    int ado = 0; // data::ado code; adEmpty for the Null literal, which has no type of its own
    Storage storage = Storage::Text;
};

// An expression of the given type code as the translated SQL yields it. Currency comes back
// already divided down to currency units, as a real number.
ValueType valueTypeOf(int adoType);

// Whole-number codes, Boolean included (Jet counts True as -1).
bool isIntegral(int adoType);

// The result of + - * on values of these types.
ValueType arithmeticType(ValueType left, ValueType right);

// The result of Sum over values of this type.
ValueType sumType(ValueType argument);

// The type of a value that is one of two (IIf's branches, Nz's value and default): theirs when
// they agree or one is Null, text otherwise.
ValueType commonType(ValueType first, ValueType second);

} // namespace data::jet
