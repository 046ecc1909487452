#pragma once

#include <QString>
#include <algorithm>

namespace bench {

// Reads "--name=N" (N at least 1) into `into`; false when the argument is another one.
inline bool readCount(const QString& argument, const QString& prefix, int& into) {
    if (!argument.startsWith(prefix))
        return false;
    into = std::max(1, argument.mid(prefix.size()).toInt());
    return true;
}

} // namespace bench
