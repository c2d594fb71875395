#include "reporting/AnalysisCalc.h"

#include <stdlib.h>
#include <string.h>

#include "engines/common/KemRecordset.h"
#include "framework/core/Exception.h"
#include "framework/core/MessageSink.h"
#include "framework/core/OleVariant.h"
#include "framework/db/SqlQuote.h"
#include "reporting/FieldText.h"
#include "reporting/ReportConnection.h"
#include "reporting/ScopedRecordset.h"
#include "sheet/document/TallyformDoc.h"
#include "shell/PercentProgressDlg.h"
#include "ProgressResource.h"

namespace
{
const char kOperators[] = "+-*/()";
const char kNotConnected[] = "Database is not connected!";

// The text before the first operator character.
CString CutAtOperator(const CString& strText)
{
    int n = strText.FindOneOf(kOperators);
    return n < 0 ? strText : strText.Left(n);
}

// The 0-based list index of the number after "#": -1 when there is no "#"
// after the first character.
int TermIndex(const CString& strPiece)
{
    int nHash = strPiece.Find('#');
    if (nHash <= 0)
        return -1;
    return atoi((LPCSTR)strPiece + nHash + 1) - 1;
}

BOOL HasKeyword(const CString& strPiece, LPCSTR pszKeyword)
{
    return strPiece.GetLength() > 1 && strPiece.Find(pszKeyword, 1) > 0;
}

// The nIndex-th entry of a list; FALSE when the list has none there.
BOOL EntryAt(const CStringList& list, int nIndex, CString& strEntry)
{
    if (nIndex < 0 || nIndex >= list.GetCount())
        return FALSE;
    strEntry = list.GetAt(list.FindIndex(nIndex));
    return TRUE;
}

// The part of a "code-name" entry before (bCode) or after its first "-".
CString EntryPart(const CString& strEntry, BOOL bCode)
{
    int d = strEntry.Find('-');
    if (d < 0)
        return strEntry;
    return bCode ? strEntry.Left(d) : strEntry.Mid(d + 1);
}

// A number text as it may stand in an expression of two-operand
// operators: a negative one in parentheses.
CString AsOperand(const CString& strNumber)
{
    return strNumber.Left(1) == "-" ? "(0" + strNumber + ")" : strNumber;
}
} // namespace

BOOL IsAnalysisFormula(const CString& strFormula)
{
    return strFormula.Left(1) == "@";
}

BOOL IsAnalysisLabelFormula(const CString& strFormula)
{
    return IsAnalysisFormula(strFormula) && strFormula.Find('&', 1) < 0;
}

CAnalysisCalc::CAnalysisCalc() : m_pDoc(NULL), m_pRecordset(NULL), m_pQuery(NULL), m_bQueryFailed(FALSE)
{
}

CAnalysisCalc::~CAnalysisCalc()
{
    ReleaseRecordset();
}

const CStringList* CAnalysisCalc::ListOfKeyword(const CString& strPiece, BOOL bForCondition) const
{
    const CSheet& sheet = m_pDoc->m_sheet;
    if (HasKeyword(strPiece, "Organ"))
        return &sheet.m_lstAnOrgans;
    if (bForCondition && HasKeyword(strPiece, "Property"))
        return &sheet.m_lstAnProperties;
    if (HasKeyword(strPiece, "Time"))
        return &sheet.m_lstAnTimes;
    if (HasKeyword(strPiece, "RowItem"))
        return &sheet.m_lstAnRowItems;
    if (HasKeyword(strPiece, "ColItem"))
        return &sheet.m_lstAnColItems;
    if (HasKeyword(strPiece, "Property"))
        return &sheet.m_lstAnProperties;
    return NULL;
}

CString CAnalysisCalc::ResolveReferenceLabel(CString strTerm) const
{
    CString strPiece = CutAtOperator(strTerm);
    int nIndex = TermIndex(strPiece);
    if (strPiece.Find('#') <= 0)
        return strTerm;
    const CStringList* pList = ListOfKeyword(strPiece, FALSE);
    CString strEntry;
    if (pList == NULL || !EntryAt(*pList, nIndex, strEntry))
        return strTerm;
    BOOL bCode = pList == &m_pDoc->m_sheet.m_lstAnOrgans && !HasKeyword(strPiece, "OrganName");
    return EntryPart(strEntry, bCode);
}

BOOL CAnalysisCalc::BuildReferenceCondition(const CString& strTerm, CString& strCondition) const
{
    strCondition = "1=1";
    if (strTerm.Find('#') <= 0)
        return TRUE;
    const CStringList* pList = ListOfKeyword(strTerm, TRUE);
    if (pList == NULL)
        return TRUE;
    CString strEntry;
    if (!EntryAt(*pList, TermIndex(strTerm), strEntry))
        return FALSE;
    const CSheet& sheet = m_pDoc->m_sheet;
    if (pList == &sheet.m_lstAnProperties)
    {
        CString strValue = EntryPart(strEntry, TRUE);
        strValue.Trim();
        if (strValue.IsEmpty() || strValue.SpanIncluding("0123456789") != strValue)
            return FALSE;
        strCondition.Format("FD_OrgCode in (select distinct FD_OrgCode from ss_OrgAttr where "
                            "FD_AttrTypeCode=%d and FD_ValCode=%d)",
                            (int)sheet.m_nAnAttrType, atoi(strValue));
        return TRUE;
    }
    if (pList == &sheet.m_lstAnTimes)
        strCondition = "FD_Time=" + SqlQuote(strEntry.Left(13));
    else if (pList == &sheet.m_lstAnOrgans)
        strCondition = "FD_OrgCode=" + SqlQuote(EntryPart(strEntry, TRUE));
    else if (pList == &sheet.m_lstAnRowItems)
        strCondition = "FD_RowItemCode=" + SqlQuote(EntryPart(strEntry, TRUE));
    else
        strCondition = "FD_ColItemCode=" + SqlQuote(EntryPart(strEntry, TRUE));
    return TRUE;
}

int CAnalysisCalc::IsNumberText(const CString& strText)
{
    if (strText.IsEmpty() || strText[0] < '0' || strText[0] > '9')
        return -1;
    return strText.SpanIncluding("0123456789.") == strText ? 1 : -1;
}

int CAnalysisCalc::FindCellByName(const CString& strName) const
{
    const CCellArray& cells = m_pDoc->m_sheet.m_cells;
    for (INT_PTR i = 0; i < cells.GetSize(); ++i)
        if (cells[i].m_strName.CompareNoCase(strName) == 0)
            return (int)i;
    return -1;
}

void CAnalysisCalc::ReleaseRecordset()
{
    delete m_pQuery;
    m_pQuery = NULL;
    m_pRecordset = NULL;
}

CString CAnalysisCalc::QueryReferenceValue(const CString& strReference)
{
    if (m_pRecordset == NULL || m_bQueryFailed)
        return CString();
    CString strSql("Select FD_Value from ss_datalist where ");
    CString strRest = strReference + "&";
    while (!strRest.IsEmpty())
    {
        int nNext = strRest.Find('&', 1);
        CString strPiece = nNext < 0 ? strRest : strRest.Left(nNext);
        strRest = nNext < 0 ? CString() : strRest.Mid(nNext);
        if (strPiece == "&")
            strPiece.Empty();
        CString strCondition;
        // A term that names no entry would compare with a placeholder and
        // show a real-looking zero: the reference has no value instead.
        if (!BuildReferenceCondition(strPiece, strCondition))
            return CString();
        strSql += strCondition + " and ";
    }
    // The last, empty piece gave "1=1"; its " and " goes.
    strSql = strSql.Left(strSql.GetLength() - 5);
    double dSum = 0.0;
    try
    {
        m_pRecordset->Open(strSql, FALSE);
        // The query has the one column; one variant serves every row.
        COleVariant value;
        for (; !m_pRecordset->IsEOF(); m_pRecordset->MoveNext())
        {
            m_pRecordset->GetFieldValue(0, value);
            dSum += FieldValueNumber(value);
        }
        m_pRecordset->Close();
    }
    catch (CException* e)
    {
        e->ReportError();
        e->Delete();
        // The recordset goes back to its library; no later reference of
        // this pass may use it.
        ReleaseRecordset();
        m_bQueryFailed = TRUE;
        return CString();
    }
    CString strValue;
    strValue.Format("%.2f", dSum);
    return strValue;
}

CString CAnalysisCalc::BuildDataExpression(const CString& strFormula)
{
    CString strRest = strFormula;
    strRest.TrimLeft('@');
    CString strExpression;
    while (!strRest.IsEmpty())
    {
        if (strchr(kOperators, strRest[0]) != NULL)
        {
            strExpression += strRest[0];
            strRest = strRest.Mid(1);
            continue;
        }
        CString strOperand = CutAtOperator(strRest);
        strRest = strRest.Mid(strOperand.GetLength());
        if (IsNumberText(strOperand) == 1 || FindCellByName(strOperand) >= 0)
        {
            strExpression += strOperand;
            continue;
        }
        strOperand.TrimLeft('@');
        CString strValue = QueryReferenceValue("@" + strOperand);
        if (strValue.IsEmpty())
            return CString();
        strExpression += AsOperand(strValue);
    }
    return strExpression;
}

void CAnalysisCalc::RelabelAnalysisCells()
{
    CPercentProgressDlg progress(IDS_COMPUTING_CELLS);
    progress.Create(NULL);
    CCellArray& cells = m_pDoc->m_sheet.m_cells;
    INT_PTR nCount = cells.GetSize();
    for (INT_PTR i = 0; i < nCount; ++i)
    {
        if (progress.m_hWnd != NULL)
            progress.SetPos((int)(i * 100 / nCount));
        // Data cells keep their sums until the next Analysis.
        if (IsAnalysisLabelFormula(cells[i].m_strAnalysis))
            cells[i].m_strValue = ResolveReferenceLabel(cells[i].m_strAnalysis);
    }
    m_pDoc->UpdateAllViews(NULL);
}

void CAnalysisCalc::RecomputeAfterChange()
{
    CCellArray& cells = m_pDoc->m_sheet.m_cells;
    for (INT_PTR i = 0; i < cells.GetSize(); ++i)
        if (IsAnalysisFormula(cells[i].m_strAnalysis) && !IsAnalysisLabelFormula(cells[i].m_strAnalysis))
            cells[i].m_strValue.Empty();
    if (m_pDoc->ReportConnection().IsDatabaseOpen() && RefreshAnalysisCells())
        m_pDoc->UpdateAllViews(NULL);
    else
        RelabelAnalysisCells();
}

BOOL CAnalysisCalc::RefreshAnalysisCells()
{
    ReleaseRecordset();
    m_pQuery = new CScopedRecordset(m_pDoc->ReportConnection());
    m_pRecordset = m_pQuery->Get();
    if (m_pRecordset == NULL)
    {
        ReleaseRecordset();
        AfxMessageBox(kNotConnected, MB_OK);
        return FALSE;
    }
    m_bQueryFailed = FALSE;
    CPercentProgressDlg progress(IDS_COMPUTING_CELLS);
    progress.Create(NULL);
    CCellArray& cells = m_pDoc->m_sheet.m_cells;
    INT_PTR nCount = cells.GetSize();
    for (INT_PTR i = 0; i < nCount; ++i)
    {
        if (progress.m_hWnd != NULL)
            progress.SetPos((int)(i * 100 / nCount));
        CString strFormula = cells[i].m_strAnalysis;
        if (!IsAnalysisFormula(strFormula))
            continue;
        if (IsAnalysisLabelFormula(strFormula))
        {
            cells[i].m_strValue = ResolveReferenceLabel(strFormula);
            continue;
        }
        // After a failed query the remaining data cells keep what they
        // showed: the database was told to be in error already.
        if (m_bQueryFailed)
            continue;
        CString strExpression = BuildDataExpression(strFormula);
        CString strText;
        double dResult = 0.0;
        if (!strExpression.IsEmpty() && m_pDoc->EvaluateFormula((int)i, dResult, TRUE, strExpression))
            strText.Format("%.2f", dResult);
        if (!m_bQueryFailed)
            cells[i].m_strValue = strText;
    }
    ReleaseRecordset();
    return TRUE;
}
