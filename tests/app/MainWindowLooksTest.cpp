// What the main window shows around the sheet in the real designer (or,
// built with PROGRAM_UNDER_TEST "Quirepad", the editor), read from the
// screen: the sheet redrawn whole when the rulers come and go, print
// preview inside the main window, the New Template sheet alone, and the
// floating Full Screen bar on top of the screen-filling window, without a
// close box, wide enough for its title and leading back.
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/Gtest.h"

#include <windows.h>
#include <commctrl.h>

#include "tests/app/DesignerProcess.h"
#include "tests/app/RunModeDriver.h"
#include "tests/app/ScreenCapture.h"
#include "tests/app/WindowManager.h"
#include "tests/support/ScratchFolder.h"

#ifndef SCREENSHOT_PREFIX
#define SCREENSHOT_PREFIX "designer"
#endif

namespace
{
#ifdef PROGRAM_UNDER_TEST
const bool kDesigner = false;
const char kProgramKey[] = "Software\\Wine\\AppDefaults\\" PROGRAM_UNDER_TEST ".exe.so";
#else
const bool kDesigner = true;
const char kProgramKey[] = "Software\\Wine\\AppDefaults\\Tallyform.exe.so";
#endif
const DWORD kWaitMs = 60000;
const UINT kShowRulers = 33014;
const UINT kFullScreen = 33016;
const UINT kPrintPreview = 57609;
const UINT kNewTemplate = 57600;
const int kPreviewClose = 107;

// The screen's pixels of a window's client area.
struct ClientPicture
{
    RECT rc = {};
    std::vector<unsigned int> pixels;
};

ClientPicture TakeClient(HWND hWnd)
{
    ClientPicture picture;
    GetClientRect(hWnd, &picture.rc);
    MapWindowPoints(hWnd, NULL, reinterpret_cast<POINT*>(&picture.rc), 2);
    int cx = picture.rc.right - picture.rc.left, cy = picture.rc.bottom - picture.rc.top;
    picture.pixels.resize((size_t)cx * cy);
    if (cx <= 0 || cy <= 0 ||
        !ReadRootPixels(picture.rc.left, picture.rc.top, cx, cy, picture.pixels.data()))
        picture.pixels.clear();
    return picture;
}

// The client area once the screen has stopped changing there: on a busy
// machine painting can lag behind the layout.
ClientPicture TakeSettledClient(HWND hWnd)
{
    ClientPicture last = TakeClient(hWnd);
    for (int i = 0; i < 30; ++i)
    {
        Sleep(300);
        ClientPicture now = TakeClient(hWnd);
        if (EqualRect(&now.rc, &last.rc) && now.pixels == last.pixels)
            break;
        last = now;
    }
    return last;
}

// How many pixels of the part both pictures show differ, each picture's
// top-left corner taken as the same point of the window's content; the
// first differing row in *pnRow.
int CountDifferences(const ClientPicture& a, const ClientPicture& b, int* pnRow)
{
    int cxA = a.rc.right - a.rc.left, cxB = b.rc.right - b.rc.left;
    int cx = (std::min)(cxA, cxB);
    int cy = (std::min)(a.rc.bottom - a.rc.top, b.rc.bottom - b.rc.top);
    int nDiffer = 0;
    *pnRow = -1;
    for (int y = 0; y < cy; ++y)
        for (int x = 0; x < cx; ++x)
            if (a.pixels[(size_t)y * cxA + x] != b.pixels[(size_t)y * cxB + x])
            {
                if (*pnRow < 0)
                    *pnRow = y;
                ++nDiffer;
            }
    return nDiffer;
}

// The program's windows are managed by the window manager while it lives.
class CManagedProgram
{
public:
    CManagedProgram()
    {
        HKEY hKey = NULL;
        std::string key = std::string(kProgramKey) + "\\X11 Driver";
        if (RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, NULL, 0, KEY_SET_VALUE, NULL,
                            &hKey, NULL) == ERROR_SUCCESS)
        {
            RegSetValueExA(hKey, "Managed", 0, REG_SZ, (const BYTE*)"Y", 2);
            RegCloseKey(hKey);
        }
    }
    ~CManagedProgram() { RegDeleteTreeA(HKEY_CURRENT_USER, kProgramKey); }
};

class MainWindowLooksTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_strTemplate = m_folder.PathOf("Monthly.kvm");
        CString strSample = CDesignerProcess::ProgramFolder() + "\\Template\\Monthly Report.kvm";
        ASSERT_TRUE(CopyFileA(strSample, m_strTemplate, FALSE)) << (LPCSTR)strSample;
        WriteWholeFile(m_folder.PathOf("Tallyform.INI"),
                       "[DataSource]\r\nStart=0\r\nType=1\r\nName=Reporting.mdb\r\n");
    }

    // Starts the program on the template and waits until it is ready for input.
    void Start(const char* pszArguments)
    {
        m_pProgram.reset(new CDesignerProcess(m_folder.GetPath(), pszArguments));
        ASSERT_TRUE(m_pProgram->IsStarted());
        m_pDriver.reset(new CRunModeDriver(*m_pProgram));
        if (pszArguments == NULL)
            ASSERT_TRUE(m_pDriver->FindMainWindow(kWaitMs));
        else
            ASSERT_TRUE(m_pDriver->FindView(kWaitMs));
        ASSERT_TRUE(m_pDriver->WaitForSplashGone(kWaitMs));
        // Out of the way of what is drawn.
        SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    }
    void Command(UINT nID)
    {
        PostMessageA(m_pDriver->MainWindow(), WM_COMMAND, MAKEWPARAM(nID, 0), 0);
        Settle();
    }
    // Lets the program finish what it was asked and the screen catch up.
    void Settle()
    {
        m_pDriver->Settle();
        Sleep(500);
    }
    CString Quoted() const { return "\"" + m_strTemplate + "\""; }
    // View > Full Screen and back through the floating bar's button.
    void ExpectFullScreenAndBack(const char* pszShot);

    CScratchFolder m_folder;
    CString m_strTemplate;
    std::unique_ptr<CDesignerProcess> m_pProgram;
    std::unique_ptr<CRunModeDriver> m_pDriver;
};

// Clicks the screen point with the mouse.
void ClickAt(POINT pt)
{
    SetCursorPos(pt.x, pt.y);
    Sleep(300);
    INPUT click[2] = {};
    click[0].type = click[1].type = INPUT_MOUSE;
    click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, click, sizeof(INPUT));
}

unsigned long XWindowOf(HWND hWnd)
{
    // Wine keeps the X window of a top-level window in this property.
    return (unsigned long)(ULONG_PTR)GetPropA(hWnd, "__wine_x11_whole_window");
}

// The width of a text in the font of small captions.
int SmallCaptionTextWidth(LPCSTR lpszText)
{
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = sizeof(metrics);
    if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
        return -1;
    HDC hDC = GetDC(NULL);
    HFONT hFont = CreateFontIndirectA(&metrics.lfSmCaptionFont);
    HGDIOBJ hOld = SelectObject(hDC, hFont);
    SIZE size = {};
    GetTextExtentPoint32A(hDC, lpszText, lstrlenA(lpszText), &size);
    SelectObject(hDC, hOld);
    DeleteObject(hFont);
    ReleaseDC(NULL, hDC);
    return size.cx;
}

void MainWindowLooksTest::ExpectFullScreenAndBack(const char* pszShot)
{
    Start(Quoted());
    HWND hMain = m_pDriver->MainWindow();
    BOOL bZoomed = IsZoomed(hMain);
    RECT rcBefore;
    GetWindowRect(hMain, &rcBefore);
    Command(kFullScreen);
    HWND hBarFrame = NULL;
    for (HWND hWnd : m_pProgram->TopLevelWindows())
        if (hWnd != hMain && CDesignerProcess::TextOf(hWnd) == "Full Screen")
            hBarFrame = hWnd;
    ASSERT_NE(hBarFrame, nullptr) << "no floating Full Screen bar";
    EXPECT_EQ(0, GetWindowLongA(hBarFrame, GWL_STYLE) & WS_SYSMENU) << "a close box";
    RECT rcBar;
    GetClientRect(hBarFrame, &rcBar);
    EXPECT_GT(rcBar.right, SmallCaptionTextWidth("Full Screen")) << "the caption is cut";

    // Above the window that now fills the screen, also after a click on it.
    EXPECT_EQ(1, IsXWindowAbove(XWindowOf(hBarFrame), XWindowOf(hMain))) << "the bar is behind";
    ClickAt({ GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2 });
    Settle();
    EXPECT_EQ(1, IsXWindowAbove(XWindowOf(hBarFrame), XWindowOf(hMain)))
        << "the bar went behind on a click";
    std::string shot = std::string(DESIGNER_SCREENSHOT_DIR "/" SCREENSHOT_PREFIX "-full-screen-") +
                       pszShot + ".bmp";
    SaveRootAreaBitmap(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                       shot.c_str());

    // A click on its button brings the window back as it was.
    HWND hBar = FindWindowExA(GetWindow(hBarFrame, GW_CHILD), NULL, "ToolbarWindow32", NULL);
    ASSERT_NE(hBar, nullptr);
    DWORD dwSize = (DWORD)SendMessageA(hBar, TB_GETBUTTONSIZE, 0, 0);
    POINT pt = { LOWORD(dwSize) / 2, HIWORD(dwSize) / 2 };
    ClientToScreen(hBar, &pt);
    RECT rcB; GetWindowRect(hBar, &rcB);
    EXPECT_EQ(hBar, WindowFromPoint(pt)) << "the button is not the window under the pointer";
    ClickAt(pt);
    EXPECT_TRUE(CDesignerProcess::WaitGone(hBarFrame, 10000));
    Settle();
    EXPECT_EQ(bZoomed, IsZoomed(hMain));
    RECT rcAfter;
    GetWindowRect(hMain, &rcAfter);
    EXPECT_TRUE(EqualRect(&rcBefore, &rcAfter));
    HWND hStandard = NULL;
    for (HWND h = FindWindowExA(hMain, NULL, NULL, NULL); h != NULL && hStandard == NULL;
         h = FindWindowExA(hMain, h, NULL, NULL))
        hStandard = FindWindowExA(h, NULL, NULL, "Standard");
    ASSERT_NE(hStandard, nullptr);
    EXPECT_TRUE(IsWindowVisible(hStandard));
    EXPECT_TRUE(m_pDriver->CloseDiscarding(kWaitMs));
}

TEST_F(MainWindowLooksTest, TheSheetIsDrawnWholeWhenTheRulersComeAndGo)
{
    Start(Quoted());
    HWND hView = m_pDriver->View();
    ClientPicture first = TakeSettledClient(hView);
    ASSERT_FALSE(first.pixels.empty());
    int nRow = 0;
    // Off and on again is the first layout, pixel for pixel.
    Command(kShowRulers);
    ClientPicture without = TakeSettledClient(hView);
    ASSERT_FALSE(without.pixels.empty());
    EXPECT_LT(without.rc.top, first.rc.top) << "the view takes the horizontal ruler's place";
    EXPECT_EQ(0, CountDifferences(first, without, &nRow)) << "rulers off, first row " << nRow;
    Command(kShowRulers);
    ClientPicture again = TakeSettledClient(hView);
    EXPECT_TRUE(EqualRect(&first.rc, &again.rc));
    EXPECT_EQ(0, CountDifferences(first, again, &nRow)) << "rulers on again, first row " << nRow;
    SaveRootAreaBitmap(again.rc.left, again.rc.top, again.rc.right - again.rc.left,
                       again.rc.bottom - again.rc.top,
                       DESIGNER_SCREENSHOT_DIR "/" SCREENSHOT_PREFIX "-rulers-off-and-on.bmp");
    if (kDesigner)
    {
        CRunModeDriver::PressKey(hView, VK_F5);
        ASSERT_TRUE(m_pDriver->WaitForCaption("Tallyform [Run Mode] - ", kWaitMs));
        Settle();
        ClientPicture run = TakeSettledClient(hView);
        Command(kShowRulers);
        ClientPicture runWithout = TakeSettledClient(hView);
        EXPECT_EQ(0, CountDifferences(run, runWithout, &nRow)) << "run mode, rulers off, first row "
                                                               << nRow;
        Command(kShowRulers);
    }
    EXPECT_TRUE(m_pDriver->CloseDiscarding(kWaitMs));
}
TEST_F(MainWindowLooksTest, PrintPreviewAndTheNewTemplateSheetKeepToTheMainWindow)
{
    if (kDesigner)
    {
        // File > New Template Wizard: the sheet alone, no empty document
        // window with rulers behind it, and none left after Cancel.
        Start(NULL);
        HWND hClient = FindWindowExA(m_pDriver->MainWindow(), NULL, "MDIClient", NULL);
        ASSERT_NE(hClient, nullptr);
        PostMessageA(m_pDriver->MainWindow(), WM_COMMAND, MAKEWPARAM(kNewTemplate, 0), 0);
        HWND hSheet = m_pProgram->WaitForDialog(NULL, kWaitMs);
        ASSERT_NE(hSheet, nullptr);
        Sleep(500);
        for (HWND hChild = GetWindow(hClient, GW_CHILD); hChild != NULL;
             hChild = GetWindow(hChild, GW_HWNDNEXT))
            EXPECT_FALSE(IsWindowVisible(hChild)) << "a document window behind the sheet";
        CDesignerProcess::Press(hSheet, IDCANCEL);
        ASSERT_TRUE(CDesignerProcess::WaitGone(hSheet, kWaitMs));
        Settle();
        EXPECT_EQ(GetWindow(hClient, GW_CHILD), nullptr);
        EXPECT_TRUE(m_pProgram->Close());
    }

    // Print preview is a part of the main window: no window of its own,
    // the main window's whole client area, its bar painted in the face
    // colour of the buttons on it.
    Start(Quoted());
    HWND hMain = m_pDriver->MainWindow();
    size_t nWindows = m_pProgram->TopLevelWindows().size();
    Command(kPrintPreview);
    HWND hPreview = GetDlgItem(hMain, 0xE9FF);
    ASSERT_NE(hPreview, nullptr) << "no preview in the main window";
    EXPECT_TRUE(IsWindowVisible(hPreview));
    EXPECT_EQ(nWindows, m_pProgram->TopLevelWindows().size());
    ClientPicture preview = TakeSettledClient(hPreview);
    ClientPicture main = TakeClient(hMain);
    RECT rcPreview;
    GetWindowRect(hPreview, &rcPreview);
    EXPECT_TRUE(EqualRect(&rcPreview, &main.rc));
    ASSERT_FALSE(preview.pixels.empty());
    COLORREF crFace = GetSysColor(COLOR_BTNFACE);
    unsigned int nFace = (GetRValue(crFace) << 16) | (GetGValue(crFace) << 8) | GetBValue(crFace);
    int cx = preview.rc.right - preview.rc.left;
    HWND hClose = GetDlgItem(hPreview, kPreviewClose);
    ASSERT_NE(hClose, nullptr);
    RECT rcClose;
    GetWindowRect(hClose, &rcClose);
    // Beside the Close button and at the bar's far end.
    for (int x : { (int)(rcClose.left - preview.rc.left) - 2, cx - 10 })
        EXPECT_EQ(nFace, preview.pixels[(size_t)2 * cx + x]) << "the bar at x " << x;
    SaveRootAreaBitmap(preview.rc.left, preview.rc.top, cx, preview.rc.bottom - preview.rc.top,
                       DESIGNER_SCREENSHOT_DIR "/" SCREENSHOT_PREFIX "-print-preview.bmp");
    // Esc closes it; the document is there again.
    CRunModeDriver::PressKey(hPreview, VK_ESCAPE);
    EXPECT_TRUE(CDesignerProcess::WaitGone(hPreview, kWaitMs));
    EXPECT_TRUE(IsWindowVisible(m_pDriver->View()));
    EXPECT_TRUE(m_pDriver->CloseDiscarding(kWaitMs));
}

TEST_F(MainWindowLooksTest, TheFullScreenBarStaysOnTopHasNoCloseBoxAndLeadsBack)
{
    for (bool bManager : { false, true })
    {
        SCOPED_TRACE(bManager ? "with a window manager" : "without a window manager");
        std::unique_ptr<CManagedProgram> pManaged;
        std::unique_ptr<CWindowManager> pManager;
        if (bManager)
        {
            pManaged.reset(new CManagedProgram);
            pManager.reset(new CWindowManager);
            ASSERT_TRUE(pManager->IsRunning()) << "evilwm (scripts/packages.txt) did not start";
        }
        ExpectFullScreenAndBack(bManager ? "managed" : "unmanaged");
    }
}
} // namespace
