// CTallyformView: the scroll view that shows a document's sheet at a zoom
// of 10 to 400 per cent, in design mode (template editing) or run mode
// (data entry).  One logical unit is one screen pixel at 100 per cent.
#pragma once

#include "framework/core/Array.h"
#include "framework/docview/ScrollView.h"
#include "sheet/Cell.h"
#include "view/CellTabOrder.h"

class CCellTextSearch;
class CTallyformDoc;
class CSheet;
class CSheetViewFrame;
class CCmdUI;

class CTallyformView : public CScrollView
{
    DECLARE_DYNCREATE(CTallyformView)
public:
    CTallyformView();
    ~CTallyformView() override;

    CTallyformDoc* GetDocument() const;
    // The document's sheet, or NULL without a document.
    CSheet* GetSheet() const;

    // Scroll sizes from the sheet extent at the current zoom (MM_TEXT,
    // extent x zoom / 100 + 20 each way).
    void UpdateScrollSizes();
    // Sets the zoom, or tells why not (10..400, scaled sheet below 32761
    // units) and keeps it.  TRUE when the zoom was taken.
    BOOL SetZoom(int nPercent);
    int GetZoom() const { return m_nZoomPercent; }
    // View > Scale: 33023..33028 are 25..200 per cent; any other id
    // re-applies the current zoom.  Then combo text, scroll sizes, rulers,
    // and a full repaint.
    void OnViewScale(UINT nID);
    // Design-only menus and tool bars withdrawn (run mode) or restored.
    void UpdateModeUI();

    // Converts between client pixels and sheet units through OnPrepareDC.
    CPoint ClientToSheet(POINT ptClient);
    CPoint SheetToClient(POINT ptSheet);
    CRect SheetToClient(const RECT& rcSheet);
    void ConvertPoints(POINT* pPoints, int nCount, BOOL bToSheet);

    // Selection and border dragging.
    int HitTestCell(int x, int y) const;
    // Removes the selection's highlight and empties it.
    void ClearSelection();
    // Scrolls until cell n is in sight (nothing for an index out of range).
    void EnsureCellVisible(int n);
    void StartBorderDrag(CSheet* pSheet, int x, int y, CDC* pDC);
    void CollectBorderCells(int x, int y);
    BOOL SnapToCellEdge(POINT* pPoint, BOOL bHorizontal, int nTolerance);

    // In-place editing (TallyformViewEditing.cpp)
    // Opens the editor of cell nCell's type over the cell as child
    // IDC_CELL_EDITOR (nothing for an index out of range or a cell that
    // takes no editor); in run mode the cell is kept as m_cellBeforeEdit.
    virtual void OpenCellEditor(int nCell);
    // Opens cell nCell's editor as reached by Tab, Enter or an arrow key:
    // its whole text selected, so what is typed replaces it.
    void OpenCellEditorFromKeys(int nCell);
    // The open editor, or NULL.
    CWnd* GetCellEditor() const;
    // Closes the open editor, which hands its text to its cell first.
    void CloseCellEditor();
    // Reloads the report data when key cell pCell differs from the copy
    // taken when its editor opened.
    void ReloadIfKeyCellChanged(CCell* pCell);
    // Selects the next cell, after the first selected one and round again
    // from the first, whose text holds the search text; with bReplaceAll
    // replaces it in every cell under one Cell Define record instead.
    // FALSE, changing nothing, when no cell holds it.
    BOOL FindInCells(BOOL bMatchCase, BOOL bReplaceAll);
    // The program's one search: text, replacement (kept when NULL) and
    // letter case.
    static void SetSearch(LPCSTR pszFind, LPCSTR pszReplace, BOOL bMatchCase);
    static CString GetSearchText();
    // The run-mode tab order and entry cells from the sheet.
    void BuildTabOrder();
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    // The sheet view of the main frame's active frame, or NULL.
    static CTallyformView* GetMainActiveView();

    // Hooks of the cell commands.  The click paths call them with checked
    // cell indices.
    // Cell > Format... and the popup's Property... (also a double click
    // between cells or on a non-formula cell): the cell definition sheet
    // over the selection, or over the cell under the last pointer position
    // (TallyformViewCellDefine.cpp).
    virtual void OnCellProperties();
    // Cell > Formula... on one cell (double click on a Formula cell): the
    // Formula Explain dialog on its formula (TallyformViewCells.cpp).
    virtual void EditCellFormula(int nCell);
    // The dialog waiting for a cell to be picked, or NULL.
    virtual CWnd* GetCellPickDialog();
    // Shows cell nCell, whose input was refused, with its editor open and
    // its text selected for correction.
    void EditRejectedCell(int nCell);
    // Page metrics and page breaks (TallyformViewPageBreaks.cpp)
    // The printer margins in device units into the sheet and the printable
    // page, less the header and tail bands, into m_sizePrintPage, from
    // pPrinterDC or, when NULL, the application's printer.  FALSE (the user
    // is told) without a printer or when the page keeps less than one unit
    // either way.
    BOOL UpdatePageMetrics(CDC* pPrinterDC);
    // The sheet's page breaks and the page table for m_sizePrintPage; FALSE
    // (nothing changed) without cells or page size.
    BOOL ComputePageBreaks();
    // 0 on a column break (m_nDragPageBreakCol its index), 1 on a row
    // break (m_nDragPageBreakRow), -1 elsewhere; exact positions only.
    int HitTestPageBreak(int x, int y);
    // Clipped to pRect, the cells that meet it: all contents, then all
    // borders; with bOneByOne each cell's content and borders in turn.
    void DrawCellsInRect(CDC* pDC, const RECT* pRect, BOOL bOneByOne);
    // The blue break lines and the page numbers on the screen.
    void DrawPageBreaks(CDC* pDC);
    // Number of pages in the page table (rows x columns of pages).
    int GetPageCount() const { return (int)m_arrPages.GetSize(); }
    // Page-break dragging while the breaks show in manual layout: the hover
    // and the held line, the press that takes a break, and the drop that
    // moves the breaks from it on (or removes it beyond the sheet's edge).
    virtual void OnPageBreakMouseMove(UINT nFlags, CPoint ptSheet);
    virtual void OnPageBreakButtonDown(CPoint ptSheet);
    virtual void OnPageBreakButtonUp(CPoint ptSheet);

    // Format commands (TallyformViewFormat.cpp).  Each change of the
    // selected cells is one Cell Define undo record.
    // The main frame's text or fill colour into every selected cell; the
    // Format bar's colour buttons, and the main frame when a colour is
    // chosen in a colour drop-down.
    void OnTextColor();
    void OnBackgroundColor();
    // Font style nCode (1 bold, 2 italic, 4 underline) on or off in every
    // selected cell; nothing without a selection.
    void ApplyFontStyle(int nCode, BOOL bOn);
    // TRUE when every selected cell has style nCode; FALSE when they differ
    // or nothing is selected.
    BOOL IsFontStyleSet(int nCode) const;
    // The common font and colour dialogs; TRUE on OK with the choice in the
    // arguments.  Replaceable so that tests answer them.
    virtual BOOL RunFontDialog(LOGFONTA& lf, COLORREF& crText);
    virtual BOOL RunColorDialog(COLORREF& cr);

    // Members in the order of the sheet view's data.
    int m_nDragState;               // 0 idle, 1 selecting, 2 dragging a border
    BOOL m_bCellPickMode;
    BOOL m_bPickPressed;
    int m_nDragMin;
    int m_nDragMax;
    CSize m_sizePrintPage;
    CRect m_rectMargins;            // hundredths of a millimetre
    int m_nDragPageBreakRow;
    int m_nDragPageBreakCol;
    BOOL m_bShowPageBreaks;
    BOOL m_bShowCellFrame;
    BOOL m_bBold;
    BOOL m_bItalic;
    BOOL m_bUnderline;
    CCellTabOrder m_tabOrder;       // run-mode tab order and entry cells
    CWnd* m_pFindDialog;
    CCell m_cellBeforeEdit;
    int m_nZoomPercent;
    // The rubber band of a selection drag, sheet units.
    CRect m_rectSelect;
    // One rectangle per printed page, row by row (sheet units).
    CArray<CRect, const CRect&> m_arrPages;

    void OnInitialUpdate() override;

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView) override;
    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = NULL) override;
    void OnDraw(CDC* pDC) override;
    BOOL OnScrollBy(CSize sizeScroll, BOOL bDoScroll = TRUE) override;

    // Drawing (TallyformViewDraw.cpp)
    // Contents, then borders, of every cell meeting rcClip (sheet units).
    void DrawCells(CDC* pDC, const CRect& rcClip);
    // Focus frame of the current cell, inversion of the other selected cells.
    void DrawSelectionMarks(CDC* pDC);
    // A selected cell's mark: the focus frame or the inversion.
    void DrawCellMark(CDC* pDC, int nCell);
    // Contents and borders of one cell (removes a focus frame).
    void RedrawCell(CDC* pDC, int nCell);
    // The dotted XOR line of a border drag at nPos across the sheet.
    void DrawDragLine(CDC* pDC, int nPos, BOOL bVertical);

    // Mouse (TallyformViewMouse.cpp)
    void DesignModeClick(UINT nFlags, CPoint ptSheet);
    void RunModeClick(UINT nFlags, CPoint ptSheet);
    void ToggleCellSelection(CPoint ptSheet);
    // Makes cell n the current and only selected cell, with its frame.
    void SelectSingleCell(int n);
    // The rubber band from the anchor to ptSheet becomes the selection.
    void TrackSelection(CPoint ptSheet);
    BOOL IsManualPageBreakEditing() const;
    // The sheet when a press at ptClient counts (cells, inside the sheet
    // widened by 5 units right and down), with the point in sheet units.
    CSheet* GetPressedSheet(CPoint ptClient, CPoint& ptSheet);
    void SetSheetCursor(int nHover);

    // Printing (TallyformViewPrint.cpp)
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;
    void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) override;

    // Page commands (TallyformViewPageBreaks.cpp)
    void OnShowPageBreak();
    void OnUpdateShowPageBreak(CCmdUI* pCmdUI);
    void OnSetPageBreak();
    void OnPageSetup();
    // Page size from the application's printer and the breaks again.
    BOOL RecomputePageBreaks();

    void OnSize(UINT nType, int cx, int cy);
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnRButtonDown(UINT nFlags, CPoint point);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    // Shows the context menu at a screen point; replaceable so that tests
    // see the menu instead of a modal menu loop.
    virtual void TrackContextMenu(CMenu* pPopup, CPoint ptScreen);

    // Commands (TallyformView.cpp)
    void OnViewScaleCustom();
    void OnViewCellBorder();
    void OnDisplayMode(UINT nID);
    void OnDesignMode();
    // View > Run Mode (TallyformViewEditing.cpp).
    void OnRunMode();
    void OnUpdateDisplayMode(CCmdUI* pCmdUI);
    void OnUpdateViewScale(CCmdUI* pCmdUI);
    void OnUpdateViewCellBorder(CCmdUI* pCmdUI);
    void OnUpdateDesignMode(CCmdUI* pCmdUI);
    void OnUpdateRunMode(CCmdUI* pCmdUI);
    void OnDataVerify();
    // File > Properties: the Template Properties dialog, editable in design
    // mode; a change goes into the header with the modified flag.
    void OnFileProperties();
    void OnFormatBarReturn(NMHDR* pNMHDR, LRESULT* pResult);

    // Format commands (TallyformViewFormat.cpp)
    void OnFormatBold();
    void OnFormatItalic();
    void OnFormatUnderline();
    void OnUpdateFormatBold(CCmdUI* pCmdUI);
    void OnUpdateFormatItalic(CCmdUI* pCmdUI);
    void OnUpdateFormatUnderline(CCmdUI* pCmdUI);
    void OnAlign(UINT nID);
    void OnUpdateAlign(CCmdUI* pCmdUI);
    void OnCellFont();
    void OnCellBackgroundColor();
    // The Format bar's FBN_APPLYFORMAT and FBN_QUERYFORMAT
    // (TallyformViewFormatBar.cpp).
    void OnFormatBarSetFormat(NMHDR* pNMHDR, LRESULT* pResult);
    void OnFormatBarGetFormat(NMHDR* pNMHDR, LRESULT* pResult);
    // Appends a Cell Define record of the selected cells, or of the cells
    // listed.
    void RecordSelection();
    void RecordCells(const CUIntArray& cells);
    // Marks the document modified and redraws its views.
    void FinishFormatChange();
    // The font dialog's flags: screen fonts, effects, TrueType only.
    static DWORD FontDialogFlags();
    // Records the selection, gives every selected cell colour cr in the
    // member pField, and finishes the change.
    void SetSelectedColour(COLORREF CCell::*pField, COLORREF cr);
    // Cell type nType into every selected cell; FALSE (told) when refused.
    BOOL ChangeSelectedCellType(UINT nType);

    // Enabling (TallyformViewUpdate.cpp); each copes with no document.
    int GetCellCount() const;
    int GetSelectedCount() const;
    BOOL IsDesignMode() const;
    BOOL IsRunMode() const;
    void OnUpdateTableEdit(CCmdUI* pCmdUI);
    void OnUpdateTableSelect(CCmdUI* pCmdUI);
    void OnUpdateMergeCells(CCmdUI* pCmdUI);
    void OnUpdateSplitCell(CCmdUI* pCmdUI);
    void OnUpdateRunModeOnly(CCmdUI* pCmdUI);
    void OnUpdateDesignModeOnly(CCmdUI* pCmdUI);
    // Save Data to File, Load Data from File and Sum Data From Files: run
    // mode, on a report whose figures are typed, not computed by the
    // database (an analysis has no organization, period or item codes for
    // a data file to carry).
    void OnUpdateDataFiles(CCmdUI* pCmdUI);

    // Table commands, selection commands, tab numbering, Undo and Redo
    // (TallyformViewTable.cpp).
    // Add Row 32804 .. Delete Column 32807 and Merge Cells 32810.
    void OnTableEdit(UINT nID);
    void OnTableSplitCell();
    // Select Row 32808 and Select Column 32809.
    void OnTableSelectLine(UINT nID);
    void OnTableArrangeTabIndex();
    void OnEditSelectAll();
    void OnUpdateEditSelectAll(CCmdUI* pCmdUI);
    void OnEditUndo();
    void OnEditRedo();
    void OnUpdateEditUndo(CCmdUI* pCmdUI);
    void OnUpdateEditRedo(CCmdUI* pCmdUI);
    // Undo or Redo named by the record it would apply, or "Cannot ...".
    void UpdateUndoItem(CCmdUI* pCmdUI, BOOL bRedo);
#ifndef EDITOR_BUILD
    // Esc while active in place in a container: back to the container.
    void OnCancelEditSrvr();
#endif
    // Edit > Cut, Copy, Paste, Delete (TallyformViewClipboard.cpp).
    void OnEditCopy();
    void OnEditCut();
    void OnEditPaste();
    void OnEditClear();
    // Copy and Cut share one rule.
    void OnUpdateEditCopy(CCmdUI* pCmdUI);
    void OnUpdateEditPaste(CCmdUI* pCmdUI);
    void OnUpdateEditClear(CCmdUI* pCmdUI);
    // The one selected cell when its text is not empty, else NULL.
    CCell* GetSingleTextCell() const;
    // TRUE when a selected cell is a Text cell holding a typed label.
    BOOL HasSelectedStaticText() const;
    // Gives every selected label cell the text; TRUE when there was one.
    BOOL SetSelectedLabels(const CString& strText);
    // TRUE when the open editor has selected text.
    BOOL HasEditorSelection() const;
    // Find and replace (TallyformViewFind.cpp).
    void OnEditFind();
    void OnEditReplace();
    void OnEditFindNext();
    void OnUpdateEditFindNext(CCmdUI* pCmdUI);
    // The find or replace dialog's notices ("commdlg_FindReplace").
    LRESULT OnFindReplace(WPARAM wParam, LPARAM lParam);
    // A new find (bReplace FALSE) or replace dialog owned by the view,
    // starting from the first selected cell's text.
    void OpenFindDialog(BOOL bReplace);
    // Selects the next cell holding the search text and replaces it there.
    BOOL ReplaceNext(BOOL bMatchCase);
    // Replaces in one cell's value text; a change marks the report's data
    // or the template changed, by the cell.
    void ReplaceInCell(const CCellTextSearch& search, int nCell);
    void ShowNotFound();
    // Cell commands (TallyformViewCells.cpp).
    void OnClearData();
    // 33063 and 33064.
    void OnDiagonal(UINT nID);
    void OnUpdateDiagonal(CCmdUI* pCmdUI);
    // TRUE when every selected cell has the diagonal of button nID.
    BOOL HasDiagonal(UINT nID) const;
    void OnCellFormula();
    void OnUpdateCellFormula(CCmdUI* pCmdUI);
    void OnUpdateCellProperties(CCmdUI* pCmdUI);
    void OnTableBalanceFormula();
    // 32835: charts the selected cells' values in run mode.
    void OnChartAnalysis();
    void OnUpdateChartAnalysis(CCmdUI* pCmdUI);
    // After a change of the cell array: reading order, the selection kept
    // within the cells, the extent when asked, then the scroll sizes, the
    // modified flag, the views and the rulers.
    void AfterSheetChange(BOOL bRecomputeExtent);

    // The frames' services, or NULL when a frame does not offer them.
    CSheetViewFrame* GetMainFrameServices() const;
    CSheetViewFrame* GetChildFrameServices() const;
    // Zoom text into the combo, scroll sizes, rulers, full repaint.
    void ShowZoomChange();

    static UINT s_nFindReplaceMessage;

    DECLARE_MESSAGE_MAP()

    // In-place editing (TallyformViewEditing.cpp)
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    // The editor's rectangle over the cell in client pixels, placed by the
    // cell's vertical alignment and the height of pFont.
    CRect CellEditorRect(const CCell& cell, CDC* pDC, CFont* pFont);
    // Tab, Enter or an arrow left cell nFrom for cell nTo.
    void MoveCellEditor(int nFrom, int nTo);
    // The frame whose command routing reaches this view and its document
    // (the view itself without one).
    CWnd* CommandFrame();

    HWND m_hCellEditor;             // the editor opened last

private:
    HCURSOR m_hCursor;
};
