#pragma once

#include <freexl.h>
#include <memory>

// Ownership of an open FreeXL workbook. FreeXL hands out its handle even when opening fails, and
// expects it closed in every case.
namespace data::workbook {

struct FreeXlCloser {
    void operator()(const void* handle) const { freexl_close(handle); }
};
using FreeXlHandle = std::unique_ptr<const void, FreeXlCloser>;

} // namespace data::workbook
