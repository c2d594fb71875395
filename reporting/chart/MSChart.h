// CMSChart: the chart control's window, and one automation call on the
// control for each member.  The chart dialog takes it from its template as
// a control of the chart window class; Create makes one elsewhere.
#pragma once

#include "framework/ole/DispatchDriver.h"
#include "framework/windows/Wnd.h"
#include "reporting/chart/ChartDataGrid.h"
#include "reporting/chart/ChartPart.h"

class CMSChart : public CWnd
{
    DECLARE_DYNCREATE(CMSChart)
public:
    // Creates a chart window; lpszClassName NULL gives the chart window class.
    BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd, UINT nID, CCreateContext* pContext = NULL) override;

    void SetChartType(LONG nType);
    void SetColumn(short nColumn);
    void SetColumnLabel(LPCSTR lpszLabel);
    void SetRow(short nRow);
    void SetRowLabel(LPCSTR lpszLabel);
    CChartPart GetTitle();
    CChartPart GetLegend();
    CChartDataGrid GetDataGrid();
    CChartPart GetPlot();

private:
    // The control's automation object, asked of the window on first use.
    COleDispatchDriver& Control();
    LPDISPATCH GetObject(DISPID nID);

    COleDispatchDriver m_control;
};
