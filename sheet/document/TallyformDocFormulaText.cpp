#include <stdlib.h>
#include <string.h>

#include "sheet/document/TallyformDoc.h"

namespace
{

const char kOperandDelimiters[] = "+-*/()#$";
const char kOperandSeparators[] = "+-*/()=";

BOOL IsDelimiter(char ch)
{
    return ch != '\0' && strchr(kOperandDelimiters, ch) != NULL;
}

} // namespace

void CTallyformDoc::ReplaceCellNameInFormula(int nCell, LPCSTR pszReplacement, CString& strFormula)
{
    if (nCell < 0 || nCell >= (int)m_sheet.m_cells.GetSize())
        return;
    const CString strName = m_sheet.m_cells[nCell].m_strName;
    const CString strReplacement = pszReplacement;
    const int nName = strName.GetLength();
    CString strText = "$" + strFormula + "#";
    // A replacement that holds the name further in would be found again.
    if (nName > 0 && strReplacement.Find(strName) <= 0)
    {
        int nPos = 0;
        while ((nPos = strText.Find(strName, nPos)) >= 0)
        {
            if (nPos > 0 && IsDelimiter(strText[nPos - 1])
                && nPos + nName < strText.GetLength() && IsDelimiter(strText[nPos + nName]))
            {
                strText = strText.Left(nPos) + strReplacement + strText.Mid(nPos + nName);
                nPos += strReplacement.GetLength();
            }
            else
            {
                ++nPos;
            }
        }
    }
    strFormula = strText.Mid(1, strText.GetLength() - 2);
}

int CTallyformDoc::ListFormulaOperands(CString& strOut, int nCell, BOOL bUseText, LPCSTR pszText)
{
    CString strSource;
    if (bUseText)
        strSource = pszText;
    else if (nCell >= 0 && nCell < (int)m_sheet.m_cells.GetSize())
        strSource = m_sheet.m_cells[nCell].m_strFormula;
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
        if (("#" + strOut).Find("#" + strToken + "#") >= 0)
            continue;
        strOut += strToken + "#";
        ++nAdded;
    }
    return nAdded;
}

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
