
#include "engines/odbc/DynaBindRecordset.h"

#include <string.h>

IMPLEMENT_DYNAMIC(CDynaBindRecordset, CRecordset)

CDynaBindRecordset::CDynaBindRecordset(CDatabase* pDatabase)
    : CRecordset(pDatabase), m_nLastColumn(-1), m_bPendingRequery(FALSE), m_bFindResult(FALSE)
{
    m_nDefaultType = snapshot;
    m_bFieldsOnDemand = TRUE;
}

CDynaBindHolder& CDynaBindRecordset::Holder(int nIndex)
{
    CDynaBindHolder& holder = m_holders[nIndex];
    UINT nStamp = DemandStamp();
    if (nStamp != 0 && holder.m_nStamp != nStamp)
    {
        ReadColumn(nIndex, holder.m_value);
        holder.m_nStamp = nStamp;
    }
    return holder;
}

CDynaBindRecordset::~CDynaBindRecordset()
{
    Close();
}

BOOL CDynaBindRecordset::Open(UINT nOpenType, LPCSTR lpszSQL, DWORD dwOptions)
{
    ClearFindState();
    return CRecordset::Open(nOpenType, lpszSQL, dwOptions);
}

void CDynaBindRecordset::Close()
{
    CRecordset::Close();
    ClearFindState();
    m_holders.clear();
    m_nLastColumn = -1;
    m_nFields = 0;
}

BOOL CDynaBindRecordset::Requery()
{
    ClearFindState();
    return CRecordset::Requery();
}

void CDynaBindRecordset::ClearFindState()
{
    m_bPendingRequery = FALSE;
    m_bFindResult = FALSE;
    m_strLastCriteria.Empty();
    m_rowBeforeFind.clear();
}

void CDynaBindRecordset::OnColumnsDescribed()
{
    m_holders.clear();
    m_nLastColumn = -1;
    for (const CODBCFieldInfo& info : Columns())
    {
        CDynaBindHolder holder;
        holder.m_nKind = DynaHolderKindOfSqlType(info.m_nSQLType);
        holder.m_strName = info.m_strName;
        m_holders.push_back(holder);
    }
    m_nFields = (UINT)m_holders.size();
}

void CDynaBindRecordset::DoFieldExchange(CFieldExchange* pFX)
{
    pFX->SetFieldType(CFieldExchange::outputColumn);
    for (CDynaBindHolder& holder : m_holders)
        RFX_Value(pFX, holder.m_strName, holder.m_value);
}

int CDynaBindRecordset::FindColumn(LPCSTR lpszName) const
{
    LPCSTR lpszKey = lpszName != NULL ? lpszName : "";
    // Row after row asks for the same column.
    if (m_nLastColumn >= 0 && strcmp(m_strLastColumn, lpszKey) == 0)
        return m_nLastColumn;
    // With two columns of one name the first is the one found.
    for (size_t i = 0; i < m_holders.size(); ++i)
    {
        if (m_holders[i].m_strName.CompareNoCase(lpszKey) == 0)
        {
            m_strLastColumn = lpszKey;
            m_nLastColumn = (int)i;
            return m_nLastColumn;
        }
    }
    return -1;
}

void CDynaBindRecordset::Move(long nRows, WORD wFetchType)
{
    PerformPendingRequery();
    CRecordset::Move(nRows, wFetchType);
}

void CDynaBindRecordset::PerformPendingRequery()
{
    if (!m_bPendingRequery)
        return;
    const CDBRow* pCurrent = WholeCurrentRow();
    CDBRow target = pCurrent != NULL ? *pCurrent : m_rowBeforeFind;
    ClearFindState();
    CRecordset::Requery();
    if (target.empty() || IsEOF())
        return;
    // Stand on the row found again, in the whole result.
    while (!IsEOF())
    {
        const CDBRow* pRow = WholeCurrentRow();
        if (pRow != NULL && *pRow == target)
            return;
        CRecordset::Move(1, SQL_FETCH_NEXT);
    }
    CRecordset::Move(0, SQL_FETCH_FIRST);
}

BOOL CDynaBindRecordset::FindByRequery(long lFindType, LPCSTR lpszCriteria)
{
    CString criteria = lpszCriteria != NULL ? lpszCriteria : "";
    BOOL bNew = !m_bFindResult || criteria != m_strLastCriteria;
    if (bNew)
    {
        const CDBRow* pCurrent = WholeCurrentRow();
        CDBRow before = pCurrent != NULL ? *pCurrent : m_rowBeforeFind;
        m_bPendingRequery = FALSE;
        CString saved = m_strFilter;
        if (!criteria.IsEmpty())
            m_strFilter = saved.IsEmpty() ? criteria : "(" + saved + ") And (" + criteria + ")";
        try
        {
            CRecordset::Requery();
        }
        catch (CException*)
        {
            m_strFilter = saved;
            throw;
        }
        m_strFilter = saved;
        m_bFindResult = TRUE;
        m_strLastCriteria = criteria;
        m_rowBeforeFind = before;
    }
    m_bPendingRequery = FALSE;

    BOOL bFound = FALSE;
    if (!(IsBOF() && IsEOF()))
    {
        // New criteria stand before the first match (next) or after the
        // last (prior), so the first step lands on a matching row.
        if (lFindType == AFX_FIND_FIRST || (bNew && lFindType == AFX_FIND_NEXT))
        {
            CRecordset::Move(0, SQL_FETCH_FIRST);
            bFound = TRUE;
        }
        else if (lFindType == AFX_FIND_LAST || (bNew && lFindType == AFX_FIND_PREV))
        {
            CRecordset::Move(0, SQL_FETCH_LAST);
            bFound = TRUE;
        }
        else if (lFindType == AFX_FIND_NEXT && !IsEOF())
        {
            CRecordset::Move(1, SQL_FETCH_NEXT);
            bFound = !IsEOF();
            if (!bFound)
                CRecordset::Move(-1, SQL_FETCH_PRIOR);
        }
        else if (lFindType == AFX_FIND_PREV && !IsBOF())
        {
            CRecordset::Move(-1, SQL_FETCH_PRIOR);
            bFound = !IsBOF();
            if (!bFound)
                CRecordset::Move(1, SQL_FETCH_NEXT);
        }
    }
    if (bFound)
        m_rowBeforeFind.clear();
    m_bPendingRequery = TRUE;
    return bFound;
}
