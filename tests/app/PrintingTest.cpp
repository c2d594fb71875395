// Printing in the real designer to the test script's PDF printer queue: a
// three-page sheet whose first row break is dragged into place, printed
// through the print dialog, whole and a range of its pages, and read back
// page by page; the same pages in
// print preview; and Page Setup's margins and orientation on paper.
#include "tests/support/Gtest.h"
#include <dirent.h>
#include <stdio.h>
#include <stdlib.h>

#include <string>
#include <vector>

#include "tests/app/DesignerProcess.h"
#include "tests/app/PrintedPdf.h"
#include "tests/app/RunModeDriver.h"
#include "tests/app/ScreenCapture.h"
#include "tests/support/ScratchFolder.h"
#include "tests/view/PrintTemplate.h"

#include "sheet/document/TallyformDoc.h"

namespace
{
using namespace printtest;

const DWORD kWaitMs = 20000;
const DWORD kPrintWaitMs = 60000;
const UINT kShowPageBreak = 33015;
const UINT kPageSetup = 57605;
const UINT kPrint = 57607;
const UINT kPrintPreview = 57609;
// The print dialog's Pages choice and its From and To fields.
const int kPagesChoice = 0x0422;
const int kPagesFrom = 0x0480;
const int kPagesTo = 0x0481;
std::string EnvOf(const char* name)
{
    const char* value = getenv(name);
    return value != NULL ? value : "";
}

class PrintingTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_strTemplate = m_folder.PathOf("Tally.kvm");
        CTallyformDoc doc;
        doc.m_bAutoDelete = FALSE;
        MakePrintTemplate(doc.m_sheet, { 0, 520, 1000 });
        ASSERT_TRUE(doc.OnSaveDocument(m_strTemplate));
        WriteWholeFile(m_folder.PathOf("Tallyform.INI"), "[DataSource]\r\nStart=0\r\nType=0\r\nName=x\r\n");
    }

    // The designer on the template, its main window and view found.
    void Start(CDesignerProcess& designer, CRunModeDriver& driver)
    {
        ASSERT_TRUE(designer.IsStarted());
        ASSERT_TRUE(driver.FindView(kWaitMs));
        driver.WaitForSplashGone(5000);
    }

    void Command(CRunModeDriver& driver, UINT nID)
    {
        PostMessageA(driver.MainWindow(), WM_COMMAND, MAKEWPARAM(nID, 0), 0);
    }

    // File > Print through the print dialog, all pages or the range of
    // pages given; the printed file, or "".
    std::string PrintThroughDialog(CDesignerProcess& designer, CRunModeDriver& driver, LPCSTR lpszFrom = NULL,
                                   LPCSTR lpszTo = NULL)
    {
        Command(driver, kPrint);
        HWND hPrint = designer.WaitForDialog("Print", kWaitMs);
        if (hPrint == NULL)
            return "";
        if (lpszFrom != NULL)
        {
            // The Pages choice and its two fields are open to the user.
            HWND hPages = GetDlgItem(hPrint, kPagesChoice);
            EXPECT_TRUE(IsWindowEnabled(hPages));
            SendMessageA(hPages, BM_CLICK, 0, 0);
            EXPECT_TRUE(IsWindowEnabled(GetDlgItem(hPrint, kPagesFrom)));
            SendMessageA(GetDlgItem(hPrint, kPagesFrom), WM_SETTEXT, 0, (LPARAM)lpszFrom);
            SendMessageA(GetDlgItem(hPrint, kPagesTo), WM_SETTEXT, 0, (LPARAM)lpszTo);
            Screenshot(hPrint, "print-dialog-pages");
        }
        // The queue's folder holds the jobs of the tests before this one too.
        const std::string out = EnvOf("KEM_TEST_PRINT_OUT");
        if (DIR* dir = opendir(out.c_str()))
        {
            while (dirent* entry = readdir(dir))
                if (std::string(entry->d_name).rfind("Tally", 0) == 0)
                    m_printed.push_back(out + "/" + entry->d_name);
            closedir(dir);
        }
        CDesignerProcess::Press(hPrint, IDOK);
        std::string pdf = WaitForPrintedPdf(out, "Tally", kPrintWaitMs, m_printed);
        if (!pdf.empty())
            m_printed.push_back(pdf);
        return pdf;
    }

    HWND FindPreview(CDesignerProcess& designer)
    {
        DWORD dwStart = GetTickCount();
        do
        {
            // The preview is a pane over the whole main window.
            for (HWND hWnd : designer.TopLevelWindows())
            {
                HWND hPane = GetDlgItem(hWnd, 0xE9FF);
                if (hPane != NULL && CDesignerProcess::TextOf(hPane) == "Print Preview")
                    return hPane;
            }
            Sleep(100);
        } while (GetTickCount() - dwStart < kWaitMs);
        return NULL;
    }

    void Screenshot(HWND hWnd, const char* name)
    {
        Sleep(500);
        RECT rc;
        GetWindowRect(hWnd, &rc);
        std::string path = std::string(DESIGNER_SCREENSHOT_DIR) + "/" + name + ".bmp";
        EXPECT_TRUE(SaveRootAreaBitmap(rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, path.c_str()));
    }

    CScratchFolder m_folder;
    CString m_strTemplate;
    std::vector<std::string> m_printed;
};

TEST_F(PrintingTest, DraggedBreakAndRepeatedBandsReachThePrintedPagesAndThePreview)
{
    if (EnvOf("KEM_TEST_PRINT_OUT").empty())
        GTEST_SKIP() << "no PDF printer queue (run through scripts/test.sh)";
    CDesignerProcess designer(m_folder.GetPath(), "\"" + m_strTemplate + "\"");
    CRunModeDriver driver(designer);
    Start(designer, driver);

    // Breaks shown; the first row break, at 520, is dragged to 640 (after R20).
    Command(driver, kShowPageBreak);
    Sleep(500);
    HWND hView = driver.View();
    PostMessageA(hView, WM_MOUSEMOVE, 0, MAKELPARAM(100, 520));
    PostMessageA(hView, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 520));
    PostMessageA(hView, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(100, 640));
    PostMessageA(hView, WM_LBUTTONUP, 0, MAKELPARAM(100, 640));
    Sleep(500);
    Screenshot(driver.MainWindow(), "print-breaks-dragged");

    std::string pdf = PrintThroughDialog(designer, driver);
    ASSERT_FALSE(pdf.empty()) << "nothing printed";
    std::vector<PrintedPage> pages = ReadPrintedPdf(pdf);
    ASSERT_EQ(pages.size(), 3u);
    const int ranges[3][2] = { { 1, 20 }, { 21, 36 }, { 37, 50 } };
    for (int i = 0; i < 3; ++i)
    {
        SCOPED_TRACE(testing::Message() << "printed page " << i + 1);
        ExpectPageRows([&](const std::string& text) { return pages[i].Has(text); },
                       ranges[i][0], ranges[i][1]);
    }
    EXPECT_FALSE(pages[0].IsLandscape());

    // Pages 2 to 3 of the three.
    pdf = PrintThroughDialog(designer, driver, "2", "3");
    ASSERT_FALSE(pdf.empty()) << "nothing printed for pages 2 to 3";
    pages = ReadPrintedPdf(pdf);
    ASSERT_EQ(pages.size(), 2u);
    for (int i = 0; i < 2; ++i)
    {
        SCOPED_TRACE(testing::Message() << "printed page " << i + 2);
        ExpectPageRows([&](const std::string& text) { return pages[i].Has(text); },
                       ranges[i + 1][0], ranges[i + 1][1]);
    }

    // Preview: the same three pages, one or two at a time.
    Command(driver, kPrintPreview);
    HWND hPreview = FindPreview(designer);
    ASSERT_NE(hPreview, nullptr);
    HWND hPage = GetDlgItem(hPreview, 108);
    HWND hNext = GetDlgItem(hPreview, 102);
    EXPECT_TRUE(CRunModeDriver::WaitForText(hPage, "Page 1 of 3", kWaitMs));
    Screenshot(hPreview, "print-preview-page1");
    CDesignerProcess::Press(hPreview, 102);
    EXPECT_TRUE(CRunModeDriver::WaitForText(hPage, "Page 2 of 3", kWaitMs));
    CDesignerProcess::Press(hPreview, 102);
    EXPECT_TRUE(CRunModeDriver::WaitForText(hPage, "Page 3 of 3", kWaitMs));
    EXPECT_FALSE(IsWindowEnabled(hNext));
    CDesignerProcess::Press(hPreview, 104);
    EXPECT_TRUE(CRunModeDriver::WaitForText(hPage, "Pages 2-3 of 3", kWaitMs));
    Screenshot(hPreview, "print-preview-two-pages");
    CDesignerProcess::Press(hPreview, 107);
    EXPECT_TRUE(CDesignerProcess::WaitGone(hPreview, kWaitMs));
    EXPECT_TRUE(IsWindowEnabled(driver.MainWindow()));

    // Page Setup: a 40 mm left margin and landscape reach the paper.
    Command(driver, kPageSetup);
    HWND hSetup = designer.WaitForDialog("Setup Page", kWaitMs);
    ASSERT_NE(hSetup, nullptr);
    HWND hLeft = GetDlgItem(hSetup, 0x0483);
    ASSERT_NE(hLeft, nullptr);
    SendMessageA(hLeft, WM_SETTEXT, 0, (LPARAM)"40");
    SendMessageA(hSetup, WM_COMMAND, MAKEWPARAM(0x0483, EN_KILLFOCUS), (LPARAM)hLeft);
    SendMessageA(GetDlgItem(hSetup, 0x0421), BM_CLICK, 0, 0);
    CDesignerProcess::Press(hSetup, IDOK);
    ASSERT_TRUE(CDesignerProcess::WaitGone(hSetup, kWaitMs));

    pdf = PrintThroughDialog(designer, driver);
    ASSERT_FALSE(pdf.empty()) << "nothing printed after Page Setup";
    pages = ReadPrintedPdf(pdf);
    ASSERT_FALSE(pages.empty());
    EXPECT_TRUE(pages[0].IsLandscape());
    // 40 mm is 113.4 points; the 20 mm before it were 56.7.
    EXPECT_GT(pages[0].LeftmostX(), 105.0);
    EXPECT_TRUE(pages[0].Has("TITLE"));
    EXPECT_TRUE(pages.back().Has("R50"));
    EXPECT_TRUE(designer.Seen().empty()) << designer.Seen().front();
    EXPECT_TRUE(driver.CloseDiscarding(kWaitMs));
}

TEST_F(PrintingTest, TemplateInAType1FacePrintsItsTexts)
{
    if (EnvOf("KEM_TEST_PRINT_OUT").empty())
        GTEST_SKIP() << "no PDF printer queue (run through scripts/test.sh)";
    {
        // A template made where this face was offered.
        CTallyformDoc doc;
        doc.m_bAutoDelete = FALSE;
        MakePrintTemplate(doc.m_sheet, { 0, 520, 1000 });
        for (INT_PTR i = 0; i < doc.m_sheet.m_cells.GetSize(); ++i)
            lstrcpynA(doc.m_sheet.m_cells[i].m_logFont.lfFaceName, "URW Bookman", LF_FACESIZE);
        ASSERT_TRUE(doc.OnSaveDocument(m_strTemplate));
    }
    CDesignerProcess designer(m_folder.GetPath(), "\"" + m_strTemplate + "\"");
    CRunModeDriver driver(designer);
    Start(designer, driver);
    std::string pdf = PrintThroughDialog(designer, driver);
    ASSERT_FALSE(pdf.empty()) << "nothing printed";
    std::vector<PrintedPage> pages = ReadPrintedPdf(pdf);
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_TRUE(pages[0].Has("TITLE"));
    EXPECT_TRUE(pages[0].Has("R01"));
    EXPECT_TRUE(pages.back().Has("R50"));
    EXPECT_TRUE(designer.Seen().empty()) << designer.Seen().front();
    EXPECT_TRUE(driver.CloseDiscarding(kWaitMs));
}

} // namespace
