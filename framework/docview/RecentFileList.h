// CRecentFileList: the most recently opened or saved files, most recent
// first, kept in one profile section ("File1", "File2", ...) and shown as
// numbered items in the File menu in place of a placeholder item.
#pragma once

#include <vector>

#include "framework/core/String.h"

class CCmdUI;

class CRecentFileList
{
public:
    // The most entries a list of the File menu's commands can show.
    static const int kMaxEntries = 16;

    // nSize entries at most, kept under lpszEntryPrefix and a number from 1;
    // nStartID is the menu command of the first;
    // display names longer than nMaxDisplayLength are shortened.
    CRecentFileList(UINT nStartID, LPCSTR lpszSection, LPCSTR lpszEntryPrefix, int nSize,
                    int nMaxDisplayLength = 30);

    int GetSize() const { return m_nSize; }
    // The number of entries in use.
    int GetCount() const { return (int)m_names.size(); }
    const CString& operator[](int nIndex) const { return m_names[(size_t)nIndex]; }

    // Puts the full path (AfxFullPath) first; an entry of the same path
    // (compared without case) moves up instead of appearing twice, and the
    // oldest falls off a full list.
    void Add(LPCSTR lpszPathName);
    void Remove(int nIndex);
    // The index of the entry of that full path, compared without case; -1.
    int Find(const CString& strFullPath) const;

    // The menu text of an entry without its number: the file name alone
    // when it lies in lpszCurDir, else the path shortened to fit.
    CString GetDisplayName(int nIndex, LPCSTR lpszCurDir) const;

    // The update handler of the first entry's command: replaces the
    // placeholder (or the entries shown before) with "&1 name", "&2 name",
    // ...; with no entries the placeholder comes back, disabled.
    void UpdateMenu(CCmdUI* pCmdUI);

    // Through the application's profile, ReadList keeping one entry per
    // file; WriteList removes the entries beyond the ones in use and is
    // FALSE when an entry cannot be written.
    void ReadList();
    BOOL WriteList() const;

private:
    CString EntryName(int nIndex) const;

    UINT m_nStartID;
    CString m_strSection;
    CString m_strEntryPrefix;   // "File" gives File1, File2, ...
    int m_nSize;
    int m_nMaxDisplayLength;
    std::vector<CString> m_names;
    CString m_strOriginal;   // the placeholder's text, learnt from the menu
    BOOL m_bOriginalKnown;
};

// The path shortened to at most nMaxLength characters: the root, "...",
// and as many of the last folders as fit before the file name; the file
// name alone when even that is too long.
CString AfxAbbreviatePath(LPCSTR lpszPath, int nMaxLength);
