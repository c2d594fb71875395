// The cell definition sheet in the real designer on the embedded (SQLite)
// reporting database: three selected cells given each cell type in turn
// through Cell > Format..., with fonts, borders and number formats, saved
// and read back, and their items through Item Setup as the view shows them;
// Undo against the saved bytes; the sheet's refusals; and its child
// dialogs, the formula explained by the items of its cells.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tests/sheet/document/database/ReportTestBackend.h"
#include "tests/app/DesignDriver.h"
#include "tests/app/ScreenCapture.h"
#include "tests/sheet/SheetGrid.h"
#include "tests/support/ScratchFolder.h"

#include <commctrl.h>

#include "engines/common/KemDatabase.h"
#include "sheet/document/TallyformDoc.h"

namespace
{
const DWORD kWaitMs = 20000;
const UINT kCellProperties = 32861;
const UINT kUndo = 57643;
const UINT kModeNormal = 33018;
const UINT kModeRowItem = 33021;
const UINT kModeColItem = 33022;
const UINT kItemSetup = 33047;
const UINT kItemColumnSetup = 33049;
const int kW = 80;
const int kH = 30;

// The sheet's controls.
enum { NAME = 1004, TABINDEX = 1005, FONT = 1036, BACKCOLOR = 1037, LEFT_COLOR = 1038, LEFT_STYLE = 1044,
       BOTTOM_STYLE = 1047, ALIGN_RIGHT = 1105, ALIGN_BOTTOM = 1108, TYPES = 1252, NUM_FORMAT = 1127,
       NUM_UNIT = 1124, NUM_CURRENCY = 1123, ROW_ITEM = 1096, COL_ITEM = 1095, ROW_EDIT = 1016,
       COL_EDIT = 1017, TEXT_EDIT = 1015, TEXT_STATIC = 1060, FORMULA_EDIT = 1018, DATE_DEFAULT = 1222,
       PICTURE_FILE = 1001, PICTURE_FIT = 1033, FORMULA_EXPLAIN = 1092, FORMULA_NOTE = 1136 };
// Positions in the type list.
enum { LIST_TEXT = 1, LIST_DATA = 2, LIST_ORGAN_CODE = 3, LIST_ORGAN_NAME = 4, LIST_DATE = 5,
       LIST_FORMULA = 6, LIST_PICTURE = 7 };
const UINT WM_COLOUR_SELENDOK_MSG = WM_USER + 1004;

BOOL WaitFor(std::function<bool()> done, DWORD dwMilliseconds = kWaitMs)
{
    for (DWORD dwStart = GetTickCount(); !done(); Sleep(50))
        if (GetTickCount() - dwStart >= dwMilliseconds)
            return FALSE;
    return TRUE;
}

struct FindState
{
    int nID;
    HWND hFound;
};

BOOL CALLBACK FindVisible(HWND hWnd, LPARAM lParam)
{
    FindState* pState = reinterpret_cast<FindState*>(lParam);
    if (GetDlgCtrlID(hWnd) == pState->nID && IsWindowVisible(hWnd))
    {
        pState->hFound = hWnd;
        return FALSE;
    }
    return TRUE;
}

// The visible control nID anywhere below hParent (a page or its child dialog).
HWND Control(HWND hParent, int nID)
{
    FindState state = { nID, NULL };
    EnumChildWindows(hParent, FindVisible, reinterpret_cast<LPARAM>(&state));
    return state.hFound;
}

std::string TextOf(HWND hWnd)
{
    WCHAR szWide[512] = {};
    char szText[512] = "";
    SendMessageW(hWnd, WM_GETTEXT, 512, (LPARAM)szWide);
    WideCharToMultiByte(CP_ACP, 0, szWide, -1, szText, sizeof(szText), NULL, NULL);
    return szText;
}

// A 4 x 4 24-bit bitmap file.
void WriteBitmap(LPCSTR lpszPath)
{
    std::string bytes(54 + 4 * 4 * 3, '\0');
    BITMAPFILEHEADER* pFile = reinterpret_cast<BITMAPFILEHEADER*>(&bytes[0]);
    pFile->bfType = 0x4D42;
    pFile->bfSize = (DWORD)bytes.size();
    pFile->bfOffBits = 54;
    BITMAPINFOHEADER* pInfo = reinterpret_cast<BITMAPINFOHEADER*>(&bytes[14]);
    pInfo->biSize = 40;
    pInfo->biWidth = 4;
    pInfo->biHeight = 4;
    pInfo->biPlanes = 1;
    pInfo->biBitCount = 24;
    for (size_t i = 54; i < bytes.size(); i += 3)
        bytes[i + 2] = (char)0xC0;
    WriteWholeFile(lpszPath, bytes);
}

class CellDefineTest : public ::testing::Test
{
protected:
    CellDefineTest() : m_backend(MakeReportBackend(BACKEND_DAO_SQLITE)) {}

    void SetUp() override
    {
        ASSERT_TRUE(m_backend->IsReady());
        m_backend->Exec("INSERT INTO ss_item (FD_Code, FD_Name, FD_SearchCode) VALUES ('101', 'Wages', 'W')");
        m_backend->Exec("INSERT INTO ss_item (FD_Code, FD_Name, FD_SearchCode) VALUES ('102', 'Bonus', 'N')");
        m_backend->Exec("INSERT INTO ss_colitem (FD_Code, FD_Name, FD_SearchCode) VALUES ('C1', 'Budget', 'B')");
        m_backend->Exec("INSERT INTO ss_colitem (FD_Code, FD_Name, FD_SearchCode) VALUES ('C2', 'Actual', 'A')");
        CKemDatabase source;
        m_backend->Describe(&source);
        WriteWholeFile(m_folder.PathOf("Tallyform.INI"),
                       "[DataSource]\r\nStart=1\r\nType=" + std::to_string(m_backend->Type()) +
                           "\r\nName=" + std::string((LPCSTR)source.m_strDatabase) + "\r\n");
        m_strTemplate = m_folder.PathOf("Cells.kvm");
        // Row 1: the cells under test; row 2: numeric cells formulas name.
        CTallyformDoc doc;
        doc.m_bAutoDelete = FALSE;
        sheettest::MakeGrid(doc.m_sheet, 2, 3, kW, kH);
        for (int n = 3; n < 6; ++n)
            doc.m_sheet.m_cells[n].SetType(CELL_NUMERIC);
        // A2 and B2 hold the figures of row items in columns.
        strcpy(doc.m_sheet.m_cells[3].m_szRowItemCode, "101");
        strcpy(doc.m_sheet.m_cells[3].m_szColItemCode, "C1");
        strcpy(doc.m_sheet.m_cells[4].m_szRowItemCode, "102");
        strcpy(doc.m_sheet.m_cells[4].m_szColItemCode, "C2");
        strcpy(doc.m_sheet.m_szCode, "CDF01");
        ASSERT_TRUE(doc.OnSaveDocument(m_strTemplate));

        m_pDesigner.reset(new CDesignerProcess(m_folder.GetPath(), "\"" + m_strTemplate + "\""));
        ASSERT_TRUE(m_pDesigner->IsStarted());
        HWND hConnect = m_pDesigner->WaitForDialog("Connect to Database", kWaitMs);
        ASSERT_NE(hConnect, nullptr);
        CDesignerProcess::Press(hConnect, IDOK);
        ASSERT_TRUE(CDesignerProcess::WaitGone(hConnect, kWaitMs));
        m_pDriver.reset(new CRunModeDriver(*m_pDesigner));
        ASSERT_TRUE(m_pDriver->FindView(kWaitMs));
        ASSERT_TRUE(m_pDriver->WaitForSplashGone(kWaitMs));
        m_pDesign.reset(new CDesignDriver(*m_pDesigner, *m_pDriver));
    }

    void TearDown() override
    {
        if (m_pDriver)
        {
            EXPECT_TRUE(m_pDriver->CloseDiscarding(kWaitMs));
        }
    }

    // A click on the first cell, Ctrl+clicks on the others of the row.
    void Select(int nFirstCol, int nLastCol, int nRow = 0)
    {
        m_pDesign->Click(CDesignDriver::CellCentre(nRow, nFirstCol, kW, kH));
        for (int c = nFirstCol + 1; c <= nLastCol; ++c)
            m_pDesign->Click(CDesignDriver::CellCentre(nRow, c, kW, kH), MK_CONTROL);
    }

    // The program's top-level windows with their texts, for failure messages.
    std::string Windows()
    {
        std::string text;
        for (HWND hWnd : m_pDesigner->TopLevelWindows())
            text += "[" + std::string((LPCSTR)CDesignerProcess::TextOf(hWnd)) + ": " +
                    (LPCSTR)CDesignerProcess::MessageText(hWnd) + "] ";
        return text;
    }

    // Cell > Format...: the sheet, with the page shown (0 General, 1 Cell Format).
    HWND OpenSheet(int nPage)
    {
        PostMessageA(m_pDriver->MainWindow(), WM_COMMAND, MAKEWPARAM(kCellProperties, 0), 0);
        m_hSheet = m_pDesigner->WaitForDialog("Cell Properties", kWaitMs);
        EXPECT_NE(m_hSheet, nullptr);
        if (m_hSheet != NULL && nPage != 0)
            SendMessageA(m_hSheet, PSM_SETCURSEL, (WPARAM)nPage, 0);
        return Page();
    }

    HWND Page() const { return (HWND)SendMessageA(m_hSheet, PSM_GETCURRENTPAGEHWND, 0, 0); }

    void ChooseType(int nPosition)
    {
        HWND hList = GetDlgItem(Page(), TYPES);
        SendMessageA(hList, LB_SETCURSEL, (WPARAM)nPosition, 0);
        SendMessageA(Page(), WM_COMMAND, MAKEWPARAM(TYPES, LBN_SELCHANGE), (LPARAM)hList);
    }

    void SetControlText(int nID, LPCSTR lpszText)
    {
        SendMessageA(Control(Page(), nID), WM_SETTEXT, 0, (LPARAM)lpszText);
    }

    void PickFirstItem(int nButton, LPCSTR lpszCaption, LPCSTR lpszSearch)
    {
        PostMessageA(Control(Page(), nButton), BM_CLICK, 0, 0);
        HWND hFind = m_pDesigner->WaitForDialog(lpszCaption, kWaitMs);
        ASSERT_NE(hFind, nullptr) << Windows();
        EXPECT_TRUE(CDesignerProcess::IsCentredOn(hFind, m_hSheet));
        SetDlgItemTextA(hFind, 32803, lpszSearch);
        HWND hList = GetDlgItem(hFind, 1145);
        EXPECT_TRUE(WaitFor([&] { return SendMessageA(hList, LB_GETCOUNT, 0, 0) == 1; }));
        CDesignerProcess::Press(hFind, IDOK);
        ASSERT_TRUE(CDesignerProcess::WaitGone(hFind, kWaitMs));
    }

    // OK on the sheet; TRUE once it has gone.
    BOOL PressOk()
    {
        PostMessageA(m_hSheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
        return CDesignerProcess::WaitGone(m_hSheet, kWaitMs);
    }

    // The text of the message box that comes up, answered with OK.
    std::string AnswerBox()
    {
        std::string text;
        WaitFor([&] {
            for (HWND hWnd : m_pDesigner->TopLevelWindows())
            {
                if (hWnd == m_hSheet || CDesignerProcess::ClassOf(hWnd) != "#32770" || !GetDlgItem(hWnd, 0xFFFF))
                    continue;
                text = (LPCSTR)CDesignerProcess::MessageText(hWnd);
                CDesignerProcess::Press(hWnd, IDOK);
                WaitFor([&] { return !IsWindow(hWnd) || !IsWindowVisible(hWnd); });
                return true;
            }
            return false;
        });
        return text;
    }

    void Screenshot(const char* lpszName)
    {
        RedrawWindow(m_hSheet, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        Sleep(300);
        RECT rc;
        GetWindowRect(m_hSheet, &rc);
        const std::string path = std::string(DESIGNER_SCREENSHOT_DIR) + "/celldef-" + lpszName + ".bmp";
        EXPECT_TRUE(SaveRootAreaBitmap(rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, path.c_str()));
    }

    // File > Save, then the template read back here.
    std::string SaveAndLoad(CTallyformDoc& doc)
    {
        const std::string bytes = m_pDesign->SaveTemplate(m_strTemplate);
        doc.m_bAutoDelete = FALSE;
        EXPECT_TRUE(doc.OnOpenDocument(m_strTemplate));
        return bytes;
    }

    std::unique_ptr<ReportTestBackend> m_backend;
    CScratchFolder m_folder;
    CString m_strTemplate;
    std::unique_ptr<CDesignerProcess> m_pDesigner;
    std::unique_ptr<CRunModeDriver> m_pDriver;
    std::unique_ptr<CDesignDriver> m_pDesign;
    HWND m_hSheet = NULL;
};
} // namespace

TEST_F(CellDefineTest, ThreeCellsTakeEachTypeWithTheirLookAndUndoRestoresThem)
{
    const std::string original = m_pDesign->SaveTemplate(m_strTemplate);
    ASSERT_FALSE(original.empty());

    // General page: the look of all three, the name and tab index kept.
    Select(0, 2);
    HWND hPage = OpenSheet(0);
    ASSERT_NE(hPage, nullptr);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(hPage, NAME)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(hPage, TABINDEX)));
    SendMessageA(GetDlgItem(hPage, ALIGN_RIGHT), BM_CLICK, 0, 0);
    SendMessageA(GetDlgItem(hPage, ALIGN_BOTTOM), BM_CLICK, 0, 0);
    SendMessageA(GetDlgItem(hPage, LEFT_STYLE), CB_SETCURSEL, 2, 0);
    SendMessageA(GetDlgItem(hPage, BOTTOM_STYLE), CB_SETCURSEL, 3, 0);
    SendMessageA(GetDlgItem(hPage, BACKCOLOR), WM_COLOUR_SELENDOK_MSG, RGB(255, 255, 0), 0);
    SendMessageA(GetDlgItem(hPage, LEFT_COLOR), WM_COLOUR_SELENDOK_MSG, RGB(255, 0, 0), 0);
    PostMessageA(GetDlgItem(hPage, FONT), BM_CLICK, 0, 0);
    HWND hFont = m_pDesigner->WaitForDialog("Font", kWaitMs);
    ASSERT_NE(hFont, nullptr);
    // The size list and the underline box of the common font dialog.
    HWND hSize = GetDlgItem(hFont, 1138);
    SendMessageA(hSize, CB_SETCURSEL, SendMessageA(hSize, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)"14"), 0);
    SendMessageA(hFont, WM_COMMAND, MAKEWPARAM(1138, CBN_SELCHANGE), (LPARAM)hSize);
    SendMessageA(GetDlgItem(hFont, 1041), BM_CLICK, 0, 0);
    CDesignerProcess::Press(hFont, IDOK);
    ASSERT_TRUE(CDesignerProcess::WaitGone(hFont, kWaitMs));
    Screenshot("general");

    // Cell Format page: static text.
    SendMessageA(m_hSheet, PSM_SETCURSEL, 1, 0);
    ChooseType(LIST_TEXT);
    SendMessageA(Control(Page(), TEXT_STATIC), BM_CLICK, 0, 0);
    SetControlText(TEXT_EDIT, "Label");
    Screenshot("cell-format");
    ASSERT_TRUE(PressOk());
    {
        CTallyformDoc doc;
        SaveAndLoad(doc);
        const CCell& first = doc.m_sheet.m_cells[0];
        for (int n = 0; n < 3; ++n)
        {
            SCOPED_TRACE(n);
            const CCell& cell = doc.m_sheet.m_cells[n];
            EXPECT_EQ(CELL_TEXT, cell.m_nType);
            EXPECT_STREQ("Label", cell.m_strValue);
            EXPECT_EQ(0, cell.m_bDynamic);
            EXPECT_EQ(CELL_ALIGN_RIGHT, cell.m_nHAlign);
            EXPECT_EQ(CELL_ALIGN_BOTTOM, cell.m_nVAlign);
            EXPECT_EQ(CELL_LINE_THICK, cell.m_nLeftEdge);
            EXPECT_EQ(CELL_LINE_DOT, cell.m_nBottomEdge);
            EXPECT_EQ(RGB(255, 255, 0), cell.m_crBack);
            EXPECT_EQ(RGB(255, 0, 0), cell.m_crLeftEdge);
            EXPECT_EQ(1, cell.m_logFont.lfUnderline);
            EXPECT_TRUE(IsSameFont(first.m_logFont, cell.m_logFont));
            EXPECT_EQ(sheettest::CellName(0, n), (LPCSTR)cell.m_strName);
            EXPECT_EQ(n + 1, cell.m_nTabIndex);
        }
        EXPECT_NE(CCell::DefaultFont().lfHeight, first.m_logFont.lfHeight);
    }

    // Numeric on three cells: the formats; item codes only go to one cell.
    Select(0, 2);
    OpenSheet(1);
    ChooseType(LIST_DATA);
    SendMessageA(Control(Page(), NUM_FORMAT), CB_SETCURSEL, 1, 0);
    SendMessageA(Control(Page(), NUM_UNIT), CB_SETCURSEL, 2, 0);
    SendMessageA(Control(Page(), NUM_CURRENCY), CB_SETCURSEL, 4, 0);
    SetControlText(ROW_EDIT, "999");
    ASSERT_TRUE(PressOk());
    m_pDesign->Click(CDesignDriver::CellCentre(0, 0, kW, kH));
    OpenSheet(1);
    ASSERT_NE(Control(Page(), NUM_FORMAT), nullptr) << "a numeric cell opens on its dialog";
    ASSERT_NO_FATAL_FAILURE(PickFirstItem(ROW_ITEM, "Find Row Item", "101"));
    // Typed codes stop at the eight characters a cell holds.
    SetControlText(COL_EDIT, "");
    SendMessageA(Control(Page(), COL_EDIT), WM_SETFOCUS, 0, 0);
    CRunModeDriver::TypeChars(Control(Page(), COL_EDIT), "123456789X");
    EXPECT_TRUE(WaitFor([&] { return TextOf(Control(Page(), COL_EDIT)) == "12345678"; }))
        << TextOf(Control(Page(), COL_EDIT));
    ASSERT_NO_FATAL_FAILURE(PickFirstItem(COL_ITEM, "Find Column Item", "C1"));
    EXPECT_EQ("101", TextOf(Control(Page(), ROW_EDIT)));
    ASSERT_TRUE(PressOk());
    std::string beforeDate;
    {
        CTallyformDoc doc;
        beforeDate = SaveAndLoad(doc);
        for (int n = 0; n < 3; ++n)
        {
            SCOPED_TRACE(n);
            const CCell& cell = doc.m_sheet.m_cells[n];
            EXPECT_EQ(CELL_NUMERIC, cell.m_nType);
            EXPECT_EQ(1, cell.m_nNumberFormat);
            EXPECT_EQ(2, cell.m_nUnit);
            EXPECT_EQ(4, cell.m_nCurType);
            EXPECT_EQ(CELL_ALIGN_RIGHT, cell.m_nHAlign) << "the look stays";
        }
        EXPECT_STREQ("101", doc.m_sheet.m_cells[0].m_szRowItemCode);
        EXPECT_STREQ("C1", doc.m_sheet.m_cells[0].m_szColItemCode);
        EXPECT_STREQ("", doc.m_sheet.m_cells[1].m_szRowItemCode);
    }

    // Report Date: the numeric codes do not live on as a date code.
    Select(0, 2);
    OpenSheet(1);
    ChooseType(LIST_DATE);
    SendMessageA(Control(Page(), DATE_DEFAULT), BM_CLICK, 0, 0);
    ASSERT_TRUE(PressOk());
    {
        CTallyformDoc doc;
        SaveAndLoad(doc);
        for (int n = 0; n < 3; ++n)
        {
            SCOPED_TRACE(n);
            const CCell& cell = doc.m_sheet.m_cells[n];
            EXPECT_EQ(CELL_REPORTDATE, cell.m_nType);
            EXPECT_EQ(1, cell.m_nDateStyle);
            EXPECT_STREQ("", cell.m_szDateCode);
        }
    }
    ASSERT_TRUE(m_pDesign->Command(kUndo));
    EXPECT_TRUE(beforeDate == m_pDesign->SaveTemplate(m_strTemplate)) << "Undo gives the numeric cells back";

    // Cell > Item Setup and Item Column Setup in the mode that shows their
    // codes: with no click after OK, each of the three cells shows its new
    // code, as a full repaint draws it.
    auto shownCells = [&](const char* lpszName) {
        m_pDriver->Settle();
        RECT rcRow = { 0, 0, 3 * kW, kH };
        MapWindowPoints(m_pDriver->View(), NULL, (POINT*)&rcRow, 2);
        const std::string path = std::string(DESIGNER_SCREENSHOT_DIR) + "/celldef-" + lpszName + ".bmp";
        EXPECT_TRUE(SaveRootAreaBitmap(rcRow.left, rcRow.top, 3 * kW, kH, path.c_str()));
        std::vector<std::vector<unsigned int>> cells(3, std::vector<unsigned int>((kW - 4) * (kH - 4)));
        for (int c = 0; c < 3; ++c)
            EXPECT_TRUE(ReadRootPixels(rcRow.left + c * kW + 2, rcRow.top + 2, kW - 4, kH - 4, cells[c].data()));
        return cells;
    };
    const struct { UINT nMode, nSetup; LPCSTR lpszCaption, lpszCode; } setups[] = {
        { kModeRowItem, kItemSetup, "Find Row Item", "102" },
        { kModeColItem, kItemColumnSetup, "Find Column Item", "C2" },
    };
    for (const auto& setup : setups)
    {
        SCOPED_TRACE(setup.lpszCaption);
        ASSERT_TRUE(m_pDesign->Command(setup.nMode));
        Select(0, 2);
        const auto before = shownCells("item-before");
        HWND hFind = m_pDesign->CommandDialog(setup.nSetup, setup.lpszCaption);
        ASSERT_NE(hFind, nullptr) << Windows();
        SetDlgItemTextA(hFind, 32803, setup.lpszCode);
        EXPECT_TRUE(WaitFor([&] { return SendMessageA(GetDlgItem(hFind, 1145), LB_GETCOUNT, 0, 0) == 1; }));
        CDesignerProcess::Press(hFind, IDOK);
        ASSERT_TRUE(CDesignerProcess::WaitGone(hFind, kWaitMs));
        const auto shown = shownCells("item-after");
        RedrawWindow(m_pDriver->View(), NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        const auto repainted = shownCells("item-repainted");
        for (int c = 0; c < 3; ++c)
        {
            SCOPED_TRACE(c);
            EXPECT_TRUE(before[c] != repainted[c]) << "the new code draws otherwise";
            EXPECT_TRUE(shown[c] == repainted[c]) << "the cell still shows its old code";
        }
    }
    ASSERT_TRUE(m_pDesign->Command(kModeNormal));
    {
        CTallyformDoc doc;
        SaveAndLoad(doc);
        for (int n = 0; n < 3; ++n)
        {
            EXPECT_STREQ("102", doc.m_sheet.m_cells[n].m_szRowItemCode) << n;
            EXPECT_STREQ("C2", doc.m_sheet.m_cells[n].m_szColItemCode) << n;
        }
    }

    // Formula, typed with blanks and in lower case.
    Select(0, 2);
    OpenSheet(1);
    ChooseType(LIST_FORMULA);
    SetControlText(FORMULA_EDIT, "a2 + b2");
    // Explain names the cells by their items in any letter case.
    PostMessageA(Control(Page(), FORMULA_EXPLAIN), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitFor([&] { return TextOf(Control(Page(), FORMULA_NOTE)) == "Wages&Budget+Bonus&Actual"; }))
        << TextOf(Control(Page(), FORMULA_NOTE)) << Windows();
    ASSERT_TRUE(PressOk());
    {
        CTallyformDoc doc;
        SaveAndLoad(doc);
        for (int n = 0; n < 3; ++n)
        {
            SCOPED_TRACE(n);
            EXPECT_EQ(CELL_FORMULA, doc.m_sheet.m_cells[n].m_nType);
            EXPECT_STREQ("A2+B2", doc.m_sheet.m_cells[n].m_strFormula);
        }
    }

    // Organization code and name: no settings of their own.
    const int organTypes[2][2] = { { LIST_ORGAN_CODE, CELL_ORGANCODE }, { LIST_ORGAN_NAME, CELL_ORGAN } };
    for (const auto& organ : organTypes)
    {
        Select(0, 2);
        OpenSheet(1);
        ChooseType(organ[0]);
        ASSERT_TRUE(PressOk());
        CTallyformDoc doc;
        SaveAndLoad(doc);
        for (int n = 0; n < 3; ++n)
        {
            EXPECT_EQ(organ[1], doc.m_sheet.m_cells[n].m_nType) << n;
            EXPECT_STREQ("", doc.m_sheet.m_cells[n].m_strFormula) << n;
        }
    }

    // Picture from a bitmap file, fitted on the cells.
    const CString strBitmap = m_folder.PathOf("Swatch.bmp");
    WriteBitmap(strBitmap);
    Select(0, 2);
    OpenSheet(1);
    ChooseType(LIST_PICTURE);
    SetControlText(PICTURE_FILE, strBitmap);
    SendMessageA(Control(Page(), PICTURE_FIT), BM_CLICK, 0, 0);
    const std::string beforePicture = m_pDesign->SaveTemplate(m_strTemplate);
    ASSERT_TRUE(PressOk());
    {
        CTallyformDoc doc;
        SaveAndLoad(doc);
        for (int n = 0; n < 3; ++n)
        {
            SCOPED_TRACE(n);
            const CCell& cell = doc.m_sheet.m_cells[n];
            EXPECT_EQ(CELL_PICTURE, cell.m_nType);
            EXPECT_TRUE(cell.IsPictureValid());
            EXPECT_EQ(1, cell.m_bStretch);
            const BITMAPINFOHEADER* pHeader = static_cast<const BITMAPINFOHEADER*>(cell.m_hDibInfo);
            ASSERT_NE(pHeader, nullptr);
            EXPECT_EQ(4, pHeader->biWidth);
            EXPECT_EQ(4, abs(pHeader->biHeight));
        }
    }
    ASSERT_TRUE(m_pDesign->Command(kUndo));
    EXPECT_TRUE(beforePicture == m_pDesign->SaveTemplate(m_strTemplate)) << "Undo takes the pictures back";
}

TEST_F(CellDefineTest, RefusalsTellAndChangeNothing)
{
    // B1 becomes a formula over A2.
    m_pDesign->Click(CDesignDriver::CellCentre(0, 1, kW, kH));
    OpenSheet(1);
    ChooseType(LIST_FORMULA);
    SetControlText(FORMULA_EDIT, "A2*2");
    ASSERT_TRUE(PressOk());
    const std::string formulaMade = m_pDesign->SaveTemplate(m_strTemplate);

    // A2 is named by that formula: its type and its name stay.
    m_pDesign->Click(CDesignDriver::CellCentre(1, 0, kW, kH));
    HWND hPage = OpenSheet(0);
    SetDlgItemTextA(hPage, NAME, "X9");
    PostMessageA(m_hSheet, PSM_SETCURSEL, 1, 0);
    EXPECT_EQ("This cell is used by other Formula Cells,cannot change name!", AnswerBox());
    EXPECT_EQ(hPage, Page()) << "the General page stays";
    SetDlgItemTextA(hPage, NAME, "a2");
    SendMessageA(m_hSheet, PSM_SETCURSEL, 1, 0);
    HWND hList = GetDlgItem(Page(), TYPES);
    const LRESULT nBefore = SendMessageA(hList, LB_GETCURSEL, 0, 0);
    PostMessageA(hList, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ("This cell is used by other Formula Cells,cannot change type!", AnswerBox());
    EXPECT_EQ(nBefore, SendMessageA(hList, LB_GETCURSEL, 0, 0));
    PostMessageA(m_hSheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    ASSERT_TRUE(CDesignerProcess::WaitGone(m_hSheet, kWaitMs));

    // Another cell's name in other letters, and another cell's tab index.
    m_pDesign->Click(CDesignDriver::CellCentre(0, 2, kW, kH));
    hPage = OpenSheet(0);
    SetDlgItemTextA(hPage, NAME, "b2");
    PostMessageA(m_hSheet, PSM_SETCURSEL, 1, 0);
    EXPECT_EQ("Cell Name Existed,please input again!", AnswerBox());
    SetDlgItemTextA(hPage, NAME, "c1");
    SetDlgItemTextA(hPage, TABINDEX, "5");
    PostMessageA(m_hSheet, PSM_SETCURSEL, 1, 0);
    EXPECT_EQ("Cell tab index existed,please input again!", AnswerBox());
    EXPECT_EQ(hPage, Page());
    PostMessageA(m_hSheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    ASSERT_TRUE(CDesignerProcess::WaitGone(m_hSheet, kWaitMs));

    // A formula for B2 and C2 that names C2, the cell selected last.
    Select(1, 2, 1);
    OpenSheet(1);
    ChooseType(LIST_FORMULA);
    SetControlText(FORMULA_EDIT, "C2+A2");
    PostMessageA(m_hSheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
    EXPECT_EQ("Invalid cell name.", AnswerBox());
    EXPECT_TRUE(IsWindowVisible(m_hSheet)) << "the sheet stays open";
    PostMessageA(m_hSheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    ASSERT_TRUE(CDesignerProcess::WaitGone(m_hSheet, kWaitMs));
    EXPECT_TRUE(formulaMade == m_pDesign->SaveTemplate(m_strTemplate)) << "nothing changed";

    // The current cell left out of the selection does not speak for it:
    // C2 (numeric) is current, only C1 (text) is selected.
    m_pDesign->Click(CDesignDriver::CellCentre(1, 2, kW, kH));
    m_pDesign->Click(CDesignDriver::CellCentre(0, 2, kW, kH), MK_CONTROL);
    m_pDesign->Click(CDesignDriver::CellCentre(1, 2, kW, kH), MK_CONTROL);
    OpenSheet(1);
    EXPECT_EQ(LIST_TEXT, SendMessageA(GetDlgItem(Page(), TYPES), LB_GETCURSEL, 0, 0));
    EXPECT_NE(nullptr, Control(Page(), TEXT_EDIT));
    PostMessageA(m_hSheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    ASSERT_TRUE(CDesignerProcess::WaitGone(m_hSheet, kWaitMs));
}

TEST_F(CellDefineTest, ChildDialogsFollowTheirChoicesAndPickCellsFromTheView)
{
    // Cells of two types: no type is offered, and OK changes none.
    Select(0, 0);
    m_pDesign->Click(CDesignDriver::CellCentre(1, 0, kW, kH), MK_CONTROL);
    OpenSheet(1);
    EXPECT_EQ(0, SendMessageA(GetDlgItem(Page(), TYPES), LB_GETCOUNT, 0, 0));
    const std::string before = m_pDesign->SaveTemplate(m_strTemplate);
    ASSERT_TRUE(PressOk());
    {
        CTallyformDoc doc;
        SaveAndLoad(doc);
        EXPECT_EQ(CELL_TEXT, doc.m_sheet.m_cells[0].m_nType);
        EXPECT_EQ(CELL_NUMERIC, doc.m_sheet.m_cells[3].m_nType);
    }

    // A numeric cell: the value type takes controls out of use.
    Select(1, 2, 1);
    OpenSheet(1);
    HWND hType = Control(Page(), 1125);
    ASSERT_NE(hType, nullptr);
    auto chooseValueType = [&](int nType) {
        SendMessageA(hType, CB_SETCURSEL, (WPARAM)nType, 0);
        SendMessageA(GetParent(hType), WM_COMMAND, MAKEWPARAM(1125, CBN_SELCHANGE), (LPARAM)hType);
    };
    chooseValueType(2);
    for (int nID : { NUM_FORMAT, NUM_UNIT, NUM_CURRENCY, ROW_ITEM, ROW_EDIT, COL_ITEM, COL_EDIT })
        EXPECT_FALSE(IsWindowEnabled(Control(Page(), nID))) << nID;
    chooseValueType(1);
    EXPECT_FALSE(IsWindowEnabled(Control(Page(), NUM_FORMAT)));
    EXPECT_TRUE(IsWindowEnabled(Control(Page(), ROW_ITEM)));

    // Formula: a click on a cell of the view puts its name into the formula.
    ChooseType(LIST_FORMULA);
    HWND hFormula = Control(Page(), FORMULA_EDIT);
    ASSERT_NE(hFormula, nullptr);
    // The sheet out of the way of the cell, right of the view's corner.
    POINT ptCell = CDesignDriver::CellCentre(1, 0, kW, kH);
    ClientToScreen(m_pDriver->View(), &ptCell);
    SetWindowPos(m_hSheet, NULL, ptCell.x + 3 * kW, ptCell.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_pDesign->HardwareClick(CDesignDriver::CellCentre(1, 0, kW, kH));
    EXPECT_TRUE(WaitFor([&] { return TextOf(hFormula) == "A2"; }, 5000)) << TextOf(hFormula);
    // Explain names the operand by its items; a number stays.
    SendMessageA(hFormula, WM_SETTEXT, 0, (LPARAM)"A2*2");
    PostMessageA(Control(Page(), FORMULA_EXPLAIN), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitFor([&] { return TextOf(Control(Page(), FORMULA_NOTE)) == "Wages&Budget*2"; }))
        << TextOf(Control(Page(), FORMULA_NOTE)) << Windows();
    PostMessageA(m_hSheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    ASSERT_TRUE(CDesignerProcess::WaitGone(m_hSheet, kWaitMs));
    EXPECT_TRUE(IsWindowEnabled(m_pDriver->MainWindow())) << "the main window is usable again";
    EXPECT_TRUE(before == m_pDesign->SaveTemplate(m_strTemplate)) << "Cancel changes nothing";
}
