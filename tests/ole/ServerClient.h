// The client side of the designer's OLE server for the tests: registering
// the server by running the designer once, creating its object by ProgID,
// and calling its methods by name.
#pragma once

#include <objbase.h>
#include <oaidl.h>

#include <vector>

#include "framework/core/String.h"
#include "framework/docview/ScopedInterface.h"

namespace oletest
{

// Runs the designer once the way a user starts it (no database) in a
// scratch folder, which writes its registration into the prefix; FALSE
// when it did not start and end cleanly.  Done once per process.
BOOL RegisterDesigner();

// The designer's object created by COM by the ProgID "Tallyform.Sheet".
HRESULT CreateSheetObject(CScopedInterface<IDispatch>& dispatch);

// The dispatch id of a method, or DISPID_UNKNOWN.
DISPID MethodId(IDispatch* pDispatch, LPCSTR lpszName);
// Calls a method by its dispatch id without arguments; as CallMethod.
BOOL InvokeMethod(IDispatch* pDispatch, DISPID dispid, HRESULT* phr = NULL);
// Calls a method by name without arguments; hr receives Invoke's result
// and the return value is the method's BOOL (FALSE when the call failed).
BOOL CallMethod(IDispatch* pDispatch, LPCSTR lpszName, HRESULT* phr = NULL);

// IPersistFile of the object: a template loaded into it, a copy saved.
HRESULT LoadInto(IDispatch* pDispatch, LPCSTR lpszPath);
HRESULT SaveCopy(IDispatch* pDispatch, LPCSTR lpszPath);
// S_OK when the object's document is modified, S_FALSE when it is not.
HRESULT IsDirty(IDispatch* pDispatch);

// The process ids of the running designers that serve objects: those with
// a hidden main window.
std::vector<DWORD> FindServerProcesses();
// Waits up to 30 s until no designer serves objects any more; FALSE when
// one is still running then.
BOOL WaitForNoServer();

} // namespace oletest
