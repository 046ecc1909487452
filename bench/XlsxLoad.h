#pragma once

#include "Stopwatch.h"

#include <QString>

// Loading a worksheet of an .xlsx workbook into the engine: a sheet of `rows` rows by 8 columns
// (shared strings, numbers, dates, truth values), written for the run, loaded whole.
namespace bench {

struct XlsxLoadTiming {
    long long rows = 0;
    qint64 fileBytes = 0;  // the workbook
    qint64 sheetBytes = 0; // its sheet's XML, unpacked
    Timing load;           // median: open the workbook, describe and load the sheet
    long peakGrowthKb = 0; // how far the process's peak memory rose over the first load
};

// Fails with data::Error when the workbook cannot be written or read.
XlsxLoadTiming timeXlsxLoad(long long rows, int runs);

} // namespace bench
