// CChartPart: a dispatch driver over one of the chart control's objects
// (plot, legend, title, location, rectangle, point, axis, pen, brush,
// colour and the rest).  Each member is one automation call named by its
// kind and dispatch id; a getter of an object returns a new driver that
// owns it.  A failed call throws COleDispatchException or COleException.
#pragma once

#include "framework/ole/DispatchDriver.h"

class CChartPart : public COleDispatchDriver
{
public:
    CChartPart() {}
    explicit CChartPart(LPDISPATCH lpDispatch) : COleDispatchDriver(lpDispatch) {}

    // Objects below this one.
    CChartPart GetId1();
    CChartPart GetId2();
    CChartPart GetId3();
    CChartPart GetId4();
    CChartPart GetId5();
    CChartPart GetId7();
    CChartPart GetId8();
    CChartPart GetId15();
    CChartPart GetId18();
    CChartPart GetId19();
    CChartPart GetId23();
    CChartPart GetId27();
    // The plot's axis of a number (0 x, 1 y, 2 second y).
    CChartPart GetId31(LONG nAxis);

    // The title's text.
    CString GetId2Text();
    void PutId2(LPCSTR lpszText);

    void PutId1(float fValue);
    void PutId1Long(LONG nValue);
    void PutId1Bool(BOOL bValue);
    void PutId2Float(float fValue);
    void PutId2Long(LONG nValue);
    void PutId2Bool(BOOL bValue);
    void PutId3Long(LONG nValue);
    void PutId3Bool(BOOL bValue);
    void PutId5(float fValue);
    void PutId12(BOOL bValue);

    // Both coordinates of a point.
    void InvokeId3(float x, float y);
    // A colour from its red, green and blue parts.
    void InvokeId5(short nRed, short nGreen, short nBlue);

private:
    CChartPart GetObject(DISPID nID);
};
