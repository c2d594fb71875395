// COleDispatchDriver: holds one IDispatch and calls its members by
// dispatch id.  Arguments are described by a string of VTS_ codes and
// passed after it: VTS_I2 short, VTS_I4 LONG, VTS_R4 float, VTS_R8 double,
// VTS_BOOL BOOL, VTS_BSTR LPCSTR, VTS_VARIANT const VARIANT*.  Results go
// to pvRet by vtRet: VT_I2 short*, VT_I4 LONG*, VT_R4 float*, VT_R8
// double*, VT_BOOL BOOL*, VT_BSTR CString*, VT_DISPATCH LPDISPATCH* (the
// caller owns the reference), VT_VARIANT VARIANT*, VT_EMPTY none.  A
// list of codes is a BYTE array: static const BYTE params[] = VTS_I2 VTS_I4;
#pragma once

#include "framework/core/String.h"

#include <oleauto.h>

#define VTS_NONE NULL
#define VTS_I2 "\x02"
#define VTS_I4 "\x03"
#define VTS_R4 "\x04"
#define VTS_R8 "\x05"
#define VTS_BSTR "\x08"
#define VTS_BOOL "\x0B"
#define VTS_VARIANT "\x0C"

class COleDispatchDriver
{
public:
    COleDispatchDriver();
    // Takes lpDispatch; bAutoRelease: release it when the driver lets go.
    explicit COleDispatchDriver(LPDISPATCH lpDispatch, BOOL bAutoRelease = TRUE);
    COleDispatchDriver(const COleDispatchDriver& dispatchSrc);
    COleDispatchDriver& operator=(const COleDispatchDriver& dispatchSrc);
    virtual ~COleDispatchDriver();

    void AttachDispatch(LPDISPATCH lpDispatch, BOOL bAutoRelease = TRUE);
    LPDISPATCH DetachDispatch();
    void ReleaseDispatch();
    operator LPDISPATCH() const { return m_lpDispatch; }

    // One call of the member; wFlags DISPATCH_METHOD, DISPATCH_PROPERTYGET
    // or DISPATCH_PROPERTYPUT.  A failure throws COleDispatchException
    // (the object raised an error) or COleException (the call failed).
    void InvokeHelper(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet,
                      const BYTE* pbParamInfo, ...);
    void InvokeHelperV(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet,
                       const BYTE* pbParamInfo, va_list argList);
    void GetProperty(DISPID dwDispID, VARTYPE vtProp, void* pvProp) const;
    // The value after vtProp is of the type a VTS_ code of vtProp passes.
    void SetProperty(DISPID dwDispID, VARTYPE vtProp, ...);

    LPDISPATCH m_lpDispatch;
    BOOL m_bAutoRelease;
};
