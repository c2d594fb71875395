// The COM object of a server document: its identity (IUnknown), its
// dispatch interface (also under the ids of its interface map),
// IPersistFile, through which a client loads a file into the document and
// saves it, and, when the document has an embedded item, the interfaces a
// container embeds and activates it through (IOleObject, IPersistStorage,
// IDataObject, IOleInPlaceObject, IOleInPlaceActiveObject, and for a
// container of documents IOleDocument and IOleDocumentView).  The document
// holds one reference; when the clients' last
// reference goes, the document hears of it (OnFinalRelease).  Once the
// document is gone the object only answers that it is disconnected.
#pragma once

#include <docobj.h>
#include <objidl.h>

#include "framework/ole/OleDataObjectImpl.h"
#include "framework/ole/OleDispatchImpl.h"
#include "framework/ole/OleInPlaceObjectImpl.h"
#include "framework/ole/OleObjectImpl.h"
#include "framework/ole/OlePersistStorageImpl.h"

class CDocObjectServer;
class COleServerDoc;

class COleServerDocObject : public IPersistFile
{
public:
    explicit COleServerDocObject(COleServerDoc* pDoc);

    // The document goes: cut the clients off and drop its reference.
    void Detach();

    IUnknown* GetUnknown() { return static_cast<IPersistFile*>(this); }
    IDispatch* GetDispatch() { return &m_dispatch; }
    COleObjectImpl& GetOleObject() { return m_oleObject; }
    COleDataObjectImpl& GetDataObject() { return m_dataObject; }
    IOleInPlaceActiveObject& GetInPlaceActiveObject() { return m_inPlaceActiveObject; }
    // The document's active-document interfaces, made by the document
    // (COleServerDoc::GetDocObjectServer) for pDocSite, or for the client
    // site's document site when NULL, at the first call; NULL when the
    // document offers none.
    CDocObjectServer* GetDocObjectServer(IOleDocumentSite* pDocSite = NULL);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE GetClassID(CLSID* pClassID) override;
    HRESULT STDMETHODCALLTYPE IsDirty() override;
    HRESULT STDMETHODCALLTYPE Load(LPCOLESTR pszFileName, DWORD dwMode) override;
    HRESULT STDMETHODCALLTYPE Save(LPCOLESTR pszFileName, BOOL fRemember) override;
    HRESULT STDMETHODCALLTYPE SaveCompleted(LPCOLESTR pszFileName) override;
    HRESULT STDMETHODCALLTYPE GetCurFile(LPOLESTR* ppszFileName) override;

private:
    virtual ~COleServerDocObject();

    LONG m_cRef;
    COleServerDoc* m_pDoc;
    COleDispatchImpl m_dispatch;
    COleObjectImpl m_oleObject;
    COlePersistStorageImpl m_persistStorage;
    COleDataObjectImpl m_dataObject;
    COleInPlaceObjectImpl m_inPlaceObject;
    COleInPlaceActiveObjectImpl m_inPlaceActiveObject;
    CDocObjectServer* m_pDocServer;
};
