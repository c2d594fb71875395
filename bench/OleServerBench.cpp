// Times the designer as an automation server: from CoCreateInstance by the
// ProgID (COM starting the program) to the return of the first method, and
// one method call on the running server: AddRow and DeleteRow in turn on a
// loaded 200-cell template (with nothing selected they add a row below the
// last one and take the last row away), and a refused SplitUnit (nothing
// selected), which is the call's own cost.
#include <stdio.h>

#include "bench/BenchClock.h"
#include "sheet/document/TallyformDoc.h"
#include "tests/ole/ServerClient.h"
#include "tests/sheet/SheetGrid.h"
#include "tests/support/ScratchFolder.h"

namespace
{
const int COLD_RUNS = 3;
const int CALLS = 200;
const double START_GOAL_MS = 2000.0;
const double CALL_GOAL_MS = 5.0;

} // namespace

int main()
{
    CoInitializeEx(NULL, COINIT_MULTITHREADED);
    if (!oletest::RegisterDesigner())
    {
        printf("The designer did not run to register itself.\n");
        return 1;
    }
    CScratchFolder folder;
    CString strTemplate = folder.PathOf("Grid.kvm");
    {
        CTallyformDoc doc;
        sheettest::MakeGrid(doc.m_sheet, 20, 10);
        doc.SaveToFile(strTemplate);
    }

    double dBestStart = 1e30, dWorstStart = 0;
    for (int i = 0; i < COLD_RUNS; ++i)
    {
        oletest::WaitForNoServer();
        double t0 = BenchNowMs();
        CScopedInterface<IDispatch> sheet;
        HRESULT hr = oletest::CreateSheetObject(sheet);
        if (FAILED(hr))
        {
            printf("CoCreateInstance failed: 0x%08lx\n", (unsigned long)hr);
            return 1;
        }
        oletest::CallMethod(sheet, "AddRow");
        double dMs = BenchNowMs() - t0;
        dBestStart = dMs < dBestStart ? dMs : dBestStart;
        dWorstStart = dMs > dWorstStart ? dMs : dWorstStart;
    }

    oletest::WaitForNoServer();
    CScopedInterface<IDispatch> sheet;
    if (FAILED(oletest::CreateSheetObject(sheet)) || FAILED(oletest::LoadInto(sheet, strTemplate)))
    {
        printf("The template could not be loaded into the object.\n");
        return 1;
    }
    // The ids are looked up once, as a client does.
    DISPID idAddRow = oletest::MethodId(sheet, "AddRow");
    DISPID idDeleteRow = oletest::MethodId(sheet, "DeleteRow");
    DISPID idSplitUnit = oletest::MethodId(sheet, "SplitUnit");
    int nChanged = 0;
    double t0 = BenchNowMs();
    for (int i = 0; i < CALLS; ++i)
        nChanged += oletest::InvokeMethod(sheet, i % 2 == 0 ? idAddRow : idDeleteRow) ? 1 : 0;
    double dPerCall = (BenchNowMs() - t0) / CALLS;
    // AddRow leaves nothing selected, so every split is refused.
    oletest::InvokeMethod(sheet, idAddRow);
    int nRefused = 0;
    t0 = BenchNowMs();
    for (int i = 0; i < CALLS; ++i)
        nRefused += oletest::InvokeMethod(sheet, idSplitUnit) ? 0 : 1;
    double dPerRefusal = (BenchNowMs() - t0) / CALLS;

    printf("Start by CoCreateInstance to the first method's return: best %.0f ms, worst %.0f ms "
           "of %d (goal under %.0f ms)\n", dBestStart, dWorstStart, COLD_RUNS, START_GOAL_MS);
    printf("AddRow and DeleteRow in turn on the running server (200-cell template): %.2f ms per "
           "call, %d of %d changed the sheet (goal under %.0f ms)\n", dPerCall, nChanged, CALLS,
           CALL_GOAL_MS);
    printf("SplitUnit refused (nothing selected): %.2f ms per call, %d of %d refused\n",
           dPerRefusal, nRefused, CALLS);
    sheet.Release();
    CoUninitialize();
    return 0;
}
