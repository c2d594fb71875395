#include "sheet/document/SumFilesDlg.h"

#include <string.h>

#include "framework/core/File.h"
#include "framework/core/MessageSink.h"
#include "framework/core/WideText.h"
#include "framework/windows/CodePageFont.h"
#include "framework/windows/DataExchange.h"
#include "framework/windows/FileDialog.h"
#include "sheet/DataFile.h"
#include "sheet/document/DataFolder.h"
#include "sheet/document/TallyformDoc.h"
#include "sheet/PeriodText.h"
#include "DocumentIds.h"

BEGIN_MESSAGE_MAP(CSumFilesDlg, CDialog)
    ON_BN_CLICKED(IDC_SUM_ADD_FILES, OnAddFiles)
    ON_BN_CLICKED(IDC_SUM_DELETE, OnDelete)
    ON_BN_CLICKED(IDC_SUM_CLEAR, OnClear)
END_MESSAGE_MAP()

namespace
{

// "Template name in %s is not match to current template name" + full-width
// comma (code page 936) + "continue?"
const char kTitlePrompt[] =
    "Template name in %s is not match to current template name\xA3\xAC" "continue?";

void ShowWithPath(LPCSTR pszFormat, LPCSTR pszPath)
{
    CString str;
    str.Format(pszFormat, pszPath);
    AfxMessageBox(str);
}

} // namespace

CSumFilesDlg::CSumFilesDlg(CTallyformDoc* pDoc, LPCSTR pszCaption, CWnd* pParent)
    : CDialog(IDD_SUM_FILES, pParent), m_pDoc(pDoc), m_strCaption(pszCaption)
{
}

void CSumFilesDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SUM_FILE_LIST, m_listFiles);
}

BOOL CSumFilesDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetWindowText(m_strCaption);
    // Ten-day lines are Chinese texts: the list draws them from their code
    // page in a face that has the characters.
    m_listFiles.SetCodePage(LineCodePage());
    if (LineCodePage() != CP_ACP)
    {
        LOGFONTA lf;
        CFont* pFont = m_listFiles.GetFont();
        if (pFont != NULL && pFont->GetLogFont(&lf) != 0)
        {
            AfxFitFontToCodePage(lf, LineCodePage());
            if (m_fontList.CreateFontIndirect(&lf))
                m_listFiles.SetFont(&m_fontList);
        }
    }
    m_listFiles.FitItemHeight();
    for (POSITION pos = m_lstLines.GetHeadPosition(); pos != NULL;)
        m_listFiles.AddString(m_lstLines.GetNext(pos));
    return TRUE;
}

UINT CSumFilesDlg::LineCodePage() const
{
    return PeriodTextCodePage(m_pDoc->m_sheet.m_nReportType);
}

int CSumFilesDlg::CheckDataFile(LPCSTR pszPath, CString& strLine)
{
    CFile file;
    if (!file.Open(pszPath, CFile::modeRead | CFile::shareDenyWrite))
    {
        ShowWithPath("Cannot open file %s", pszPath);
        return 0;
    }
    CDataFile data;
    BOOL bRead = FALSE;
    try
    {
        bRead = data.Read(file);
    }
    catch (CFileException* e)
    {
        e->Delete();
    }
    if (!bRead || !data.IsShared())
    {
        ShowWithPath("%s is not a Shared Data File.", pszPath);
        return 0;
    }
    const CSheet& sheet = m_pDoc->m_sheet;
    if (strncmp(data.m_szTemplateCode, sheet.m_szCode, SHEET_CODE_LEN) != 0)
    {
        ShowWithPath("The data in file %s is not for this template.", pszPath);
        return 0;
    }
    if (data.m_strTitle != sheet.m_szTitle)
    {
        CString strPrompt;
        strPrompt.Format(kTitlePrompt, (LPCSTR)AfxRecodeText(pszPath, CHINESE_CODE_PAGE));
        if (AfxMessageBoxCP(strPrompt, CHINESE_CODE_PAGE, MB_YESNO) != IDYES)
            return 0;
    }
    // The line is in the period text's code page; the organization's code
    // and name come from the system's.
    UINT nCodePage = LineCodePage();
    CString strOrg = "[" + CString(data.m_szOrgCode) + "] " + data.m_strOrgName;
    strLine = "[" + PeriodCodeToText(data.m_strPeriodCode, sheet.m_nReportType, (int)data.m_dwNumeralStyle) + "] "
              + (nCodePage == CP_ACP ? strOrg : AfxRecodeText(strOrg, nCodePage));
    return 1;
}

BOOL CSumFilesDlg::AddFile(LPCSTR pszPath)
{
    CString strFull = AfxFullPath(pszPath);
    for (POSITION pos = m_lstFiles.GetHeadPosition(); pos != NULL;)
    {
        if (AfxFullPath(m_lstFiles.GetNext(pos)).CompareNoCase(strFull) == 0)
        {
            ShowWithPath("%s already in file list.", pszPath);
            return FALSE;
        }
    }
    CString strLine;
    if (!CheckDataFile(pszPath, strLine))
        return FALSE;
    m_lstFiles.AddTail(CString(pszPath));
    m_lstLines.AddTail(strLine);
    if (m_listFiles.GetSafeHwnd() != NULL)
        m_listFiles.AddString(strLine);
    return TRUE;
}

void CSumFilesDlg::OnAddFiles()
{
    CStringList chosen;
    {
        CDataFolderScope folder;
        CFileDialog dlg(TRUE, NULL, NULL, OFN_HIDEREADONLY | OFN_ALLOWMULTISELECT,
                        "Tallyform Shared Data File(*.kvs)|*.kvs||", this);
        dlg.m_ofn.lpstrInitialDir = folder.GetDataFolder();
        if (dlg.DoModal() != IDOK)
            return;
        for (POSITION pos = dlg.GetStartPosition(); pos != NULL;)
            chosen.AddTail(dlg.GetNextPathName(pos));
    }
    for (POSITION pos = chosen.GetHeadPosition(); pos != NULL;)
        AddFile(chosen.GetNext(pos));
}

void CSumFilesDlg::OnDelete()
{
    // From the last line up, so the positions of the others stay valid.
    for (int n = m_listFiles.GetCount() - 1; n >= 0; --n)
    {
        if (m_listFiles.GetSel(n) <= 0)
            continue;
        m_listFiles.DeleteString((UINT)n);
        POSITION pos = m_lstFiles.FindIndex(n);
        if (pos != NULL)
            m_lstFiles.RemoveAt(pos);
        pos = m_lstLines.FindIndex(n);
        if (pos != NULL)
            m_lstLines.RemoveAt(pos);
    }
}

void CSumFilesDlg::OnClear()
{
    m_listFiles.ResetContent();
    m_lstFiles.RemoveAll();
    m_lstLines.RemoveAll();
}
