// Times the template folder tree opening a Template folder of 50 type
// folders holding 2,000 templates, with the templates shown (the New
// Template sheet's tree), and then every folder opened.
#include <stdio.h>

#include <string>

#include "bench/BenchClock.h"
#include "view/FolderTreeCtrl.h"

#include <commctrl.h>

namespace
{
const int FOLDERS = 50;
const int TEMPLATES = 2000;
const int RUNS = 5;
const double GOAL_MS = 300.0;

std::string MakeTemplateFolders()
{
    char szTemp[MAX_PATH];
    GetTempPathA(MAX_PATH, szTemp);
    std::string root = std::string(szTemp) + "FolderTreeBench" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(root.c_str(), NULL);
    for (int f = 0; f < FOLDERS; ++f)
    {
        std::string folder = root + "\\Type" + std::to_string(f);
        CreateDirectoryA(folder.c_str(), NULL);
        for (int t = f; t < TEMPLATES; t += FOLDERS)
        {
            std::string path = folder + "\\Template" + std::to_string(t) + ".kvm";
            HANDLE hFile = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
            if (hFile != INVALID_HANDLE_VALUE)
                CloseHandle(hFile);
        }
    }
    return root;
}

void RemoveTemplateFolders(const std::string& root)
{
    for (int f = 0; f < FOLDERS; ++f)
    {
        std::string folder = root + "\\Type" + std::to_string(f);
        for (int t = f; t < TEMPLATES; t += FOLDERS)
            DeleteFileA((folder + "\\Template" + std::to_string(t) + ".kvm").c_str());
        RemoveDirectoryA(folder.c_str());
    }
    RemoveDirectoryA(root.c_str());
}

void Pump()
{
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
    {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// A tree of the folders and templates, shown and filled.
void OpenTree(CFolderTreeCtrl& tree, HWND hParent, const std::string& root)
{
    tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT, CRect(0, 0, 400, 600),
                CWnd::FromHandle(hParent), 1245);
    tree.SetShowFiles(TRUE);
    tree.SetRootPath(root.c_str());
    Pump();
}
}

int main()
{
    InitCommonControls();
    std::string root = MakeTemplateFolders();
    HWND hParent = CreateWindowExA(0, "STATIC", "bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 600,
                                   NULL, NULL, NULL, NULL);
    int nTop = 0, nAll = 0;
    double dOpen = BenchBestOf(RUNS, [&]() {
        CFolderTreeCtrl tree;
        OpenTree(tree, hParent, root);
        nTop = (int)tree.GetCount();
        tree.DestroyWindow();
    });
    double dExpand = BenchBestOf(RUNS, [&]() {
        CFolderTreeCtrl tree;
        OpenTree(tree, hParent, root);
        for (HTREEITEM h = tree.GetRootItem(); h != NULL; h = tree.GetNextSiblingItem(h))
        {
            tree.FillItem(h);
            tree.Expand(h, TVE_EXPAND);
        }
        Pump();
        nAll = (int)tree.GetCount();
        tree.DestroyWindow();
    });
    DestroyWindow(hParent);
    RemoveTemplateFolders(root);
    printf("%-52s %8.2f ms  (goal %.0f ms: %s)\n", "open: 50 folders, 2,000 templates (items shown)", dOpen,
           GOAL_MS, dOpen < GOAL_MS ? "met" : "missed");
    printf("%-52s %8d\n", "items after opening", nTop);
    printf("%-52s %8.2f ms\n", "every folder opened as well", dExpand);
    printf("%-52s %8d\n", "items with every folder open", nAll);
    return dOpen < GOAL_MS ? 0 : 1;
}
