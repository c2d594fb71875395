// A sheet view in a real frame for the view tests: a designer document
// with a grid of text cells, shown in a frame that records what the view
// asks of its rulers, zoom combo and tool bars, and a view that records its hooks and context menus.
#pragma once

#include <string>
#include <vector>

#include "tests/support/Gtest.h"
#include "tests/sheet/RenderCanvas.h"

#include "framework/docview/FrameWnd.h"
#include "tests/support/RecordingCmdUI.h"
#include "sheet/document/TallyformDoc.h"
#include "view/SheetViewFrame.h"
#include "view/TallyformView.h"

namespace viewtest
{

struct MenuItem
{
    UINT nID;
    std::string text;
};

class CRecordingView : public CTallyformView
{
    DECLARE_DYNCREATE(CRecordingView)
public:
    std::vector<int> m_editorCells;
    int m_nPropertiesCalls = 0;
    std::vector<int> m_formulaCells;
    // The items of the last context menu, with its submenus' items after
    // their own entry; the screen point it was asked for.
    std::vector<MenuItem> m_menuItems;
    CPoint m_ptMenu;
    int m_nMenus = 0;

    void OpenCellEditor(int nCell) override { m_editorCells.push_back(nCell); }
    void OnCellProperties() override { ++m_nPropertiesCalls; }
    void EditCellFormula(int nCell) override { m_formulaCells.push_back(nCell); }

    // The font and colour dialogs: how often each opened, what with, and
    // the answer (OK with the choice, or Cancel).
    int m_nFontDialogs = 0;
    LOGFONTA m_lfFontDialogIn = {};
    COLORREF m_crFontDialogIn = 0;
    BOOL m_bFontDialogOk = FALSE;
    LOGFONTA m_lfFontChosen = {};
    COLORREF m_crFontChosen = 0;
    int m_nColorDialogs = 0;
    COLORREF m_crColorDialogIn = 0;
    BOOL m_bColorDialogOk = FALSE;
    COLORREF m_crColorChosen = 0;

    BOOL RunFontDialog(LOGFONTA& lf, COLORREF& crText) override
    {
        ++m_nFontDialogs;
        m_lfFontDialogIn = lf;
        m_crFontDialogIn = crText;
        if (!m_bFontDialogOk)
            return FALSE;
        lf = m_lfFontChosen;
        crText = m_crFontChosen;
        return TRUE;
    }
    BOOL RunColorDialog(COLORREF& cr) override
    {
        ++m_nColorDialogs;
        m_crColorDialogIn = cr;
        if (!m_bColorDialogOk)
            return FALSE;
        cr = m_crColorChosen;
        return TRUE;
    }

    // Paints the view as WM_PAINT would, into pDC.
    void PaintInto(CDC* pDC)
    {
        OnPrepareDC(pDC);
        OnDraw(pDC);
    }

    using CTallyformView::OnScroll;
    using CTallyformView::OnViewScale;

protected:
    void TrackContextMenu(CMenu* pPopup, CPoint ptScreen) override;
};

class CRecordingFrame : public CFrameWnd, public CSheetViewFrame
{
public:
    int m_nHorzRedraws = 0;
    int m_nVertRedraws = 0;
    std::vector<POINT> m_cursorMarks;

    void RedrawRulers(BOOL bHorz, BOOL bVert) override
    {
        m_nHorzRedraws += bHorz ? 1 : 0;
        m_nVertRedraws += bVert ? 1 : 0;
    }
    void TrackRulerCursor(POINT pt) override { m_cursorMarks.push_back(pt); }

    // As the main frame.
    std::string m_strZoomText;
    int m_nDesignBars = -1;
    UINT m_nModeButtonCmd = 0;
    int m_nModeButtonImage = -1;
    void SetZoomText(LPCSTR pszText) override { m_strZoomText = pszText; }
    void ShowDesignToolBars(BOOL bShow) override { m_nDesignBars = bShow ? 1 : 0; }
    void SetModeButton(UINT nID, int nImage) override
    {
        m_nModeButtonCmd = nID;
        m_nModeButtonImage = nImage;
    }
    // The colours of the Format bar's colour drop-downs.
    COLORREF m_crFont = RGB(0, 0, 0);
    COLORREF m_crFill = RGB(255, 255, 255);
    COLORREF GetFontColor() override { return m_crFont; }
    COLORREF GetFillColor() override { return m_crFill; }
};

class CViewDoc : public CTallyformDoc
{
public:
    CViewDoc() { m_bAutoDelete = FALSE; }
};

// Opens a frame of the given client size with the view over a grid of
// rows x cols cells of 80 x 30 units.
class SheetViewTest : public testing::Test
{
protected:
    void Open(int rows, int cols, int cxClient = 400, int cyClient = 300);
    void TearDown() override;

    CSheet& Sheet() { return m_doc.m_sheet; }
    // Client point of a sheet point at the view's zoom and scroll position.
    CPoint ToClient(int x, int y);
    // Mouse messages at client points, as the window would receive them.
    void Move(CPoint pt, UINT nFlags = 0);
    void Press(CPoint pt, UINT nFlags = 0);
    void Release(CPoint pt, UINT nFlags = 0);
    void Click(CPoint pt, UINT nFlags = 0);
    // A press, a move with the button down and the release.
    void Drag(CPoint ptFrom, CPoint ptTo);
    // The view painted into a canvas of its client size.
    void Render(sheettest::RenderCanvas& canvas);
    std::vector<int> Selection();

    CViewDoc m_doc;
    CRecordingFrame* m_pFrame = NULL;
    CRecordingView* m_pView = NULL;
};

} // namespace viewtest
