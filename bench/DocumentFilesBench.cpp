// Times saving and loading a 10,000-cell template (compound file through
// the document) and its shared data file, best of several runs.
#include <stdio.h>
#include <string.h>

#include <string>
#include <vector>

#include "framework/core/File.h"
#include "sheet/DataFile.h"
#include "sheet/document/TallyformDoc.h"
#include "tests/sheet/SheetGrid.h"

namespace
{

const int ROWS = 200;
const int COLS = 50;
const int RUNS = 5;
const double GOAL_MS = 100.0;

LARGE_INTEGER g_frequency;
int g_nSlow = 0;

double NowMs()
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return (double)now.QuadPart * 1000.0 / (double)g_frequency.QuadPart;
}

void Report(const char* pszWhat, double ms)
{
    if (ms > GOAL_MS)
        ++g_nSlow;
    printf("%-34s %8.3f ms%s\n", pszWhat, ms, ms > GOAL_MS ? "  (over the goal)" : "");
}

// Half the cells numeric with codes and a figure, every fifth a dynamic
// text cell, the rest labels.
void MakeTemplate(CSheet& sheet)
{
    sheettest::MakeGrid(sheet, ROWS, COLS);
    strcpy(sheet.m_szCode, "BENCH001");
    strcpy(sheet.m_szTitle, "Benchmark template");
    for (INT_PTR i = 0; i < sheet.m_cells.GetSize(); ++i)
    {
        CCell& cell = sheet.m_cells[i];
        if (i % 2 == 1)
        {
            cell.SetType(CELL_NUMERIC);
            CopyCode(cell.m_szRowItemCode, CELL_CODE_LEN, "R0001");
            CopyCode(cell.m_szColItemCode, CELL_CODE_LEN, "C0002");
            cell.m_strValue.Format("%d.25", (int)i);
        }
        else if (i % 5 == 0)
        {
            cell.m_bDynamic = 1;
            cell.m_strValue = "filled in";
        }
    }
}

template<class F>
double Best(F f)
{
    double best = 1e30;
    for (int i = 0; i < RUNS; ++i)
    {
        double t0 = NowMs();
        f();
        double t = NowMs() - t0;
        if (t < best)
            best = t;
    }
    return best;
}

} // namespace

int main()
{
    QueryPerformanceFrequency(&g_frequency);
    char szTemp[MAX_PATH];
    GetTempPathA(MAX_PATH, szTemp);
    std::string strTemplate = std::string(szTemp) + "bench_template.kvm";
    std::string strData = std::string(szTemp) + "bench_data.kvs";

    CTallyformDoc doc;
    doc.m_bAutoDelete = FALSE;
    MakeTemplate(doc.m_sheet);
    printf("%d cells\n", (int)doc.m_sheet.m_cells.GetSize());

    BOOL bOk = TRUE;
    Report("save template (.kvm)", Best([&] { bOk &= doc.DoSave(strTemplate.c_str(), FALSE); }));
    Report("load template (.kvm)", Best([&] {
        CTallyformDoc loaded;
        loaded.m_bAutoDelete = FALSE;
        bOk &= loaded.OnOpenDocument(strTemplate.c_str());
        bOk &= loaded.m_sheet.m_cells.GetSize() == ROWS * COLS;
    }));

    Report("save shared data (.kvs)", Best([&] {
        CDataFile data(DATAFILE_SHARED);
        data.SetReportInformation("ORG1", "Organization", 1, "2026120000000");
        data.CollectFromSheet(doc.m_sheet);
        CFile file(strData.c_str(), CFile::modeCreate | CFile::modeWrite);
        data.Write(file);
        file.Close();
    }));
    Report("load shared data (.kvs)", Best([&] {
        CDataFile data;
        CFile file(strData.c_str(), CFile::modeRead);
        bOk &= data.Read(file);
        ClearSheetData(doc.m_sheet, TRUE);
        ApplyDataFile(doc.m_sheet, data);
    }));
    bOk &= doc.m_sheet.m_cells[1].m_strValue == "1.25";

    DeleteFileA(strTemplate.c_str());
    DeleteFileA(strData.c_str());
    if (!bOk)
    {
        printf("a save or load failed\n");
        return 2;
    }
    if (g_nSlow == 0)
        printf("all under %.0f ms\n", GOAL_MS);
    else
        printf("%d over the goal\n", g_nSlow);
    return g_nSlow == 0 ? 0 : 1;
}
