// Document templates: what kind of document a program makes (its runtime
// classes and the strings of its resource id), and the documents of that
// kind that are open.
#pragma once

#include "framework/core/List.h"
#include "framework/windows/CmdTarget.h"

class CDocManager;
class CDocument;
class CFrameWnd;

class CDocTemplate : public CCmdTarget
{
    DECLARE_DYNAMIC(CDocTemplate)
public:
    // The parts of the template's string resource, separated by '\n'.
    enum DocStringIndex
    {
        windowTitle,
        docName,            // base of default titles ("Sheet" gives "Sheet1")
        fileNewName,
        filterName,         // "Template Files (*.kvm)"
        filterExt,          // ".kvm"
        regFileTypeId,
        regFileTypeName
    };

    // How well a path suits this template.
    enum Confidence
    {
        noAttempt,
        maybeAttemptForeign,
        maybeAttemptNative,
        yesAttemptForeign,
        yesAttemptNative,
        yesAlreadyOpen
    };

    ~CDocTemplate() override;

    UINT GetResourceID() const { return m_nIDResource; }
    CRuntimeClass* GetDocClass() const { return m_pDocClass; }
    CRuntimeClass* GetFrameClass() const { return m_pFrameClass; }
    CRuntimeClass* GetViewClass() const { return m_pViewClass; }
    CDocManager* GetDocManager() const { return m_pDocManager; }

    // FALSE, with rString empty, when the resource has no such part.
    virtual BOOL GetDocString(CString& rString, DocStringIndex index) const;

    virtual void AddDocument(CDocument* pDoc);
    virtual void RemoveDocument(CDocument* pDoc);
    virtual POSITION GetFirstDocPosition() const = 0;
    virtual CDocument* GetNextDoc(POSITION& rPos) const = 0;

    // Creates a document of the template's class and adds it; NULL when
    // the class cannot be created.
    virtual CDocument* CreateNewDocument();
    // Opens lpszPathName in a new document, or makes a new untitled
    // document when it is NULL.  NULL when the document refused.
    virtual CDocument* OpenDocumentFile(LPCSTR lpszPathName) = 0;
    virtual void SetDefaultTitle(CDocument* pDocument) = 0;

    // A frame of the template's frame class loaded from its resource id,
    // holding a view of pDoc; NULL (with nothing left over) when the class
    // is missing or the frame cannot be created.  pOther is the frame the
    // new one is made from, or NULL.
    virtual CFrameWnd* CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther);
    virtual void InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible = TRUE);

    // yesAlreadyOpen (and rpDocMatch) when a document of this template has
    // the path open; yesAttemptNative when the extension is the template's.
    virtual Confidence MatchDocType(LPCSTR lpszPathName, CDocument*& rpDocMatch);

    // SaveModified of each document; FALSE as soon as one answers FALSE.
    virtual BOOL SaveAllModified();
    virtual void CloseAllDocuments(BOOL bEndSession);

    // What an OLE server needs to show the template's documents for a
    // container: the menu and accelerators of nIDOleEmbedding while a
    // document is opened from its container, those of nIDOleInPlaceServer
    // and a frame of pOleFrameClass while it is active in place.
    void SetServerInfo(UINT nIDOleEmbedding, UINT nIDOleInPlaceServer,
                       CRuntimeClass* pOleFrameClass);

    UINT m_nIDServerResource;
    UINT m_nIDEmbeddingResource;
    CRuntimeClass* m_pOleFrameClass;
    HMENU m_hMenuEmbedding;
    HACCEL m_hAccelEmbedding;

protected:
    CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                 CRuntimeClass* pViewClass);

    UINT m_nIDResource;
    CRuntimeClass* m_pDocClass;
    CRuntimeClass* m_pFrameClass;
    CRuntimeClass* m_pViewClass;
    CString m_strDocStrings;
    CDocManager* m_pDocManager;

    friend class CDocManager;
};

// A template of which any number of documents can be open at once.
class CMultiDocTemplate : public CDocTemplate
{
    DECLARE_DYNAMIC(CMultiDocTemplate)
public:
    // The menu and accelerators of nIDResource are loaded here, for the
    // documents' child frames to share.
    CMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                      CRuntimeClass* pViewClass);
    // Deletes the documents that are still open, then the shared menu and
    // accelerators.
    ~CMultiDocTemplate() override;

    HMENU m_hMenuShared;
    HACCEL m_hAccelTable;

    void AddDocument(CDocument* pDoc) override;
    void RemoveDocument(CDocument* pDoc) override;
    POSITION GetFirstDocPosition() const override { return m_docList.GetHeadPosition(); }
    CDocument* GetNextDoc(POSITION& rPos) const override;

    // With a frame class the document gets its child frame and view, shown
    // and active once the document is ready; without one it has no window.
    CDocument* OpenDocumentFile(LPCSTR lpszPathName) override;
    // docName and a running number ("Sheet1", "Sheet2", ...).
    void SetDefaultTitle(CDocument* pDocument) override;

protected:
    CPtrList m_docList;
    UINT m_nUntitledCount;
};
