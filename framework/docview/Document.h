// CDocument: the data of one open file, its name and title, its modified
// flag and the views that show it.  Files are read and written through
// Serialize on an archive; saving goes through a temporary file so a failed
// save never damages the file it was meant to replace.
#pragma once

#include "framework/core/List.h"
#include "framework/windows/CmdTarget.h"

class CArchive;
class CDocTemplate;
class CException;
class CFile;
class CFrameWnd;
class CView;

class CDocument : public CCmdTarget
{
    DECLARE_DYNAMIC(CDocument)
public:
    CDocument();
    ~CDocument() override;

    const CString& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(LPCSTR lpszTitle);
    const CString& GetPathName() const { return m_strPathName; }
    // Takes the full path and a title made of its file name; with
    // bAddToMRU the document manager hears of it for its recent-file list.
    virtual void SetPathName(LPCSTR lpszPathName, BOOL bAddToMRU = TRUE);
    void ClearPathName() { m_strPathName.Empty(); }

    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }

    virtual BOOL IsModified();
    virtual void SetModifiedFlag(BOOL bModified = TRUE);

    // The views: each view adds itself when it is attached to the document.
    void AddView(CView* pView);
    void RemoveView(CView* pView);
    POSITION GetFirstViewPosition() const { return m_viewList.GetHeadPosition(); }
    CView* GetNextView(POSITION& rPosition) const;
    // Calls OnUpdate of every view except pSender.
    void UpdateAllViews(CView* pSender, LPARAM lHint = 0, CObject* pHint = NULL);
    // After a view was added or removed: a template's document whose last
    // view went closes itself when m_bAutoDelete is set; the frames left
    // are numbered again.
    virtual void OnChangedViewList();
    // Numbers the frames showing the document (1, 2, ...) when there are
    // several, 0 when there is one, and updates their captions.
    void UpdateFrameCounts();
    // Whether pFrame may close: another frame still shows the document,
    // or SaveModified agrees.
    virtual BOOL CanCloseFrame(CFrameWnd* pFrame);

    // Called by the framework for File > New, File > Open, saving and closing.
    virtual BOOL OnNewDocument();
    virtual BOOL OnOpenDocument(LPCSTR lpszPathName);
    virtual BOOL OnSaveDocument(LPCSTR lpszPathName);
    // Destroys the frames of the views (or the views that have no frame),
    // empties the document and deletes it when m_bAutoDelete is set.
    virtual void OnCloseDocument();
    // Empties the document's data (before a load, and on close).
    virtual void DeleteContents();

    // Asks "Save changes to ...?" when the document is modified: Yes saves
    // (TRUE only when the save succeeded), No answers TRUE, Cancel FALSE.
    virtual BOOL SaveModified();
    // Saves under the present path, or asks for one when there is none.
    virtual BOOL DoFileSave();
    // Saves to lpszPathName, or to a name the user chooses when it is NULL
    // or empty; with bReplace the document takes the new path.
    virtual BOOL DoSave(LPCSTR lpszPathName, BOOL bReplace = TRUE);

    // Closing a document that owns no window deletes it when this is set.
    BOOL m_bAutoDelete;

protected:
    // File > Close (after the question to save), File > Save, File > Save As.
    void OnFileClose();
    void OnFileSave();
    void OnFileSaveAs();
    // File > Send Mail: a copy of the document, as it is now, attached to a
    // new message of the system's mail program.  The document itself, its
    // path and its modified flag stay as they were.
    void OnFileSendMail();

    // Read and write the document's file; they throw on failure, and the
    // open and save above report it.  Here the file is one archive over the
    // whole file, written through a temporary file beside it.
    virtual void LoadDocumentFile(LPCSTR lpszPathName);
    virtual void StoreDocumentFile(LPCSTR lpszPathName);
    // Shows the failure of a load or save once: the exception's own message,
    // or a general one.  pException may be NULL.
    void ReportSaveLoadException(LPCSTR lpszPathName, CException* pException, BOOL bSaving);

    CString m_strTitle;
    CString m_strPathName;
    CDocTemplate* m_pDocTemplate;
    CPtrList m_viewList;
    BOOL m_bModified;

    friend class CDocTemplate;

    DECLARE_MESSAGE_MAP()
};
