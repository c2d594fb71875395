// Times a million one-period steps of each period type.
#include "sheet/ReportPeriod.h"

#include <stdio.h>

namespace {

const int STEPS = 1000000;
// Restarting this often keeps every type clear of the year-9998 stop, where
// a step costs less than a real one.
const int STEPS_BEFORE_RESTART = 10000;

double ElapsedMs(const LARGE_INTEGER& start, const LARGE_INTEGER& end, const LARGE_INTEGER& frequency)
{
    return (double)(end.QuadPart - start.QuadPart) * 1000.0 / (double)frequency.QuadPart;
}

}

int main()
{
    struct Start
    {
        int nType;
        const char* pszName;
        const char* pszCode;
    };
    const Start starts[] = {
        { PERIOD_TENDAY, "ten-day", "2000000110000" },
        { PERIOD_HALFYEAR, "half year", "2000100000000" },
        { PERIOD_YEAR, "year", "2000000000000" },
        { PERIOD_QUARTER, "quarter", "2000010000000" },
        { PERIOD_MONTH, "month", "2000000100000" },
        { PERIOD_WEEK, "week", "2000000000100" },
        { PERIOD_DAY, "day", "2000000100001" },
    };

    LARGE_INTEGER frequency;
    if (!QueryPerformanceFrequency(&frequency) || frequency.QuadPart == 0)
    {
        fprintf(stderr, "QueryPerformanceFrequency failed\n");
        return 1;
    }

    double totalMs = 0;
    for (const Start& start : starts)
    {
        CReportPeriod period(start.pszCode, start.nType);
        LARGE_INTEGER begin, end;
        QueryPerformanceCounter(&begin);
        for (int i = 0; i < STEPS; ++i)
        {
            if (i % STEPS_BEFORE_RESTART == 0)
                period.SetPeriod(start.pszCode, start.nType);
            period.Next(1);
        }
        QueryPerformanceCounter(&end);
        double ms = ElapsedMs(begin, end, frequency);
        totalMs += ms;
        CString strLast = period.GetCode();
        printf("%-10s %d x Next(1): %8.2f ms (last %s)\n", start.pszName, STEPS, ms, (LPCTSTR)strLast);
    }
    printf("all types: %.2f ms\n", totalMs);
    return 0;
}
