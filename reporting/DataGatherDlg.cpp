#include "reporting/DataGatherDlg.h"

#include "engines/common/KemRecordset.h"
#include "framework/core/Exception.h"
#include "framework/core/MessageSink.h"
#include "framework/core/WideText.h"
#include "framework/db/SqlQuote.h"
#include "framework/windows/DataExchange.h"
#include "reporting/FieldText.h"
#include "reporting/OrganPropTreeDlg.h"
#include "reporting/ReportConnection.h"
#include "reporting/ScopedRecordset.h"
#include "reporting/ShownCode.h"
#include "sheet/ReportPeriod.h"
#include "sheet/document/TallyformDoc.h"
#include "view/DialogPlacement.h"
#include "AnalysisIds.h"

namespace
{
const char kNotFilled[] = " (Have Not Fill in)";
const char kFilled[] = " (Filled in)";
const char kPartFilled[] = " (Part Fill in)";
const char kCurrentTime[] = "Current Time";
const char kBefore[] = "Before";
const char kAfter[] = "After";

// The question of OK when a chosen organization has not filled in; its
// last character is the full-width question mark in the system code page.
CString NotFilledQuestion()
{
    return CString("One or more sheets of selected Organizations have not filled in\n\nContinue") +
           AfxCodePageChar(0xFF1F);
}
std::string UpperKey(CString strText)
{
    strText.MakeUpper();
    return (LPCSTR)strText;
}

// Stops a list box from repainting while it is filled.
class CListRedrawOff
{
public:
    explicit CListRedrawOff(CListBox& list) : m_list(list) { m_list.SendMessage(WM_SETREDRAW, FALSE); }
    ~CListRedrawOff()
    {
        m_list.SendMessage(WM_SETREDRAW, TRUE);
        m_list.Invalidate();
    }

private:
    CListBox& m_list;
};

// The fill-in log of the document's template and report type, read once,
// so that a list of many organizations takes one query instead of up to
// three per organization.  The states are those of the document's log
// queries.
class CReportLogRuns
{
public:
    // FALSE (told) when the log could not be read.
    BOOL Load(CTallyformDoc& doc)
    {
        CScopedRecordset rs(doc.ReportConnection());
        if (rs.Get() == NULL)
            return FALSE;
        CString strSql;
        strSql.Format("Select FD_OrgCode, FD_StartDate, FD_EndDate From ss_reportlog Where FD_TemplateCode=%s"
                      " And FD_ReportType=%d",
                      (LPCSTR)SqlQuote(doc.m_sheet.m_szCode), (int)doc.m_sheet.m_nReportType);
        try
        {
            rs->Open(strSql, TRUE);
            for (; !rs->IsEOF(); rs->MoveNext())
                m_runs[(LPCSTR)RecordsetFieldText(rs.Get(), "FD_OrgCode")].push_back(
                    { RecordsetFieldText(rs.Get(), "FD_StartDate"), RecordsetFieldText(rs.Get(), "FD_EndDate") });
        }
        catch (CException* e)
        {
            e->ReportError();
            e->Delete();
            return FALSE;
        }
        return TRUE;
    }

    // 1 one run covers the range, 2 a run holds one end, 0 neither.
    int FillState(const CString& strCode, const CString& strFrom, const CString& strTo) const
    {
        auto it = m_runs.find((LPCSTR)strCode);
        if (it == m_runs.end())
            return FILL_STATE_NONE;
        if (Covers(it->second, strFrom, strTo))
            return FILL_STATE_WHOLE;
        if (strFrom == strTo)
            return FILL_STATE_NONE;
        return Covers(it->second, strFrom, strFrom) || Covers(it->second, strTo, strTo) ? FILL_STATE_PART
                                                                                      : FILL_STATE_NONE;
    }

private:
    struct CRun
    {
        CString strStart;
        CString strEnd;
    };

    static BOOL Covers(const std::vector<CRun>& runs, const CString& strFrom, const CString& strTo)
    {
        for (const CRun& run : runs)
            if (run.strStart.Compare(strFrom) <= 0 && run.strEnd.Compare(strTo) >= 0)
                return TRUE;
        return FALSE;
    }

    std::map<std::string, std::vector<CRun>> m_runs;
};
} // namespace

BEGIN_MESSAGE_MAP(CDataGatherDlg, CDialog)
    ON_BN_CLICKED(IDC_GATHER_TIME_ALL, OnTimeAll)
    ON_BN_CLICKED(IDC_GATHER_TIME_STAND, OnTimeStand)
    ON_BN_CLICKED(IDC_GATHER_TIME_BETWEEN, OnTimeBetween)
    ON_CBN_CLOSEUP(IDC_GATHER_TIME_CHOICE, OnTimeChoiceCloseUp)
    ON_MESSAGE(WM_DATEDROP_CLOSED, OnPeriodFieldClosed)
    ON_BN_CLICKED(IDC_GATHER_PROPERTIES, OnProperties)
    ON_BN_CLICKED(IDC_GATHER_ADD, OnAddSelected)
    ON_BN_CLICKED(IDC_GATHER_REMOVE, OnRemoveSelected)
    ON_BN_CLICKED(IDC_GATHER_ADD_ALL, OnAddAll)
    ON_BN_CLICKED(IDC_GATHER_REMOVE_ALL, OnRemoveAll)
END_MESSAGE_MAP()

CDataGatherDlg::CDataGatherDlg(CWnd* pParent)
    : CDialog(IDD_DATA_GATHER, pParent), m_pDoc(NULL), m_nPeriodType(PERIOD_MONTH), m_nNumeralStyle(1)
{
}

CString CDataGatherDlg::PeriodPattern(int nPeriodType)
{
    switch (nPeriodType)
    {
    case PERIOD_YEAR: return "____000000000";
    case PERIOD_QUARTER: return "____0_0000000";
    case PERIOD_MONTH: return "____00__00000";
    case PERIOD_WEEK: return "____00000__00";
    case PERIOD_DAY: return "____00__000__";
    case PERIOD_TENDAY: return "____00___0000";
    case PERIOD_HALFYEAR: return "_____00000000";
    default: return CString();
    }
}

CString CDataGatherDlg::FillStateText(const CString& strName, int nState)
{
    switch (nState)
    {
    case FILL_STATE_WHOLE: return strName + kFilled;
    case FILL_STATE_PART: return strName + kPartFilled;
    default: return strName + kNotFilled;
    }
}

void CDataGatherDlg::StripFillStateSuffix(CString& strText)
{
    for (LPCSTR pszSuffix : { kNotFilled, kFilled, kPartFilled })
    {
        int nLength = lstrlenA(pszSuffix);
        if (strText.GetLength() >= nLength && strText.Right(nLength) == pszSuffix)
        {
            strText = strText.Left(strText.GetLength() - nLength);
            return;
        }
    }
}

void CDataGatherDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_GATHER_TIME_CHOICE, m_comboTime);
    DDX_Control(pDX, IDC_GATHER_SELECTED, m_listSelected);
    DDX_Control(pDX, IDC_GATHER_REPORTS, m_listReports);
}

BOOL CDataGatherDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CreatePeriodFieldOver(*this, IDC_GATHER_STAND_FRAME, m_fieldStand, IDC_GATHER_STAND_FIELD, m_nPeriodType,
                          m_nNumeralStyle);
    CreatePeriodFieldOver(*this, IDC_GATHER_FROM_FRAME, m_fieldFrom, IDC_GATHER_FROM_FIELD, m_nPeriodType,
                          m_nNumeralStyle);
    CreatePeriodFieldOver(*this, IDC_GATHER_TO_FRAME, m_fieldTo, IDC_GATHER_TO_FIELD, m_nPeriodType,
                          m_nNumeralStyle);
    for (LPCSTR pszChoice : { kCurrentTime, kBefore, kAfter })
        m_comboTime.AddString(pszChoice);
    m_comboTime.SetCurSel(0);
    m_strOrgQuery = "Select * From ss_Organ";
    CheckRadioButton(IDC_GATHER_TIME_ALL, IDC_GATHER_TIME_BETWEEN, IDC_GATHER_TIME_ALL);
    OnTimeAll();
    m_mapSingleOrg.RemoveAll();
    m_strReportDate.Empty();
    return TRUE;
}

void CDataGatherDlg::RefreshField(CDateFieldWnd& field)
{
    if (!field.GetText().IsEmpty())
        return;
    int nType = 0, nStyle = 0;
    field.GetPeriodType(&nType, &nStyle);
    field.SetCode(field.GetCode(), &nType, &nStyle);
}

void CDataGatherDlg::OnTimeAll()
{
    m_comboTime.EnableWindow(FALSE);
    m_fieldStand.EnableWindow(FALSE);
    m_fieldFrom.EnableWindow(FALSE);
    m_fieldTo.EnableWindow(FALSE);
    m_strReportDate.Empty();
    FillReportsList(m_strOrgQuery);
}

void CDataGatherDlg::OnTimeStand()
{
    m_comboTime.EnableWindow(TRUE);
    m_fieldStand.EnableWindow(TRUE);
    RefreshField(m_fieldStand);
    m_fieldFrom.EnableWindow(FALSE);
    m_fieldTo.EnableWindow(FALSE);
    FillReportsList(m_strOrgQuery);
}

void CDataGatherDlg::OnTimeBetween()
{
    m_comboTime.EnableWindow(FALSE);
    m_fieldStand.EnableWindow(FALSE);
    m_fieldFrom.EnableWindow(TRUE);
    m_fieldTo.EnableWindow(TRUE);
    RefreshField(m_fieldFrom);
    RefreshField(m_fieldTo);
    m_strReportDate.Empty();
    FillReportsList(m_strOrgQuery);
}

void CDataGatherDlg::OnTimeChoiceCloseUp()
{
    FillReportsList(m_strOrgQuery);
}

LRESULT CDataGatherDlg::OnPeriodFieldClosed(WPARAM, LPARAM)
{
    FillReportsList(m_strOrgQuery);
    return 0;
}

CString CDataGatherDlg::ComboText() const
{
    CString strText;
    int nSel = m_comboTime.GetCurSel();
    if (nSel >= 0)
        m_comboTime.GetLBText(nSel, strText);
    return strText;
}

void CDataGatherDlg::BuildTimeRange(CString& strFrom, CString& strTo)
{
    const CString strNow = CReportPeriod::GetCurrentCode(m_nPeriodType);
    const BOOL bBetween = IsDlgButtonChecked(IDC_GATHER_TIME_BETWEEN);
    const BOOL bStand = !bBetween && IsDlgButtonChecked(IDC_GATHER_TIME_STAND);
    const CString strChoice = ComboText();
    if (bBetween)
    {
        strFrom = m_fieldFrom.GetCode();
        strTo = m_fieldTo.GetCode();
    }
    else if (bStand)
    {
        if (strChoice == kCurrentTime)
        {
            strFrom = m_fieldStand.GetCode();
            if (strFrom.IsEmpty())
                strFrom = strNow;
            strTo = strFrom;
        }
        else if (strChoice == kBefore)
        {
            strFrom = m_pDoc->GetFirstReportLogStart();
            strTo = m_fieldStand.GetCode();
        }
        else if (strChoice == kAfter)
        {
            strFrom = m_fieldStand.GetCode();
            strTo = strNow;
        }
    }
    else
    {
        strFrom = m_pDoc->GetFirstReportLogStart();
        strTo = strNow;
    }
    if (strFrom.IsEmpty())
        strFrom = strNow;
    if (strTo.IsEmpty())
        strTo = strNow;
    if (strFrom.Compare(strTo) <= 0)
        return;
    if (bBetween)
    {
        CString strSwap = strFrom;
        strFrom = strTo;
        strTo = strSwap;
    }
    else if (bStand && strChoice == kAfter)
        strTo = strFrom;
    else if (!bStand || strChoice == kBefore)
        strFrom = strTo;
}

int CDataGatherDlg::GetFillState(const CString& strCode)
{
    CString strFrom, strTo;
    BuildTimeRange(strFrom, strTo);
    return FillStateInRange(strCode, strFrom, strTo);
}

int CDataGatherDlg::FillStateInRange(const CString& strCode, const CString& strFrom, const CString& strTo)
{
    if (strFrom == strTo)
        return m_pDoc->IsReportLogged(strCode, strFrom);
    return m_pDoc->CheckReportLogRange(strCode, strFrom, strTo);
}

BOOL CDataGatherDlg::FillReportsList(const CString& strQuery)
{
    if (m_pDoc == NULL || !m_pDoc->ReportConnection().IsDatabaseOpen())
        return FALSE;
    CScopedRecordset rs(m_pDoc->ReportConnection());
    if (rs.Get() == NULL)
        return FALSE;
    try
    {
        rs->Open(strQuery, FALSE);
        if (rs->IsBOF())
            return FALSE;
        m_listReports.ResetContent();
        m_listSelected.ResetContent();
        m_mapTextToCode.RemoveAll();
        m_organs.clear();
        // One range for the whole list: its ends may take a query each.
        CString strFrom, strTo;
        BuildTimeRange(strFrom, strTo);
        CReportLogRuns runs;
        const BOOL bRuns = runs.Load(*m_pDoc);
        // The texts listed, upper-cased: the list box's own search would
        // make a long list quadratic.
        std::set<std::string> listed;
        CListRedrawOff redraw(m_listReports);
        for (; !rs->IsEOF(); rs->MoveNext())
        {
            COrganEntry entry;
            entry.strCode = RecordsetFieldText(rs.Get(), "FD_Code");
            entry.strName = RecordsetFieldText(rs.Get(), "FD_Name");
            entry.nState = bRuns ? runs.FillState(entry.strCode, strFrom, strTo)
                                 : FillStateInRange(entry.strCode, strFrom, strTo);
            CString strText = FillStateText(entry.strName, entry.nState);
            // Two organizations whose names differ only in letter case stay
            // apart: the later one shows its code.
            if (!listed.insert(UpperKey(strText)).second)
            {
                strText = FillStateText(entry.strName + " [" + entry.strCode + "]", entry.nState);
                if (!listed.insert(UpperKey(strText)).second)
                    continue;
            }
            int nIndex = m_listReports.AddString(strText);
            m_listReports.SetItemData(nIndex, m_organs.size());
            m_mapTextToCode[strText] = entry.strCode;
            m_organs.push_back(entry);
        }
    }
    catch (CException* e)
    {
        e->ReportError();
        e->Delete();
    }
    return TRUE;
}

const CDataGatherDlg::COrganEntry& CDataGatherDlg::EntryOf(const CListBox& list, int nIndex) const
{
    return m_organs[(size_t)list.GetItemData(nIndex)];
}

void CDataGatherDlg::MoveEntries(CListBox& from, CListBox& to, BOOL bAll)
{
    std::vector<int> indices;
    if (bAll)
    {
        for (int i = 0; i < from.GetCount(); ++i)
            indices.push_back(i);
    }
    else
    {
        int nCount = from.GetSelCount();
        if (nCount <= 0)
            return;
        indices.resize(nCount);
        indices.resize(from.GetSelItems(nCount, indices.data()));
    }
    for (int nIndex : indices)
    {
        CString strText;
        from.GetText(nIndex, strText);
        if (to.FindStringExact(-1, strText) >= 0)
            continue;
        int nNew = to.AddString(strText);
        to.SetItemData(nNew, from.GetItemData(nIndex));
    }
    for (auto it = indices.rbegin(); it != indices.rend(); ++it)
        from.DeleteString(*it);
}

void CDataGatherDlg::OnProperties()
{
    COrganPropTreeDlg dlg(NULL);
    if (dlg.DoModal() != IDOK || dlg.m_strOrganSQL.IsEmpty())
        return;
    m_strOrgQuery = dlg.m_strOrganSQL;
    if (FillReportsList(m_strOrgQuery))
        return;
    // No organization holds the chosen properties: the lists must not go
    // on showing those of the earlier choice.
    m_listReports.ResetContent();
    m_listSelected.ResetContent();
    m_mapTextToCode.RemoveAll();
    m_organs.clear();
}

BOOL CDataGatherDlg::ChooseSummedEntries(std::vector<const COrganEntry*>& entries)
{
    CString strUnshown;
    for (int i = 0; i < m_listSelected.GetCount(); ++i)
    {
        const COrganEntry& entry = EntryOf(m_listSelected, i);
        const int nStored = IsCodeShownAsStored(m_pDoc->ReportConnection(), "ss_Organ", entry.strCode, entry.strName);
        if (nStored < 0)
            return FALSE;
        if (nStored == 1)
            entries.push_back(&entry);
        else
            strUnshown += "\n" + entry.strName + " (" + entry.strCode + ")";
    }
    if (strUnshown.IsEmpty())
        return TRUE;
    CString strMessage = "The codes of these organizations hold characters that this system cannot show, so their "
                         "figures cannot be summed here:\n" + strUnshown;
    if (entries.empty())
    {
        AfxMessageBox(strMessage, MB_ICONEXCLAMATION);
        return FALSE;
    }
    return AfxMessageBox(strMessage + "\n\nSum the other organizations?", MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void CDataGatherDlg::OnOK()
{
    std::vector<const COrganEntry*> entries;
    if (!ChooseSummedEntries(entries))
        return;
    for (const COrganEntry* pEntry : entries)
    {
        if (pEntry->nState == FILL_STATE_WHOLE)
            continue;
        if (AfxMessageBox(NotFilledQuestion(), MB_YESNO) == IDNO)
            return;
        break;
    }
    m_strSql = "Select * From ss_datalist";
    m_mapSingleOrg.RemoveAll();
    CString strOrgans;
    for (const COrganEntry* pEntry : entries)
    {
        strOrgans += SqlQuote(pEntry->strCode) + ",";
        if (entries.size() == 1)
            m_mapSingleOrg[pEntry->strCode] = pEntry->strName;
    }
    if (!strOrgans.IsEmpty())
        m_strSql += " Where FD_OrgCode In (" + strOrgans.Left(strOrgans.GetLength() - 1) + ")";
    m_strReportDate.Empty();
    CString strFrom, strTo;
    BuildTimeRange(strFrom, strTo);
    CString strPattern = PeriodPattern(m_nPeriodType);
    CString strTime = strFrom == strTo ? "FD_Time=" + SqlQuote(strFrom)
                                       : "FD_Time Between " + SqlQuote(strFrom) + " And " + SqlQuote(strTo);
    if (!strPattern.IsEmpty())
        strTime += " And FD_Time Like " + SqlQuote(strPattern);
    if (IsDlgButtonChecked(IDC_GATHER_TIME_STAND) && ComboText() == kCurrentTime)
    {
        m_strReportDate = m_fieldStand.GetCode();
        if (m_strReportDate.IsEmpty())
            m_strReportDate = CReportPeriod::GetCurrentCode(m_nPeriodType);
    }
    m_strSql += (strOrgans.IsEmpty() ? " Where " : " And ") + strTime;
    m_mapTextToCode.RemoveAll();
    EndDialog(IDOK);
}

void CDataGatherDlg::OnCancel()
{
    m_mapTextToCode.RemoveAll();
    EndDialog(IDCANCEL);
}
