// Documents for the document tests: a note of one text and one number,
// kept as a compound file or a plain archive, whose save can be made to
// fail after part of the data was written.
#pragma once

#include <string>
#include <vector>

#include "framework/docview/DocManager.h"
#include "framework/docview/OleDocument.h"
#include "framework/docview/View.h"
#include "tests/support/ScratchFolder.h"

class CNoteDoc : public COleDocument
{
    DECLARE_DYNCREATE(CNoteDoc)
public:
    CNoteDoc();

    void Serialize(CArchive& ar) override;
    void DeleteContents() override;
    BOOL OnNewDocument() override;

    CString m_strText;
    int m_nNumber;
    // Storing: the text is written, then the save fails with a full disk.
    BOOL m_bFailMidway;
    // OnNewDocument answers FALSE.
    BOOL m_bRefuseNew;
    int m_nDeleteContentsCalls;

    // Every new note refuses OnNewDocument while this is set.
    static BOOL s_bRefuseNextNew;
};

// A view without a window that counts its updates.
class CCountingView : public CView
{
public:
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;
    void OnDraw(CDC*) override {}

    int m_nUpdates = 0;
    LPARAM m_lLastHint = 0;
};

// A document manager that remembers the paths offered to its recent-file list.
class CRecordingDocManager : public CDocManager
{
public:
    void AddToRecentFileList(LPCSTR lpszPathName) override { m_strRecent.push_back(lpszPathName); }
    std::vector<std::string> m_strRecent;
};

// Saves a note with these contents at strPath (a test failure when it
// cannot be saved).
void SaveNoteFile(const CString& strPath, BOOL bCompound, LPCSTR lpszText, int nNumber);
