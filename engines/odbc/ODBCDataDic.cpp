#include "engines/odbc/ODBCDataDic.h"
#include "engines/common/ReportDataRules.h"

IMPLEMENT_DYNAMIC(CODBCDataDic, CRecordset)
IMPLEMENT_DYNAMIC(CTable, CRecordset)

CODBCDataDic::CODBCDataDic(CDatabase* pDatabase)
    : CRecordset(pDatabase), m_FD_Line(0), m_FD_CurType(0), m_FDLineParam(0), m_FDCurrencyTypeParam(0)
{
    m_nFields = 7;
    m_nParams = 6;
    m_nDefaultType = snapshot;
}

CString CODBCDataDic::GetDefaultSQL()
{
    return "[ss_datalist]";
}

BOOL CODBCDataDic::OpenTable(const CString& strTable)
{
    m_strFilter.Format("%s=? And %s=? and %s=? And %s=? And %s=? And %s=?", RD_TIME, RD_ORGCODE, RD_ROWITEM,
                       RD_COLITEM, RD_LINE, RD_CURTYPE);
    return Open(snapshot, "[" + strTable + "]", noDirtyFieldCheck);
}

void CODBCDataDic::DoFieldExchange(CFieldExchange* pFX)
{
    pFX->SetFieldType(CFieldExchange::outputColumn);
    RFX_Text(pFX, "[" RD_TIME "]", m_FD_Time);
    RFX_Text(pFX, "[" RD_ORGCODE "]", m_FD_OrgCode);
    RFX_Text(pFX, "[" RD_ROWITEM "]", m_FD_RowItemCode);
    RFX_Text(pFX, "[" RD_COLITEM "]", m_FD_ColItemCode);
    RFX_Int(pFX, "[" RD_LINE "]", m_FD_Line);
    RFX_Long(pFX, "[" RD_CURTYPE "]", m_FD_CurType);
    RFX_Text(pFX, "[" RD_VALUE "]", m_FD_Value);
    pFX->SetFieldType(CFieldExchange::param);
    RFX_Text(pFX, "[FDTimeParam]", m_FDTimeParam);
    RFX_Text(pFX, "[FDOrgCodeParam]", m_FDOrgCodeParam);
    RFX_Text(pFX, "[FDTargetCodeParam]", m_FDTargetCodeParam);
    RFX_Text(pFX, "[FDTargetKindsCodeParam]", m_FDTargetKindsCodeParam);
    RFX_Int(pFX, "[FDLineParam]", m_FDLineParam);
    RFX_Long(pFX, "[FDCurrencyTypeParam]", m_FDCurrencyTypeParam);
}

CTable::CTable(CDatabase* pDatabase)
    : CRecordset(pDatabase)
{
    m_nFields = 1;
    m_nParams = 1;
    m_nDefaultType = snapshot;
}

void CTable::DoFieldExchange(CFieldExchange* pFX)
{
    pFX->SetFieldType(CFieldExchange::outputColumn);
    RFX_Text(pFX, "[FD_Name]", m_FD_Name);
    pFX->SetFieldType(CFieldExchange::param);
    RFX_Text(pFX, "[FDCodeParam]", m_FDCodeParam);
}
