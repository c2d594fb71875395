// Timing helpers of the bench programs: a millisecond clock and the best
// time of several runs.
#pragma once

#include <windows.h>

inline double BenchNowMs()
{
    static LARGE_INTEGER s_frequency;
    if (s_frequency.QuadPart == 0 && !QueryPerformanceFrequency(&s_frequency))
        return 0.0;
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return (double)now.QuadPart * 1000.0 / (double)s_frequency.QuadPart;
}

// The shortest of nRuns calls of f, in milliseconds.
template<class F>
double BenchBestOf(int nRuns, F f)
{
    double dBest = 1e30;
    for (int i = 0; i < nRuns; ++i)
    {
        const double t0 = BenchNowMs();
        f();
        const double dMs = BenchNowMs() - t0;
        if (dMs < dBest)
            dBest = dMs;
    }
    return dBest;
}
