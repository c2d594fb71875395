#include <climits>
#include <cmath>
#include <cstdlib>

#include "shell/PointSizeText.h"

CString TwipsToPointText(int nTwips)
{
    CString str;
    if (nTwips < 0)
        return str;
    long nHalfPoints = ((long)nTwips + 5) / 10;
    if (nHalfPoints % 2 == 0)
        str.Format("%ld", nHalfPoints / 2);
    else
        str.Format("%.1f", nHalfPoints * 0.5);
    return str;
}

namespace
{
bool IsBlank(char ch) { return ch == ' ' || ch == '\t'; }
}

int ParseSizeTwips(LPCTSTR lpszText)
{
    if (lpszText == NULL)
        return SIZE_TEXT_EMPTY;
    while (IsBlank(*lpszText))
        ++lpszText;
    if (*lpszText == 0)
        return SIZE_TEXT_EMPTY;
    char* pEnd = NULL;
    double dPoints = strtod(lpszText, &pEnd);
    if (pEnd == lpszText)
        return SIZE_TEXT_INVALID;
    while (IsBlank(*pEnd))
        ++pEnd;
    if (*pEnd != 0 || std::isnan(dPoints))
        return SIZE_TEXT_INVALID;
    if (dPoints < 0)
        return 0;
    // Converting a double beyond the int range is undefined: cap it first.
    double dTwips = dPoints * 20;
    if (dTwips >= (double)INT_MAX)
        return INT_MAX;
    return (int)dTwips;
}
