#include "engines/common/PeriodLabel.h"

#include "framework/core/OleDateTime.h"

#include <stdlib.h>

namespace {

// The number of nDigits characters of the code from the 1-based position.
int CodeField(const CString& strCode, int nPosition, int nDigits)
{
    return atoi(strCode.Mid(nPosition - 1, nDigits));
}

}

CString PeriodLabelText(const CString& strCode)
{
    if (strCode.GetLength() != 13)
        return CString();
    CString strLabel;
    CString strPart;
    int nDay = CodeField(strCode, 12, 2);
    if (nDay >= 1 && nDay <= 31)
    {
        strPart.Format("%d", nDay);
        strLabel += strPart;
    }
    int nWeek = CodeField(strCode, 10, 2);
    if (nWeek >= 1 && nWeek <= 53)
    {
        strPart.Format("%d Week,", nWeek);
        strLabel += strPart;
    }
    int nMonth = CodeField(strCode, 7, 2);
    if (nMonth >= 1 && nMonth <= 12)
        strLabel += COleDateTime(2000, nMonth, 1, 0, 0, 0).Format("%B") + ",";
    int nQuarter = CodeField(strCode, 6, 1);
    if (nQuarter >= 1 && nQuarter <= 4)
    {
        strPart.Format("Q%d,", nQuarter);
        strLabel += strPart;
    }
    int nHalf = CodeField(strCode, 5, 1);
    if (nHalf == 1)
        strLabel += "Jan-Jun,";
    else if (nHalf == 2)
        strLabel += "Jul-Dec,";
    int nYear = CodeField(strCode, 1, 4);
    if (nYear != 0)
    {
        strPart.Format("%d", nYear);
        strLabel += strPart;
    }
    return strLabel;
}
