// Files for tests: a fresh empty folder that is removed with what it holds,
// and whole-file reads and writes.
#pragma once

#include <string>
#include <vector>

#include "framework/core/String.h"

class CScratchFolder
{
public:
    CScratchFolder();
    // Removes the files and folders below the folder, then the folder.
    ~CScratchFolder();

    CScratchFolder(const CScratchFolder&) = delete;
    CScratchFolder& operator=(const CScratchFolder&) = delete;

    const CString& GetPath() const { return m_strFolder; }
    CString PathOf(LPCSTR lpszName) const;
    // The names of the files (not folders) now in the folder.
    std::vector<std::string> FileNames() const;

private:
    CString m_strFolder;
};

// The whole content of a file, or an empty string when it cannot be read.
std::string ReadWholeFile(LPCSTR lpszPath);
void WriteWholeFile(LPCSTR lpszPath, const std::string& bytes);
