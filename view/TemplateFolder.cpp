#include "view/TemplateFolder.h"

#include <vector>

#include "framework/windows/ListBox.h"
#include "view/FolderTreeCtrl.h"

CString TemplateRootFolder()
{
    DWORD dwSize = GetCurrentDirectoryA(0, NULL);
    std::vector<char> buffer(dwSize + 1);
    DWORD dwLength = dwSize != 0 ? GetCurrentDirectoryA((DWORD)buffer.size(), buffer.data()) : 0;
    CString strRoot = dwLength != 0 && dwLength < buffer.size() ? buffer.data() : "";
    if (!strRoot.IsEmpty() && strRoot[strRoot.GetLength() - 1] == '\\')
        strRoot = strRoot.Left(strRoot.GetLength() - 1);
    return strRoot + "\\Template\\";
}

void ListTemplateTitles(LPCSTR lpszFolder, CListBox& list)
{
    list.ResetContent();
    WIN32_FIND_DATAA data;
    HANDLE hFind = FindFirstFileA(CString(lpszFolder) + "*.kvm", &data);
    if (hFind == INVALID_HANDLE_VALUE)
        return;
    do
    {
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
            continue;
        CString strName = data.cFileName;
        // The pattern can also match longer extensions through short names.
        int nDot = strName.ReverseFind('.');
        if (nDot < 0 || strName.Mid(nDot).CompareNoCase(".kvm") != 0)
            continue;
        list.AddString(strName.Left(nDot));
    } while (FindNextFileA(hFind, &data));
    FindClose(hFind);
}

void ShowTemplateFolders(CFolderTreeCtrl& tree)
{
    tree.m_bAllowDrag = TRUE;
    tree.m_bAllowRename = TRUE;
    tree.m_bAllowDelete = TRUE;
    tree.m_bAllowProperty = TRUE;
    tree.SetShowFiles(FALSE);
    tree.SetShowRootItem(TRUE);
    tree.SetRootPath(TemplateRootFolder());
    // The templates right in the root are listed from the start.
    tree.SelectPath(tree.GetRootPath(), TRUE);
}
