// The machine's load while a bench program runs: a goal is judged only when
// no other work shared the machine, since a ratio taken beside other work
// says little.
#pragma once

#include <stdio.h>
#include <stdlib.h>

#include <windows.h>

// Above this one-minute load average the machine counts as busy.
const double BENCH_BUSY_LOAD = 2.0;

// The one-minute load average the Linux kernel reports, read through
// Wine's drive Z:; -1 when it cannot be read.
inline double BenchLoadAverage()
{
    HANDLE hFile = CreateFileA("Z:\\proc\\loadavg", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                               OPEN_EXISTING, 0, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return -1;
    char szText[128] = "";
    DWORD nRead = 0;
    BOOL bRead = ReadFile(hFile, szText, sizeof(szText) - 1, &nRead, NULL);
    CloseHandle(hFile);
    if (!bRead || nRead == 0)
        return -1;
    szText[nRead] = '\0';
    return atof(szText);
}

// The load averages at the start and the end of a run.
struct CBenchLoad
{
    double m_dStart;
    double m_dEnd;

    CBenchLoad() : m_dStart(BenchLoadAverage()), m_dEnd(-1) {}
    // Reads the load at the end and prints both readings.
    void End(const char* lpszWhat)
    {
        m_dEnd = BenchLoadAverage();
        printf("%s: load average %.2f at the start, %.2f at the end%s\n", lpszWhat, m_dStart, m_dEnd,
               IsBusy() ? " (machine busy: no goal is judged)" : "");
    }
    // The machine was busy at either reading, or its load is unknown.
    bool IsBusy() const
    {
        return m_dStart < 0 || m_dEnd < 0 || m_dStart > BENCH_BUSY_LOAD || m_dEnd > BENCH_BUSY_LOAD;
    }
    // "met" or "MISSED", or "machine busy" when the goal cannot be judged.
    const char* Verdict(bool bMet) const { return IsBusy() ? "machine busy" : bMet ? "met" : "MISSED"; }
};
