#include "data/jet/StorageMapping.h"

#include "data/TypeCodes.h"

namespace data::jet {

Storage storageFor(int adoType, int scale) {
    const TypeCode& type = typeCode(adoType);
    if (type.exactDecimal && scale == 0)
        return Storage::Integer;
    return type.storage;
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
