// The document's formula commands: summing data files recalculates the
// calculate cells, and an edited cell reaches its dependents.
#include <string>
#include <vector>

#include "tests/support/Gtest.h"
#include "tests/support/MessageBoxRecorder.h"
#include "tests/support/ScratchFolder.h"
#include "tests/sheet/document/TestTallyformDoc.h"

#include "framework/core/File.h"
#include "sheet/DataFile.h"

namespace
{

int AddCell(CSheet& sheet, int nType, const char* pszName, int nLeft)
{
    CCell cell;
    cell.SetType(nType);
    cell.m_pSheet = &sheet;
    cell.m_strName = pszName;
    SetRect(&cell.m_rect, nLeft, 0, nLeft + 50, 20);
    return (int)sheet.m_cells.Add(cell);
}

// A1 and b1 numeric, C1 = A1+B1 and D1 = C1*2 calculate cells.
void MakeSumSheet(CSheet& sheet)
{
    strcpy(sheet.m_szCode, "SUM00001");
    strcpy(sheet.m_szTitle, "Sums");
    AddCell(sheet, CELL_NUMERIC, "A1", 0);
    AddCell(sheet, CELL_NUMERIC, "b1", 50);
    AddCell(sheet, CELL_FORMULA, "C1", 100);
    AddCell(sheet, CELL_FORMULA, "D1", 150);
    sheet.m_cells[2].m_strFormula = "A1+B1";
    sheet.m_cells[3].m_strFormula = "C1*2";
}

void WriteSharedFile(const CSheet& sheet, LPCSTR pszPath)
{
    CDataFile data(DATAFILE_SHARED);
    data.CollectFromSheet(sheet);
    data.SetReportInformation("ORG1", "Org one", 1, "2026120000000");
    CFile file(pszPath, CFile::modeCreate | CFile::modeWrite);
    data.Write(file);
}

TEST(DocFormulas, SummingFilesRecalculatesTheCalculateCells)
{
    MessageBoxRecorder recorder;
    CScratchFolder folder;
    CTestTallyformDoc doc;
    MakeSumSheet(doc.m_sheet);
    for (int f = 0; f < 2; ++f)
    {
        CSheet one;
        MakeSumSheet(one);
        one.m_cells[0].m_strValue = f == 0 ? "1.5" : "2";
        one.m_cells[1].m_strValue = "1";
        CString strPath;
        strPath.Format("%s\\f%d.kvs", (LPCSTR)folder.GetPath(), f);
        WriteSharedFile(one, strPath);
        doc.m_sumPaths.push_back(strPath);
    }
    doc.OnSumDataFromFiles();
    EXPECT_TRUE(recorder.Messages().empty()) << recorder.LastText();
    EXPECT_STREQ("5.5000", doc.m_sheet.m_cells[2].m_strValue);
    EXPECT_STREQ("11.0000", doc.m_sheet.m_cells[3].m_strValue);
}

// Records the captions of the top-level windows this thread shows while a
// hook is installed.
class ShownWindowRecorder
{
public:
    ShownWindowRecorder()
    {
        s_pCurrent = this;
        m_hHook = SetWindowsHookExA(WH_CALLWNDPROC, Hook, NULL, GetCurrentThreadId());
    }
    ~ShownWindowRecorder()
    {
        UnhookWindowsHookEx(m_hHook);
        s_pCurrent = NULL;
    }
    std::vector<std::string> m_captions;

private:
    static LRESULT CALLBACK Hook(int nCode, WPARAM wParam, LPARAM lParam)
    {
        const CWPSTRUCT* pMsg = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (nCode == HC_ACTION && pMsg->message == WM_SHOWWINDOW && pMsg->wParam &&
            GetParent(pMsg->hwnd) == NULL && s_pCurrent != NULL)
        {
            char szText[128] = "";
            GetWindowTextA(pMsg->hwnd, szText, sizeof(szText));
            s_pCurrent->m_captions.push_back(szText);
        }
        return CallNextHookEx(NULL, nCode, wParam, lParam);
    }
    static ShownWindowRecorder* s_pCurrent;
    HHOOK m_hHook;
};
ShownWindowRecorder* ShownWindowRecorder::s_pCurrent = NULL;

BOOL CALLBACK CountVisible(HWND hWnd, LPARAM lParam)
{
    if (IsWindowVisible(hWnd))
        ++*reinterpret_cast<int*>(lParam);
    return TRUE;
}

TEST(DocFormulas, RecalculatingAllShowsTheProgressAndTakesItDown)
{
    CTestTallyformDoc doc;
    MakeSumSheet(doc.m_sheet);
    doc.m_sheet.m_cells[0].m_strValue = "3";
    doc.m_sheet.m_cells[1].m_strValue = "4";
    ShownWindowRecorder shown;
    doc.RecalculateAll();
    EXPECT_STREQ("14.0000", doc.m_sheet.m_cells[3].m_strValue);
    EXPECT_EQ(std::vector<std::string>{ "Computing Cells Data..." }, shown.m_captions);
    int nVisible = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountVisible, (LPARAM)&nVisible);
    EXPECT_EQ(0, nVisible);
}

TEST(DocFormulas, AnEditedCellReachesItsDependentsAndCounters)
{
    CTestTallyformDoc doc;
    MakeSumSheet(doc.m_sheet);
    doc.AdjustFormulaRefCounts(2, TRUE);
    doc.AdjustFormulaRefCounts(3, TRUE);
    EXPECT_EQ(1, doc.m_sheet.m_cells[1].m_nFormulaRefs);     // "b1" named as B1
    EXPECT_EQ(1, doc.m_sheet.m_cells[2].m_nFormulaRefs);
    doc.m_sheet.m_cells[0].m_strValue = "4";
    doc.m_sheet.m_cells[1].m_strValue = "0.5";
    doc.RecalculateDependents(1);
    EXPECT_STREQ("4.5000", doc.m_sheet.m_cells[2].m_strValue);
    EXPECT_STREQ("9.0000", doc.m_sheet.m_cells[3].m_strValue);
}

} // namespace
