// The report data recordset: the rows of one cell key, selected by six
// parameters.  The columns are selected by name, so the table's own column
// order does not matter.
#pragma once

#include "framework/db/Recordset.h"

class CODBCDataDic : public CRecordset
{
    DECLARE_DYNAMIC(CODBCDataDic)
public:
    explicit CODBCDataDic(CDatabase* pDatabase);

    // Opens the rows of the table as a snapshot, the key to be given in the
    // parameters before each Requery.
    BOOL OpenTable(const CString& strTable);

    CString GetDefaultSQL() override;
    void DoFieldExchange(CFieldExchange* pFX) override;

    CString m_FD_Time;
    CString m_FD_OrgCode;
    CString m_FD_RowItemCode;
    CString m_FD_ColItemCode;
    int m_FD_Line;
    LONG m_FD_CurType;
    CString m_FD_Value;

    CString m_FDTimeParam;
    CString m_FDOrgCodeParam;
    CString m_FDTargetCodeParam;
    CString m_FDTargetKindsCodeParam;
    int m_FDLineParam;
    LONG m_FDCurrencyTypeParam;
};

// The code-to-name lookup of a reference table.
class CTable : public CRecordset
{
    DECLARE_DYNAMIC(CTable)
public:
    explicit CTable(CDatabase* pDatabase);

    void DoFieldExchange(CFieldExchange* pFX) override;

    CString m_FD_Name;
    CString m_FDCodeParam;
};
