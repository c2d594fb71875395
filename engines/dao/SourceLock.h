// Holds the folder of a file source for one session.  The folder gets a
// lock file that the holding process keeps locked with the kernel's
// flock: every process on the folder sees that lock, whatever Wine prefix
// (and wineserver) it runs in, and the kernel drops it when the process
// ends, however it ends.  A lock file that no live process locks is left
// over and is taken over by the next session.
#pragma once

#include <string>

#include "framework/core/String.h"

class CSourceLock
{
public:
    CSourceLock() = default;
    ~CSourceLock();
    CSourceLock(const CSourceLock&) = delete;
    CSourceLock& operator=(const CSourceLock&) = delete;

    // TRUE when this session now holds the folder; FALSE with the message
    // naming strSource when another live session holds it or the lock file
    // cannot be made.
    BOOL Acquire(const CString& strFolder, const CString& strSource, CString& strError);
    // Removes the lock file and lets the folder go.
    void Release();
    BOOL IsHeld() const { return m_fd >= 0; }

    // The lock file of a source folder.
    static CString LockPath(const CString& strFolder);

private:
    int m_fd = -1;
    std::string m_unixPath;
};
