#include <initializer_list>

#include "shell/CellFormatBar.h"

#include "FormatBarIds.h"
#include "framework/windows/ScopedGdi.h"

IMPLEMENT_DYNAMIC(CCellFormatBar, CToolBar)

BEGIN_MESSAGE_MAP(CCellFormatBar, CToolBar)
    ON_WM_CREATE()
    ON_NOTIFY(NM_SETFOCUS, IDC_FORMATBAR_FACE, OnFaceSetFocus)
    ON_NOTIFY(NM_SETFOCUS, IDC_FORMATBAR_SIZE, OnSizeSetFocus)
    ON_NOTIFY(NM_SETFOCUS, IDC_FORMATBAR_CELLTYPE, OnCellTypeSetFocus)
    ON_NOTIFY(NM_KILLFOCUS, IDC_FORMATBAR_FACE, OnFaceKillFocus)
    ON_NOTIFY(NM_KILLFOCUS, IDC_FORMATBAR_SIZE, OnSizeKillFocus)
    ON_NOTIFY(NM_KILLFOCUS, IDC_FORMATBAR_CELLTYPE, OnCellTypeKillFocus)
    ON_CONTROL(CBN_CLOSEUP, IDC_FORMATBAR_FACE, OnComboCloseUp)
    ON_CONTROL(CBN_CLOSEUP, IDC_FORMATBAR_SIZE, OnComboCloseUp)
    ON_CONTROL(CBN_CLOSEUP, IDC_FORMATBAR_CELLTYPE, OnComboCloseUp)
    ON_CBN_DROPDOWN(IDC_FORMATBAR_SIZE, OnSizeDropDown)
    ON_CONTROL(CBN_SELENDOK, IDC_FORMATBAR_CELLTYPE, OnCellTypeSelEndOk)
END_MESSAGE_MAP()

namespace
{
const int kCellTypeNone = 255;
const int kButtonCellType = 2;
const int kButtonFace = 3;
const int kButtonSize = 4;

// The cell type as both sides read it: the low byte, 255 for none.
int CellTypeByte(int nCellType) { return nCellType & 0xFF; }
}

CCellFormatBar::CCellFormatBar()
    : m_cxBase(0), m_cyBase(0), m_nQueriedCellType(-1), m_bCellTypeChosen(FALSE)
{
    HDC hDC = ::GetDC(NULL);
    if (hDC != NULL)
    {
        CScopedSelectObject select(hDC, ::GetStockObject(DEFAULT_GUI_FONT));
        TEXTMETRICA tm = {};
        ::GetTextMetricsA(hDC, &tm);
        m_cxBase = tm.tmAveCharWidth;
        m_cyBase = tm.tmHeight;
        ::ReleaseDC(NULL, hDC);
    }
}

CCellFormatBar::~CCellFormatBar() {}

int CCellFormatBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CToolBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    const int w = m_cxBase;
    if (!m_comboCellType.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST,
                                CRect(0, 0, w * 15, 200), this, IDC_FORMATBAR_CELLTYPE))
        return -1;
    m_comboCellType.SetTextLimit(6);
    m_comboCellType.AddCellTypes();

    if (!m_comboFontName.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST
                                    | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | CBS_AUTOHSCROLL,
                                CRect(0, 0, w * 16, 200), this, IDC_FORMATBAR_FACE))
        return -1;
    m_comboFontName.SetDroppedWidth((UINT)(w * 32));
    m_comboFontName.SetTextLimit(LF_FACESIZE);

    if (!m_comboFontSize.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWN,
                                CRect(0, 0, w * 8, 200), this, IDC_FORMATBAR_SIZE))
        return -1;
    m_comboFontSize.SetTextLimit(4);

    m_comboFontName.FillFaces();
    m_comboFontName.FitWidthToItems();
    return 0;
}

void CCellFormatBar::PlaceCombos()
{
    if (m_comboFontName.m_hWnd == NULL)
        return;
    m_comboFontName.SetItemHeight(-1, (UINT)m_comboFontSize.GetItemHeight(-1));
    CRect rcFace;
    m_comboFontName.GetWindowRect(&rcFace);
    const int h = rcFace.Height();
    struct Place
    {
        int nIndex;
        CFormatBarCombo* pCombo;
        UINT nID;
    };
    const Place places[] = {{kButtonCellType, &m_comboCellType, IDC_FORMATBAR_CELLTYPE},
                            {kButtonFace, &m_comboFontName, IDC_FORMATBAR_FACE},
                            {kButtonSize, &m_comboFontSize, IDC_FORMATBAR_SIZE}};
    for (const Place& place : places)
    {
        if (place.nIndex >= GetCount())
            break;
        CRect rcCombo;
        place.pCombo->GetWindowRect(&rcCombo);
        SetButtonInfo(place.nIndex, place.nID, TBBS_SEPARATOR, rcCombo.Width());
        CRect rcButton;
        GetItemRect(place.nIndex, &rcButton);
        place.pCombo->SetWindowPos(NULL, rcButton.left, rcButton.top + (rcButton.Height() - h) / 2,
                                   0, 0, SWP_NOZORDER | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

void CCellFormatBar::NotifyOwner(UINT nCode)
{
    NMHDR nm = {};
    nm.hwndFrom = m_hWnd;
    nm.idFrom = ID_FORMATBAR;
    nm.code = nCode;
    CWnd* pOwner = GetOwner();
    if (pOwner != NULL)
        pOwner->SendMessage(WM_NOTIFY, ID_FORMATBAR, (LPARAM)&nm);
}

void CCellFormatBar::SendFormatRecord(NMFORMATBAR& record)
{
    record.hdr.hwndFrom = m_hWnd;
    record.hdr.idFrom = ID_FORMATBAR;
    record.cf.cbSize = sizeof(CHARFORMATA);
    CWnd* pOwner = GetOwner();
    if (pOwner != NULL)
        pOwner->SendMessage(WM_NOTIFY, ID_FORMATBAR, (LPARAM)&record);
}

void CCellFormatBar::ApplyFormat(UINT nChangedID, const CHARFORMATA& cf)
{
    NMFORMATBAR record = {};
    record.hdr.code = FBN_APPLYFORMAT;
    record.cf = cf;
    record.nCellType = m_comboCellType.GetCurSel();
    record.nChangedID = nChangedID;
    SendFormatRecord(record);
}

void CCellFormatBar::QueryOwnerFormat()
{
    // A query nobody answers leaves this: nothing known, no cell type.
    NMFORMATBAR record = {};
    record.hdr.code = FBN_QUERYFORMAT;
    record.cf.dwMask = 0;
    record.nCellType = -1;
    SendFormatRecord(record);

    if ((record.cf.dwMask & (CFM_FACE | CFM_CHARSET)) == (CFM_FACE | CFM_CHARSET))
    {
        record.cf.szFaceName[LF_FACESIZE - 1] = 0;
        m_comboFontName.SelectFace(record.cf.szFaceName, record.cf.bCharSet);
    }
    else
    {
        m_comboFontName.SetComboText("", FALSE);
    }
    m_comboFontSize.SetSizeTwips((record.cf.dwMask & CFM_SIZE) ? (int)record.cf.yHeight : -1);

    int nType = CellTypeByte(record.nCellType);
    m_nQueriedCellType = nType;
    m_bCellTypeChosen = FALSE;
    if (nType == kCellTypeNone || nType >= m_comboCellType.GetCount())
        m_comboCellType.SetComboText("", FALSE);
    else if (m_comboCellType.GetCurSel() != nType)
        m_comboCellType.SetCurSel(nType);
}

BOOL CCellFormatBar::IsFocusInCombos() const
{
    HWND hFocus = ::GetFocus();
    if (hFocus == NULL)
        return FALSE;
    for (HWND hCombo : {m_comboFontName.m_hWnd, m_comboFontSize.m_hWnd, m_comboCellType.m_hWnd})
        if (hCombo != NULL && (hFocus == hCombo || ::IsChild(hCombo, hFocus)))
            return TRUE;
    return FALSE;
}

void CCellFormatBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    CToolBar::OnUpdateCmdUI(pTarget, bDisableIfNoHndler);
    if (!IsFocusInCombos())
        QueryOwnerFormat();
}

void CCellFormatBar::OnFaceSetFocus(NMHDR*, LRESULT* pResult)
{
    NotifyOwner(NM_SETFOCUS);
    *pResult = 0;
}

void CCellFormatBar::OnSizeSetFocus(NMHDR*, LRESULT* pResult)
{
    NotifyOwner(NM_SETFOCUS);
    *pResult = 0;
}

void CCellFormatBar::OnCellTypeSetFocus(NMHDR*, LRESULT* pResult)
{
    NotifyOwner(NM_SETFOCUS);
    *pResult = 0;
}

void CCellFormatBar::OnFaceKillFocus(NMHDR*, LRESULT* pResult)
{
    NotifyOwner(NM_KILLFOCUS);
    *pResult = 0;
    CString strText;
    m_comboFontName.GetComboText(strText);
    m_comboFontName.SetComboText(strText, FALSE);
    m_comboFontName.GetComboText(strText);
    if (strText.IsEmpty())
        return;
    CHARFORMATA cf = {};
    cf.dwMask = CFM_FACE | CFM_CHARSET;
    int nIndex = m_comboFontName.FindStringExact(-1, strText);
    const CFontFaceEntry* pEntry = m_comboFontName.GetEntry(nIndex);
    // Both branches keep to the face name's 31 characters and terminator.
    if (nIndex != CB_ERR && pEntry != NULL)
    {
        lstrcpynA(cf.szFaceName, pEntry->m_strName, LF_FACESIZE);
        cf.bCharSet = pEntry->m_nCharSet;
        cf.bPitchAndFamily = pEntry->m_nPitchAndFamily;
    }
    else
    {
        lstrcpynA(cf.szFaceName, strText, LF_FACESIZE);
        cf.bCharSet = DEFAULT_CHARSET;
        cf.bPitchAndFamily = 0;
    }
    ApplyFormat(IDC_FORMATBAR_FACE, cf);
}

void CCellFormatBar::OnSizeKillFocus(NMHDR*, LRESULT* pResult)
{
    NotifyOwner(NM_KILLFOCUS);
    *pResult = 0;
    int nTwips = m_comboFontSize.GetSizeTwips();
    if (!IsApplicableTwips(nTwips))
        return;
    CHARFORMATA cf = {};
    cf.dwMask = CFM_SIZE;
    cf.yHeight = nTwips;
    ApplyFormat(IDC_FORMATBAR_SIZE, cf);
}

void CCellFormatBar::OnCellTypeKillFocus(NMHDR*, LRESULT* pResult)
{
    NotifyOwner(NM_KILLFOCUS);
    *pResult = 0;
    // Only a type the user chose, and not the one already there: applying
    // a type resets the cells' contents.
    int nType = m_comboCellType.GetCurSel();
    BOOL bChosen = m_bCellTypeChosen;
    m_bCellTypeChosen = FALSE;
    if (!bChosen || nType == CB_ERR || nType == m_nQueriedCellType)
        return;
    CHARFORMATA cf = {};
    cf.dwMask = 0;
    ApplyFormat(IDC_FORMATBAR_CELLTYPE, cf);
    m_nQueriedCellType = nType;
}

void CCellFormatBar::OnComboCloseUp()
{
    NotifyOwner(NM_RETURN);
}

void CCellFormatBar::OnSizeDropDown()
{
    m_comboFontSize.PrepareDropDown(m_comboFontName);
}

void CCellFormatBar::OnCellTypeSelEndOk()
{
    m_bCellTypeChosen = TRUE;
}
