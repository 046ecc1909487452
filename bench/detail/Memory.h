#pragma once

#include <QFile>
#include <QString>

// The process's memory as Linux reports it, in MiB: the resident set now (VmRSS) and its peak
// so far (VmHWM), which can be started over.
namespace bench {

inline double memoryMiB(const char* key) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(int(qstrlen(key))).trimmed().split(' ').front().toDouble() / 1024;
    return 0;
}

inline double residentMiB() {
    return memoryMiB("VmRSS:");
}
inline double peakMiB() {
    return memoryMiB("VmHWM:");
}

// Starts the peak over from the resident set now, so that it measures what follows alone; false
// where the system does not allow it.
inline bool resetPeak() {
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    return clear.open(QIODevice::WriteOnly) && clear.write("5") == 1;
}

} // namespace bench
