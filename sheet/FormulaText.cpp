#include <stdlib.h>
#include <string.h>

#include "sheet/FormulaText.h"

namespace
{

const char kOperandSeparators[] = "+-*/()=";

} // namespace

int ParseNumberText(LPCSTR pszText, double& dValue)
{
    if (pszText == NULL || pszText[0] < '0' || pszText[0] > '9')
        return -1;
    for (LPCSTR p = pszText; *p != '\0'; ++p)
        if ((*p < '0' || *p > '9') && *p != '.')
            return -1;
    dValue = atof(pszText);
    return 1;
}

CString FoldOperandName(LPCSTR pszName)
{
    CString str = pszName;
    str.MakeUpper();
    return str;
}

int ListFormulaOperands(CString& strOut, LPCSTR pszFormula)
{
    const CString strSource = pszFormula;
    int nAdded = 0;
    int nStart = 0;
    const int nLength = strSource.GetLength();
    for (int i = 0; i <= nLength; ++i)
    {
        if (i < nLength && strchr(kOperandSeparators, strSource[i]) == NULL)
            continue;
        CString strToken = strSource.Mid(nStart, i - nStart);
        nStart = i + 1;
        if (strToken.IsEmpty() || atof(strToken) != 0.0)
            continue;
        if (FoldOperandName("#" + strOut).Find(FoldOperandName("#" + strToken + "#")) >= 0)
            continue;
        strOut += strToken + "#";
        ++nAdded;
    }
    return nAdded;
}
