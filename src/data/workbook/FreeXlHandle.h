#pragma once

#include <QByteArray>
#include <freexl.h>
#include <memory>

// An open FreeXL workbook. FreeXL hands out its handle even when opening fails, and expects it
// closed in every case.
namespace data::workbook {

struct FreeXlCloser {
    void operator()(const void* handle) const { freexl_close(handle); }
};
using FreeXlHandle = std::unique_ptr<const void, FreeXlCloser>;

// FreeXL opens a workbook by its path. It is given the bytes the reader has checked, as a file
// that lives in memory only: so it reads exactly those bytes, whatever happens to the file on
// disk meanwhile, and nothing is written anywhere. Returns FreeXL's status; FREEXL_FILE_NOT_FOUND
// when no such file can be made.
int openInFreeXl(const QByteArray& bytes, FreeXlHandle& handle);

} // namespace data::workbook
