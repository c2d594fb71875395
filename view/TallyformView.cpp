#include "view/TallyformView.h"

#include "framework/docview/MDIWnd.h"
#include "framework/docview/StandardCommands.h"
#include "framework/docview/WinApp.h"
#include "framework/windows/CmdUI.h"
#include "framework/windows/Menu.h"
#include "sheet/BorderDrag.h"
#include "sheet/document/TallyformDoc.h"
#include "shell/CellFormatBar.h"
#include "view/DisplayScaleDlg.h"
#include "view/SheetViewFrame.h"
#include "DocumentIds.h"
#include "FormatBarIds.h"
#include "SheetViewIds.h"

IMPLEMENT_DYNCREATE(CTallyformView, CScrollView)

BEGIN_MESSAGE_MAP(CTallyformView, CScrollView)
    ON_COMMAND(ID_FILE_PROPERTIES, OnFileProperties)
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_SETCURSOR()
    ON_COMMAND_RANGE(ID_VIEW_SCALE_25, ID_VIEW_SCALE_200, OnViewScale)
    ON_UPDATE_COMMAND_UI_RANGE(ID_VIEW_SCALE_25, ID_VIEW_SCALE_200, OnUpdateViewScale)
    ON_COMMAND(ID_VIEW_SCALE_CUSTOM, OnViewScaleCustom)
    ON_COMMAND_RANGE(ID_VIEW_MODE_CELLNAME, ID_VIEW_MODE_COLITEM, OnDisplayMode)
    ON_UPDATE_COMMAND_UI_RANGE(ID_VIEW_MODE_CELLNAME, ID_VIEW_MODE_COLITEM, OnUpdateDisplayMode)
    ON_COMMAND(ID_DATA_VERIFY, OnDataVerify)
    ON_UPDATE_COMMAND_UI(ID_DATA_VERIFY, OnUpdateRunModeOnly)
    ON_UPDATE_COMMAND_UI(ID_FILE_SAVE_DATA_TO_FILE, OnUpdateDataFiles)
    ON_UPDATE_COMMAND_UI(ID_FILE_LOAD_DATA_FROM_FILE, OnUpdateDataFiles)
    ON_UPDATE_COMMAND_UI(ID_DATA_CLEAR, OnUpdateRunModeOnly)
    ON_UPDATE_COMMAND_UI(ID_DATA_SUM_FROM_FILES, OnUpdateDataFiles)
    ON_UPDATE_COMMAND_UI(ID_FILE_NEW_TEMPLATE, OnUpdateDesignModeOnly)
    ON_UPDATE_COMMAND_UI(ID_FILE_SAVE_TEMPLATE, OnUpdateDesignModeOnly)
    ON_UPDATE_COMMAND_UI(ID_FILE_SAVE_TEMPLATE_AS, OnUpdateDesignModeOnly)
    ON_COMMAND(ID_VIEW_SHOW_PAGE_BREAK, OnShowPageBreak)
    ON_UPDATE_COMMAND_UI(ID_VIEW_SHOW_PAGE_BREAK, OnUpdateShowPageBreak)
    ON_COMMAND(ID_VIEW_SET_PAGE_BREAK, OnSetPageBreak)
    ON_COMMAND(ID_FILE_PAGE_SETUP, OnPageSetup)
    ON_COMMAND(ID_FILE_PRINT, OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_DIRECT, OnFilePrintDirect)
    ON_COMMAND(ID_FILE_PRINT_PREVIEW, OnFilePrintPreview)
    ON_COMMAND(ID_EDIT_SELECT_ALL, OnEditSelectAll)
    ON_UPDATE_COMMAND_UI(ID_EDIT_SELECT_ALL, OnUpdateEditSelectAll)
    ON_COMMAND(ID_EDIT_UNDO, OnEditUndo)
    ON_COMMAND(ID_EDIT_REDO, OnEditRedo)
    ON_UPDATE_COMMAND_UI(ID_EDIT_UNDO, OnUpdateEditUndo)
    ON_UPDATE_COMMAND_UI(ID_EDIT_REDO, OnUpdateEditRedo)
    ON_COMMAND(ID_EDIT_COPY, OnEditCopy)
    ON_COMMAND(ID_EDIT_CUT, OnEditCut)
    ON_COMMAND(ID_EDIT_PASTE, OnEditPaste)
    ON_COMMAND(ID_EDIT_CLEAR, OnEditClear)
    ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, OnUpdateEditCopy)
    ON_UPDATE_COMMAND_UI(ID_EDIT_CUT, OnUpdateEditCopy)
    ON_UPDATE_COMMAND_UI(ID_EDIT_PASTE, OnUpdateEditPaste)
    ON_UPDATE_COMMAND_UI(ID_EDIT_CLEAR, OnUpdateEditClear)
    ON_COMMAND(ID_EDIT_FIND, OnEditFind)
    ON_COMMAND(ID_EDIT_REPLACE, OnEditReplace)
    ON_COMMAND(ID_EDIT_FIND_NEXT, OnEditFindNext)
    ON_UPDATE_COMMAND_UI(ID_EDIT_FIND_NEXT, OnUpdateEditFindNext)
    ON_REGISTERED_MESSAGE(s_nFindReplaceMessage, OnFindReplace)
    ON_COMMAND(ID_DATA_CLEAR, OnClearData)
    ON_COMMAND(ID_DATA_CHART_ANALYSIS, OnChartAnalysis)
    ON_UPDATE_COMMAND_UI(ID_DATA_CHART_ANALYSIS, OnUpdateChartAnalysis)
#ifndef EDITOR_BUILD
    // Esc in a container leaves in-place activation: the editor serves no
    // container.
    ON_COMMAND(ID_CANCEL_EDIT_SRVR, OnCancelEditSrvr)
    // The design commands: the editor has none.
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONDOWN()
    ON_COMMAND(ID_VIEW_CELL_BORDER, OnViewCellBorder)
    ON_UPDATE_COMMAND_UI(ID_VIEW_CELL_BORDER, OnUpdateViewCellBorder)
    ON_COMMAND(ID_VIEW_DESIGN_MODE, OnDesignMode)
    ON_COMMAND(ID_VIEW_RUN_MODE, OnRunMode)
    ON_UPDATE_COMMAND_UI(ID_VIEW_DESIGN_MODE, OnUpdateDesignMode)
    ON_UPDATE_COMMAND_UI(ID_VIEW_RUN_MODE, OnUpdateRunMode)
    ON_NOTIFY(NM_RETURN, IDC_FORMAT_BAR, OnFormatBarReturn)
    ON_NOTIFY(FBN_APPLYFORMAT, IDC_FORMAT_BAR, OnFormatBarSetFormat)
    ON_NOTIFY(FBN_QUERYFORMAT, IDC_FORMAT_BAR, OnFormatBarGetFormat)
    ON_COMMAND(ID_FORMAT_BOLD, OnFormatBold)
    ON_COMMAND(ID_FORMAT_ITALIC, OnFormatItalic)
    ON_COMMAND(ID_FORMAT_UNDERLINE, OnFormatUnderline)
    ON_UPDATE_COMMAND_UI(ID_FORMAT_BOLD, OnUpdateFormatBold)
    ON_UPDATE_COMMAND_UI(ID_FORMAT_ITALIC, OnUpdateFormatItalic)
    ON_UPDATE_COMMAND_UI(ID_FORMAT_UNDERLINE, OnUpdateFormatUnderline)
    ON_COMMAND_RANGE(ID_ALIGN_LEFT, ID_ALIGN_CENTER, OnAlign)
    ON_UPDATE_COMMAND_UI_RANGE(ID_ALIGN_LEFT, ID_ALIGN_CENTER, OnUpdateAlign)
    ON_COMMAND(ID_CELL_FONT, OnCellFont)
    ON_COMMAND(ID_CELL_BACKGROUND_COLOR, OnCellBackgroundColor)
    ON_COMMAND(ID_FORMAT_TEXT_COLOR, OnTextColor)
    ON_COMMAND(ID_FORMAT_BACK_COLOR, OnBackgroundColor)
    ON_UPDATE_COMMAND_UI_RANGE(ID_TABLE_ADD_ROW, ID_TABLE_DELETE_COLUMN, OnUpdateTableEdit)
    ON_UPDATE_COMMAND_UI_RANGE(ID_TABLE_SELECT_ROW, ID_TABLE_SELECT_COLUMN, OnUpdateTableSelect)
    ON_UPDATE_COMMAND_UI(ID_TABLE_MERGE_CELLS, OnUpdateMergeCells)
    ON_UPDATE_COMMAND_UI(ID_TABLE_SPLIT_CELL, OnUpdateSplitCell)
    ON_UPDATE_COMMAND_UI(ID_VIEW_TABLE_BAR, OnUpdateDesignModeOnly)
    ON_UPDATE_COMMAND_UI(ID_VIEW_FORMAT_BAR, OnUpdateDesignModeOnly)
    ON_COMMAND_RANGE(ID_TABLE_ADD_ROW, ID_TABLE_DELETE_COLUMN, OnTableEdit)
    ON_COMMAND_RANGE(ID_TABLE_MERGE_CELLS, ID_TABLE_MERGE_CELLS, OnTableEdit)
    ON_COMMAND(ID_TABLE_SPLIT_CELL, OnTableSplitCell)
    ON_COMMAND_RANGE(ID_TABLE_SELECT_ROW, ID_TABLE_SELECT_COLUMN, OnTableSelectLine)
    ON_COMMAND(ID_TABLE_ARRANGE_TAB_INDEX, OnTableArrangeTabIndex)
    ON_COMMAND_RANGE(ID_DIAGONAL_DOWN, ID_DIAGONAL_UP, OnDiagonal)
    ON_UPDATE_COMMAND_UI_RANGE(ID_DIAGONAL_DOWN, ID_DIAGONAL_UP, OnUpdateDiagonal)
    ON_COMMAND(ID_CELL_FORMULA, OnCellFormula)
    ON_UPDATE_COMMAND_UI(ID_CELL_FORMULA, OnUpdateCellFormula)
    ON_COMMAND(ID_TABLE_BALANCE_FORMULA, OnTableBalanceFormula)
    ON_COMMAND(ID_CELL_PROPERTY, OnCellProperties)
    ON_UPDATE_COMMAND_UI(ID_CELL_PROPERTY, OnUpdateCellProperties)
#endif
END_MESSAGE_MAP()

namespace {

// Zoom values of View > Scale, from ID_VIEW_SCALE_25 on.
const int kScalePercents[] = { 25, 50, 75, 100, 150, 200 };

// Display modes of View > Mode, from ID_VIEW_MODE_CELLNAME on.
const int kDisplayModes[] = { DISPLAY_CELLNAME, DISPLAY_NORMAL, DISPLAY_CELLTYPE,
                              DISPLAY_TABINDEX, DISPLAY_ITEM, DISPLAY_COLITEM };

// Added to the scaled sheet extent in the scroll sizes.
#ifdef EDITOR_BUILD
const int kScrollMargin = 1;
#else
const int kScrollMargin = 20;
#endif

// The largest scaled extent the view shows (the scroll range is 16-bit).
const int kMaxScaledExtent = 32761;


CString LoadText(UINT nID, LPCSTR pszFallback)
{
    CString str;
    if (!str.LoadString(nID))
        str = pszFallback;
    return str;
}

} // namespace

CTallyformView::CTallyformView()
    : m_nDragState(0), m_bCellPickMode(FALSE), m_bPickPressed(FALSE), m_nDragMin(0),
      m_nDragMax(0), m_sizePrintPage(0, 0), m_rectMargins(2000, 2000, 2000, 2000),
      m_nDragPageBreakRow(-1), m_nDragPageBreakCol(-1), m_bShowPageBreaks(FALSE),
      m_bShowCellFrame(FALSE), m_bBold(FALSE), m_bItalic(FALSE), m_bUnderline(FALSE),
      m_pFindDialog(NULL), m_nZoomPercent(100), m_rectSelect(0, 0, 0, 0),
      m_hCellEditor(NULL), m_hCursor(NULL)
{
    SetScrollSizes(MM_TEXT, CSize(0, 0));
}

CTallyformView::~CTallyformView()
{
    // The find dialog would go on telling a view that is gone.
    if (m_pFindDialog != NULL && ::IsWindow(m_pFindDialog->m_hWnd))
        m_pFindDialog->DestroyWindow();
}

CTallyformDoc* CTallyformView::GetDocument() const
{
    CDocument* pDoc = CView::GetDocument();
    return pDoc != NULL && pDoc->IsKindOf(RUNTIME_CLASS(CTallyformDoc))
        ? static_cast<CTallyformDoc*>(pDoc) : NULL;
}

CSheet* CTallyformView::GetSheet() const
{
    CTallyformDoc* pDoc = GetDocument();
    return pDoc != NULL ? &pDoc->m_sheet : NULL;
}

BOOL CTallyformView::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style &= ~WS_BORDER;
    return CScrollView::PreCreateWindow(cs);
}

void CTallyformView::OnInitialUpdate()
{
    CString strZoom;
    strZoom.Format("%d%%", m_nZoomPercent);
    if (CSheetViewFrame* pMain = GetMainFrameServices())
    {
        pMain->SetZoomText(strZoom);
        pMain->SetModeButton(ID_VIEW_RUN_MODE, 17);
    }
    UpdateScrollSizes();
#ifdef EDITOR_BUILD
    // The editor's view is a form from the start: Tab walks its cells.
    BuildTabOrder();
#endif
    CScrollView::OnInitialUpdate();
}

void CTallyformView::OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView)
{
    if (bActivate)
    {
        CString strZoom;
        strZoom.Format("%d%%", m_nZoomPercent);
        if (CSheetViewFrame* pMain = GetMainFrameServices())
            pMain->SetZoomText(strZoom);
        UpdateModeUI();
    }
    CScrollView::OnActivateView(bActivate, pActivateView, pDeactiveView);
}

void CTallyformView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    if (pInfo == NULL && !pDC->IsPrinting())
    {
        CScrollView::OnPrepareDC(pDC, pInfo);
        pDC->SetMapMode(MM_ISOTROPIC);
        pDC->SetWindowExt(100, 100);
        pDC->SetViewportExt(m_nZoomPercent, m_nZoomPercent);
        return;
    }
    // Printing maps screen pixels to printer pixels; the zoom stays on screen.
    int cxScreen = 96, cyScreen = 96;
    if (m_hWnd != NULL)
    {
        CClientDC dcScreen(this);
        cxScreen = dcScreen.GetDeviceCaps(LOGPIXELSX);
        cyScreen = dcScreen.GetDeviceCaps(LOGPIXELSY);
    }
    pDC->SetMapMode(MM_ISOTROPIC);
    pDC->SetWindowExt(cxScreen, cyScreen);
    pDC->SetViewportExt(pDC->GetDeviceCaps(LOGPIXELSX), pDC->GetDeviceCaps(LOGPIXELSY));
}

BOOL CTallyformView::OnScrollBy(CSize sizeScroll, BOOL bDoScroll)
{
    CPoint ptBefore = GetDeviceScrollPosition();
    BOOL bResult = CScrollView::OnScrollBy(sizeScroll, bDoScroll);
    CPoint ptAfter = GetDeviceScrollPosition();
    CSheetViewFrame* pChild = GetChildFrameServices();
    if (pChild != NULL && (sizeScroll.cx != 0 || sizeScroll.cy != 0) && ptBefore != ptAfter)
        pChild->RedrawRulers(sizeScroll.cx != 0, sizeScroll.cy != 0);
    return bResult;
}

void CTallyformView::UpdateScrollSizes()
{
    CSheet* pSheet = GetSheet();
    LONG cx = 0, cy = 0;
    if (pSheet != NULL)
    {
        cx = pSheet->m_rcBounds.right - pSheet->m_rcBounds.left;
        cy = pSheet->m_rcBounds.bottom - pSheet->m_rcBounds.top;
    }
    SetScrollSizes(MM_TEXT, CSize(cx * m_nZoomPercent / 100 + kScrollMargin,
                                  cy * m_nZoomPercent / 100 + kScrollMargin));
}

BOOL CTallyformView::SetZoom(int nPercent)
{
    CSheet* pSheet = GetSheet();
    LONG cx = 0, cy = 0;
    if (pSheet != NULL)
    {
        cx = pSheet->m_rcBounds.right - pSheet->m_rcBounds.left;
        cy = pSheet->m_rcBounds.bottom - pSheet->m_rcBounds.top;
    }
    if (nPercent < 10 || nPercent > 400)
    {
        MessageBox(LoadText(IDS_ZOOM_RANGE, "Must between 10-400"), NULL, MB_OK);
        return FALSE;
    }
    LONG cxScaled = cx * nPercent / 100;
    LONG cyScaled = cy * nPercent / 100;
    if (cxScaled < kMaxScaledExtent && cyScaled < kMaxScaledExtent)
    {
        m_nZoomPercent = nPercent;
        return TRUE;
    }
    LONG nExtent = cxScaled > cyScaled ? cx : cy;
    CString strMessage;
    strMessage.Format(LoadText(IDS_ZOOM_MAX, "The max display proportion is %d%%"),
                      (int)(3276000 / nExtent));
    MessageBox(strMessage, NULL, MB_OK);
    return FALSE;
}

void CTallyformView::ShowZoomChange()
{
    CString strZoom;
    strZoom.Format("%d%%", m_nZoomPercent);
    if (CSheetViewFrame* pMain = GetMainFrameServices())
        pMain->SetZoomText(strZoom);
    UpdateScrollSizes();
    if (CSheetViewFrame* pChild = GetChildFrameServices())
        pChild->RedrawRulers(TRUE, TRUE);
    if (m_hWnd != NULL)
    {
        Invalidate(TRUE);
        UpdateWindow();
    }
}

void CTallyformView::OnViewScale(UINT nID)
{
    int nPercent = m_nZoomPercent;
    if (nID >= ID_VIEW_SCALE_25 && nID <= ID_VIEW_SCALE_200)
        nPercent = kScalePercents[nID - ID_VIEW_SCALE_25];
    SetZoom(nPercent);
    ShowZoomChange();
}

void CTallyformView::OnViewScaleCustom()
{
    int nBefore = m_nZoomPercent;
    CDisplayScaleDlg dlg(this);
    dlg.DoModal();
    if (m_nZoomPercent != nBefore)
        ShowZoomChange();
}

void CTallyformView::OnUpdateViewScale(CCmdUI* pCmdUI)
{
    UINT nIndex = pCmdUI->m_nID - ID_VIEW_SCALE_25;
    pCmdUI->SetCheck(nIndex < 6 && kScalePercents[nIndex] == m_nZoomPercent ? 1 : 0);
}

void CTallyformView::OnDisplayMode(UINT nID)
{
    CSheet* pSheet = GetSheet();
    if (pSheet == NULL || nID < ID_VIEW_MODE_CELLNAME || nID > ID_VIEW_MODE_COLITEM)
        return;
    pSheet->m_nDisplayMode = kDisplayModes[nID - ID_VIEW_MODE_CELLNAME];
    GetDocument()->UpdateAllViews(NULL);
}

void CTallyformView::OnUpdateDisplayMode(CCmdUI* pCmdUI)
{
    CSheet* pSheet = GetSheet();
    UINT nIndex = pCmdUI->m_nID - ID_VIEW_MODE_CELLNAME;
    pCmdUI->SetCheck(pSheet != NULL && nIndex < 6 &&
                     kDisplayModes[nIndex] == pSheet->m_nDisplayMode ? 1 : 0);
}

void CTallyformView::OnViewCellBorder()
{
    m_bShowCellFrame = !m_bShowCellFrame;
    if (m_hWnd != NULL)
        RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CTallyformView::OnUpdateViewCellBorder(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_bShowCellFrame ? 1 : 0);
}

void CTallyformView::OnDesignMode()
{
    CSheet* pSheet = GetSheet();
    if (pSheet == NULL || pSheet->m_bDesignMode)
        return;
    pSheet->m_bDesignMode = TRUE;
    UpdateModeUI();
    if (CWnd* pMain = AfxGetMainWnd())
        pMain->SetWindowText("Tallyform[Design Mode] - " + GetDocument()->GetTitle());
    if (m_hWnd != NULL)
        if (CWnd* pEditor = GetDlgItem(IDC_CELL_EDITOR))
            pEditor->SendMessage(WM_CLOSE);
    ClearSelection();
    GetDocument()->UpdateAllViews(NULL);
}

#ifndef EDITOR_BUILD
void CTallyformView::OnCancelEditSrvr()
{
    GetDocument()->OnDeactivateUI(FALSE);
}
#endif

void CTallyformView::OnUpdateDesignMode(CCmdUI* pCmdUI)
{
    CSheet* pSheet = GetSheet();
    pCmdUI->SetCheck(pSheet != NULL && pSheet->m_bDesignMode ? 1 : 0);
}

void CTallyformView::OnUpdateRunMode(CCmdUI* pCmdUI)
{
    CSheet* pSheet = GetSheet();
    pCmdUI->SetCheck(pSheet != NULL && !pSheet->m_bDesignMode ? 1 : 0);
}

void CTallyformView::UpdateModeUI()
{
    // The editor's view is never in design mode: nothing follows a mode.
#ifndef EDITOR_BUILD
    CSheet* pSheet = GetSheet();
    CWnd* pMainWnd = AfxGetMainWnd();
    if (pSheet == NULL || pMainWnd == NULL || pMainWnd->m_hWnd == NULL)
        return;
    BOOL bDesign = pSheet->m_bDesignMode;
    HMENU hMenu = ::GetMenu(pMainWnd->m_hWnd);
    if (hMenu != NULL)
    {
        ::CheckMenuItem(hMenu, ID_VIEW_DESIGN_MODE, MF_BYCOMMAND | (bDesign ? MF_CHECKED : MF_UNCHECKED));
        ::CheckMenuItem(hMenu, ID_VIEW_RUN_MODE, MF_BYCOMMAND | (bDesign ? MF_UNCHECKED : MF_CHECKED));
        // A maximized MDI child puts its system menu at position 0.
        UINT nFirst = 3;
        if (pMainWnd->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)))
        {
            BOOL bMaximized = FALSE;
            static_cast<CMDIFrameWnd*>(pMainWnd)->MDIGetActive(&bMaximized);
            if (bMaximized)
                nFirst = 4;
        }
        UINT nFlags = MF_BYPOSITION | (bDesign ? MF_ENABLED : (MF_DISABLED | MF_GRAYED));
        ::EnableMenuItem(hMenu, nFirst, nFlags);
        ::EnableMenuItem(hMenu, nFirst + 1, nFlags);
        if (!bDesign)
            ::EnableMenuItem(hMenu, ID_FILE_NEW_TEMPLATE, MF_BYCOMMAND | MF_DISABLED | MF_GRAYED);
        pMainWnd->DrawMenuBar();
    }
    if (CSheetViewFrame* pMain = GetMainFrameServices())
    {
        pMain->ShowDesignToolBars(bDesign);
        if (bDesign)
            pMain->SetModeButton(ID_VIEW_RUN_MODE, 17);
        else
            pMain->SetModeButton(ID_VIEW_DESIGN_MODE, 20);
    }
#endif
}

CSheetViewFrame* CTallyformView::GetMainFrameServices() const
{
    return dynamic_cast<CSheetViewFrame*>(AfxGetMainWnd());
}

CSheetViewFrame* CTallyformView::GetChildFrameServices() const
{
    for (CWnd* pWnd = m_hWnd != NULL ? GetParent() : NULL; pWnd != NULL; pWnd = pWnd->GetParent())
        if (CSheetViewFrame* pServices = dynamic_cast<CSheetViewFrame*>(pWnd))
            return pServices;
    return NULL;
}

void CTallyformView::ConvertPoints(POINT* pPoints, int nCount, BOOL bToSheet)
{
    CClientDC dc(this);
    OnPrepareDC(&dc);
    if (bToSheet)
        dc.DPtoLP(pPoints, nCount);
    else
        dc.LPtoDP(pPoints, nCount);
}

CPoint CTallyformView::ClientToSheet(POINT ptClient)
{
    CPoint pt(ptClient);
    ConvertPoints(&pt, 1, TRUE);
    return pt;
}

CPoint CTallyformView::SheetToClient(POINT ptSheet)
{
    CPoint pt(ptSheet);
    ConvertPoints(&pt, 1, FALSE);
    return pt;
}

CRect CTallyformView::SheetToClient(const RECT& rcSheet)
{
    CRect rc(rcSheet);
    ConvertPoints(reinterpret_cast<POINT*>(&rc), 2, FALSE);
    return rc;
}

void CTallyformView::OnSize(UINT nType, int cx, int cy)
{
    UpdateScrollSizes();
    CScrollView::OnSize(nType, cx, cy);
}

BOOL CTallyformView::OnEraseBkgnd(CDC*)
{
    return TRUE;
}
