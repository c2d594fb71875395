#include <string.h>
#include <vector>

#include "tests/support/Gtest.h"
#include "tests/support/DialogDriver.h"
#include "framework/windows/ColorDialog.h"
#include "framework/windows/FileDialog.h"
#include "framework/windows/FindReplaceDialog.h"
#include "framework/windows/FontDialog.h"
#include "framework/windows/PageSetupDialog.h"
#include "framework/windows/PrintDialog.h"

#include <dlgs.h>

TEST(ColorDialog, OkGivesTheInitialColourAndCancelIsReported)
{
    CColorDialog okDlg(RGB(12, 34, 56), CC_FULLOPEN | CC_ANYCOLOR);
    {
        CDialogDriver driver([](HWND hDlg) { CDialogDriver::Press(hDlg, IDOK); });
        EXPECT_EQ(okDlg.DoModal(), IDOK);
        EXPECT_NE(driver.Driven(), nullptr);
    }
    EXPECT_EQ(okDlg.GetColor(), RGB(12, 34, 56));
    EXPECT_TRUE(okDlg.m_cc.Flags & CC_FULLOPEN);

    CColorDialog cancelDlg(RGB(200, 0, 0));
    CDialogDriver driver([](HWND hDlg) { CDialogDriver::Press(hDlg, IDCANCEL); });
    EXPECT_EQ(cancelDlg.DoModal(), IDCANCEL);
    EXPECT_EQ(cancelDlg.m_cc.lpCustColors, CColorDialog::GetSavedCustomColors());
}

namespace {

// A FINDMSGSTRING receiver that records what each message said.
class CFindOwner : public CWnd
{
public:
    struct Seen
    {
        CFindReplaceDialog* pNotifier;
        CString strFind;
        BOOL bFindNext, bMatchCase, bTerminating;
    };
    std::vector<Seen> m_seen;

    CFindOwner()
    {
        CreateEx(0, AfxRegisterWndClass(0), "find owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 30, 30, 300, 200,
                 NULL, NULL);
    }
    ~CFindOwner() override { DestroyWindow(); }

protected:
    LRESULT OnFindMessage(WPARAM, LPARAM lParam)
    {
        CFindReplaceDialog* p = CFindReplaceDialog::GetNotifier(lParam);
        m_seen.push_back({ p, p->GetFindString(), p->FindNext(), p->MatchCase(), p->IsTerminating() });
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

const UINT g_nFindMessage = ::RegisterWindowMessageA(FINDMSGSTRINGA);

BEGIN_MESSAGE_MAP(CFindOwner, CWnd)
    ON_REGISTERED_MESSAGE(g_nFindMessage, OnFindMessage)
END_MESSAGE_MAP()

int g_nFindDialogsDeleted = 0;

class CCountedFindDialog : public CFindReplaceDialog
{
public:
    ~CCountedFindDialog() override { ++g_nFindDialogsDeleted; }
};

void PumpFor(DWORD nMilliseconds)
{
    DWORD dwStart = ::GetTickCount();
    do
    {
        MSG msg;
        while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
        {
            if (!CWnd::WalkPreTranslateTree(NULL, &msg))
            {
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
            }
        }
        ::Sleep(5);
    } while (::GetTickCount() - dwStart < nMilliseconds);
}

// An OPENFILENAME buffer as the dialog leaves it: names separated by NULs.
void SetFileBuffer(CFileDialog& dlg, const char* pText, size_t nLen)
{
    memcpy(dlg.m_ofn.lpstrFile, pText, nLen);
}

HGLOBAL MakeDevNames(LPCSTR lpszDriver, LPCSTR lpszDevice, LPCSTR lpszOutput)
{
    size_t nDriver = strlen(lpszDriver) + 1, nDevice = strlen(lpszDevice) + 1, nOutput = strlen(lpszOutput) + 1;
    HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DEVNAMES) + nDriver + nDevice + nOutput);
    DEVNAMES* p = static_cast<DEVNAMES*>(::GlobalLock(h));
    char* pBase = reinterpret_cast<char*>(p);
    p->wDriverOffset = sizeof(DEVNAMES);
    p->wDeviceOffset = (WORD)(p->wDriverOffset + nDriver);
    p->wOutputOffset = (WORD)(p->wDeviceOffset + nDevice);
    memcpy(pBase + p->wDriverOffset, lpszDriver, nDriver);
    memcpy(pBase + p->wDeviceOffset, lpszDevice, nDevice);
    memcpy(pBase + p->wOutputOffset, lpszOutput, nOutput);
    ::GlobalUnlock(h);
    return h;
}

} // namespace

TEST(FileDialog, FilterAndInitialNameAreSetUpForTheSystemDialog)
{
    CFileDialog dlg(TRUE, "kvm", "report.kvm", OFN_HIDEREADONLY, "Sheets (*.kvm)|*.kvm|All Files (*.*)|*.*||");
    ASSERT_NE(dlg.m_ofn.lpstrFilter, nullptr);
    const char expected[] = "Sheets (*.kvm)\0*.kvm\0All Files (*.*)\0*.*\0";
    EXPECT_EQ(memcmp(dlg.m_ofn.lpstrFilter, expected, sizeof(expected)), 0);
    EXPECT_STREQ(dlg.m_ofn.lpstrDefExt, "kvm");
    EXPECT_STREQ(dlg.m_ofn.lpstrFile, "report.kvm");
    EXPECT_GE(dlg.m_ofn.nMaxFile, (DWORD)MAX_PATH);
    EXPECT_TRUE(dlg.m_ofn.Flags & OFN_EXPLORER);

    CFileDialog multi(TRUE, NULL, NULL, OFN_ALLOWMULTISELECT);
    EXPECT_GE(multi.m_ofn.nMaxFile, 32768u);
    EXPECT_EQ(multi.m_ofn.lpstrFilter, nullptr);
    EXPECT_EQ(multi.GetStartPosition(), nullptr);
    EXPECT_TRUE(multi.GetPathName().IsEmpty());
}

TEST(FileDialog, ChosenFilesAreWalkedWithTheirFolder)
{
    CFileDialog dlg(TRUE, NULL, NULL, OFN_ALLOWMULTISELECT);
    SetFileBuffer(dlg, "C:\\data\0one.kvm\0two.txt\0\0", 25);
    POSITION pos = dlg.GetStartPosition();
    ASSERT_NE(pos, nullptr);
    EXPECT_STREQ((LPCSTR)dlg.GetNextPathName(pos), "C:\\data\\one.kvm");
    ASSERT_NE(pos, nullptr);
    EXPECT_STREQ((LPCSTR)dlg.GetNextPathName(pos), "C:\\data\\two.txt");
    EXPECT_EQ(pos, nullptr);
    EXPECT_STREQ((LPCSTR)dlg.GetPathName(), "C:\\data\\one.kvm");

    // A folder that ends in a backslash (a drive root) gets no second one.
    SetFileBuffer(dlg, "C:\\\0a.b\0c\0\0", 12);
    pos = dlg.GetStartPosition();
    EXPECT_STREQ((LPCSTR)dlg.GetNextPathName(pos), "C:\\a.b");
    EXPECT_STREQ((LPCSTR)dlg.GetNextPathName(pos), "C:\\c");
    EXPECT_EQ(pos, nullptr);

    // One file chosen: the buffer holds its whole path.
    SetFileBuffer(dlg, "D:\\x\\sheet.final.kvm\0\0", 22);
    pos = dlg.GetStartPosition();
    EXPECT_STREQ((LPCSTR)dlg.GetNextPathName(pos), "D:\\x\\sheet.final.kvm");
    EXPECT_EQ(pos, nullptr);
    EXPECT_STREQ((LPCSTR)dlg.GetFileName(), "sheet.final.kvm");
    EXPECT_STREQ((LPCSTR)dlg.GetFileExt(), "kvm");
    EXPECT_STREQ((LPCSTR)dlg.GetFileTitle(), "sheet.final");
    SetFileBuffer(dlg, "D:\\x\\README\0\0", 13);
    EXPECT_TRUE(dlg.GetFileExt().IsEmpty());
    EXPECT_STREQ((LPCSTR)dlg.GetFileTitle(), "README");
}

TEST(FileDialog, OkReturnsTheFileTypedIntoTheDialog)
{
    char szDir[MAX_PATH];
    ASSERT_GT(::GetTempPathA(MAX_PATH, szDir), 0u);
    CString strPath = CString(szDir) + "chosen.kvm";
    HANDLE hFile = ::CreateFileA(strPath, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    ASSERT_NE(hFile, INVALID_HANDLE_VALUE);
    ::CloseHandle(hFile);

    CFileDialog dlg(TRUE, "kvm", NULL, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, "Sheets (*.kvm)|*.kvm||");
    dlg.m_ofn.lpstrInitialDir = szDir;
    CDialogDriver driver([&](HWND hDlg) {
        // The name box is an edit in one dialog layout and a combo in the other.
        ::SetDlgItemTextA(hDlg, edt1, strPath);
        ::SetDlgItemTextA(hDlg, cmb13, strPath);
        CDialogDriver::Press(hDlg, IDOK);
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.GetFileName(), CString("chosen.kvm"));
    EXPECT_STREQ((LPCSTR)dlg.GetFileExt(), "kvm");
    ::DeleteFileA(strPath);
}

TEST(FontDialog, ChoiceBecomesACharacterFormat)
{
    LOGFONTA lf = {};
    lf.lfHeight = -16;
    lf.lfWeight = FW_BOLD;
    lf.lfUnderline = TRUE;
    lf.lfCharSet = GB2312_CHARSET;
    lf.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    lstrcpyA(lf.lfFaceName, "Tahoma");
    CFontDialog dlg(&lf, CF_SCREENFONTS | CF_EFFECTS);
    EXPECT_TRUE(dlg.m_cf.Flags & CF_INITTOLOGFONTSTRUCT);
    EXPECT_EQ(dlg.m_cf.lpLogFont, &dlg.m_lf);
    dlg.m_cf.iPointSize = 105;
    dlg.m_cf.rgbColors = RGB(1, 2, 3);

    CHARFORMATA cf;
    dlg.GetCharFormat(cf);
    EXPECT_EQ(cf.cbSize, sizeof(CHARFORMATA));
    EXPECT_EQ(cf.yHeight, 210);
    EXPECT_EQ(cf.dwEffects, (DWORD)(CFE_BOLD | CFE_UNDERLINE));
    EXPECT_TRUE(cf.dwMask & CFM_COLOR);
    EXPECT_EQ(cf.crTextColor, RGB(1, 2, 3));
    EXPECT_EQ(cf.bCharSet, GB2312_CHARSET);
    EXPECT_EQ(cf.bPitchAndFamily, VARIABLE_PITCH | FF_SWISS);
    EXPECT_STREQ(cf.szFaceName, "Tahoma");

    CFontDialog plain(NULL, CF_SCREENFONTS);
    plain.m_lf.lfWeight = FW_SEMIBOLD;
    plain.m_lf.lfItalic = TRUE;
    plain.GetCharFormat(cf);
    EXPECT_FALSE(cf.dwMask & CFM_COLOR);
    EXPECT_EQ(cf.dwEffects, (DWORD)CFE_ITALIC);
}

TEST(FontDialog, OkKeepsAFontWithItsSize)
{
    LOGFONTA lf = {};
    lf.lfHeight = -13;
    lf.lfWeight = FW_NORMAL;
    lstrcpyA(lf.lfFaceName, "Tahoma");
    CFontDialog dlg(&lf, CF_SCREENFONTS | CF_EFFECTS);
    CDialogDriver driver([](HWND hDlg) { CDialogDriver::Press(hDlg, IDOK); });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_GT(dlg.GetSize(), 0);
    EXPECT_FALSE(dlg.GetFaceName().IsEmpty());
}

TEST(FindReplaceDialog, OwnerHearsEachSearchAndTheEndAndTheObjectGoes)
{
    CFindOwner owner;
    g_nFindDialogsDeleted = 0;
    CCountedFindDialog* pDlg = new CCountedFindDialog;
    ASSERT_TRUE(pDlg->Create(TRUE, "total", NULL, FR_DOWN | FR_HIDEUPDOWN | FR_HIDEWHOLEWORD, &owner));
    ASSERT_NE(pDlg->m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(pDlg->m_hWnd), pDlg);
    HWND hDlg = pDlg->m_hWnd;
    CString strShown;
    pDlg->GetDlgItemText(edt1, strShown);
    EXPECT_STREQ((LPCSTR)strShown, "total");

    ::SetDlgItemTextA(hDlg, edt1, "sum");
    ::CheckDlgButton(hDlg, chx2, BST_CHECKED);
    CDialogDriver::Press(hDlg, IDOK);
    PumpFor(100);
    ASSERT_EQ(owner.m_seen.size(), 1u);
    EXPECT_EQ(owner.m_seen[0].pNotifier, pDlg);
    EXPECT_STREQ((LPCSTR)owner.m_seen[0].strFind, "sum");
    EXPECT_TRUE(owner.m_seen[0].bFindNext);
    EXPECT_TRUE(owner.m_seen[0].bMatchCase);
    EXPECT_FALSE(owner.m_seen[0].bTerminating);
    EXPECT_EQ(g_nFindDialogsDeleted, 0);

    CDialogDriver::Press(hDlg, IDCANCEL);
    PumpFor(100);
    ASSERT_EQ(owner.m_seen.size(), 2u);
    EXPECT_TRUE(owner.m_seen[1].bTerminating);
    EXPECT_FALSE(::IsWindow(hDlg));
    EXPECT_EQ(g_nFindDialogsDeleted, 1);
}

TEST(PrintDialog, PrinterNamesComeFromTheDevNamesBlock)
{
    CPrintDialog dlg(TRUE);
    EXPECT_TRUE(dlg.m_pd.Flags & PD_PRINTSETUP);
    EXPECT_TRUE(dlg.GetDeviceName().IsEmpty());
    EXPECT_EQ(dlg.CreatePrinterDC(), nullptr);
    dlg.m_pd.hDevNames = MakeDevNames("winspool", "Ledger Printer", "LPT1:");
    EXPECT_STREQ((LPCSTR)dlg.GetDriverName(), "winspool");
    EXPECT_STREQ((LPCSTR)dlg.GetDeviceName(), "Ledger Printer");
    EXPECT_STREQ((LPCSTR)dlg.GetPortName(), "LPT1:");

    CPageSetupDialog setup(PSD_MARGINS | PSD_INHUNDREDTHSOFMILLIMETERS);
    setup.m_psd.hDevNames = dlg.m_pd.hDevNames;
    EXPECT_STREQ((LPCSTR)setup.GetDeviceName(), "Ledger Printer");
    ::GlobalFree(dlg.m_pd.hDevNames);
    dlg.m_pd.hDevNames = NULL;
}

TEST(PrintDialog, PageSetupRunsWithTheDefaultPrinterOrReportsThereIsNone)
{
    CPrintDialog defaults(TRUE);
    BOOL bHasPrinter = defaults.GetDefaults();
    CPageSetupDialog setup(PSD_MARGINS | PSD_INHUNDREDTHSOFMILLIMETERS);
    setup.m_psd.rtMargin = CRect(2000, 2500, 2000, 2500);
    CDialogDriver driver([](HWND hDlg) { CDialogDriver::Press(hDlg, IDOK); });
    INT_PTR nResult = setup.DoModal();
    if (!bHasPrinter)
    {
        // The system may show its own notice first; the driver closes it.
        EXPECT_EQ(nResult, IDCANCEL);
        GTEST_SKIP() << "no printer is installed in this Wine prefix";
    }
    ASSERT_EQ(nResult, IDOK);
    EXPECT_GT(setup.GetPaperSize().cx, 0);
    CRect rcMargins;
    setup.GetMargins(&rcMargins, NULL);
    EXPECT_EQ(rcMargins, CRect(2000, 2500, 2000, 2500));
    EXPECT_FALSE(setup.GetDeviceName().IsEmpty());
    ::GlobalFree(setup.m_psd.hDevMode);
    ::GlobalFree(setup.m_psd.hDevNames);
    ::GlobalFree(defaults.m_pd.hDevMode);
    ::GlobalFree(defaults.m_pd.hDevNames);
}
