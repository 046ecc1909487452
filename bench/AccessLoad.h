#pragma once

#include <QString>
#include <QStringList>

// Loading every table of an Access file through the program's reader into the engine, against
// mdb-export writing the same tables out as text.
namespace bench {

struct AccessLoadTiming {
    QStringList tables;          // the file's own tables, system tables left out
    long long rows = 0;          // in all of them
    double engineSeconds = 0;    // median: open the file, load every table into a new engine
    double mdbExportSeconds = 0; // median: one mdb-export per table, output thrown away
    bool mdbExportFound = false;
};

// Fails with data::Error when the file cannot be read.
AccessLoadTiming timeAccessLoad(const QString& path, int runs);

} // namespace bench
