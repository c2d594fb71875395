#include <algorithm>

#include "framework/docview/ToolBar.h"

#include "framework/core/MessageSink.h"
#include "framework/docview/FrameWnd.h"
#include "framework/docview/ToolBarResource.h"
#include "framework/windows/CmdUI.h"
#include "framework/windows/DisabledBitmap.h"
#include "framework/windows/ScopedGdi.h"

IMPLEMENT_DYNAMIC(CToolBar, CControlBar)

BEGIN_MESSAGE_MAP(CToolBar, CControlBar)
    ON_WM_DESTROY()
    ON_WM_TIMER()
    ON_NOTIFY_RANGE(TBN_HOTITEMCHANGE, 0, 0xFFFF, OnHotItemChange)
END_MESSAGE_MAP()

namespace
{
// The toolbar resources' bitmaps paint their background light grey.
const COLORREF kImageMask = RGB(192, 192, 192);

// How often a shown fly-by prompt checks that the pointer is still on the bar.
const UINT_PTR kFlyByTimer = 0xE001;
const UINT kFlyByCheckMs = 200;

// The style word of a button: its style, and its state with
// TBSTATE_ENABLED inverted so that 0 is a plain enabled button.
UINT StyleWord(const TBBUTTON& button)
{
    return MAKELONG(button.fsStyle, (BYTE)(button.fsState ^ TBSTATE_ENABLED));
}

// The state a style word gives a button; the row wrap stays the layout's.
BYTE StateOf(UINT nStyle, BYTE fsOldState)
{
    return (BYTE)(((HIWORD(nStyle) ^ TBSTATE_ENABLED) & ~TBSTATE_WRAP) |
                  (fsOldState & TBSTATE_WRAP));
}

// One button's state as the update handlers set it.
class CToolCmdUI : public CCmdUI
{
public:
    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        SetState(TBSTATE_ENABLED, bOn ? TBSTATE_ENABLED : 0);
    }
    void SetCheck(int nCheck) override
    {
        SetState(TBSTATE_CHECKED | TBSTATE_INDETERMINATE,
                 nCheck == 1 ? TBSTATE_CHECKED : nCheck == 2 ? TBSTATE_INDETERMINATE : 0);
    }
    void SetText(LPCSTR) override {}

private:
    void SetState(BYTE fsMask, BYTE fsValue)
    {
        CToolBar* pBar = static_cast<CToolBar*>(m_pOther);
        UINT nStyle = pBar->GetButtonStyle((int)m_nIndex);
        // The high word holds TBSTATE_ENABLED inverted.
        BYTE fsState = (BYTE)(HIWORD(nStyle) ^ TBSTATE_ENABLED);
        BYTE fsNew = (BYTE)((fsState & ~fsMask) | fsValue);
        if (fsNew != fsState)
            pBar->SetButtonStyle((int)m_nIndex,
                                 MAKELONG(LOWORD(nStyle), (BYTE)(fsNew ^ TBSTATE_ENABLED)));
    }
};
}

CToolBar::CToolBar() : m_sizeImage(16, 15), m_bHorzLayout(TRUE)
{
}

CToolBar::~CToolBar()
{
    // The window goes before the image list it shows.
    if (m_hWnd != NULL && FromHandlePermanent(m_hWnd) == this)
        CControlBar::DestroyWindow();
}

BOOL CToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    return CreateEx(pParentWnd, 0, dwStyle, CRect(0, 0, 0, 0), nID);
}

BOOL CToolBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, CRect, UINT nID)
{
    DWORD dwWndStyle = SplitStyle(dwStyle) | dwCtrlStyle | CCS_NODIVIDER | CCS_NOPARENTALIGN |
                       CCS_NORESIZE | WS_CLIPSIBLINGS;
    if (m_dwStyle & CBRS_TOOLTIPS)
        dwWndStyle |= TBSTYLE_TOOLTIPS;
    INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_BAR_CLASSES };
    ::InitCommonControlsEx(&icc);
    if (!CWnd::Create(TOOLBARCLASSNAMEA, NULL, dwWndStyle, CRect(0, 0, 0, 0), pParentWnd, nID))
        return FALSE;
    m_toolBarCtrl.m_hWnd = m_hWnd;
    SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    // The control reports to the bar, which passes on to its owner.
    SendMessage(TB_SETPARENT, (WPARAM)m_hWnd);
    SetOwner(pParentWnd);
    return TRUE;
}

void CToolBar::OnDestroy()
{
    KillTimer(kFlyByTimer);
    CControlBar::OnDestroy();
    m_toolBarCtrl.m_hWnd = NULL;
}

CToolBarCtrl& CToolBar::GetToolBarCtrl() const
{
    return m_toolBarCtrl;
}

BOOL CToolBar::LoadToolBar(UINT nIDResource)
{
    return LoadToolBar(MAKEINTRESOURCEA(nIDResource));
}

BOOL CToolBar::LoadToolBar(LPCSTR lpszResourceName)
{
    CToolBarResource resource;
    if (!resource.Load(AfxGetResourceHandle(), lpszResourceName))
        return FALSE;
    // Buttons leave 7 pixels around their image, as the control's own do.
    SetSizes(CSize(resource.m_cxImage + 7, resource.m_cyImage + 7),
             CSize(resource.m_cxImage, resource.m_cyImage));
    if (!IS_INTRESOURCE(lpszResourceName) ||
        !LoadBitmap((UINT)reinterpret_cast<UINT_PTR>(lpszResourceName)))
        return FALSE;
    return SetButtons(resource.m_arrIDs.GetData(), (int)resource.m_arrIDs.GetSize());
}

BOOL CToolBar::LoadBitmap(UINT nIDResource)
{
    // The images go into a 24-bit list whatever the bitmap's depth, so
    // that an image repainted later can take any colour.
    HBITMAP hBitmap = (HBITMAP)::LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIDResource),
                                            IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    if (hBitmap == NULL)
        return FALSE;
    BITMAP bm = {};
    ::GetObject(hBitmap, sizeof(bm), &bm);
    int nImages = m_sizeImage.cx > 0 ? bm.bmWidth / m_sizeImage.cx : 0;
    // The control's own disabled look is a flat silhouette: disabled
    // buttons show grey copies of their images instead.
    CScopedGdiObject disabled(AfxCreateDisabledBitmap(hBitmap, kImageMask));
    CImageList imageList, disabledList;
    BOOL bLoaded = nImages > 0 && bm.bmHeight > 0 && disabled.Get() != NULL &&
                   imageList.Create(m_sizeImage.cx, bm.bmHeight, ILC_COLOR24 | ILC_MASK, nImages, 1) &&
                   ImageList_AddMasked(imageList.GetSafeHandle(), hBitmap, kImageMask) >= 0 &&
                   disabledList.Create(m_sizeImage.cx, bm.bmHeight, ILC_COLOR24 | ILC_MASK, nImages, 1) &&
                   ImageList_AddMasked(disabledList.GetSafeHandle(), (HBITMAP)disabled.Get(),
                                       kImageMask) >= 0;
    ::DeleteObject(hBitmap);
    if (!bLoaded)
        return FALSE;
    SendMessage(TB_SETIMAGELIST, 0, (LPARAM)imageList.GetSafeHandle());
    SendMessage(TB_SETDISABLEDIMAGELIST, 0, (LPARAM)disabledList.GetSafeHandle());
    m_imageList.DeleteImageList();
    m_imageList.Attach(imageList.Detach());
    m_disabledImageList.DeleteImageList();
    m_disabledImageList.Attach(disabledList.Detach());
    return TRUE;
}

void CToolBar::SetSizes(SIZE sizeButton, SIZE sizeImage)
{
    m_sizeImage = sizeImage;
    SendMessage(TB_SETBITMAPSIZE, 0, MAKELPARAM(sizeImage.cx, sizeImage.cy));
    SendMessage(TB_SETBUTTONSIZE, 0, MAKELPARAM(sizeButton.cx, sizeButton.cy));
}

BOOL CToolBar::SetButtons(const UINT* lpIDArray, int nIDCount)
{
    while (GetCount() > 0)
        SendMessage(TB_DELETEBUTTON, 0);
    int iImage = 0;
    for (int i = 0; i < nIDCount; ++i)
    {
        TBBUTTON button = {};
        button.idCommand = lpIDArray != NULL ? (int)lpIDArray[i] : 0;
        if (button.idCommand == 0)
        {
            button.fsStyle = TBSTYLE_SEP;
        }
        else
        {
            button.fsStyle = TBSTYLE_BUTTON;
            button.fsState = TBSTATE_ENABLED;
            button.iBitmap = iImage++;
        }
        if (!SendMessage(TB_ADDBUTTONSA, 1, (LPARAM)&button))
            return FALSE;
    }
    WrapButtons(m_bHorzLayout);
    return TRUE;
}

int CToolBar::GetCount() const
{
    return (int)SendMessage(TB_BUTTONCOUNT);
}

BOOL CToolBar::GetButton(int nIndex, TBBUTTON& button) const
{
    button = TBBUTTON();
    return (BOOL)SendMessage(TB_GETBUTTON, (WPARAM)nIndex, (LPARAM)&button);
}

int CToolBar::CommandToIndex(UINT nIDFind) const
{
    int nCount = GetCount();
    for (int i = 0; i < nCount; ++i)
        if (GetItemID(i) == nIDFind)
            return i;
    return -1;
}

UINT CToolBar::GetItemID(int nIndex) const
{
    TBBUTTON button;
    return GetButton(nIndex, button) ? (UINT)button.idCommand : 0;
}

void CToolBar::GetItemRect(int nIndex, LPRECT lpRect) const
{
    if (!SendMessage(TB_GETITEMRECT, (WPARAM)nIndex, (LPARAM)lpRect))
        ::SetRectEmpty(lpRect);
}

UINT CToolBar::GetButtonStyle(int nIndex) const
{
    TBBUTTON button;
    return GetButton(nIndex, button) ? StyleWord(button) : 0;
}

void CToolBar::SetButtonStyle(int nIndex, UINT nStyle)
{
    TBBUTTON button;
    if (!GetButton(nIndex, button))
        return;
    BYTE fsStyle = (BYTE)LOWORD(nStyle);
    BYTE fsState = StateOf(nStyle, button.fsState);
    if (button.fsStyle == fsStyle && button.fsState == fsState)
        return;
    TBBUTTONINFOA info = {};
    info.cbSize = sizeof(info);
    info.dwMask = TBIF_BYINDEX | TBIF_STYLE | TBIF_STATE;
    info.fsStyle = fsStyle;
    info.fsState = fsState;
    SendMessage(TB_SETBUTTONINFOA, (WPARAM)nIndex, (LPARAM)&info);
    // A style change can change the button's width (a drop-down arrow).
    if (button.fsStyle != fsStyle)
        SendMessage(TB_AUTOSIZE);
}

void CToolBar::GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const
{
    TBBUTTON button;
    if (!GetButton(nIndex, button))
    {
        nID = 0, nStyle = 0, iImage = 0;
        return;
    }
    nID = (UINT)button.idCommand;
    nStyle = StyleWord(button);
    iImage = button.iBitmap;
}

void CToolBar::SetButtonInfo(int nIndex, UINT nID, UINT nStyle, int iImage)
{
    TBBUTTON button;
    if (!GetButton(nIndex, button))
        return;
    // Replaced as a whole: the control sizes a separator from iBitmap
    // only when the button is inserted.
    button.idCommand = (int)nID;
    button.fsStyle = (BYTE)LOWORD(nStyle);
    button.fsState = StateOf(nStyle, button.fsState);
    button.iBitmap = iImage;
    button.iString = -1;
    SendMessage(TB_DELETEBUTTON, (WPARAM)nIndex);
    SendMessage(TB_INSERTBUTTONA, (WPARAM)nIndex, (LPARAM)&button);
}

void CToolBar::WrapButtons(BOOL bHorz)
{
    m_bHorzLayout = bHorz;
    // Upright, the control draws its separators across.
    ModifyStyle(bHorz ? CCS_VERT : 0, bHorz ? 0 : CCS_VERT);
    int nCount = GetCount();
    for (int i = 0; i < nCount; ++i)
    {
        TBBUTTON button;
        if (!GetButton(i, button))
            continue;
        BYTE fsNew = (BYTE)(button.fsState & ~TBSTATE_WRAP);
        if (!bHorz && i < nCount - 1)
            fsNew |= TBSTATE_WRAP;
        if (fsNew == button.fsState)
            continue;
        TBBUTTONINFOA info = {};
        info.cbSize = sizeof(info);
        info.dwMask = TBIF_BYINDEX | TBIF_STATE;
        info.fsState = fsNew;
        SendMessage(TB_SETBUTTONINFOA, (WPARAM)i, (LPARAM)&info);
    }
}

CSize CToolBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    if (bHorz != m_bHorzLayout)
    {
        WrapButtons(bHorz);
        m_rectBorder = CalcBorders(bHorz);
        ::SetWindowPos(m_hWnd, NULL, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER |
                                                 SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    CSize sizeContent(0, 0);
    int nCount = GetCount();
    for (int i = 0; i < nCount; ++i)
    {
        CRect rect;
        GetItemRect(i, &rect);
        sizeContent.cx = std::max<int>(sizeContent.cx, rect.right);
        sizeContent.cy = std::max<int>(sizeContent.cy, rect.bottom);
    }
    if (nCount == 0)
    {
        LRESULT lButton = SendMessage(TB_GETBUTTONSIZE);
        sizeContent = CSize(bHorz ? 0 : LOWORD(lButton), bHorz ? HIWORD(lButton) : 0);
    }
    CSize size = CControlBar::CalcFixedLayout(bStretch, bHorz);
    if (!bStretch || !bHorz)
        size.cx += sizeContent.cx;
    if (!bStretch || bHorz)
        size.cy += sizeContent.cy;
    return size;
}

CSize CToolBar::CalcDynamicLayout(int, DWORD dwMode)
{
    // Docked on a side, a bar stands vertical; docked on top or bottom,
    // or floating, it is one row.
    BOOL bHorz = (dwMode & LM_VERTDOCK) == 0;
    return CalcFixedLayout((dwMode & LM_STRETCH) != 0, bHorz);
}

void CToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    CToolCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = (UINT)GetCount();
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex)
    {
        TBBUTTON button;
        if (!GetButton((int)state.m_nIndex, button) || (button.fsStyle & TBSTYLE_SEP))
            continue;
        state.m_nID = (UINT)button.idCommand;
        state.DoUpdate(pTarget, bDisableIfNoHndler);
    }
}

void CToolBar::OnHotItemChange(UINT, NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    if (!(m_dwStyle & CBRS_FLYBY))
        return;
    NMTBHOTITEM* pHot = reinterpret_cast<NMTBHOTITEM*>(pNMHDR);
    SetFlyByPrompt((pHot->dwFlags & HICF_LEAVING) ? AFX_IDS_IDLEMESSAGE : (UINT)pHot->idNew);
}

CFrameWnd* CToolBar::GetPromptFrame() const
{
    CWnd* pOwner = GetOwner();
    CWnd* pFrame = pOwner != NULL ? pOwner->GetTopLevelParent() : NULL;
    return DYNAMIC_DOWNCAST(CFrameWnd, pFrame);
}

void CToolBar::SetFlyByPrompt(UINT nID)
{
    CFrameWnd* pFrame = GetPromptFrame();
    if (pFrame != NULL)
        pFrame->SendMessage(WM_SETMESSAGESTRING, (WPARAM)nID);
    if (nID == AFX_IDS_IDLEMESSAGE)
        KillTimer(kFlyByTimer);
    else
        SetTimer(kFlyByTimer, kFlyByCheckMs, NULL);
}

void CToolBar::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kFlyByTimer)
    {
        Default();
        return;
    }
    POINT pt;
    HWND hUnder = ::GetCursorPos(&pt) ? ::WindowFromPoint(pt) : NULL;
    if (hUnder == m_hWnd || ::IsChild(m_hWnd, hUnder))
        return;
    KillTimer(kFlyByTimer);
    // Another bar's button may have put its prompt there meanwhile.
    CFrameWnd* pFrame = GetPromptFrame();
    if (pFrame != NULL && CommandToIndex(pFrame->m_nIDTracking) >= 0)
        pFrame->SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
}
