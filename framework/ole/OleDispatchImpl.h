// The IDispatch of a command target: names and calls the methods of its
// dispatch map.  It lives inside the COM object of its owner and counts
// references through that object's IUnknown.
#pragma once

#include <oaidl.h>

#include "framework/ole/OleInnerInterface.h"

class CCmdTarget;

class COleDispatchImpl : public COleInnerInterface<IDispatch>
{
public:
    COleDispatchImpl(IUnknown* pOuter, CCmdTarget* pTarget);

    // After this the methods answer that the object is gone.
    void Disconnect() { m_pTarget = NULL; }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* pctinfo) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames,
                                            LCID lcid, DISPID* rgDispId) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags,
                                     DISPPARAMS* pDispParams, VARIANT* pVarResult,
                                     EXCEPINFO* pExcepInfo, UINT* puArgErr) override;

private:
    CCmdTarget* m_pTarget;
};
