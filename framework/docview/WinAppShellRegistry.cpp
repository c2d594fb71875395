// The shell's file types of the program's document templates.
#include "framework/docview/WinApp.h"

#include "framework/docview/ClassesRoot.h"
#include "framework/docview/DocManager.h"
#include "framework/docview/DocTemplate.h"

void CWinApp::RegisterShellFileTypes(BOOL bCompat)
{
    CString strPath;
    if (m_pDocManager == NULL || !AfxGetServerModulePath(strPath))
        return;
    CString strProgram = "\"" + strPath + "\"";
    int nIcon = 0;
    POSITION pos = m_pDocManager->GetFirstDocTemplatePosition();
    while (pos != NULL)
    {
        CDocTemplate* pTemplate = m_pDocManager->GetNextDocTemplate(pos);
        ++nIcon;    // the program's icon comes first, then one per template
        CString strId, strName, strExt;
        if (!pTemplate->GetDocString(strId, CDocTemplate::regFileTypeId) || strId.IsEmpty())
            continue;
        if (!pTemplate->GetDocString(strName, CDocTemplate::regFileTypeName))
            strName = strId;
        CString strIcon;
        strIcon.Format("%s,%d", (LPCSTR)strPath, nIcon);
        if (!AfxSetClassesRootValue(strId, NULL, strName)
            || !AfxSetClassesRootValue(strId + "\\DefaultIcon", NULL, strIcon)
            || !AfxSetClassesRootValue(strId + "\\shell\\open\\command", NULL,
                                       strProgram + " \"%1\""))
            continue;
        if (bCompat)
        {
            AfxSetClassesRootValue(strId + "\\shell\\print\\command", NULL,
                                   strProgram + " /p \"%1\"");
            AfxSetClassesRootValue(strId + "\\shell\\printto\\command", NULL,
                                   strProgram + " /pt \"%1\" \"%2\" \"%3\" \"%4\"");
        }
        if (pTemplate->GetDocString(strExt, CDocTemplate::filterExt) && !strExt.IsEmpty())
            AfxSetClassesRootValue(strExt, NULL, strId);
    }
}
