#pragma once

#include <algorithm>
#include <chrono>
#include <ctime>
#include <vector>

// Times in seconds, by the clock on the wall and by the processor time this thread used. On a
// machine that other work shares, the wall clock counts the time the thread waited for a core;
// processor time does not, which keeps comparisons steady.
namespace bench {

struct Timing {
    double wall = 0;
    double cpu = 0;
};

inline double threadCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

template <typename F> Timing timeOf(F&& f) {
    const auto start = std::chrono::steady_clock::now();
    const double cpuStart = threadCpuSeconds();
    f();
    return {std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(),
            threadCpuSeconds() - cpuStart};
}

// The middle value; of an even count, the mean of the two middle ones.
inline double median(std::vector<double> values) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const std::size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

// The median of each clock on its own.
inline Timing median(const std::vector<Timing>& timings) {
    std::vector<double> wall;
    std::vector<double> cpu;
    for (const Timing& t : timings) {
        wall.push_back(t.wall);
        cpu.push_back(t.cpu);
    }
    return {median(wall), median(cpu)};
}

} // namespace bench
