#include "data/jet/StorageMapping.h"

#include "data/AdoTypes.h"

namespace data::jet {

Storage storageFor(int adoType, int scale) {
    using namespace data::ado;
    if (isIntegerType(adoType))
        return Storage::Integer;
    switch (adoType) {
    case adBoolean:
        return Storage::Boolean;
    case adSingle:
    case adDouble:
        return Storage::Real;
    case adNumeric:
    case adDecimal:
        return scale == 0 ? Storage::Integer : Storage::Real;
    case adCurrency:
        return Storage::Currency;
    case adDate:
    case adDBDate:
    case adDBTime:
    case adDBTimeStamp:
        return Storage::DateTime;
    case adChar:
    case adWChar:
    case adVarChar:
    case adLongVarChar:
    case adVarWChar:
    case adLongVarWChar:
        return Storage::Text;
    default:
        return Storage::Blob;
    }
}

const char* declaredType(Storage storage) {
    switch (storage) {
    case Storage::Integer:
    case Storage::Boolean:
    case Storage::Currency:
        return "INTEGER";
    case Storage::Real:
        return "REAL";
    case Storage::DateTime:
        return "TEXT";
    case Storage::Text:
        return "TEXT COLLATE JETTEXT";
    case Storage::Blob:
        break;
    }
    return "BLOB";
}

} // namespace data::jet
