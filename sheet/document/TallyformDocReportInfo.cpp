#include "sheet/document/TallyformDoc.h"

#include "view/ReportInfoDlg.h"

BOOL CTallyformDoc::RunReportInfoDialog(CReportInfo& info)
{
    CReportInfoDlg dlg(NULL);
    dlg.m_strOrganCode = info.strOrgCode;
    dlg.m_strOrganName = info.strOrgName;
    dlg.m_nPeriodType = (int)info.nReportType;
    dlg.m_nPeriodStyle = info.nPeriodStyle;
    dlg.m_strPeriod = info.strPeriod;
    if (dlg.DoModal() != IDOK)
        return FALSE;
    info.strOrgCode = dlg.m_strOrganCode;
    info.strOrgName = dlg.m_strOrganName;
    info.nPeriodStyle = dlg.m_nPeriodStyle;
    info.strPeriod = dlg.m_strPeriod;
    info.bApply = dlg.m_bChanged;
    return TRUE;
}
