// A file system of its own for a test: a small tmpfs mounted on a fresh
// folder, so that a disk fills up for real or a folder cannot be written
// (remounted read-only: a file-mode bit would not stop root).  Mounting
// needs root; without it IsMounted is FALSE and the test skips.
#pragma once

#include <string>

#include "framework/core/String.h"

class CSmallDisk
{
public:
    explicit CSmallDisk(int nKilobytes);
    // Unmounts and removes the folder.
    ~CSmallDisk();
    CSmallDisk(const CSmallDisk&) = delete;
    CSmallDisk& operator=(const CSmallDisk&) = delete;

    BOOL IsMounted() const { return m_bMounted; }
    // The Windows path of a file on the disk.
    CString PathOf(LPCSTR lpszName) const;
    // From now on nothing on the disk can be written.
    BOOL MakeReadOnly();

private:
    std::string m_unixFolder;
    BOOL m_bMounted;
};
