#pragma once

#include "Stopwatch.h"

#include <QString>
#include <QStringList>

// Loading every table of an Access file through the program's reader into the engine, against
// mdb-export writing the same tables out as text.
namespace bench {

struct AccessLoadTiming {
    QStringList tables; // the file's own tables, system tables left out
    long long rows = 0; // in all of them
    Timing engine;      // medians: open the file, load every table into a new engine
    Timing mdbExport;   // medians: one mdb-export per table, output thrown away; processor time
                        // is that of the mdb-export processes
    bool mdbExportFound = false;
};

// Fails with data::Error when the file cannot be read.
AccessLoadTiming timeAccessLoad(const QString& path, int runs);

} // namespace bench
