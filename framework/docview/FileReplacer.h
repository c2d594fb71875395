// Saving without risk to the file being replaced: the new contents go to a
// temporary file in the target's folder, which is renamed over the target
// only once everything was written.  Until Commit succeeds the target is
// never touched; an abandoned temporary file is deleted.
#pragma once

#include "framework/core/String.h"

class CFileReplacer
{
public:
    // Picks a fresh temporary name beside lpszTarget (the file is created
    // empty, so no other writer takes the name), after removing the
    // leftovers of saves that never finished.  Throws CFileException when
    // the folder cannot hold it, and (accessDenied) when the target is a
    // read-only file: that stays as it is.
    explicit CFileReplacer(LPCSTR lpszTarget);
    // Deletes the temporary file unless Commit succeeded.
    ~CFileReplacer();

    CFileReplacer(const CFileReplacer&) = delete;
    CFileReplacer& operator=(const CFileReplacer&) = delete;

    // Where the new contents are to be written.
    const CString& GetTempPath() const { return m_strTemp; }
    const CString& GetTargetPath() const { return m_strTarget; }

    // Renames the temporary file over the target.  Every handle on the
    // temporary file must be closed first.  Throws CFileException on failure
    // (among them a read-only target) and leaves the target as it was.
    void Commit();
    // Deletes the temporary file now; never throws.
    void Abandon();

    // Deletes the temporary files that saves into the folder of lpszPath
    // left behind when they were cut short (a killed program); a file still
    // open in a save going on now cannot be deleted and stays.
    static void RemoveLeftovers(LPCSTR lpszPath);

private:
    CString m_strTarget;
    CString m_strTemp;
    BOOL m_bPending;
};
