// What a new user sees on the design road in the real designer: the
// default cell font in the Format bar's face box, wide enough for every
// face's name, the font dialog and on screen, the
// Standard bar's disabled images, Send Mail without a mail program, the
// full-width comma of the overwrite question, the sheet's whole outline in
// its PDF, and the user's guide of Help Topics.
#include <math.h>
#include <stdlib.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "tests/support/Gtest.h"
#include "tests/app/DesignerProcess.h"
#include "tests/app/RemoteStruct.h"
#include "tests/app/RunModeDriver.h"
#include "tests/app/ScreenCapture.h"
#include "tests/reporting/chart/ChartPixels.h"
#include "tests/sheet/PdfTools.h"
#include "tests/support/ScratchFolder.h"

#include <commctrl.h>
#include <dlgs.h>

#include "framework/db/DaoDatabase.h"
#include "sheet/document/TallyformDoc.h"
#include "sheet/document/samples/SampleTemplates.h"

namespace
{
const DWORD kWaitMs = 20000;
const UINT kBold = 32854;
const UINT kFonts = 32846;
const UINT kSaveToPdf = 33082;
const UINT kSendMail = 57612;
const UINT kHelpTopics = 57667;
const UINT kFileClose = 57602;
const UINT kFileSave = 57603;
const UINT kFileSaveAs = 57604;
const UINT kFilePrint = 57607;
const int kFaceCombo = 32857;
// Where the face box's item texts start, after the TrueType mark.
const int kFaceTextIndent = 22;
const char kGuideTitle[] = "Tallyform User's Guide";
const char kWineBrowserKey[] = "Software\\Wine\\WineBrowser";

std::string Text(HWND hWnd)
{
    return CDesignerProcess::ControlText(hWnd);
}

BOOL WaitFor(const std::function<bool()>& done)
{
    for (DWORD dwStart = GetTickCount(); !done(); Sleep(50))
        if (GetTickCount() - dwStart >= kWaitMs)
            return FALSE;
    return TRUE;
}

int CALLBACK NoteFace(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM lParam)
{
    *(BOOL*)lParam = TRUE;
    return 0;
}

int CALLBACK NoteFaceWithScript(const LOGFONTA* pLogFont, const TEXTMETRICA*, DWORD dwType,
                                LPARAM lParam)
{
    if ((dwType & TRUETYPE_FONTTYPE) && pLogFont->lfFaceName[0] != '@')
        ((std::vector<std::string>*)lParam)->push_back(
            std::string(pLogFont->lfFaceName) + " (" +
            (const char*)((const ENUMLOGFONTEXA*)pLogFont)->elfScript + ")");
    return 1;
}

// The TrueType faces of every script, each named with its script.
std::vector<std::string> TrueTypeFacesWithScripts()
{
    LOGFONTA lf = {};
    lf.lfCharSet = DEFAULT_CHARSET;
    std::vector<std::string> faces;
    HDC hDC = GetDC(NULL);
    EnumFontFamiliesExA(hDC, &lf, NoteFaceWithScript, (LPARAM)&faces, 0);
    ReleaseDC(NULL, hDC);
    return faces;
}

// The width of a text in the controls' font.
int GuiTextWidth(const std::string& text)
{
    HDC hDC = GetDC(NULL);
    HGDIOBJ hOld = SelectObject(hDC, GetStockObject(DEFAULT_GUI_FONT));
    SIZE size = {};
    GetTextExtentPoint32A(hDC, text.c_str(), (int)text.size(), &size);
    SelectObject(hDC, hOld);
    ReleaseDC(NULL, hDC);
    return size.cx;
}

// Whether font lists show the face under this name.
BOOL IsListedFace(const std::string& strFace)
{
    LOGFONTA lf = {};
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(lf.lfFaceName, strFace.c_str(), LF_FACESIZE);
    BOOL bFound = FALSE;
    HDC hDC = GetDC(NULL);
    EnumFontFamiliesExA(hDC, &lf, NoteFace, (LPARAM)&bFound, 0);
    ReleaseDC(NULL, hDC);
    return bFound;
}

// A screen rectangle as the X server shows it.
BOOL Capture(const RECT& rc, const std::string& name, CChartImage& image)
{
    std::string path = std::string(DESIGNER_SCREENSHOT_DIR) + "/looks-" + name + ".bmp";
    return SaveRootAreaBitmap(rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, path.c_str()) &&
           ReadBitmapFile(path.c_str(), image);
}

int Luminance(COLORREF cr)
{
    return (299 * GetRValue(cr) + 587 * GetGValue(cr) + 114 * GetBValue(cr)) / 1000;
}

int CountDark(const CChartImage& image)
{
    int n = 0;
    for (COLORREF cr : image.pixels)
        n += Luminance(cr) < 100;
    return n;
}

// The missing-glyph box some faces draw for a character they lack: a
// closed rectangle of dark pixels, empty inside, at least letter high.
BOOL ShowsMissingGlyphBox(const CChartImage& image)
{
    std::vector<int> seen(image.pixels.size(), 0);
    auto dark = [&](int x, int y) { return Luminance(image.At(x, y)) < 110; };
    for (int y0 = 0; y0 < image.cy; ++y0)
        for (int x0 = 0; x0 < image.cx; ++x0)
        {
            if (!dark(x0, y0) || seen[(size_t)y0 * image.cx + x0])
                continue;
            // The component's bounds, by a flood over its dark neighbours.
            RECT rc = { x0, y0, x0, y0 };
            std::vector<POINT> stack = { { x0, y0 } };
            seen[(size_t)y0 * image.cx + x0] = 1;
            while (!stack.empty())
            {
                POINT pt = stack.back();
                stack.pop_back();
                rc.left = pt.x < rc.left ? pt.x : rc.left;
                rc.right = pt.x > rc.right ? pt.x : rc.right;
                rc.top = pt.y < rc.top ? pt.y : rc.top;
                rc.bottom = pt.y > rc.bottom ? pt.y : rc.bottom;
                const POINT next[] = { { pt.x + 1, pt.y }, { pt.x - 1, pt.y }, { pt.x, pt.y + 1 },
                                       { pt.x, pt.y - 1 } };
                for (POINT n : next)
                    if (n.x >= 0 && n.y >= 0 && n.x < image.cx && n.y < image.cy && dark(n.x, n.y) &&
                        !seen[(size_t)n.y * image.cx + n.x])
                    {
                        seen[(size_t)n.y * image.cx + n.x] = 1;
                        stack.push_back(n);
                    }
            }
            if (rc.right - rc.left < 3 || rc.bottom - rc.top < 6)
                continue;
            BOOL bFrame = TRUE, bHollow = TRUE;
            for (int x = rc.left; x <= rc.right; ++x)
                bFrame = bFrame && dark(x, rc.top) && dark(x, rc.bottom);
            for (int y = rc.top; y <= rc.bottom; ++y)
                bFrame = bFrame && dark(rc.left, y) && dark(rc.right, y);
            for (int y = rc.top + 1; y < rc.bottom; ++y)
                for (int x = rc.left + 1; x < rc.right; ++x)
                    bHollow = bHollow && !dark(x, y);
            if (bFrame && bHollow)
                return TRUE;
        }
    return FALSE;
}

// Pearson's correlation of the two images' brightness.
double BrightnessCorrelation(const CChartImage& a, const CChartImage& b)
{
    double sa = 0, sb = 0, saa = 0, sbb = 0, sab = 0;
    const double n = (double)a.pixels.size();
    for (size_t i = 0; i < a.pixels.size(); ++i)
    {
        double x = Luminance(a.pixels[i]), y = Luminance(b.pixels[i]);
        sa += x, sb += y, saa += x * x, sbb += y * y, sab += x * y;
    }
    double d = sqrt((saa - sa * sa / n) * (sbb - sb * sb / n));
    return d > 0 ? (sab - sa * sb / n) / d : 0.0;
}

// The outline's line widths on each side of a page image, from its middle
// out: left, top, right, bottom; and the white space outside each.
struct Outline
{
    int widths[4] = {};
    int margins[4] = {};
};

Outline MeasureOutline(const sheettest::PdfPixels& page)
{
    Outline outline;
    auto dark = [&](int x, int y) { return Luminance(page.Pixel(x, y)) < 128; };
    const int cx = page.Width(), cy = page.Height();
    // Along the middle row (left, right) and a column a little in from the
    // left (top, bottom), from the page's edge inwards.
    struct Walk { int x, y, dx, dy; } walks[4] = {
        { 0, cy / 2, 1, 0 }, { cx / 8, 0, 0, 1 }, { cx - 1, cy / 2, -1, 0 }, { cx / 8, cy - 1, 0, -1 } };
    for (int side = 0; side < 4; ++side)
    {
        Walk w = walks[side];
        int x = w.x, y = w.y;
        while (x >= 0 && y >= 0 && x < cx && y < cy && !dark(x, y))
            x += w.dx, y += w.dy, ++outline.margins[side];
        while (x >= 0 && y >= 0 && x < cx && y < cy && dark(x, y))
            x += w.dx, y += w.dy, ++outline.widths[side];
    }
    return outline;
}

BOOL CALLBACK TakeStandardBar(HWND hWnd, LPARAM lParam)
{
    if (CDesignerProcess::ClassOf(hWnd) != TOOLBARCLASSNAMEA ||
        (int)SendMessageA(hWnd, TB_COMMANDTOINDEX, kFileSave, 0) < 0)
        return TRUE;
    *(HWND*)lParam = hWnd;
    return FALSE;
}

BOOL CALLBACK TakeFaceCombo(HWND hWnd, LPARAM lParam)
{
    if (GetDlgCtrlID(hWnd) != kFaceCombo || CDesignerProcess::ClassOf(hWnd) != "ComboBox")
        return TRUE;
    *(HWND*)lParam = hWnd;
    return FALSE;
}

class DesignerLooksTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // The set-up's sample template, in a folder of its type, and no
        // database.
        WriteWholeFile(m_folder.PathOf("Tallyform.INI"),
                       "[DataSource]\r\nStart=0\r\nType=0\r\nName=Reporting.mdb\r\n");
        ASSERT_TRUE(CreateDirectoryA(m_folder.PathOf("Template"), NULL));
        ASSERT_TRUE(CreateDirectoryA(m_folder.PathOf("Template\\Monthly"), NULL));
        m_strTemplate = m_folder.PathOf("Template\\Monthly\\Monthly Report.kvm");
        CTallyformDoc sample;
        sample.m_bAutoDelete = FALSE;
        BuildMonthlySample(sample.m_sheet);
        ASSERT_TRUE(sample.OnSaveDocument(m_strTemplate));
        // The working folder as the set-up leaves it: the guide beside the INI.
        ASSERT_TRUE(CopyFileA(CDesignerProcess::ProgramFolder() + "\\Tallyform.chm",
                              m_folder.PathOf("Tallyform.chm"), FALSE));
        // No mail program: Wine's mail handler is told to look for one that
        // no machine has.
        char szMailers[512] = "";
        DWORD cb = sizeof(szMailers);
        m_bHadMailers = RegGetValueA(HKEY_CURRENT_USER, kWineBrowserKey, "Mailers", RRF_RT_REG_SZ, NULL,
                                     szMailers, &cb) == ERROR_SUCCESS;
        m_strMailers = szMailers;
        const char szNone[] = "no-such-mail-program";
        ASSERT_EQ(ERROR_SUCCESS, RegSetKeyValueA(HKEY_CURRENT_USER, kWineBrowserKey, "Mailers", REG_SZ,
                                                 szNone, sizeof(szNone)));
    }

    void TearDown() override
    {
        if (m_bHadMailers)
            RegSetKeyValueA(HKEY_CURRENT_USER, kWineBrowserKey, "Mailers", REG_SZ, m_strMailers.c_str(),
                            (DWORD)m_strMailers.size() + 1);
        else
            RegDeleteKeyValueA(HKEY_CURRENT_USER, kWineBrowserKey, "Mailers");
        if (m_xidViewer != 0)
            CloseXClient(m_xidViewer);
    }

    void Command(UINT nID)
    {
        PostMessageA(m_pDriver->MainWindow(), WM_COMMAND, MAKEWPARAM(nID, 0), 0);
    }

    // The Standard bar: the tool bar with the Save button.
    HWND StandardBar()
    {
        HWND hFound = NULL;
        EnumChildWindows(m_pDriver->MainWindow(), TakeStandardBar, (LPARAM)&hFound);
        return hFound;
    }

    // The pictures of three buttons of the Standard bar as the screen shows them.
    std::vector<CChartImage> ButtonImages(const std::string& state)
    {
        // The pointer away from the bars, so that no button is hot.
        SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 2, GetSystemMetrics(SM_CYSCREEN) - 2);
        Sleep(300);
        HWND hBar = StandardBar();
        EXPECT_NE(hBar, nullptr);
        std::vector<CChartImage> images;
        for (UINT nID : { kFileSave, kSaveToPdf, kFilePrint })
        {
            int nIndex = (int)SendMessageA(hBar, TB_COMMANDTOINDEX, nID, 0);
            RECT rc = {};
            EXPECT_TRUE(SendForRemoteStruct(hBar, TB_GETITEMRECT, (WPARAM)nIndex, rc)) << nID;
            // The image inside the button's frame.
            InflateRect(&rc, -3, -3);
            MapWindowPoints(hBar, NULL, (POINT*)&rc, 2);
            CChartImage image;
            EXPECT_TRUE(Capture(rc, "button-" + std::to_string(nID) + "-" + state, image));
            images.push_back(image);
        }
        return images;
    }

    // The message box whose text holds the words, answered later by the caller.
    HWND WaitForBoxWith(LPCSTR lpszWords)
    {
        HWND hFound = NULL;
        WaitFor([&] {
            HWND hBox = m_pDesigner->WaitForDialog(NULL, 100);
            if (hBox != NULL && CDesignerProcess::MessageText(hBox).Find(lpszWords) >= 0)
                hFound = hBox;
            return hFound != NULL;
        });
        return hFound;
    }

    CScratchFolder m_folder;
    CString m_strTemplate;
    BOOL m_bHadMailers = FALSE;
    std::string m_strMailers;
    unsigned long m_xidViewer = 0;
    std::unique_ptr<CDesignerProcess> m_pDesigner;
    std::unique_ptr<CRunModeDriver> m_pDriver;
};
} // namespace

TEST_F(DesignerLooksTest, DesignRoadShowsRealFacesShapesTextsAndTheGuide)
{
    m_pDesigner.reset(new CDesignerProcess(m_folder.GetPath(), CString("\"") + m_strTemplate + "\""));
    ASSERT_TRUE(m_pDesigner->IsStarted());
    m_pDriver.reset(new CRunModeDriver(*m_pDesigner));
    ASSERT_TRUE(m_pDriver->FindView(kWaitMs));
    ASSERT_TRUE(m_pDriver->WaitForSplashGone(kWaitMs));
    HWND hView = m_pDriver->View();
    std::vector<CChartImage> enabled = ButtonImages("enabled");

    // A default-font cell: the Format bar names a face that font lists know.
    PostMessageA(hView, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 12));
    PostMessageA(hView, WM_LBUTTONUP, 0, MAKELPARAM(40, 12));
    HWND hFaceCombo = NULL;
    EnumChildWindows(m_pDriver->MainWindow(), TakeFaceCombo, (LPARAM)&hFaceCombo);
    ASSERT_NE(hFaceCombo, nullptr);
    std::string strFace;
    EXPECT_TRUE(WaitFor([&] { return !(strFace = Text(hFaceCombo)).empty(); }))
        << "the face box stays blank for a default-font cell";
    // The closed box holds every face's name whole, even with a script
    // after it, beside the TrueType mark and the drop-down button.
    {
        RECT rcBox;
        GetWindowRect(hFaceCombo, &rcBox);
        CChartImage box;
        EXPECT_TRUE(Capture(rcBox, "face-box", box));
        const int cxText = rcBox.right - rcBox.left - GetSystemMetrics(SM_CXVSCROLL) -
                           2 * GetSystemMetrics(SM_CXEDGE) - kFaceTextIndent;
        std::string widest = Text(hFaceCombo);
        for (const std::string& text : TrueTypeFacesWithScripts())
            widest = GuiTextWidth(text) > GuiTextWidth(widest) ? text : widest;
        EXPECT_LE(GuiTextWidth(widest), cxText) << widest << " is cut";
    }
    // A face listed in several scripts carries the script after its name.
    strFace = strFace.substr(0, strFace.find(" ("));
    EXPECT_TRUE(IsListedFace(strFace)) << strFace;

    // The font dialog opens on that face and its size.
    Command(kFonts);
    HWND hFontDlg = m_pDesigner->WaitForDialog("Font", kWaitMs);
    ASSERT_NE(hFontDlg, nullptr);
    EXPECT_TRUE(WaitFor([&] { return !Text(GetDlgItem(hFontDlg, cmb1)).empty(); }));
    EXPECT_EQ(strFace, Text(GetDlgItem(hFontDlg, cmb1)));
    EXPECT_EQ("8", Text(GetDlgItem(hFontDlg, cmb3)));
    CDesignerProcess::Press(hFontDlg, IDCANCEL);
    ASSERT_TRUE(CDesignerProcess::WaitGone(hFontDlg, kWaitMs));

    // Bold shows: the cell's text takes more ink.
    RECT rcCell = { 4, 4, 116, 26 };
    MapWindowPoints(hView, NULL, (POINT*)&rcCell, 2);
    CChartImage plain, bold;
    m_pDriver->Settle();
    ASSERT_TRUE(Capture(rcCell, "cell-plain", plain));
    Command(kBold);
    m_pDriver->Settle();
    Sleep(300);
    ASSERT_TRUE(Capture(rcCell, "cell-bold", bold));
    EXPECT_GT(CountDark(bold), CountDark(plain) * 5 / 4) << CountDark(plain) << " dark pixels before";

    // Send Mail without a mail program says so.
    Command(kSendMail);
    HWND hBox = m_pDesigner->WaitForMessage("The mail system is not available.", kWaitMs);
    ASSERT_NE(hBox, nullptr);
    CDesignerProcess::Press(hBox, IDOK);
    ASSERT_TRUE(CDesignerProcess::WaitGone(hBox, kWaitMs));

    // Save to PDF proposes the template's name, beside the template: taken
    // as proposed, the PDF lands there.
    CString strProposed;
    ASSERT_TRUE(m_pDriver->ChooseFile(kSaveToPdf, "Monthly Report.pdf", 0, kWaitMs, &strProposed));
    EXPECT_STREQ("Monthly Report.pdf", strProposed);
    CString strPdf = m_folder.PathOf("Template\\Monthly\\Monthly Report.pdf");
    ASSERT_TRUE(WaitFor([&] { return GetFileAttributesA(strPdf) != INVALID_FILE_ATTRIBUTES; }))
        << "no PDF beside the template";
    // The PDF keeps the whole outline: as wide on every side, inside the page.
    sheettest::PdfPixels page;
    ASSERT_TRUE(page.Load((LPCSTR)DaoUnixPath(strPdf), 288));
    Outline outline = MeasureOutline(page);
    for (int side = 0; side < 4; ++side)
    {
        SCOPED_TRACE(side);
        EXPECT_GE(outline.margins[side], 8) << "the line touches the page's edge";
        EXPECT_GE(outline.widths[side], 3);
        EXPECT_NEAR(outline.widths[side], outline.widths[0], 1);
    }

    // The overwrite question draws its full-width comma, not a box.
    Command(kFileSaveAs);
    HWND hSave = m_pDesigner->WaitForDialog("Save Template", kWaitMs);
    ASSERT_NE(hSave, nullptr);
    HWND hTree = GetDlgItem(hSave, 1245);
    LPARAM hFolder = 0;
    ASSERT_TRUE(WaitFor([&] {
        LPARAM hRoot = SendMessageA(hTree, TVM_GETNEXTITEM, TVGN_ROOT, 0);
        LPARAM hChild = hRoot != 0 ? SendMessageA(hTree, TVM_GETNEXTITEM, TVGN_CHILD, hRoot) : 0;
        // The Monthly folder, under the root when the tree shows one.
        hFolder = hChild != 0 ? hChild : hRoot;
        return hFolder != 0;
    }));
    SendMessageA(hTree, TVM_SELECTITEM, TVGN_CARET, hFolder);
    SetDlgItemTextA(hSave, 1243, "Monthly Report");
    CDesignerProcess::Press(hSave, IDOK);
    hBox = WaitForBoxWith("already exsisted");
    ASSERT_NE(hBox, nullptr) << "no question to overwrite";
    Sleep(300);
    RECT rcText;
    GetWindowRect(GetDlgItem(hBox, 0xFFFF), &rcText);
    CChartImage question;
    ASSERT_TRUE(Capture(rcText, "overwrite-question", question));
    EXPECT_FALSE(ShowsMissingGlyphBox(question)) << "a box stands for the full-width comma";
    EXPECT_GT(CountDark(question), 100);
    CDesignerProcess::Press(hBox, IDNO);
    ASSERT_TRUE(CDesignerProcess::WaitGone(hBox, kWaitMs));

    // Without a document the three buttons are disabled, and still show
    // their pictures: grey, with the shapes of the enabled ones.
    Command(kFileClose);
    HWND hQuestion = m_pDesigner->WaitForDialog(NULL, 3000);
    if (hQuestion != NULL)
        CDesignerProcess::Press(hQuestion, IDNO);
    ASSERT_TRUE(WaitFor([&] {
        HWND hBar = StandardBar();
        int nIndex = hBar != NULL ? (int)SendMessageA(hBar, TB_COMMANDTOINDEX, kFileSave, 0) : -1;
        return nIndex >= 0 && !(SendMessageA(hBar, TB_GETSTATE, kFileSave, 0) & TBSTATE_ENABLED);
    })) << "Save stays enabled without a document";
    std::vector<CChartImage> disabled = ButtonImages("disabled");
    ASSERT_EQ(enabled.size(), disabled.size());
    for (size_t i = 0; i < disabled.size(); ++i)
    {
        SCOPED_TRACE(i);
        ASSERT_EQ(enabled[i].pixels.size(), disabled[i].pixels.size());
        std::set<int> greys;
        int nColoured = 0;
        for (COLORREF cr : disabled[i].pixels)
        {
            greys.insert(Luminance(cr) / 8);
            nColoured += abs(GetRValue(cr) - GetGValue(cr)) > 12 || abs(GetGValue(cr) - GetBValue(cr)) > 12;
        }
        EXPECT_EQ(nColoured, 0) << "a disabled picture is grey";
        EXPECT_GE(greys.size(), 5u) << "a silhouette of two or three greys";
        EXPECT_GT(BrightnessCorrelation(enabled[i], disabled[i]), 0.8) << "the shape is lost";
    }

    // Help Topics shows the user's guide in a viewer window.
    Command(kHelpTopics);
    EXPECT_TRUE(WaitFor([&] { return (m_xidViewer = FindXWindowNamed(kGuideTitle)) != 0; }))
        << "no guide; messages: " << (m_pDesigner->Seen().empty() ? "" : m_pDesigner->Seen().back());
    EXPECT_TRUE(m_pDriver->CloseDiscarding(kWaitMs));
}
