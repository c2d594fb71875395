// The data-file dialogs start in the folder "Data" under the current
// directory and leave the current directory as they found it.
#pragma once

#include "framework/core/String.h"

class CDataFolderScope
{
public:
    // Remembers the current directory.
    CDataFolderScope();
    // Puts the remembered directory back.
    ~CDataFolderScope();

    CDataFolderScope(const CDataFolderScope&) = delete;
    CDataFolderScope& operator=(const CDataFolderScope&) = delete;

    // "<current directory>\Data".
    const CString& GetDataFolder() const { return m_strDataFolder; }

private:
    CString m_strCurrent;
    CString m_strDataFolder;
};
