// CChartDataGrid: a dispatch driver over the chart control's data grid.
#pragma once

#include "framework/ole/DispatchDriver.h"

class CChartDataGrid : public COleDispatchDriver
{
public:
    CChartDataGrid() {}
    explicit CChartDataGrid(LPDISPATCH lpDispatch) : COleDispatchDriver(lpDispatch) {}

    void SetColumnCount(short nCount);
    // Set to 6 for the one-column charts.
    void SetProperty3(short nValue);
    void SetRowCount(short nCount);
    // Run before a pie's data are set.
    void InvokeId15();
    // One point, 1-based; nNullFlag 0 for a value.
    void SetData(short nRow, short nColumn, double dValue, short nNullFlag);
};
