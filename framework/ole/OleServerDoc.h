// COleServerDoc: the document of a program that OLE clients use: automation
// clients through its dispatch map, and clients that load and save it
// through its persistence interfaces.  Its COM object (OleServerDocObject.h)
// is made on first use and outlives the document only as an empty shell.
#pragma once

#include <ole2.h>
#include <docobj.h>

#include "framework/docview/OleDocument.h"

class CDocObjectServer;
class COleIPFrameWnd;
class COleServerDocObject;
class COleServerItem;
class CFrameWnd;

class COleServerDoc : public COleDocument
{
    DECLARE_DYNAMIC(COleServerDoc)
public:
    COleServerDoc();
    ~COleServerDoc() override;

    // TRUE while the document lives inside a container rather than a file.
    BOOL IsEmbedded() const { return m_bEmbedded; }

    // Lets clients reach the dispatch map (call in the constructor).
    void EnableAutomation() { m_bAutomation = TRUE; }
    BOOL IsAutomationEnabled() const { return m_bAutomation; }

    // The document's COM identity, without a new reference.
    IUnknown* GetControllingUnknown();
    // Its dispatch interface; NULL when automation is off.
    IDispatch* GetIDispatch(BOOL bAddRef);

    // The class factory made this document for a client of class clsid.
    void SetServedClass(REFCLSID clsid);
    BOOL IsServedToClient() const { return m_bServed; }
    const CLSID& GetServedClass() const { return m_clsid; }

    // Called when the last client let the document go: a document made
    // for clients closes (which deletes it); one the user opened stays.
    virtual void OnFinalRelease();

    // Embedding (OleServerDocEmbedding.cpp)
    // The item a container embeds, made by OnGetEmbeddedItem on first use;
    // NULL when the document cannot be embedded.
    COleServerItem* GetEmbeddedItem();
    // An item of this document is being deleted.
    void OnItemDeleted(COleServerItem* pItem);
    // The document as a container's storage makes it: new, loaded from the
    // storage's "Contents" stream, or saved there through the embedded
    // item; FALSE (nothing reported) on failure.
    BOOL OnNewEmbedding(IStorage* lpStorage);
    BOOL OnOpenEmbedding(IStorage* lpStorage);
    BOOL OnSaveEmbedding(IStorage* lpStorage);
    // IOleObject::Close: saves through the container's site unless told not
    // to; the document goes when the container lets it go.
    HRESULT OnCloseEmbedding(DWORD dwSaveOption);
    // IOleObject::DoVerb: shows or hides the document for the container.
    virtual HRESULT OnDoVerb(LONG iVerb, IOleClientSite* pActiveSite, HWND hwndParent,
                             LPCRECT lprcPosRect);
    // In-place activation (OleServerDocInPlace.cpp).  Activates the
    // document in the window of pSite (the client site when NULL), with its
    // user interface on the container when bUIActivate; FALSE, leaving
    // nothing behind, when the site offers no in-place activation.
    BOOL ActivateInPlace(IUnknown* pSite, BOOL bUIActivate);
    // Lets a container that shows documents (its site offers
    // IOleDocumentSite) make and show the document's view; FALSE when the
    // container is no such container or does not take it.
    BOOL ActivateAsDocument(IOleClientSite* pSite);
    BOOL IsInPlaceActive() const { return m_pInPlaceFrame != NULL; }
    COleIPFrameWnd* GetInPlaceFrame() const { return m_pInPlaceFrame; }
    // Leaves the user interface active on the container: menus, bars and
    // border go back to it.  A document active in place only while its
    // user interface is then leaves in-place activation too.
    virtual void OnDeactivateUI(BOOL bUndoable);
    // Leaves in-place activation: the in-place frame goes.
    virtual void OnDeactivate();
    // Asks the container to give the object rectangle rectPos (the site
    // window's coordinates).
    void RequestPositionChange(LPCRECT lpPosRect);
    // Shows the document in the program's own frame for the container.
    HRESULT OpenForContainer();

    // The document as an active document of a container that shows
    // documents (IOleDocument and its view) for the document site
    // pDocSite; the base offers none (NULL).  The document's COM object
    // owns what it returns.
    virtual CDocObjectServer* GetDocObjectServer(IOleDocumentSite* pDocSite);

    // The container's site, held while the document is embedded.
    void SetClientSite(IOleClientSite* pClientSite);
    IOleClientSite* GetClientSite() const { return m_lpClientSite; }

protected:
    // The embedded item of this document; the base has none.
    virtual COleServerItem* OnGetEmbeddedItem();

    // The embedded document closes: the container saves it first when it
    // changed, then hears that it is closed and no longer shown.
    void OnCloseDocument() override;
    BOOL SaveModified() override;

    BOOL m_bEmbedded;

private:
    // The user interface of the document active in place goes onto the
    // container (the site hears first) or comes off it (the site hears
    // after, told whether the container may undo).
    void ShowInPlaceUI();
    void HideInPlaceUI(BOOL bUndoable);
    void ReleaseInPlaceSite();

    COleIPFrameWnd* m_pInPlaceFrame;
    IOleInPlaceSite* m_lpInPlaceSite;
    BOOL m_bUIActive;
    BOOL m_bInDeactivate;
    CFrameWnd* m_pOpenFrame;

    COleServerDocObject* m_pObject;
    COleServerItem* m_pEmbeddedItem;
    IOleClientSite* m_lpClientSite;
    BOOL m_bAutomation;
    BOOL m_bServed;
    CLSID m_clsid;
};
