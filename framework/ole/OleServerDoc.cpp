#include "framework/ole/OleServerDoc.h"

#include "framework/ole/OleServerDocObject.h"
#include "framework/ole/OleServerItem.h"

IMPLEMENT_DYNAMIC(COleServerDoc, COleDocument)

COleServerDoc::COleServerDoc()
    : m_bEmbedded(FALSE), m_pInPlaceFrame(NULL), m_lpInPlaceSite(NULL), m_bUIActive(FALSE),
      m_bInDeactivate(FALSE), m_pOpenFrame(NULL), m_pObject(NULL), m_pEmbeddedItem(NULL), m_lpClientSite(NULL),
      m_bAutomation(FALSE), m_bServed(FALSE), m_clsid(CLSID_NULL)
{
}

COleServerDoc::~COleServerDoc()
{
    ReleaseInPlaceSite();
    if (m_pObject != NULL)
        m_pObject->Detach();
    SetClientSite(NULL);
    if (m_pEmbeddedItem != NULL && m_pEmbeddedItem->m_bAutoDelete)
        delete m_pEmbeddedItem;
    m_pEmbeddedItem = NULL;
}

IUnknown* COleServerDoc::GetControllingUnknown()
{
    if (m_pObject == NULL)
        m_pObject = new COleServerDocObject(this);
    return m_pObject->GetUnknown();
}

IDispatch* COleServerDoc::GetIDispatch(BOOL bAddRef)
{
    if (!m_bAutomation)
        return NULL;
    GetControllingUnknown();
    IDispatch* pDispatch = m_pObject->GetDispatch();
    if (bAddRef)
        pDispatch->AddRef();
    return pDispatch;
}

void COleServerDoc::SetServedClass(REFCLSID clsid)
{
    m_bServed = TRUE;
    m_clsid = clsid;
}

void COleServerDoc::OnFinalRelease()
{
    if (m_bServed && GetFirstViewPosition() == NULL)
        OnCloseDocument();
}
