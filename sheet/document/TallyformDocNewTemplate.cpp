#include "sheet/document/TallyformDoc.h"

#include "framework/core/MessageSink.h"
#include "reporting/AnalysisWzdDlg.h"
#include "view/CreateTemplateDlg.h"
#include "view/NewTempSheet.h"

namespace
{
const char kNewTemplateCaption[] = "New Template";

// The header texts and report type of the information step.
CNewTemplateFields InfoFieldsOf(const CTemplateInfoPage& info)
{
    CNewTemplateFields fields;
    fields.nReportType = info.m_nType;
    fields.strName = info.m_strName;
    fields.strCode = info.m_strCode;
    fields.strVersion = info.m_strVersion;
    fields.strCompany = info.m_strOrgan;
    fields.strCompanyCode = info.m_strOrganCode;
    fields.strDesigner = info.m_strDesigner;
    fields.strDesignDate = info.m_strDate;
    return fields;
}

CNewTemplateFields FieldsOf(const CCreateTemplateDlg& dlg)
{
    CNewTemplateFields fields = InfoFieldsOf(dlg.m_pageInfo);
    const CTemplateLayoutPage& layout = dlg.m_pageLayout;
    fields.nRows = layout.m_nRows;
    fields.nCols = layout.m_nColumns;
    fields.bByItems = layout.m_bByItems;
    fields.bItemsDown = layout.m_bItemsAsRows;
    fields.nGroups = layout.m_nSplitNumber;
    return fields;
}

BOOL EndsWithTemplateExtension(const CString& strPath)
{
    return strPath.GetLength() > 4 && strPath.Right(4) == ".kvm";
}
}

BOOL CTallyformDoc::RunNewDocumentWizard()
{
    for (;;)
    {
        CString strChoice;
        {
            CNewTempSheet sheet(kNewTemplateCaption, NULL, 0);
            if (sheet.DoModal() != IDOK)
                return FALSE;
            strChoice = sheet.m_strResult;
        }
        if (strChoice == kNewEmptyDocument)
        {
            CCreateTemplateDlg dlg(NULL);
            dlg.m_pageRowItems.m_pOwner = this;
            dlg.m_pageColItems.m_pOwner = this;
            if (dlg.DoModal() != IDOK)
                return FALSE;
            CreateTemplateFromWizard(FieldsOf(dlg));
            return TRUE;
        }
        if (strChoice == kNewAnalysisReport)
        {
            CAnalysisWzdDlg dlg(NULL);
            dlg.m_pDoc = this;
            if (dlg.DoModal() != IDOK)
                return FALSE;
            return CreateAnalysisReport(InfoFieldsOf(dlg.m_pageInfo));
        }
        if (EndsWithTemplateExtension(strChoice))
            return LoadTemplateFile(strChoice);
    }
}
