// The program's document management: the document templates, opening a
// file in the right one (or finding it already open), File > New, and
// saving or closing every document.  The application object owns one.
#pragma once

#include "framework/core/List.h"
#include "framework/core/String.h"

class CDocTemplate;
class CDocument;

class CDocManager
{
public:
    CDocManager();
    // Deletes the templates, and with them their open documents.
    virtual ~CDocManager();

    CDocManager(const CDocManager&) = delete;
    CDocManager& operator=(const CDocManager&) = delete;

    // The manager owns the template from here on.
    void AddDocTemplate(CDocTemplate* pTemplate);
    POSITION GetFirstDocTemplatePosition() const { return m_templateList.GetHeadPosition(); }
    CDocTemplate* GetNextDocTemplate(POSITION& rPos) const;
    int GetOpenDocumentCount() const;

    // File > New in the first template; NULL when the document refused.
    virtual CDocument* OnFileNew();
    // The document already open under that path (its frame activated), or
    // the path opened in the template that suits it best.  NULL (after the document's message)
    // when it cannot be opened.
    virtual CDocument* OpenDocumentFile(LPCSTR lpszFileName);

    // File > Open: asks for a file of the first template's kind and opens
    // it; NULL on Cancel or when it cannot be opened.
    virtual CDocument* OnFileOpen();

    // SaveModified of every document; FALSE as soon as one answers FALSE.
    virtual BOOL SaveAllModified();
    virtual void CloseAllDocuments(BOOL bEndSession);

    // Asks the user for a file name for opening or saving with pTemplate's
    // filter (the file dialog); rFileName holds the proposal and receives
    // the choice.  FALSE on Cancel.
    virtual BOOL DoPromptFileName(CString& rFileName, BOOL bOpenFileDialog, CDocTemplate* pTemplate);

    // A document took a new path: it goes to the application's recent-file
    // list.
    virtual void AddToRecentFileList(LPCSTR lpszPathName);

protected:
    // Brings the frame of the document's first view to the front.
    static void ActivateDocumentFrame(CDocument* pDoc);

    CPtrList m_templateList;
};
