#include "reporting/chart/MSChart.h"

#include "framework/core/Exception.h"
#include "reporting/chart/ChartWnd.h"

IMPLEMENT_DYNCREATE(CMSChart, CWnd)

BOOL CMSChart::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                      CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    if (!RegisterChartWindowClass())
        return FALSE;
    return CWnd::Create(lpszClassName != NULL ? lpszClassName : CHART_WINDOW_CLASS, lpszWindowName,
                        dwStyle, rect, pParentWnd, nID, pContext);
}

COleDispatchDriver& CMSChart::Control()
{
    if (m_control.m_lpDispatch == NULL)
    {
        LPDISPATCH pDispatch =
            m_hWnd != NULL ? (LPDISPATCH)::SendMessageA(m_hWnd, CHM_GETDISPATCH, 0, 0) : NULL;
        if (pDispatch == NULL)
            AfxThrowOleException(E_NOINTERFACE);
        m_control.AttachDispatch(pDispatch);
    }
    return m_control;
}

LPDISPATCH CMSChart::GetObject(DISPID nID)
{
    LPDISPATCH pDispatch = NULL;
    Control().InvokeHelper(nID, DISPATCH_PROPERTYGET, VT_DISPATCH, &pDispatch, VTS_NONE);
    return pDispatch;
}

void CMSChart::SetChartType(LONG nType)
{
    Control().SetProperty(3, VT_I4, nType);
}

void CMSChart::SetColumn(short nColumn)
{
    Control().SetProperty(4, VT_I2, (int)nColumn);
}

void CMSChart::SetColumnLabel(LPCSTR lpszLabel)
{
    Control().SetProperty(6, VT_BSTR, lpszLabel);
}

void CMSChart::SetRow(short nRow)
{
    Control().SetProperty(12, VT_I2, (int)nRow);
}

void CMSChart::SetRowLabel(LPCSTR lpszLabel)
{
    Control().SetProperty(14, VT_BSTR, lpszLabel);
}

CChartPart CMSChart::GetTitle()
{
    return CChartPart(GetObject(26));
}

CChartPart CMSChart::GetLegend()
{
    return CChartPart(GetObject(38));
}

CChartDataGrid CMSChart::GetDataGrid()
{
    return CChartDataGrid(GetObject(39));
}

CChartPart CMSChart::GetPlot()
{
    return CChartPart(GetObject(40));
}
