// Dispatch maps: the automation methods of a command target, by name, in
// the order that gives their dispatch ids (the first entry is 1), and
// interface maps: the further interface ids under which a target answers
// with its dispatch interface.
#pragma once

#include <oaidl.h>

#include "framework/ole/DispatchDriver.h"
#include "framework/windows/CmdTarget.h"

// Calls the method and stores its result in *pvarResult.
typedef void (*AFX_PDISPTHUNK)(CCmdTarget* pTarget, VARIANT* pvarResult);

struct AFX_DISPMAP_ENTRY
{
    LPCSTR lpszName;        // NULL ends the table
    VARTYPE vtResult;
    AFX_PDISPTHUNK pfnThunk;
};

struct AFX_DISPMAP
{
    const AFX_DISPMAP* (*pfnGetBaseMap)();
    const AFX_DISPMAP_ENTRY* lpEntries;
};

struct AFX_INTERFACEMAP_ENTRY
{
    const IID* piid;        // NULL ends the table
};

struct AFX_INTERFACEMAP
{
    const AFX_INTERFACEMAP* (*pfnGetBaseMap)();
    const AFX_INTERFACEMAP_ENTRY* lpEntries;
};

// A method's own dispatch id: its position in its class's map from 1, with
// the depth of the class below the most derived one in the high word.
DISPID AfxFindDispatchId(const AFX_DISPMAP* pMap, LPCSTR lpszName);
const AFX_DISPMAP_ENTRY* AfxFindDispatchEntry(const AFX_DISPMAP* pMap, DISPID dispid);
// TRUE when iid is in the interface map chain.
BOOL AfxIsMappedInterface(const AFX_INTERFACEMAP* pMap, REFIID iid);
// Stores a method's integer result as the variant type of its entry.
void AfxSetDispatchResult(VARIANT* pvarResult, VARTYPE vt, LONG lValue);

// The methods served here take no parameters (VTS_NONE).
constexpr bool AfxIsEmptyParamList(const char* pParams)
{
    return pParams == nullptr || pParams[0] == '\0';
}

#define DECLARE_DISPATCH_MAP() \
public: \
    static const AFX_DISPMAP* GetThisDispatchMap(); \
    const AFX_DISPMAP* GetDispatchMap() const override;

#define BEGIN_DISPATCH_MAP(theClass, baseClass) \
    const AFX_DISPMAP* theClass::GetDispatchMap() const { return GetThisDispatchMap(); } \
    const AFX_DISPMAP* theClass::GetThisDispatchMap() \
    { \
        typedef theClass ThisClass; \
        typedef baseClass TheBaseClass; \
        static const AFX_DISPMAP_ENTRY _dispatchEntries[] = {

// A method without parameters returning an integer type (VT_BOOL, VT_I4).
#define DISP_FUNCTION(theClass, szExternalName, memberFxn, vtRetVal, vtsParams) \
            { szExternalName, vtRetVal, \
              [](CCmdTarget* _pTarget, VARIANT* _pResult) { \
                  static_assert(AfxIsEmptyParamList(vtsParams), "methods without parameters only"); \
                  AfxSetDispatchResult(_pResult, vtRetVal, \
                                       (LONG) static_cast<theClass*>(_pTarget)->memberFxn()); \
              } },

#define END_DISPATCH_MAP() \
            { NULL, VT_EMPTY, NULL } \
        }; \
        static const AFX_DISPMAP dispatchMap = { &TheBaseClass::GetThisDispatchMap, _dispatchEntries }; \
        (void)sizeof(ThisClass*); \
        return &dispatchMap; \
    }

#define DECLARE_INTERFACE_MAP() \
public: \
    static const AFX_INTERFACEMAP* GetThisInterfaceMap(); \
    const AFX_INTERFACEMAP* GetInterfaceMap() const override;

#define BEGIN_INTERFACE_MAP(theClass, baseClass) \
    const AFX_INTERFACEMAP* theClass::GetInterfaceMap() const { return GetThisInterfaceMap(); } \
    const AFX_INTERFACEMAP* theClass::GetThisInterfaceMap() \
    { \
        typedef baseClass TheBaseClass; \
        static const AFX_INTERFACEMAP_ENTRY _interfaceEntries[] = {

// The target's dispatch interface, also under this interface id.
#define INTERFACE_PART(theClass, iid, localClass) { &(iid) },

#define END_INTERFACE_MAP() \
            { NULL } \
        }; \
        static const AFX_INTERFACEMAP interfaceMap = { &TheBaseClass::GetThisInterfaceMap, \
                                                       _interfaceEntries }; \
        return &interfaceMap; \
    }
