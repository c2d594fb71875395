#include "reporting/chart/ChartDataGrid.h"

void CChartDataGrid::SetColumnCount(short nCount)
{
    SetProperty(1, VT_I2, (int)nCount);
}

void CChartDataGrid::SetProperty3(short nValue)
{
    SetProperty(3, VT_I2, (int)nValue);
}

void CChartDataGrid::SetRowCount(short nCount)
{
    SetProperty(4, VT_I2, (int)nCount);
}

void CChartDataGrid::InvokeId15()
{
    InvokeHelper(15, DISPATCH_METHOD, VT_EMPTY, NULL, VTS_NONE);
}

void CChartDataGrid::SetData(short nRow, short nColumn, double dValue, short nNullFlag)
{
    static const BYTE params[] = VTS_I2 VTS_I2 VTS_R8 VTS_I2;
    InvokeHelper(20, DISPATCH_METHOD, VT_EMPTY, NULL, params, (int)nRow, (int)nColumn, dValue,
                 (int)nNullFlag);
}
