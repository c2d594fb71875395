#include <stdlib.h>
#include <string.h>

#include "sheet/document/TallyformDoc.h"
#include "sheet/FormulaText.h"

namespace
{

const char kOperandDelimiters[] = "+-*/()#$";

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
    // Cell names are matched in any letter case.
    const CString strFolded = FoldOperandName(strName);
    // A replacement that holds the name further in would be found again.
    if (nName > 0 && FoldOperandName(strReplacement).Find(strFolded) <= 0)
    {
        int nPos = 0;
        while ((nPos = FoldOperandName(strText).Find(strFolded, nPos)) >= 0)
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
    if (bUseText)
        return ::ListFormulaOperands(strOut, pszText);
    if (nCell < 0 || nCell >= (int)m_sheet.m_cells.GetSize())
        return 0;
    return ::ListFormulaOperands(strOut, m_sheet.m_cells[nCell].m_strFormula);
}
