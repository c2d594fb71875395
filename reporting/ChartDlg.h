// CChartDlg: Data > Chart Analysis.  Charts the values of the document's
// selected Data and Formula cells in the chart control, with a choice of
// chart type, grid and legend switches and a title.  Every setting goes to
// the control through its automation objects; nothing is stored.
#pragma once

#include "framework/core/Array.h"
#include "framework/windows/Dialog.h"
#include "framework/windows/ListBox.h"
#include "reporting/chart/MSChart.h"

class CTallyformDoc;
class CCellArray;
class CUIntArray;

// One charted cell: its value and its name cut to 7 characters.
struct CChartPoint
{
    double dValue;
    char szName[8];
};

class CChartDlg : public CDialog
{
public:
    explicit CChartDlg(CWnd* pParent = NULL);

    // The charted points of the selected cells, in selection order: Data
    // cells of the numeric kind and Formula cells, valued by the leading
    // integer of their text.  At most 32767, the control's largest count.
    static void CollectValues(const CCellArray& cells, const CUIntArray& selection,
                              CArray<CChartPoint, CChartPoint&>& points);
    // The integer a text starts with (sign and digits), 0 when none.
    static double LeadingInteger(LPCSTR lpszText);

    // Sets the control's chart type and its data for that type.
    void SetChartType(LONG nType);
    // Shows or hides the legend, narrowing a 2-D plot for it.
    void ShowLegend(BOOL bShow);

    CListBox m_listType;
    CMSChart m_chart;
    CString m_strTitle;
    CTallyformDoc* m_pDoc;
    CArray<CChartPoint, CChartPoint&> m_arrValues;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnSelchangeType();
    void OnGrid();
    void OnLegend();
    void OnKillfocusTitle();

    DECLARE_MESSAGE_MAP()

private:
    void FillTypeList();
    void SetInitialAppearance();
    void SetAxes();
    void SetTitle();
    void ShowGrid(BOOL bShow);
    // Places the plot for a chart type, with the legend as its box says.
    void LayoutPlot(LONG nType);
    // The control's client size in twips.
    void ControlTwips(float& fWidth, float& fHeight);
    // The chart type of the list's current entry, -1 when none is chosen.
    LONG CurrentType() const;
};
