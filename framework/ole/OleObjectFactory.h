// COleObjectFactory: the class factory of one OLE class of the program.
// Every factory made is listed, so that start-up registers them all with
// COM (RegisterAll) and in the registry (UpdateRegistryAll), and the exit
// revokes them.
#pragma once

#include <objbase.h>

#include "framework/core/String.h"
#include "framework/docview/ClassesRoot.h"

class COleObjectFactory : public IClassFactory
{
public:
    // bMultiInstance TRUE: every client object starts a program of its
    // own; FALSE: one running program serves them all.
    COleObjectFactory(REFCLSID clsid, BOOL bMultiInstance, LPCSTR lpszProgID);
    virtual ~COleObjectFactory();

    COleObjectFactory(const COleObjectFactory&) = delete;
    COleObjectFactory& operator=(const COleObjectFactory&) = delete;

    const CLSID& GetClassID() const { return m_clsid; }
    const CString& GetProgID() const { return m_strProgID; }
    BOOL IsRegistered() const { return m_dwRegister != 0; }

    // Offers the factory to COM's clients of other processes.
    BOOL Register();
    void Revoke();
    static BOOL RegisterAll();
    static void RevokeAll();
    // Writes every factory's registry entries; FALSE when one failed.
    static BOOL UpdateRegistryAll();
    virtual BOOL UpdateRegistry();

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* pUnkOuter, REFIID riid, void** ppv) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL fLock) override;

protected:
    // A new object for a client, with one reference the caller takes; NULL
    // when it cannot be made.
    virtual IUnknown* OnCreateObject() = 0;

    CLSID m_clsid;
    BOOL m_bMultiInstance;
    CString m_strProgID;
    DWORD m_dwRegister;

private:
    COleObjectFactory* m_pNextFactory;
    static COleObjectFactory* s_pFirstFactory;
};
