#pragma once
// The timing loop the Windows benchmarks share: one warm-up call, then the
// operation timed with QueryPerformanceCounter, pending GDI work flushed
// inside each timing, and the median and mean printed on one line.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <numeric>
#include <vector>

namespace bench {

enum class TimeUnit { Microseconds, Milliseconds };

inline double TicksTo(TimeUnit unit, LONGLONG ticks) {
    static const LONGLONG frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f.QuadPart;
    }();
    const double perSecond = unit == TimeUnit::Microseconds ? 1e6 : 1e3;
    return double(ticks) * perSecond / double(frequency);
}

// Answers the median.
inline double Measure(const char* name, int repetitions, TimeUnit unit, const std::function<void()>& operation) {
    operation();  // warm-up: first-use DCs and caches
    std::vector<double> times;
    times.reserve(size_t(repetitions));
    for (int i = 0; i < repetitions; ++i) {
        LARGE_INTEGER start;
        LARGE_INTEGER end;
        QueryPerformanceCounter(&start);
        operation();
        GdiFlush();
        QueryPerformanceCounter(&end);
        times.push_back(TicksTo(unit, end.QuadPart - start.QuadPart));
    }
    std::sort(times.begin(), times.end());
    const double median = times[times.size() / 2];
    const double mean = std::accumulate(times.begin(), times.end(), 0.0) / double(times.size());
    if (unit == TimeUnit::Microseconds) {
        std::printf("%-52s %6d runs  median %10.1f us  mean %10.1f us\n", name, repetitions, median, mean);
    } else {
        std::printf("%-52s %6d runs  median %8.3f ms  mean %8.3f ms\n", name, repetitions, median, mean);
    }
    return median;
}

} // namespace bench
