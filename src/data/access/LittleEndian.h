#pragma once

#include <QtEndian>
#include <cstdint>

// Jet stores every number little-endian; these read one from raw page bytes.
namespace data::access {

template <typename T> T readLittleEndian(const unsigned char* bytes) {
    return qFromLittleEndian<T>(bytes);
}

} // namespace data::access
