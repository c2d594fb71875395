// The standard headers come first: windows.h defines min and max macros.
#include <string.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/support/Gtest.h"
#include "tests/support/MessageBoxRecorder.h"
#include "tests/support/ScratchFolder.h"
#include "tests/support/Screenshot.h"
#include "tests/sheet/SheetGrid.h"
#include "tests/sheet/document/TestTallyformDoc.h"
#include "tests/view/DrivenDialog.h"

#include "framework/core/MemFile.h"
#include "framework/core/WideText.h"
#include "sheet/DataFile.h"
#include "sheet/document/SumFilesDlg.h"
#include "sheet/PeriodCode.h"
#include "sheet/PeriodText.h"
#include "DocumentIds.h"

namespace
{

typedef CDrivenDialog<CSumFilesDlg> CDrivenSumDlg;

void WriteShared(const CSheet& sheet, LPCSTR pszPath, LPCSTR pszOrg, LPCSTR pszPeriod = "2026120000000",
                 int nStyle = 1)
{
    CDataFile data(DATAFILE_SHARED);
    data.CollectFromSheet(sheet);
    data.SetReportInformation(pszOrg, "Org name", nStyle, pszPeriod);
    CMemFile file;
    data.Write(file);
    WriteWholeFile(pszPath, std::string((const char*)file.GetBufferPtr(), (size_t)file.GetLength()));
}

std::vector<std::string> Lines(CSumFilesDlg* p)
{
    std::vector<std::string> lines;
    for (int i = 0; i < p->m_listFiles.GetCount(); ++i)
    {
        CString s;
        p->m_listFiles.GetText(i, s);
        lines.push_back((LPCSTR)s);
    }
    return lines;
}

void Click(CSumFilesDlg* p, int nID)
{
    p->SendMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), 0);
}

// A one-row template of code SUM1, its scratch folder and the messages shown.
struct SumFixture
{
    SumFixture()
    {
        sheettest::MakeGrid(doc.m_sheet, 1, 2);
        strcpy(doc.m_sheet.m_szCode, "SUM1");
    }
    MessageBoxRecorder recorder;
    CScratchFolder folder;
    CTestTallyformDoc doc;
};

} // namespace

TEST(SumFilesDlgWindow, CaptionListDeleteAndClear)
{
    SumFixture f;
    MessageBoxRecorder& recorder = f.recorder;
    CScratchFolder& folder = f.folder;
    CTestTallyformDoc& doc = f.doc;
    CString a = folder.PathOf("a.kvs"), b = folder.PathOf("b.kvs"), c = folder.PathOf("c.kvs");
    WriteShared(doc.m_sheet, a, "ORGA");
    WriteShared(doc.m_sheet, b, "ORGB");
    WriteShared(doc.m_sheet, c, "ORGC");

    CDrivenSumDlg dlg(&doc, "Batch Import");
    std::vector<std::string> afterAdd, afterDelete;
    int nAfterClear = -1;
    char szCaption[64] = "";
    dlg.m_onInit = [&](CDrivenDialog<CSumFilesDlg>* p) {
        ::GetWindowTextA(p->GetSafeHwnd(), szCaption, sizeof(szCaption));
        p->AddFile(a);
        p->AddFile(b);
        p->AddFile(c);
        afterAdd = Lines(p);
        p->m_listFiles.SetSel(0, TRUE);
        p->m_listFiles.SetSel(2, TRUE);
        Click(p, IDC_SUM_DELETE);
        afterDelete = Lines(p);
        Click(p, IDC_SUM_CLEAR);
        nAfterClear = p->m_listFiles.GetCount() + (int)p->m_lstFiles.GetCount();
        p->AddFile(b);
        p->Press(IDOK);
    };
    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_FALSE(dlg.m_bWatchdogFired);
    EXPECT_STREQ("Batch Import", szCaption);
    ASSERT_EQ(3u, afterAdd.size());
    CString strPeriod = PeriodCodeToText("2026120000000", doc.m_sheet.m_nReportType, 1);
    ASSERT_FALSE(strPeriod.IsEmpty());
    EXPECT_EQ("[" + std::string((LPCSTR)strPeriod) + "] [ORGB] Org name", afterAdd[1]);
    ASSERT_EQ(1u, afterDelete.size());
    EXPECT_EQ(afterAdd[1], afterDelete[0]);
    EXPECT_EQ(0, nAfterClear);
    ASSERT_EQ(1, dlg.m_lstFiles.GetCount());
    EXPECT_STREQ(b, dlg.m_lstFiles.GetHead());
    EXPECT_TRUE(recorder.Messages().empty());
}

TEST(SumFilesDlgWindow, TenDayLinesAreDrawnFromTheChineseCodePageInAFaceThatHasIt)
{
    SumFixture f;
    f.doc.m_sheet.m_nReportType = PERIOD_TENDAY;
    CString a = f.folder.PathOf("a.kvs");
    WriteShared(f.doc.m_sheet, a, "ORGT", "2024001220000", 0);

    CDrivenSumDlg dlg(&f.doc, "Sum Files");
    std::vector<std::string> lines;
    UINT nCodePage = 0;
    LOGFONTA lf = {};
    dlg.m_onInit = [&](CDrivenDialog<CSumFilesDlg>* p) {
        p->AddFile(a);
        lines = Lines(p);
        nCodePage = p->m_listFiles.GetCodePage();
        ::GetObjectA((HFONT)p->m_listFiles.SendMessage(WM_GETFONT), sizeof(lf), &lf);
        p->ShowWindow(SW_SHOW);
        p->UpdateWindow();
        SaveWindowScreenshot(p->GetSafeHwnd(), "..\\sum_files_ten_day.bmp");
        p->Press(IDOK);
    };
    ASSERT_EQ(IDOK, dlg.DoModal());
    CString strPeriod = PeriodCodeToText("2024001220000", PERIOD_TENDAY, 0);
    ASSERT_EQ(1u, lines.size());
    EXPECT_EQ("[" + std::string((LPCSTR)strPeriod) + "] [ORGT] Org name", lines[0]);
    EXPECT_EQ(PeriodTextCodePage(PERIOD_TENDAY), nCodePage);
    EXPECT_EQ(AfxCodePageCharSet(nCodePage), lf.lfCharSet);
    EXPECT_TRUE(f.recorder.Messages().empty());
}
