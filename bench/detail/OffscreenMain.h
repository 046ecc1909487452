#pragma once

#include <QStringList>
#include <functional>

namespace bench {

// The start of a benchmark that drives the real window: the local time zone read once as the
// program reads it, the offscreen platform unless another is asked for, the application and the
// standard providers. Runs `run` with the program's arguments; a failure is printed and makes
// the exit status 1.
int runOffscreen(int argc, char** argv, const std::function<void(const QStringList&)>& run);

} // namespace bench
