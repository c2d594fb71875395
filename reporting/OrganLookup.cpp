#include "reporting/OrganLookup.h"

#include "engines/common/KemRecordset.h"
#include "framework/core/Exception.h"
#include "framework/db/SqlQuote.h"
#include "reporting/FieldText.h"

int LookUpOrganization(CKemRecordset& rs, BOOL bByCode, CString& strCode, CString& strName)
{
    const CString strOldFilter = rs.m_strFilter;
    int nResult = -1;
    try
    {
        rs.m_strFilter = (bByCode ? CString("FD_Code=") : CString("FD_Name=")) +
                         SqlQuote(bByCode ? strCode : strName);
        rs.Requery();
        nResult = 0;
        if (!(rs.IsBOF() && rs.IsEOF()))
        {
            strCode = RecordsetFieldText(&rs, "FD_Code");
            strName = RecordsetFieldText(&rs, "FD_Name");
            nResult = 1;
        }
        rs.m_strFilter = strOldFilter;
        rs.Requery();
    }
    catch (CException* e)
    {
        rs.m_strFilter = strOldFilter;
        e->ReportError();
        e->Delete();
    }
    return nResult;
}
