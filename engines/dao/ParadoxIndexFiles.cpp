#include "engines/dao/ParadoxIndexFiles.h"

#include <vector>

#include "engines/dao/SourceFiles.h"

namespace
{

CString WithoutExtension(const CString& strPath)
{
    int nDot = strPath.ReverseFind('.');
    return nDot > strPath.ReverseFind('\\') ? strPath.Left(nDot) : strPath;
}

// A secondary index's extension: Xnn, Ynn, XGn or YGn.
BOOL IsSecondaryExtension(const CString& strExtension)
{
    if (strExtension.GetLength() != 3)
        return FALSE;
    char ch = (char)toupper((unsigned char)strExtension[0]);
    return (ch == 'X' || ch == 'Y') && isalnum((unsigned char)strExtension[1]) && isdigit((unsigned char)strExtension[2]);
}

// The table's secondary index files.
std::vector<CString> SecondaryIndexes(const CString& strTable)
{
    std::vector<CString> files;
    CString strBase = WithoutExtension(strTable);
    CString strFolder = strBase.Left(strBase.ReverseFind('\\') + 1);
    WIN32_FIND_DATAA data;
    HANDLE hFind = FindFirstFileA(strBase + ".*", &data);
    if (hFind == INVALID_HANDLE_VALUE)
        return files;
    do
    {
        CString strName(data.cFileName);
        int nDot = strName.ReverseFind('.');
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && IsSecondaryExtension(strName.Mid(nDot + 1)))
            files.push_back(strFolder + strName);
    } while (FindNextFileA(hFind, &data));
    FindClose(hFind);
    return files;
}

// Moves the stale index out of the way: to its backup when it has none
// yet, else away.
BOOL MoveAside(const CString& strIndex, CString& strError)
{
    CString strBackup = strIndex + ".bak";
    if (GetFileAttributesA(strBackup) == INVALID_FILE_ATTRIBUTES ? MoveFileExA(strIndex, strBackup, 0)
                                                                : DeleteFileA(strIndex))
        return TRUE;
    strError = "Cannot move the stale index " + strIndex + " aside.";
    return FALSE;
}

} // namespace

CString ParadoxPrimaryIndexPath(const CString& strTable)
{
    return WithoutExtension(strTable) + ".PX";
}

CString ParadoxIndexRefusal(const CString& strTable)
{
    std::vector<CString> files = SecondaryIndexes(strTable);
    files.push_back(ParadoxPrimaryIndexPath(strTable));
    for (const CString& strFile : files)
    {
        CString strRefusal = ReplaceRefusal(strFile);
        if (!strRefusal.IsEmpty())
            return strRefusal;
    }
    return CString();
}

BOOL SwapInParadoxIndexes(const CString& strWritten, const CString& strTable, CString& strError)
{
    for (const CString& strIndex : SecondaryIndexes(strTable))
        if (!MoveAside(strIndex, strError))
            return FALSE;
    CString strNewIndex = ParadoxPrimaryIndexPath(strWritten);
    CString strIndex = ParadoxPrimaryIndexPath(strTable);
    BOOL bOld = GetFileAttributesA(strIndex) != INVALID_FILE_ATTRIBUTES;
    if (GetFileAttributesA(strNewIndex) == INVALID_FILE_ATTRIBUTES)
        return !bOld || MoveAside(strIndex, strError);
    if (bOld && !KeepFirstBackup(strIndex, strIndex + ".bak"))
    {
        strError = "Cannot keep a backup of " + strIndex + ".";
        return FALSE;
    }
    if (!MoveFileExA(strNewIndex, strIndex, MOVEFILE_REPLACE_EXISTING))
    {
        strError = "Cannot replace " + strIndex + ".";
        return FALSE;
    }
    return TRUE;
}

void DeleteParadoxIndex(const CString& strWritten)
{
    DeleteFileA(ParadoxPrimaryIndexPath(strWritten));
}
