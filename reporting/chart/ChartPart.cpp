#include "reporting/chart/ChartPart.h"

CChartPart CChartPart::GetObject(DISPID nID)
{
    LPDISPATCH pDispatch = NULL;
    InvokeHelper(nID, DISPATCH_PROPERTYGET, VT_DISPATCH, &pDispatch, VTS_NONE);
    return CChartPart(pDispatch);
}

CChartPart CChartPart::GetId1() { return GetObject(1); }
CChartPart CChartPart::GetId2() { return GetObject(2); }
CChartPart CChartPart::GetId3() { return GetObject(3); }
CChartPart CChartPart::GetId4() { return GetObject(4); }
CChartPart CChartPart::GetId5() { return GetObject(5); }
CChartPart CChartPart::GetId7() { return GetObject(7); }
CChartPart CChartPart::GetId8() { return GetObject(8); }
CChartPart CChartPart::GetId15() { return GetObject(15); }
CChartPart CChartPart::GetId18() { return GetObject(18); }
CChartPart CChartPart::GetId19() { return GetObject(19); }
CChartPart CChartPart::GetId23() { return GetObject(23); }
CChartPart CChartPart::GetId27() { return GetObject(27); }

CChartPart CChartPart::GetId31(LONG nAxis)
{
    LPDISPATCH pDispatch = NULL;
    static const BYTE params[] = VTS_I4 VTS_VARIANT;
    InvokeHelper(31, DISPATCH_PROPERTYGET, VT_DISPATCH, &pDispatch, params, nAxis,
                 (const VARIANT*)NULL);
    return CChartPart(pDispatch);
}

CString CChartPart::GetId2Text()
{
    CString strText;
    InvokeHelper(2, DISPATCH_PROPERTYGET, VT_BSTR, &strText, VTS_NONE);
    return strText;
}

void CChartPart::PutId2(LPCSTR lpszText) { SetProperty(2, VT_BSTR, lpszText); }
void CChartPart::PutId1(float fValue) { SetProperty(1, VT_R4, (double)fValue); }
void CChartPart::PutId1Long(LONG nValue) { SetProperty(1, VT_I4, nValue); }
void CChartPart::PutId1Bool(BOOL bValue) { SetProperty(1, VT_BOOL, bValue); }
void CChartPart::PutId2Float(float fValue) { SetProperty(2, VT_R4, (double)fValue); }
void CChartPart::PutId2Long(LONG nValue) { SetProperty(2, VT_I4, nValue); }
void CChartPart::PutId2Bool(BOOL bValue) { SetProperty(2, VT_BOOL, bValue); }
void CChartPart::PutId3Long(LONG nValue) { SetProperty(3, VT_I4, nValue); }
void CChartPart::PutId3Bool(BOOL bValue) { SetProperty(3, VT_BOOL, bValue); }
void CChartPart::PutId5(float fValue) { SetProperty(5, VT_R4, (double)fValue); }
void CChartPart::PutId12(BOOL bValue) { SetProperty(12, VT_BOOL, bValue); }

void CChartPart::InvokeId3(float x, float y)
{
    static const BYTE params[] = VTS_R4 VTS_R4;
    InvokeHelper(3, DISPATCH_METHOD, VT_EMPTY, NULL, params, (double)x, (double)y);
}

void CChartPart::InvokeId5(short nRed, short nGreen, short nBlue)
{
    static const BYTE params[] = VTS_I2 VTS_I2 VTS_I2;
    InvokeHelper(5, DISPATCH_METHOD, VT_EMPTY, NULL, params, nRed, nGreen, nBlue);
}
