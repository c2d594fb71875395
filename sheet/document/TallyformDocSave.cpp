#include "sheet/document/TallyformDoc.h"

#include "framework/core/File.h"
#include "framework/core/MessageSink.h"
#include "framework/core/WideText.h"
#include "sheet/PeriodText.h"
#include "framework/docview/DocTemplate.h"
#include "framework/windows/WaitCursor.h"
#include "reporting/ReportConnection.h"
#include "view/TemplateName.h"

namespace
{

const char kTemplateExtension[] = ".kvm";

#ifndef EDITOR_BUILD

// "%s already exsisted" + full-width comma (code page 936) + "Overwrite?"
const char kOverwritePrompt[] = "%s already exsisted\xA3\xACOverwrite?";

// The title without ".kvm", cut before the first character a proposed
// name does not carry over.
CString ProposedTemplateName(const CString& strTitle)
{
    CString strName = strTitle;
    int nExt = strName.GetLength() - (int)(sizeof(kTemplateExtension) - 1);
    if (nExt >= 0 && strName.Mid(nExt).CompareNoCase(kTemplateExtension) == 0)
        strName = strName.Left(nExt);
    int nCut = strName.FindOneOf(" #%;/\\");
    if (nCut >= 0)
        strName = strName.Left(nCut);
    return strName;
}

BOOL FileExists(LPCSTR lpszPathName, BOOL* pbReadOnly)
{
    CFileStatus status;
    if (!CFile::GetStatus(lpszPathName, status))
        return FALSE;
    *pbReadOnly = (status.m_attribute & CFile::readOnly) != 0;
    return TRUE;
}
#endif

} // namespace

CString CTallyformDoc::DefaultExtension() const
{
    CString strExt;
    if (m_pDocTemplate != NULL && m_pDocTemplate->GetDocString(strExt, CDocTemplate::filterExt)
        && !strExt.IsEmpty())
        return strExt;
    return kTemplateExtension;
}

BOOL CTallyformDoc::SaveModified()
{
    if (IsEmbedded())
        return COleServerDoc::SaveModified();
#ifdef EDITOR_BUILD
    return AskToSaveData(IsModified());
#else
    // The template under the framework's question, then the figures, which
    // a template file does not take to the database.
    return COleServerDoc::SaveModified() && AskToSaveData(FALSE);
#endif
}

BOOL CTallyformDoc::AskToSaveData(BOOL bTemplateLost)
{
    if ((!m_bDataModified && !bTemplateLost) || m_sheet.m_cells.GetSize() == 0)
        return TRUE;
    const BOOL bToDatabase = m_bDataModified && GetConnection().IsDatabaseOpen() && !IsAnalysisReport();
    CString strPrompt;
    strPrompt.Format(bToDatabase ? "Save the data of %s to the database?" : "Save the data of %s to a data file?",
                     (LPCSTR)m_strTitle);
    if (bTemplateLost)
        strPrompt += "\n\nChanges to the template, such as replaced labels, are not kept.";
    switch (AfxMessageBox(strPrompt, MB_YESNOCANCEL | MB_ICONQUESTION))
    {
    case IDYES:
        return bToDatabase ? SaveDataToDatabase() : SaveDataToChosenFile();
    case IDNO:
        return TRUE;
    default:
        return FALSE;
    }
}

#ifdef EDITOR_BUILD
BOOL CTallyformDoc::DoSave(LPCSTR, BOOL)
{
    // Asked to save a changed template (closing it), the editor keeps the
    // data the user typed; the template file stays as it is.
    if (m_sheet.m_cells.GetSize() == 0)
        return TRUE;
    return SaveDataToChosenFile();
}
#else
BOOL CTallyformDoc::DoSave(LPCSTR lpszPathName, BOOL bReplace)
{
    CString strPath = lpszPathName != NULL ? lpszPathName : "";
    if (strPath.IsEmpty())
    {
        CString strName = ProposedTemplateName(m_strTitle);
        CString strFolder;
        // An unusable name is explained and asked for again, and so is the
        // name of a read-only file, which a save would make writable.
        for (;;)
        {
            if (!RunSaveTemplateDialog(strName, strFolder, strName))
                return FALSE;
            if (!CheckTemplateName(strFolder, strName))
                continue;
            strPath = strFolder + strName + DefaultExtension();
            BOOL bReadOnly = FALSE;
            if (!FileExists(strPath, &bReadOnly))
                break;
            if (bReadOnly)
            {
                AfxMessageBox(strPath + " is read-only and stays as it is.\nSave the template under another name.",
                              MB_OK | MB_ICONEXCLAMATION);
                continue;
            }
            CString strPrompt;
            strPrompt.Format(kOverwritePrompt,
                             (LPCSTR)AfxRecodeText(strPath, CHINESE_CODE_PAGE));
            if (AfxMessageBoxCP(strPrompt, CHINESE_CODE_PAGE, MB_YESNO) != IDYES)
                return FALSE;
            break;
        }
    }

    {
        CWaitCursor wait;
        // The save writes a temporary file and replaces the target only
        // once it is complete, so a failure leaves an older file intact.
        if (!OnSaveDocument(strPath))
            return FALSE;
    }
    if (bReplace)
        SetPathName(strPath);
    return TRUE;
}
#endif

void CTallyformDoc::CreateTemplateFromWizard(const CNewTemplateFields& fields)
{
    SetNewTemplateHeader(m_sheet, fields, 0);
    if (fields.bByItems)
    {
        class CDocTextMeasure : public CTextMeasure
        {
        public:
            explicit CDocTextMeasure(CTallyformDoc& doc) : m_doc(doc) {}
            int TextWidth(LPCSTR pszText) override { return m_doc.MeasureItemText(pszText); }

        private:
            CTallyformDoc& m_doc;
        } measure(*this);
        BuildItemTemplate(m_sheet, fields.bItemsDown, fields.nGroups, measure);
    }
    else
    {
        BuildTextGrid(m_sheet, fields.nRows, fields.nCols);
    }
    m_sheet.m_arrSel.RemoveAll();
    m_sheet.m_nCurCell = -1;
    SetRectEmpty(&m_sheet.m_rcBounds);
    m_sheet.UpdateBoundingRect();
    SetModifiedFlag(TRUE);
    SetTitle(fields.strName);
    UpdateAllViews(NULL);
}
