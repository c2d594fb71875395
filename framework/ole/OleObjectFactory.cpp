#include "framework/ole/OleObjectFactory.h"

#include "framework/ole/OleLock.h"

COleObjectFactory* COleObjectFactory::s_pFirstFactory = NULL;

COleObjectFactory::COleObjectFactory(REFCLSID clsid, BOOL bMultiInstance, LPCSTR lpszProgID)
    : m_clsid(clsid), m_bMultiInstance(bMultiInstance), m_strProgID(lpszProgID),
      m_dwRegister(0), m_pNextFactory(s_pFirstFactory)
{
    s_pFirstFactory = this;
}

COleObjectFactory::~COleObjectFactory()
{
    Revoke();
    for (COleObjectFactory** pp = &s_pFirstFactory; *pp != NULL; pp = &(*pp)->m_pNextFactory)
        if (*pp == this)
        {
            *pp = m_pNextFactory;
            break;
        }
}

BOOL COleObjectFactory::Register()
{
    if (m_dwRegister != 0)
        return TRUE;
    DWORD dwFlags = m_bMultiInstance ? REGCLS_SINGLEUSE : REGCLS_MULTIPLEUSE;
    HRESULT hr = CoRegisterClassObject(m_clsid, static_cast<IClassFactory*>(this),
                                       CLSCTX_LOCAL_SERVER, dwFlags, &m_dwRegister);
    if (FAILED(hr))
    {
        m_dwRegister = 0;
        return FALSE;
    }
    return TRUE;
}

void COleObjectFactory::Revoke()
{
    if (m_dwRegister == 0)
        return;
    CoRevokeClassObject(m_dwRegister);
    m_dwRegister = 0;
}

BOOL COleObjectFactory::RegisterAll()
{
    BOOL bResult = TRUE;
    for (COleObjectFactory* p = s_pFirstFactory; p != NULL; p = p->m_pNextFactory)
        bResult = p->Register() && bResult;
    return bResult;
}

void COleObjectFactory::RevokeAll()
{
    for (COleObjectFactory* p = s_pFirstFactory; p != NULL; p = p->m_pNextFactory)
        p->Revoke();
}

BOOL COleObjectFactory::UpdateRegistryAll()
{
    BOOL bResult = TRUE;
    for (COleObjectFactory* p = s_pFirstFactory; p != NULL; p = p->m_pNextFactory)
        bResult = p->UpdateRegistry() && bResult;
    return bResult;
}

BOOL COleObjectFactory::UpdateRegistry()
{
    CString strPath;
    if (m_strProgID.IsEmpty() || !AfxGetServerModulePath(strPath))
        return FALSE;
    CString strClass = "CLSID\\" + AfxStringFromCLSID(m_clsid);
    return AfxSetClassesRootValue(m_strProgID + "\\CLSID", NULL, AfxStringFromCLSID(m_clsid))
           && AfxSetClassesRootValue(strClass + "\\ProgID", NULL, m_strProgID)
           && AfxSetClassesRootValue(strClass + "\\LocalServer32", NULL,
                                     "\"" + strPath + "\" /Automation");
}

HRESULT STDMETHODCALLTYPE COleObjectFactory::QueryInterface(REFIID riid, void** ppv)
{
    if (ppv == NULL)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory))
    {
        *ppv = static_cast<IClassFactory*>(this);
        return S_OK;
    }
    *ppv = NULL;
    return E_NOINTERFACE;
}

// The factory lives as long as the program; COM's references only keep
// the program loaded through LockServer.
ULONG STDMETHODCALLTYPE COleObjectFactory::AddRef()
{
    return 2;
}

ULONG STDMETHODCALLTYPE COleObjectFactory::Release()
{
    return 1;
}

HRESULT STDMETHODCALLTYPE COleObjectFactory::CreateInstance(IUnknown* pUnkOuter, REFIID riid,
                                                            void** ppv)
{
    if (ppv == NULL)
        return E_POINTER;
    *ppv = NULL;
    if (pUnkOuter != NULL)
        return CLASS_E_NOAGGREGATION;
    IUnknown* pObject = OnCreateObject();
    if (pObject == NULL)
        return E_OUTOFMEMORY;
    // A refused interface releases the new object, which then goes again.
    HRESULT hr = pObject->QueryInterface(riid, ppv);
    pObject->Release();
    return hr;
}

HRESULT STDMETHODCALLTYPE COleObjectFactory::LockServer(BOOL fLock)
{
    if (fLock)
        AfxOleLockApp();
    else
        AfxOleUnlockApp();
    return S_OK;
}
