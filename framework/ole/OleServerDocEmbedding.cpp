// The server document inside a container: its embedded item and its
// storage.
#include "framework/ole/OleServerDoc.h"

#include "framework/core/Exception.h"
#include "framework/ole/OleServerItem.h"

COleServerItem* COleServerDoc::GetEmbeddedItem()
{
    if (m_pEmbeddedItem == NULL)
        m_pEmbeddedItem = OnGetEmbeddedItem();
    return m_pEmbeddedItem;
}

COleServerItem* COleServerDoc::OnGetEmbeddedItem()
{
    return NULL;
}

void COleServerDoc::OnItemDeleted(COleServerItem* pItem)
{
    if (m_pEmbeddedItem == pItem)
        m_pEmbeddedItem = NULL;
}

BOOL COleServerDoc::OnNewEmbedding(IStorage*)
{
    m_bEmbedded = TRUE;
    return OnNewDocument();
}

BOOL COleServerDoc::OnOpenEmbedding(IStorage* lpStorage)
{
    COleServerItem* pItem = GetEmbeddedItem();
    if (pItem == NULL)
        return FALSE;
    DeleteContents();
    try
    {
        LoadFromStorage(lpStorage, pItem);
    }
    catch (CException* e)
    {
        e->Delete();
        DeleteContents();
        return FALSE;
    }
    m_bEmbedded = TRUE;
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL COleServerDoc::OnSaveEmbedding(IStorage* lpStorage)
{
    COleServerItem* pItem = GetEmbeddedItem();
    if (pItem == NULL)
        return FALSE;
    try
    {
        SaveToStorage(lpStorage, pItem);
    }
    catch (CException* e)
    {
        e->Delete();
        return FALSE;
    }
    return TRUE;
}

void COleServerDoc::SetClientSite(IOleClientSite* pClientSite)
{
    if (pClientSite != NULL)
        pClientSite->AddRef();
    if (m_lpClientSite != NULL)
        m_lpClientSite->Release();
    m_lpClientSite = pClientSite;
}

HRESULT COleServerDoc::OnCloseEmbedding(DWORD dwSaveOption)
{
    // A closed object is no longer active in its container's window.
    if (IsInPlaceActive())
        OnDeactivate();
    if (dwSaveOption != OLECLOSE_NOSAVE && IsModified() && m_lpClientSite != NULL)
    {
        HRESULT hr = m_lpClientSite->SaveObject();
        if (FAILED(hr))
            return hr;
    }
    return S_OK;
}
