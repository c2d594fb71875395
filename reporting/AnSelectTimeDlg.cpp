#include "reporting/AnSelectTimeDlg.h"

#include "framework/core/MessageSink.h"
#include "framework/windows/DataExchange.h"
#include "reporting/ListEntries.h"
#include "sheet/PeriodText.h"
#include "sheet/ReportPeriod.h"
#include "sheet/document/TallyformDoc.h"
#include "view/DialogPlacement.h"
#include "AnalysisIds.h"

namespace
{
// Each period code is 13 characters, then "-" and the display text.
const int kCodeLength = PERIOD_CODE_LENGTH;
}

BEGIN_MESSAGE_MAP(CAnSelectTimeDlg, CDialog)
    ON_CBN_SELCHANGE(IDC_AN_TIME_TYPE, OnTypeChange)
    ON_BN_CLICKED(IDC_AN_TIME_ADD, OnAdd)
    ON_BN_CLICKED(IDC_AN_TIME_REMOVE, OnRemove)
    ON_LBN_DBLCLK(IDC_AN_TIME_SELECTED, OnRemove)
END_MESSAGE_MAP()

CAnSelectTimeDlg::CAnSelectTimeDlg(CWnd* pParent)
    : CDialog(IDD_AN_SELECT_TIME, pParent), m_pDoc(NULL), m_nPeriodType(PERIOD_YEAR), m_nNumeralStyle(1)
{
}

void CAnSelectTimeDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_AN_TIME_TYPE, m_comboType);
    DDX_Control(pDX, IDC_AN_TIME_SELECTED, m_listSelected);
}

BOOL CAnSelectTimeDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_nNumeralStyle = 1;
    for (LPCSTR pszType : { "Annal", "Quarter", "Month", "Week", "Day" })
        m_comboType.AddString(pszType);
    CreatePeriodFieldOver(*this, IDC_AN_TIME_FROM_FRAME, m_fieldFrom, IDC_AN_TIME_FROM_FIELD, m_nPeriodType,
                          m_nNumeralStyle);
    CreatePeriodFieldOver(*this, IDC_AN_TIME_TO_FRAME, m_fieldTo, IDC_AN_TIME_TO_FIELD, m_nPeriodType,
                          m_nNumeralStyle);
    ChoosePeriodType((int)m_pDoc->m_sheet.m_nReportType);
    m_listSelected.ResetContent();
    m_lstCodes.RemoveAll();
    const CStringList& times = m_pDoc->m_sheet.m_lstAnTimes;
    for (POSITION pos = times.GetHeadPosition(); pos != NULL;)
    {
        CString strEntry = times.GetNext(pos);
        m_lstCodes.AddTail(strEntry.Left(kCodeLength));
        m_listSelected.AddString(strEntry.Mid(kCodeLength + 1));
    }
    return TRUE;
}

void CAnSelectTimeDlg::ChoosePeriodType(int nType)
{
    // The list offers the year to the day; a template of another type
    // starts at the year.
    m_nPeriodType = nType >= PERIOD_YEAR && nType <= PERIOD_DAY ? nType : PERIOD_YEAR;
    if (m_hWnd == NULL)
        return;
    m_comboType.SetCurSel(m_nPeriodType);
    m_fieldFrom.SetPeriodType(m_nPeriodType, m_nNumeralStyle);
    m_fieldTo.SetPeriodType(m_nPeriodType, m_nNumeralStyle);
}

void CAnSelectTimeDlg::OnTypeChange()
{
    int nType = m_comboType.GetCurSel();
    if (nType >= 0)
        ChoosePeriodType(nType);
}

void CAnSelectTimeDlg::OnAdd()
{
    CString strFrom = m_fieldFrom.GetCode(), strTo = m_fieldTo.GetCode();
    if (strFrom.Compare(strTo) > 0)
    {
        AfxMessageBox("From date must less than to date", MB_OK);
        return;
    }
    CReportPeriod period(strFrom, m_nPeriodType);
    CString strCode = period.GetCode();
    while (!strCode.IsEmpty() && strCode.Compare(strTo) <= 0)
    {
        CString strText = PeriodCodeToText(strCode, m_nPeriodType, m_nNumeralStyle);
        if (m_listSelected.FindStringExact(-1, strText) < 0)
        {
            m_listSelected.AddString(strText);
            m_lstCodes.AddTail(strCode);
        }
        CString strNext = period.Next(1).GetCode();
        // The last period of the calendar has no next one.
        if (strNext.Compare(strCode) <= 0)
            break;
        strCode = strNext;
    }
}

void CAnSelectTimeDlg::OnRemove()
{
    for (int nIndex : SelectedIndexesDescending(m_listSelected))
    {
        m_listSelected.DeleteString(nIndex);
        POSITION pos = m_lstCodes.FindIndex(nIndex);
        if (pos != NULL)
            m_lstCodes.RemoveAt(pos);
    }
}

BOOL CAnSelectTimeDlg::HasSelection()
{
    if (m_lstCodes.GetCount() > 0)
        return TRUE;
    AfxMessageBox("Please select analysis report times!", MB_OK);
    return FALSE;
}

void CAnSelectTimeDlg::SaveSelection()
{
    CStringList& times = m_pDoc->m_sheet.m_lstAnTimes;
    times.RemoveAll();
    POSITION pos = m_lstCodes.GetHeadPosition();
    for (int i = 0; i < m_listSelected.GetCount() && pos != NULL; ++i)
    {
        CString strText;
        m_listSelected.GetText(i, strText);
        times.AddTail(m_lstCodes.GetNext(pos) + "-" + strText);
    }
}
