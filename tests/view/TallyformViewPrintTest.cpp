// The sheet view's pages in this process on the test script's printer:
// print preview records the pages the printer would get; a page with no
// room left, and a printer that has gone, are refused with a message.
#include "tests/support/Gtest.h"
#include <string.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/DialogDriver.h"
#include "tests/support/MessageBoxRecorder.h"
#include "tests/view/PrintTemplate.h"
#include "tests/view/SheetViewHarness.h"

#include "framework/docview/PreviewView.h"
#include "framework/docview/StandardCommands.h"
#include "framework/docview/WinApp.h"

namespace
{
using namespace printtest;
using viewtest::SheetViewTest;

const UINT kShowPageBreak = 33015;
const UINT kSetPageBreak = 33050;

// Collects the text of each text record of a metafile.
int CALLBACK CollectText(HDC, HANDLETABLE*, const ENHMETARECORD* pRecord, int, LPARAM lParam)
{
    if (pRecord->iType == EMR_EXTTEXTOUTW)
    {
        const EMREXTTEXTOUTW* pText = reinterpret_cast<const EMREXTTEXTOUTW*>(pRecord);
        const WCHAR* pChars = reinterpret_cast<const WCHAR*>(
            reinterpret_cast<const BYTE*>(pRecord) + pText->emrtext.offString);
        char sz[256] = "";
        int n = WideCharToMultiByte(CP_ACP, 0, pChars, (int)pText->emrtext.nChars, sz,
                                    sizeof(sz) - 1, NULL, NULL);
        sz[n > 0 ? n : 0] = '\0';
        reinterpret_cast<std::vector<std::string>*>(lParam)->push_back(sz);
    }
    return 1;
}

// The texts a page's metafile shows.
std::vector<std::string> MetafileTexts(HENHMETAFILE hMeta)
{
    std::vector<std::string> texts;
    EnumEnhMetaFile(NULL, hMeta, CollectText, &texts, NULL);
    return texts;
}

// A DEVNAMES block naming a printer with the WINSPOOL driver.
HGLOBAL MakeDevNames(const std::string& device)
{
    const std::string driver = "WINSPOOL", port = "";
    size_t cb = sizeof(DEVNAMES) + driver.size() + device.size() + port.size() + 3;
    HGLOBAL hNames = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, cb);
    DEVNAMES* pNames = static_cast<DEVNAMES*>(GlobalLock(hNames));
    char* p = reinterpret_cast<char*>(pNames);
    pNames->wDriverOffset = sizeof(DEVNAMES);
    pNames->wDeviceOffset = (WORD)(pNames->wDriverOffset + driver.size() + 1);
    pNames->wOutputOffset = (WORD)(pNames->wDeviceOffset + device.size() + 1);
    strcpy(p + pNames->wDriverOffset, driver.c_str());
    strcpy(p + pNames->wDeviceOffset, device.c_str());
    strcpy(p + pNames->wOutputOffset, port.c_str());
    GlobalUnlock(hNames);
    return hNames;
}

class TallyformViewPrintTest : public SheetViewTest
{
protected:
    void SetUp() override
    {
        PRINTDLGA pd = {};
        if (!m_app.GetPrinterDeviceDefaults(&pd))
            GTEST_SKIP() << "no printer (run through scripts/test.sh)";
        Open(2, 2, 640, 480);
    }

    CWinApp m_app{ "PrintTestApp" };
};

TEST_F(TallyformViewPrintTest, PreviewRecordsThePagesOfTheBreaksWithBothBandsOnEachPage)
{
    MessageBoxRecorder messages;
    MakePrintTemplate(Sheet(), { 0, 640, 1120 });
    m_pView->UpdateScrollSizes();
    CPreviewView* pPreview = new CPreviewView;
    ASSERT_TRUE(pPreview->Open(m_pView));
    EXPECT_EQ(pPreview->GetPageCount(), 3u);
    EXPECT_EQ(m_pView->GetPageCount(), 3);
    const int breaks[] = { 640, 1120 };
    for (UINT nPage = 1; nPage <= 3; ++nPage)
    {
        SCOPED_TRACE(testing::Message() << "preview page " << nPage);
        HENHMETAFILE hMeta = pPreview->GetPageMetafile(nPage);
        ASSERT_NE(hMeta, nullptr);
        std::vector<std::string> texts = MetafileTexts(hMeta);
        int first = nPage == 1 ? 1 : FirstRowAt(breaks[nPage - 2]);
        int last = nPage == 3 ? kRows : FirstRowAt(breaks[nPage - 1]) - 1;
        ExpectPageRows([&](const std::string& text) {
            for (const std::string& shown : texts)
                if (shown == text)
                    return true;
            return false;
        }, first, last);
    }
    EXPECT_EQ(pPreview->GetPageMetafile(4), nullptr);
    pPreview->SendMessage(WM_COMMAND, MAKEWPARAM(CPreviewView::IDC_PREVIEW_CLOSE, BN_CLICKED), 0);
    EXPECT_TRUE(messages.Messages().empty()) << messages.LastText();
}

TEST_F(TallyformViewPrintTest, APageWithoutRoomIsRefusedAndThePageBreaksStayHidden)
{
    MessageBoxRecorder messages;
    MakePrintTemplate(Sheet(), { 0, 640, 1120 });
    // Margins of 15 cm top and bottom leave no paper on A4 or Letter.
    m_pView->m_rectMargins.SetRect(2000, 15000, 2000, 15000);
    m_pView->SendMessage(WM_COMMAND, MAKEWPARAM(kShowPageBreak, 0), 0);
    EXPECT_FALSE(m_pView->m_bShowPageBreaks);
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_NE(messages.LastText().find("no room"), std::string::npos) << messages.LastText();

    // Bands taller than the page: the same.
    messages.Clear();
    m_pView->m_rectMargins.SetRect(2000, 2000, 2000, 2000);
    Sheet().m_nHeaderBand = 3000;
    EXPECT_FALSE(m_pView->UpdatePageMetrics(NULL));
    EXPECT_EQ(messages.Messages().size(), 1u);
    CPreviewView* pPreview = new CPreviewView;
    EXPECT_FALSE(pPreview->Open(m_pView));
    delete pPreview;
    EXPECT_EQ(messages.Messages().size(), 2u);

    // With room again the manual breaks show.
    messages.Clear();
    Sheet().m_nHeaderBand = kHeaderBand;
    m_pView->SendMessage(WM_COMMAND, MAKEWPARAM(kShowPageBreak, 0), 0);
    EXPECT_TRUE(m_pView->m_bShowPageBreaks);
    EXPECT_EQ(m_pView->GetPageCount(), 3);
    EXPECT_TRUE(messages.Messages().empty()) << messages.LastText();
}

TEST_F(TallyformViewPrintTest, SetPageBreakOpensAnUnsetLayoutOnOptimizeAndStoresTheModeOnOk)
{
    MessageBoxRecorder messages;
    MakePrintTemplate(Sheet(), { 0 });
    Sheet().m_nPageLayout = -1;
    int nChecked = -1;
    {
        CDialogDriver driver([&nChecked](HWND hDlg) {
            for (int nID = 1115; nID <= 1117; ++nID)
                if (IsDlgButtonChecked(hDlg, nID) == BST_CHECKED)
                    nChecked = nID;
            CheckRadioButton(hDlg, 1115, 1117, 1117);
            CDialogDriver::Press(hDlg, IDOK);
        });
        m_pView->SendMessage(WM_COMMAND, MAKEWPARAM(kSetPageBreak, 0), 0);
        ASSERT_NE(driver.Driven(), nullptr);
    }
    EXPECT_EQ(nChecked, 1116);
    EXPECT_EQ(Sheet().m_nPageLayout, PAGE_LAYOUT_MANUAL);
    // The manual breaks start from the optimized ones: more than one page.
    EXPECT_GT(Sheet().m_arrBreaksA.GetSize(), 1);

    // Cancel keeps the mode.
    {
        CDialogDriver driver([](HWND hDlg) {
            CheckRadioButton(hDlg, 1115, 1117, 1115);
            CDialogDriver::Press(hDlg, IDCANCEL);
        });
        m_pView->SendMessage(WM_COMMAND, MAKEWPARAM(kSetPageBreak, 0), 0);
        ASSERT_NE(driver.Driven(), nullptr);
    }
    EXPECT_EQ(Sheet().m_nPageLayout, PAGE_LAYOUT_MANUAL);
    EXPECT_TRUE(messages.Messages().empty()) << messages.LastText();
}

TEST_F(TallyformViewPrintTest, APrinterThatHasGoneIsToldAndNoPrinterDcIsUsed)
{
    MessageBoxRecorder messages;
    MakePrintTemplate(Sheet(), { 0, 640, 1120 });
    m_app.SelectPrinter(MakeDevNames("Gone Since Chosen"), NULL);
    m_pView->SendMessage(WM_COMMAND, MAKEWPARAM(kShowPageBreak, 0), 0);
    EXPECT_FALSE(m_pView->m_bShowPageBreaks);
    m_pView->SendMessage(WM_COMMAND, MAKEWPARAM(ID_FILE_PRINT_DIRECT, 0), 0);
    CPreviewView* pPreview = new CPreviewView;
    EXPECT_FALSE(pPreview->Open(m_pView));
    delete pPreview;
    // File > Print tells it once too, and offers no print dialog.
    {
        CDialogDriver driver([](HWND hDlg) { CDialogDriver::Press(hDlg, IDCANCEL); });
        m_pView->SendMessage(WM_COMMAND, MAKEWPARAM(ID_FILE_PRINT, 0), 0);
        EXPECT_EQ(driver.Driven(), nullptr);
    }
    ASSERT_EQ(messages.Messages().size(), 4u);
    for (const RecordedMessage& message : messages.Messages())
        EXPECT_EQ(message.text, "No printer is installed. Install a printer and try again.");
    // The default printer comes back when asked for.
    m_app.UpdatePrinterSelection(FALSE);
    EXPECT_TRUE(m_pView->UpdatePageMetrics(NULL));
}

} // namespace
