// The ODBC engine's recordset over any SQL: its columns are bound when the
// query has run, found by name without regard to case (drivers fold
// unquoted names differently), and DAO's finds are emulated by re-querying
// with the criteria added to the filter.  Reading forward, a column is
// read only when its value is asked for.
#pragma once

#include <limits.h>
#include <map>
#include <string>
#include <vector>

#include "engines/odbc/DynaBindHolder.h"
#include "framework/db/Recordset.h"

class CDynaBindRecordset : public CRecordset
{
    DECLARE_DYNAMIC(CDynaBindRecordset)
public:
    explicit CDynaBindRecordset(CDatabase* pDatabase);
    ~CDynaBindRecordset() override;

    BOOL Open(UINT nOpenType = AFX_DB_USE_DEFAULT_TYPE, LPCSTR lpszSQL = NULL, DWORD dwOptions = none) override;
    void Close() override;
    BOOL Requery() override;
    // A pending re-query after a find is performed first.
    void Move(long nRows, WORD wFetchType = SQL_FETCH_RELATIVE) override;

    // Moves to a row matching the criteria (a WHERE condition).  lFindType:
    // AFX_FIND_NEXT, AFX_FIND_PREV, AFX_FIND_FIRST, AFX_FIND_LAST.  FALSE
    // when no row matches; the next move or count then goes on from the row
    // the recordset stood on before.
    BOOL FindByRequery(long lFindType, LPCSTR lpszCriteria);
    // After a find the result holds only the matching rows: this restores
    // the whole result, standing on the row found.
    void PerformPendingRequery();

    // The column's index, or -1.
    int FindColumn(LPCSTR lpszName) const;
    int GetHolderCount() const { return (int)m_holders.size(); }
    // nIndex must be valid (FindColumn, GetHolderCount).  In a forward
    // read the holder's value is read from the current row when asked.
    CDynaBindHolder& Holder(int nIndex);

    void DoFieldExchange(CFieldExchange* pFX) override;

protected:
    void OnColumnsDescribed() override;

private:
    void ClearFindState();

    std::vector<CDynaBindHolder> m_holders;
    // The name FindColumn found last, as given, and its index.
    mutable CString m_strLastColumn;
    mutable int m_nLastColumn;
    BOOL m_bPendingRequery;
    // The result holds the rows of m_strLastCriteria only.
    BOOL m_bFindResult;
    CString m_strLastCriteria;
    // Where the whole result goes back to when the find found nothing.
    CDBRow m_rowBeforeFind;
};

// Find directions.
#define AFX_FIND_NEXT 1L
#define AFX_FIND_PREV (-1L)
#define AFX_FIND_FIRST LONG_MIN
#define AFX_FIND_LAST LONG_MAX
