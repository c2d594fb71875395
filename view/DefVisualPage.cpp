#include "view/DefVisualPage.h"

#include "framework/core/MessageSink.h"
#include "framework/windows/FontDialog.h"
#include "sheet/Sheet.h"
#include "CellDefineIds.h"

namespace
{
// The alignment buttons: control, axis value, released and pressed bitmaps.
struct AlignButtonInfo
{
    UINT nID;
    int nValue;
    UINT nReleased;
    UINT nPressed;
};

const AlignButtonInfo kAlignButtons[6] = {
    { IDC_DEF_ALIGN_LEFT, CELL_ALIGN_LEFT, IDB_ALIGN_LEFT_UP, IDB_ALIGN_LEFT_DOWN },
    { IDC_DEF_ALIGN_MIDDLE, CELL_ALIGN_CENTER, IDB_ALIGN_VCENTER_UP, IDB_ALIGN_VCENTER_DOWN },
    { IDC_DEF_ALIGN_RIGHT, CELL_ALIGN_RIGHT, IDB_ALIGN_RIGHT_UP, IDB_ALIGN_RIGHT_DOWN },
    { IDC_DEF_ALIGN_TOP, CELL_ALIGN_TOP, IDB_ALIGN_TOP_UP, IDB_ALIGN_TOP_DOWN },
    { IDC_DEF_ALIGN_CENTER, CELL_ALIGN_MIDDLE, IDB_ALIGN_HMIDDLE_UP, IDB_ALIGN_HMIDDLE_DOWN },
    { IDC_DEF_ALIGN_BOTTOM, CELL_ALIGN_BOTTOM, IDB_ALIGN_BOTTOM_UP, IDB_ALIGN_BOTTOM_DOWN },
};

BOOL IsHorizontal(int nValue)
{
    return nValue >= CELL_ALIGN_LEFT && nValue <= CELL_ALIGN_MIDDLE;
}

// The edge icons with their bitmaps and tips; the string ids of the tips
// follow the icons' control ids in this order.
const UINT kEdgeIcons[6] = { IDC_DEF_LEFT_ICON, IDC_DEF_TOP_ICON, IDC_DEF_RIGHT_ICON,
                             IDC_DEF_BOTTOM_ICON, IDC_DEF_UPDIAG_ICON, IDC_DEF_DOWNDIAG_ICON };
const UINT kEdgeBitmaps[6] = { IDB_EDGE_LEFT, IDB_EDGE_TOP, IDB_EDGE_RIGHT,
                               IDB_EDGE_BOTTOM, IDB_EDGE_UPDIAG, IDB_EDGE_DOWNDIAG };
// Tip strings 453 to 464 and the controls they belong to.
const UINT kTipControls[12] = { IDC_DEF_ALIGN_LEFT, IDC_DEF_ALIGN_MIDDLE, IDC_DEF_ALIGN_RIGHT,
                                IDC_DEF_ALIGN_TOP, IDC_DEF_ALIGN_CENTER, IDC_DEF_ALIGN_BOTTOM,
                                IDC_DEF_LEFT_ICON, IDC_DEF_RIGHT_ICON, IDC_DEF_TOP_ICON,
                                IDC_DEF_BOTTOM_ICON, IDC_DEF_DOWNDIAG_ICON, IDC_DEF_UPDIAG_ICON };
const UINT kStyleLists[6] = { IDC_DEF_LEFT_STYLE, IDC_DEF_TOP_STYLE, IDC_DEF_RIGHT_STYLE,
                              IDC_DEF_BOTTOM_STYLE, IDC_DEF_UPDIAG_STYLE, IDC_DEF_DOWNDIAG_STYLE };
// The colour buttons, background first, then as the edge icons.
const UINT kColourButtons[7] = { IDC_DEF_BACKCOLOR, IDC_DEF_LEFT_COLOR, IDC_DEF_TOP_COLOR,
                                 IDC_DEF_RIGHT_COLOR, IDC_DEF_BOTTOM_COLOR, IDC_DEF_UPDIAG_COLOR,
                                 IDC_DEF_DOWNDIAG_COLOR };

const int kMaxNameLength = 255;

// Shows string nID, or the text given when the string table lacks it.
void TellString(UINT nID, LPCSTR pszFallback)
{
    CString strMessage;
    if (!strMessage.LoadString(nID))
        strMessage = pszFallback;
    AfxMessageBox(strMessage);
}
} // namespace

BEGIN_MESSAGE_MAP(CDefVisualPage, CPropertyPage)
    ON_BN_CLICKED(IDC_DEF_FONT, OnFont)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_DEF_ALIGN_LEFT, IDC_DEF_ALIGN_BOTTOM, OnAlignButton)
    ON_MESSAGE(WM_COLOUR_SELENDOK, OnColourSelEndOK)
    ON_WM_SYSCOLORCHANGE()
END_MESSAGE_MAP()

CDefVisualPage::CDefVisualPage()
    : CPropertyPage(IDD_DEF_VISUAL), m_pSheet(NULL), m_crBack(RGB(255, 255, 255)),
      m_crLeft(0), m_crTop(0), m_crRight(0), m_crBottom(0), m_crDownDiag(0), m_crUpDiag(0),
      m_logFont(CCell::DefaultFont()), m_crText(0), m_bNameApplies(1), m_bTabIndexApplies(1),
      m_bFontChanged(0), m_bBackChanged(0), m_bBottomChanged(0), m_bUpDiagChanged(0),
      m_bLeftChanged(0), m_bDownDiagChanged(0), m_bRightChanged(0), m_bTopChanged(0),
      m_nHAlign(-1), m_nVAlign(-1), m_nTabIndex(1), m_nTopStyle(-1), m_nRightStyle(-1),
      m_nDownDiagStyle(-1), m_nLeftStyle(-1), m_nUpDiagStyle(-1), m_nBottomStyle(-1),
      m_bNameLocked(FALSE)
{
}

BOOL CDefVisualPage::OnInitDialog()
{
    for (int i = 0; i < 6; ++i)
    {
        const AlignButtonInfo& info = kAlignButtons[i];
        m_alignButtons[i].SubclassDlgItem(info.nID, this);
        m_alignButtons[i].LoadBitmaps(info.nReleased, info.nPressed);
        const int nAxis = IsHorizontal(info.nValue) ? m_nHAlign : m_nVAlign;
        m_alignButtons[i].SetPressed(nAxis == info.nValue);
        m_edgeIcons[i].SubclassDlgItem(kEdgeIcons[i], this);
    }
    LoadEdgeIcons();
    const int nStyles[6] = { m_nLeftStyle, m_nTopStyle, m_nRightStyle,
                             m_nBottomStyle, m_nUpDiagStyle, m_nDownDiagStyle };
    for (int i = 0; i < 6; ++i)
        if (m_styleLists[i].SubclassDlgItem(kStyleLists[i], this))
            m_styleLists[i].FillStyles(nStyles[i]);
    for (int i = 0; i < 7; ++i)
    {
        m_colourPickers[i].SubclassDlgItem(kColourButtons[i], this);
        m_colourPickers[i].SetDefaultColour(i == 0 ? RGB(255, 255, 255) : RGB(0, 0, 0));
    }
    AddToolTips();

    CWnd* pName = GetDlgItem(IDC_DEF_NAME);
    CWnd* pTabIndex = GetDlgItem(IDC_DEF_TABINDEX);
    if (pName == NULL || pTabIndex == NULL)
        AfxMessageBox("Error edit box.");
    if (pName != NULL)
    {
        pName->SendMessage(EM_LIMITTEXT, kMaxNameLength);
        pName->EnableWindow(m_bNameApplies);
    }
    if (pTabIndex != NULL)
        pTabIndex->EnableWindow(m_bTabIndexApplies);
    return CPropertyPage::OnInitDialog();
}

void CDefVisualPage::LoadEdgeIcons()
{
    for (int i = 0; i < 6; ++i)
    {
        m_edgeBitmaps[i].DeleteObject();
        if (m_edgeBitmaps[i].LoadMappedBitmap(kEdgeBitmaps[i]) && m_edgeIcons[i].m_hWnd != NULL)
            m_edgeIcons[i].SetBitmap((HBITMAP)m_edgeBitmaps[i].GetSafeHandle());
    }
}

void CDefVisualPage::AddToolTips()
{
    if (!m_toolTips.Create(this, TTS_ALWAYSTIP))
        return;
    for (int i = 0; i < 12; ++i)
    {
        CWnd* pControl = GetDlgItem(kTipControls[i]);
        CString strTip;
        if (pControl == NULL || !strTip.LoadString(IDS_TIP_ALIGN_LEFT + i))
            continue;
        // The tip control watches the tool's messages itself: the sheet's
        // modal loop is the system's, which relays nothing.
        TTTOOLINFOA ti = {};
        ti.cbSize = sizeof(ti);
        ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        ti.hwnd = m_hWnd;
        ti.uId = (UINT_PTR)pControl->m_hWnd;
        ti.lpszText = const_cast<LPSTR>((LPCSTR)strTip);
        m_toolTips.SendMessage(TTM_ADDTOOLA, 0, (LPARAM)&ti);
    }
    m_toolTips.Activate(TRUE);
}

void CDefVisualPage::OnSysColorChange()
{
    LoadEdgeIcons();
    Default();
}

void CDefVisualPage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_DEF_NAME, m_strName);
    DDX_Text(pDX, IDC_DEF_TABINDEX, m_nTabIndex);
    DDX_CBIndex(pDX, IDC_DEF_LEFT_STYLE, m_nLeftStyle);
    DDX_CBIndex(pDX, IDC_DEF_TOP_STYLE, m_nTopStyle);
    DDX_CBIndex(pDX, IDC_DEF_RIGHT_STYLE, m_nRightStyle);
    DDX_CBIndex(pDX, IDC_DEF_BOTTOM_STYLE, m_nBottomStyle);
    DDX_CBIndex(pDX, IDC_DEF_UPDIAG_STYLE, m_nUpDiagStyle);
    DDX_CBIndex(pDX, IDC_DEF_DOWNDIAG_STYLE, m_nDownDiagStyle);
    DDX_ColourPicker(pDX, IDC_DEF_BACKCOLOR, m_crBack);
    DDX_ColourPicker(pDX, IDC_DEF_LEFT_COLOR, m_crLeft);
    DDX_ColourPicker(pDX, IDC_DEF_TOP_COLOR, m_crTop);
    DDX_ColourPicker(pDX, IDC_DEF_RIGHT_COLOR, m_crRight);
    DDX_ColourPicker(pDX, IDC_DEF_BOTTOM_COLOR, m_crBottom);
    DDX_ColourPicker(pDX, IDC_DEF_UPDIAG_COLOR, m_crUpDiag);
    DDX_ColourPicker(pDX, IDC_DEF_DOWNDIAG_COLOR, m_crDownDiag);
}

void CDefVisualPage::OnAlignButton(UINT nID)
{
    int nIndex = -1;
    for (int i = 0; i < 6; ++i)
        if (kAlignButtons[i].nID == nID)
            nIndex = i;
    if (nIndex < 0)
        return;
    const int nValue = kAlignButtons[nIndex].nValue;
    int& nAxis = IsHorizontal(nValue) ? m_nHAlign : m_nVAlign;
    for (int i = 0; i < 6; ++i)
        if (kAlignButtons[i].nValue == nAxis)
            m_alignButtons[i].SetPressed(FALSE);
    m_alignButtons[nIndex].SetPressed(TRUE);
    nAxis = nValue;
}

void CDefVisualPage::OnFont()
{
    CFontDialog dlg(&m_logFont, CF_SCREENFONTS | CF_EFFECTS | CF_TTONLY, NULL, this);
    dlg.m_cf.rgbColors = m_crText;
    if (dlg.DoModal() != IDOK)
        return;
    dlg.GetCurrentFont(&m_logFont);
    m_crText = dlg.GetColor();
    m_bFontChanged = 1;
}

LRESULT CDefVisualPage::OnColourSelEndOK(WPARAM, LPARAM lParam)
{
    switch ((UINT)lParam)
    {
    case IDC_DEF_BACKCOLOR: m_bBackChanged = 1; break;
    case IDC_DEF_LEFT_COLOR: m_bLeftChanged = 1; break;
    case IDC_DEF_TOP_COLOR: m_bTopChanged = 1; break;
    case IDC_DEF_RIGHT_COLOR: m_bRightChanged = 1; break;
    case IDC_DEF_BOTTOM_COLOR: m_bBottomChanged = 1; break;
    case IDC_DEF_UPDIAG_COLOR: m_bUpDiagChanged = 1; break;
    case IDC_DEF_DOWNDIAG_COLOR: m_bDownDiagChanged = 1; break;
    default: break;
    }
    return 0;
}

BOOL CDefVisualPage::CheckName()
{
    CString strName;
    GetDlgItemText(IDC_DEF_NAME, strName);
    strName = strName.Left(kMaxNameLength);
    if (!m_bNameApplies || strName.CompareNoCase(m_strName) == 0)
        return TRUE;
    // Formulas name the cell: a new name would leave them naming nothing.
    if (m_bNameLocked)
    {
        AfxMessageBox("This cell is used by other Formula Cells,cannot change name!");
        return FALSE;
    }
    for (INT_PTR n = 0; m_pSheet != NULL && n < m_pSheet->m_cells.GetSize(); ++n)
    {
        if (m_pSheet->m_cells[n].m_strName.CompareNoCase(strName) != 0)
            continue;
        TellString(IDS_CELL_NAME_EXISTED, "Cell Name Existed,please input again!");
        return FALSE;
    }
    return TRUE;
}

BOOL CDefVisualPage::CheckTabIndex()
{
    if (!m_bTabIndexApplies)
        return TRUE;
    BOOL bNumber = FALSE;
    const int nTabIndex = (int)GetDlgItemInt(IDC_DEF_TABINDEX, &bNumber, TRUE);
    // A text that is no number is the data exchange's to refuse.
    if (!bNumber || nTabIndex == m_nTabIndex || nTabIndex == 0 || m_pSheet == NULL ||
        m_pSheet->m_cells.GetSize() == 0)
        return TRUE;
    for (INT_PTR n = 0; n < m_pSheet->m_cells.GetSize(); ++n)
    {
        if (m_pSheet->m_cells[n].m_nTabIndex != nTabIndex)
            continue;
        TellString(IDS_CELL_TABINDEX_EXISTED, "Cell tab index existed,please input again!");
        return FALSE;
    }
    return TRUE;
}

BOOL CDefVisualPage::OnKillActive()
{
    if (!CheckName())
    {
        GotoDlgCtrl(GetDlgItem(IDC_DEF_NAME));
        return FALSE;
    }
    if (!CheckTabIndex())
    {
        GotoDlgCtrl(GetDlgItem(IDC_DEF_TABINDEX));
        return FALSE;
    }
    return CPropertyPage::OnKillActive();
}
