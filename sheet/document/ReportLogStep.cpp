#include "sheet/document/ReportLogStep.h"

#include "framework/core/MessageSink.h"
#include "sheet/document/TallyformDoc.h"

CReportLogStep::CReportLogStep(CTallyformDoc& doc, CKemDatabase* pDatabase, const CString& strFailure)
    : m_doc(doc), m_pDatabase(pDatabase), m_strFailure(strFailure), m_bFailed(FALSE)
{
    if (m_pDatabase != NULL)
        m_pDatabase->m_pSaveStep = this;
}

CReportLogStep::~CReportLogStep()
{
    if (m_pDatabase != NULL && m_pDatabase->m_pSaveStep == this)
        m_pDatabase->m_pSaveStep = NULL;
}

BOOL CReportLogStep::Run()
{
    CString strOrgCode, strPeriod;
    BOOL bKnown = m_doc.GetFilledInKeys(strOrgCode, strPeriod);
    if (bKnown && m_doc.RecordReportLog() != 0)
        return TRUE;
    m_bFailed = TRUE;
    AfxMessageBox(m_strFailure, MB_OK);
    return !bKnown;
}
