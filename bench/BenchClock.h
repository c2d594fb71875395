// Timing helpers of the bench programs: a millisecond clock, the best
// time of several runs and the best times of two jobs timed side by side.
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

// The shortest times of two jobs run alternately nRuns times, so a busy
// spell of the machine slows both alike.
template<class F, class G>
void BenchBestOfPair(int nRuns, F f, G g, double& dBestF, double& dBestG)
{
    dBestF = dBestG = 1e30;
    for (int i = 0; i < nRuns; ++i)
    {
        double t0 = BenchNowMs();
        f();
        double t1 = BenchNowMs();
        g();
        double t2 = BenchNowMs();
        if (t1 - t0 < dBestF)
            dBestF = t1 - t0;
        if (t2 - t1 < dBestG)
            dBestG = t2 - t1;
    }
}
