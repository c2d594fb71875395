// Templates built and changed in the real designer from outside: the
// table commands with Undo and Redo against the saved template, the
// clipboard, Find and Replace All, a balance formula made by picking
// cells with the mouse and then checked in run mode, the design road's
// dialogs, double click, Arrange Tab Index, mode key and cell border guides,
// and Shift+click with the mouse and keyboard of the X server.
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/Gtest.h"
#include "tests/app/DesignDriver.h"
#include "tests/app/ScreenCapture.h"
#include "tests/app/XServerInput.h"
#include "tests/sheet/SheetGrid.h"
#include "tests/support/ScratchFolder.h"

#include <commctrl.h>

#include "sheet/document/TallyformDoc.h"
#include "view/ClipboardText.h"

namespace
{
const DWORD kWaitMs = 20000;
const int kCellWidth = 80;
const int kCellHeight = 30;

const UINT kAddRow = 32804;
const UINT kAddColumn = 32806;
const UINT kMergeCells = 32810;
const UINT kSplitCell = 32811;
const UINT kBalanceFormula = 32814;
const UINT kDataVerify = 32830;
const UINT kRunMode = 33007;
const UINT kEditCopy = 57634;
const UINT kEditCut = 57635;
const UINT kEditPaste = 57637;
const UINT kEditReplace = 57641;
const UINT kSelectAll = 57642;
const UINT kUndo = 57643;
const UINT kRedo = 57644;
const UINT kFindNext = 33005;
const UINT kScaleCustom = 33029;
const UINT kArrangeTabIndex = 32819;
const UINT kCellProperties = 32861;
const UINT kViewCellBorder = 33055;

// The Set Display Scale dialog's edit.
const int kScaleEdit = 1119;
// The Cell Properties sheet's name and tab index on its General page.
const int kCellName = 1004;
const int kCellTabIndex = 1005;

// The replace dialog's controls.
const int kFindWhat = 1152;
const int kReplaceWith = 1153;
const int kReplaceAll = 1025;
// The Balance Formula dialog's.
const int kBalanceEdit = 1018;
const int kBalanceAdd = 1086;
// The Formula Explain dialog's.
const int kExplainNote = 1218;
const int kExplainPlus = 1219;
const int kExplainFormula = 1231;
const int kExplain = 1233;

bool Contains(const std::vector<std::string>& texts, const std::string& text)
{
    for (const std::string& t : texts)
        if (t == text)
            return true;
    return false;
}

// The cells a PDF export draws with a background: its filled rectangles.
size_t FilledRectangles(const std::string& pdf)
{
    size_t nCount = 0;
    for (size_t at = pdf.find(" re\nf\n"); at != std::string::npos; at = pdf.find(" re\nf\n", at + 1))
        ++nCount;
    return nCount;
}

class DesignCommandsTest : public testing::Test
{
protected:
    void SetUp() override
    {
        WriteWholeFile(m_folder.PathOf("Tallyform.INI"), "[DataSource]\r\nStart=0\r\nType=0\r\nName=Reporting.mdb\r\n");
        m_strTemplate = m_folder.PathOf("Design.kvm");
    }

    // A template of rows x cols text cells holding their names.
    void WriteGrid(int rows, int cols, void (*pAdjust)(CSheet&) = NULL)
    {
        CTallyformDoc doc;
        doc.m_bAutoDelete = FALSE;
        sheettest::MakeGrid(doc.m_sheet, rows, cols, kCellWidth, kCellHeight);
        strcpy(doc.m_sheet.m_szCode, "DSG01");
        if (pAdjust != NULL)
            pAdjust(doc.m_sheet);
        ASSERT_TRUE(doc.OnSaveDocument(m_strTemplate));
    }

    // The saved template as the designer left it, loaded here.
    void LoadSaved(CTallyformDoc& doc)
    {
        doc.m_bAutoDelete = FALSE;
        ASSERT_TRUE(doc.OnOpenDocument(m_strTemplate));
    }

    void Start()
    {
        m_pDesigner.reset(new CDesignerProcess(m_folder.GetPath(), "\"" + m_strTemplate + "\""));
        ASSERT_TRUE(m_pDesigner->IsStarted());
        m_pDriver.reset(new CRunModeDriver(*m_pDesigner));
        ASSERT_TRUE(m_pDriver->FindView(kWaitMs));
        ASSERT_TRUE(m_pDriver->WaitForSplashGone(kWaitMs));
        m_pDesign.reset(new CDesignDriver(*m_pDesigner, *m_pDriver));
    }

    // A row of two number cells, A1 and B1, and the calculate cell C1 = A1,
    // open in the designer.
    void StartWithFormulaRow()
    {
        WriteGrid(1, 3, [](CSheet& sheet) {
            for (int i = 0; i < 2; ++i)
            {
                sheet.m_cells[i].SetType(CELL_NUMERIC);
                sheet.m_cells[i].m_nValueType = 0;
            }
            sheet.m_cells[2].SetType(CELL_FORMULA);
            sheet.m_cells[2].m_strFormula = "A1";
        });
        Start();
    }

    // Ctrl+click, then a double click on the calculate cell C1 of
    // StartWithFormulaRow: its formula dialog, NULL when none opens.
    HWND OpenFormulaOfC1()
    {
        const POINT pt = CDesignDriver::CellCentre(0, 2, kCellWidth, kCellHeight);
        m_pDesign->Click(pt, MK_CONTROL);
        PostMessageA(m_pDriver->View(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
        return m_pDesigner->WaitForDialog(NULL, kWaitMs);
    }

    // The text of the one message box that comes within a second or two,
    // answered with OK; "" when none came.
    std::string AnswerOneMessage()
    {
        HWND hBox = m_pDesigner->WaitForMessageBox(2000);
        if (hBox == NULL)
            return "";
        const std::string text = (LPCSTR)CDesignerProcess::MessageText(hBox);
        CDesignerProcess::Press(hBox, IDOK);
        EXPECT_TRUE(CDesignerProcess::WaitGone(hBox, kWaitMs));
        EXPECT_EQ(nullptr, m_pDesigner->WaitForMessageBox(500)) << "a second message after " << text;
        return text;
    }

    void TearDown() override
    {
        if (m_pDriver)
        {
            EXPECT_TRUE(m_pDriver->CloseDiscarding(kWaitMs));
        }
    }

    CScratchFolder m_folder;
    CString m_strTemplate;
    std::unique_ptr<CDesignerProcess> m_pDesigner;
    std::unique_ptr<CRunModeDriver> m_pDriver;
    std::unique_ptr<CDesignDriver> m_pDesign;
};

} // namespace

TEST_F(DesignCommandsTest, TableBuiltMergedAndSplitIsUndoneAndRedoneStepByStep)
{
    // A tinted cell: the PDF export draws every copy of it as a rectangle.
    WriteGrid(1, 1, [](CSheet& sheet) { sheet.m_cells[0].m_crBack = RGB(230, 240, 255); });
    ASSERT_NO_FATAL_FAILURE(Start());
    CDesignDriver& design = *m_pDesign;
    // After each step: the template as File > Save writes it, and the sheet
    // as File > Save to PDF draws it (every cell's rectangle, edges, text).
    std::vector<std::string> saved, drawn;
    auto keep = [&]() {
        saved.push_back(design.SaveTemplate(m_strTemplate));
        drawn.push_back(ReadWholeFile(m_folder.PathOf("step.pdf")));
    };
    auto snapshot = [&]() {
        design.ShownTexts(m_folder.PathOf("step.pdf"));
        keep();
    };
    snapshot();
    ASSERT_FALSE(saved.back().empty());
    ASSERT_FALSE(drawn.back().empty());

    ASSERT_TRUE(design.Command(kSelectAll));
    for (int i = 0; i < 3; ++i)
    {
        ASSERT_TRUE(design.Command(kAddRow));
        snapshot();
    }
    for (int i = 0; i < 2; ++i)
    {
        ASSERT_TRUE(design.Command(kAddColumn));
        snapshot();
    }
    // Each new cell repeats the label of the cell it was made beside.
    const std::vector<std::string> labels = design.ShownTexts(m_folder.PathOf("labels.pdf"));
    EXPECT_EQ(12, std::count(labels.begin(), labels.end(), std::string("A1"))) << JoinedTexts(labels);
    // File > Save writes the template once the framework has it; until
    // then the drawn sheet stands for it.
    const bool bSaves = saved.back() != saved.front();
    if (bSaves)
    {
        CTallyformDoc built;
        ASSERT_NO_FATAL_FAILURE(LoadSaved(built));
        EXPECT_EQ(12, built.m_sheet.m_cells.GetSize());
        EXPECT_EQ(3 * kCellWidth, built.m_sheet.m_rcBounds.right);
        EXPECT_EQ(4 * kCellHeight, built.m_sheet.m_rcBounds.bottom);
    }
    EXPECT_EQ(12u, FilledRectangles(drawn.back()));

    // The top-left 2 x 2 block becomes one cell, then four again.
    design.Drag(CDesignDriver::CellCentre(0, 0, kCellWidth, kCellHeight),
                CDesignDriver::CellCentre(1, 1, kCellWidth, kCellHeight));
    ASSERT_TRUE(design.Command(kMergeCells));
    snapshot();
    EXPECT_EQ(9u, FilledRectangles(drawn.back()));
    if (bSaves)
    {
        CTallyformDoc merged;
        ASSERT_NO_FATAL_FAILURE(LoadSaved(merged));
        ASSERT_EQ(9, merged.m_sheet.m_cells.GetSize());
        const RECT& rc = merged.m_sheet.m_cells[0].m_rect;
        EXPECT_EQ(2 * kCellWidth, rc.right - rc.left);
        EXPECT_EQ(2 * kCellHeight, rc.bottom - rc.top);
    }
    HWND hSplit = design.CommandDialog(kSplitCell, "Split Cell");
    ASSERT_NE(nullptr, hSplit);
    SetDlgItemTextA(hSplit, 1003, "2");
    SetDlgItemTextA(hSplit, 1002, "2");
    CDesignerProcess::Press(hSplit, IDOK);
    ASSERT_TRUE(CDesignerProcess::WaitGone(hSplit, kWaitMs));
    snapshot();
    EXPECT_EQ(12u, FilledRectangles(drawn.back()));
    const size_t nSteps = drawn.size();
    for (size_t k = 1; k < nSteps; ++k)
        EXPECT_NE(drawn[k - 1], drawn[k]) << "step " << k << " changed nothing";

    // Every Undo gives back the sheet of one step earlier, every Redo the
    // one of one step later; Redo past the end does nothing.
    auto expectStep = [&](size_t k) {
        SCOPED_TRACE("step " + std::to_string(k));
        snapshot();
        EXPECT_EQ(saved[k], saved.back());
        EXPECT_TRUE(drawn[k] == drawn.back());
        saved.pop_back();
        drawn.pop_back();
    };
    for (size_t k = nSteps - 1; k-- > 0;)
    {
        ASSERT_TRUE(design.Command(kUndo));
        expectStep(k);
    }
    for (size_t k = 1; k < nSteps; ++k)
    {
        ASSERT_TRUE(design.Command(kRedo));
        expectStep(k);
    }
    ASSERT_TRUE(design.Command(kRedo));
    expectStep(nSteps - 1);
    EXPECT_TRUE(m_pDesigner->Seen().empty()) << JoinedTexts(m_pDesigner->Seen());
}

TEST_F(DesignCommandsTest, CutCopyAndPasteGoThroughTheClipboard)
{
    WriteGrid(1, 3, [](CSheet& sheet) {
        sheet.m_cells[0].m_strValue = "Alpha";
        sheet.m_cells[1].m_strValue = "Beta";
        sheet.m_cells[2].m_strValue = "Gamma";
    });
    ASSERT_NO_FATAL_FAILURE(Start());
    CDesignDriver& design = *m_pDesign;
    // Ctrl+click takes a label cell into the selection or out of it,
    // without opening its editor.
    auto toggle = [&](int col) {
        design.Click(CDesignDriver::CellCentre(0, col, kCellWidth, kCellHeight), MK_CONTROL);
    };
    HWND hMain = m_pDriver->MainWindow();
    // A template opens with its first cell selected.
    ASSERT_TRUE(design.Command(kEditCopy));
    CString strClipboard;
    EXPECT_TRUE(ReadClipboardText(hMain, strClipboard));
    EXPECT_STREQ("Alpha", strClipboard);

    toggle(0);    // off again
    toggle(1);
    ASSERT_TRUE(design.Command(kEditCut));
    EXPECT_TRUE(ReadClipboardText(hMain, strClipboard));
    EXPECT_STREQ("Beta", strClipboard);

    ASSERT_TRUE(WriteClipboardText(hMain, "Delta"));
    toggle(1);
    toggle(2);
    ASSERT_TRUE(design.Command(kEditPaste));
    std::vector<std::string> texts = design.ShownTexts(m_folder.PathOf("clipboard.pdf"));
    EXPECT_TRUE(Contains(texts, "Alpha")) << JoinedTexts(texts);
    EXPECT_FALSE(Contains(texts, "Beta")) << JoinedTexts(texts);
    EXPECT_FALSE(Contains(texts, "Gamma")) << JoinedTexts(texts);
    EXPECT_TRUE(Contains(texts, "Delta")) << JoinedTexts(texts);

    // Undo takes the paste back, then the cut.
    ASSERT_TRUE(design.Command(kUndo));
    ASSERT_TRUE(design.Command(kUndo));
    texts = design.ShownTexts(m_folder.PathOf("undone.pdf"));
    EXPECT_TRUE(Contains(texts, "Beta")) << JoinedTexts(texts);
    EXPECT_TRUE(Contains(texts, "Gamma")) << JoinedTexts(texts);
}

TEST_F(DesignCommandsTest, ReplaceAllChangesEveryCellThatHoldsTheText)
{
    WriteGrid(2, 2, [](CSheet& sheet) {
        sheet.m_cells[0].m_strValue = "Total sales";
        sheet.m_cells[1].m_strValue = "SALES tax";
        sheet.m_cells[2].m_strValue = "Costs";
        sheet.m_cells[3].m_strValue = "sales and Sales";
    });
    ASSERT_NO_FATAL_FAILURE(Start());
    CDesignDriver& design = *m_pDesign;
    HWND hReplace = design.CommandDialog(kEditReplace, "Replace");
    ASSERT_NE(nullptr, hReplace);
    SetDlgItemTextA(hReplace, kFindWhat, "sales");
    SetDlgItemTextA(hReplace, kReplaceWith, "Revenue");
    CDesignerProcess::Press(hReplace, kReplaceAll);
    m_pDriver->Settle();
    PostMessageA(hReplace, WM_CLOSE, 0, 0);
    ASSERT_TRUE(CDesignerProcess::WaitGone(hReplace, kWaitMs));

    std::vector<std::string> texts = design.ShownTexts(m_folder.PathOf("replaced.pdf"));
    for (const char* text : { "Total Revenue", "Revenue tax", "Costs", "Revenue and Revenue" })
        EXPECT_TRUE(Contains(texts, text)) << text << " in " << JoinedTexts(texts);

    // The text is gone now: Find Next says so.
    PostMessageA(m_pDriver->MainWindow(), WM_COMMAND, MAKEWPARAM(kFindNext, 0), 0);
    EXPECT_NE(nullptr, m_pDesigner->WaitForMessage("Cannot find string\" sales \"", kWaitMs));

    // One Undo takes the whole Replace All back.
    ASSERT_TRUE(design.Command(kUndo));
    texts = design.ShownTexts(m_folder.PathOf("restored.pdf"));
    EXPECT_TRUE(Contains(texts, "SALES tax")) << JoinedTexts(texts);
    EXPECT_TRUE(Contains(texts, "sales and Sales")) << JoinedTexts(texts);
}

TEST_F(DesignCommandsTest, BalanceFormulaPickedWithTheMouseIsVerifiedInRunMode)
{
    // Three figures: C1 is meant to be the sum of A1 and B1.
    WriteGrid(1, 3, [](CSheet& sheet) {
        for (int i = 0; i < 3; ++i)
        {
            CCell& cell = sheet.m_cells[i];
            cell.SetType(CELL_NUMERIC);
            cell.m_nValueType = 0;
            cell.m_strValue.Empty();
        }
    });
    ASSERT_NO_FATAL_FAILURE(Start());
    CDesignDriver& design = *m_pDesign;
    HWND hDialog = design.CommandDialog(kBalanceFormula, "Balance Formula");
    ASSERT_NE(nullptr, hDialog);
    HWND hEdit = GetDlgItem(hDialog, kBalanceEdit);
    // The caret at the end of the formula, then a click on the cell.
    auto pick = [&](int col) {
        const LRESULT nLength = SendMessageA(hEdit, WM_GETTEXTLENGTH, 0, 0);
        SendMessageA(hEdit, EM_SETSEL, (WPARAM)nLength, (LPARAM)nLength);
        design.HardwareClick(CDesignDriver::CellCentre(0, col, kCellWidth, kCellHeight));
    };
    // Typed characters go after the text, as a click at its end puts them.
    auto type = [&](LPCSTR pszTyped, LPCSTR pszExpected) {
        const LRESULT nLength = SendMessageA(hEdit, WM_GETTEXTLENGTH, 0, 0);
        SendMessageA(hEdit, EM_SETSEL, (WPARAM)nLength, (LPARAM)nLength);
        CRunModeDriver::TypeChars(hEdit, pszTyped);
        return CRunModeDriver::WaitForText(hEdit, pszExpected, kWaitMs);
    };
    CString strShown;
    pick(2);
    ASSERT_TRUE(CRunModeDriver::WaitForText(hEdit, "C1", kWaitMs, &strShown)) << (LPCSTR)strShown;
    ASSERT_TRUE(type("=", "C1="));
    pick(0);
    ASSERT_TRUE(CRunModeDriver::WaitForText(hEdit, "C1=A1", kWaitMs, &strShown)) << (LPCSTR)strShown;
    ASSERT_TRUE(type("+", "C1=A1+"));
    pick(1);
    ASSERT_TRUE(CRunModeDriver::WaitForText(hEdit, "C1=A1+B1", kWaitMs, &strShown))
        << (LPCSTR)strShown;
    {
        RECT rc;
        GetWindowRect(m_pDriver->MainWindow(), &rc);
        EXPECT_TRUE(SaveRootAreaBitmap(rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                                       DESIGNER_SCREENSHOT_DIR "/designer-balance-formula-picking.bmp"));
    }
    CDesignerProcess::Press(hDialog, kBalanceAdd);
    CDesignerProcess::Press(hDialog, IDOK);
    ASSERT_TRUE(CDesignerProcess::WaitGone(hDialog, kWaitMs));

    // Run mode (without saving the changed template), then Data Verify.
    PostMessageA(m_pDriver->MainWindow(), WM_COMMAND, MAKEWPARAM(kRunMode, 0), 0);
    HWND hAsk = m_pDesigner->WaitForDialog(NULL, kWaitMs);
    ASSERT_NE(nullptr, hAsk);
    CDesignerProcess::Press(hAsk, IDNO);
    ASSERT_TRUE(m_pDriver->WaitForCaption("Tallyform [Run Mode] - ", kWaitMs));
    // The figures go in along the tab order; B1 is given twice, the second
    // time so that the report no longer balances.
    auto enter = [&](HWND hEditor, LPCSTR pszFigure) {
        SendMessageA(hEditor, EM_SETSEL, 0, -1);
        CRunModeDriver::TypeChars(hEditor, pszFigure);
        EXPECT_TRUE(CRunModeDriver::WaitForText(hEditor, pszFigure, kWaitMs)) << pszFigure;
        CRunModeDriver::PressKey(hEditor, VK_TAB);
        return m_pDriver->WaitForEditor(hEditor, kWaitMs);
    };
    CRunModeDriver::PressKey(m_pDriver->View(), VK_TAB);
    HWND hEditor = m_pDriver->WaitForEditor(NULL, kWaitMs);
    for (LPCSTR figure : { "10", "20", "30" })
    {
        ASSERT_NE(nullptr, hEditor) << figure;
        hEditor = enter(hEditor, figure);
    }
    m_pDriver->Settle();
    PostMessageA(m_pDriver->MainWindow(), WM_COMMAND, MAKEWPARAM(kDataVerify, 0), 0);
    EXPECT_NE(nullptr, m_pDesigner->WaitForMessage("Data is valid.", kWaitMs))
        << JoinedTexts(m_pDesigner->Seen());

    design.Click(CDesignDriver::CellCentre(0, 1, kCellWidth, kCellHeight));
    hEditor = m_pDriver->WaitForEditor(NULL, kWaitMs);
    ASSERT_NE(nullptr, hEditor);
    enter(hEditor, "25");
    m_pDriver->Settle();
    PostMessageA(m_pDriver->MainWindow(), WM_COMMAND, MAKEWPARAM(kDataVerify, 0), 0);
    EXPECT_NE(nullptr, m_pDesigner->WaitForMessage("Invalid data for balance formula 'C1=A1+B1'.",
                                                   kWaitMs))
        << JoinedTexts(m_pDesigner->Seen());
}

TEST_F(DesignCommandsTest, FormulaOfACalculateCellIsEditedWithButtonsAndPicking)
{
    ASSERT_NO_FATAL_FAILURE(StartWithFormulaRow());
    CDesignDriver& design = *m_pDesign;
    // A double click on the calculate cell opens its formula.
    design.Click(CDesignDriver::CellCentre(0, 0, kCellWidth, kCellHeight), MK_CONTROL);
    HWND hDialog = OpenFormulaOfC1();
    ASSERT_NE(nullptr, hDialog);
    HWND hFormula = GetDlgItem(hDialog, kExplainFormula);
    ASSERT_TRUE(CRunModeDriver::WaitForText(hFormula, "A1", kWaitMs));
    SendMessageA(hFormula, EM_SETSEL, 2, 2);
    CDesignerProcess::Press(hDialog, kExplainPlus);
    ASSERT_TRUE(CRunModeDriver::WaitForText(hFormula, "A1+", kWaitMs));
    design.HardwareClick(CDesignDriver::CellCentre(0, 1, kCellWidth, kCellHeight));
    CString strShown;
    ASSERT_TRUE(CRunModeDriver::WaitForText(hFormula, "A1+B1", kWaitMs, &strShown))
        << (LPCSTR)strShown;
    // Without a database the explanation is the formula itself.
    CDesignerProcess::Press(hDialog, kExplain);
    EXPECT_TRUE(CRunModeDriver::WaitForText(GetDlgItem(hDialog, kExplainNote), "A1+B1", kWaitMs));
    CDesignerProcess::Press(hDialog, IDOK);
    ASSERT_TRUE(CDesignerProcess::WaitGone(hDialog, kWaitMs));

    // The cell keeps the new formula: it opens with it again.
    hDialog = OpenFormulaOfC1();
    ASSERT_NE(nullptr, hDialog);
    EXPECT_TRUE(CRunModeDriver::WaitForText(GetDlgItem(hDialog, kExplainFormula), "A1+B1", kWaitMs));
    CDesignerProcess::Press(hDialog, IDCANCEL);
    EXPECT_TRUE(CDesignerProcess::WaitGone(hDialog, kWaitMs));
}

TEST_F(DesignCommandsTest, RefusedFormulaIsSaidOnceAndCancelKeepsTheOldOne)
{
    ASSERT_NO_FATAL_FAILURE(StartWithFormulaRow());
    HWND hDialog = OpenFormulaOfC1();
    ASSERT_NE(nullptr, hDialog);
    HWND hFormula = GetDlgItem(hDialog, kExplainFormula);
    ASSERT_TRUE(CRunModeDriver::WaitForText(hFormula, "A1", kWaitMs));
    SetWindowTextA(hFormula, "A1+ZZ9");
    // Explain and OK each say once why the formula is refused, and the
    // dialog stays; Cancel then closes it with nothing more said.
    std::vector<std::string> said;
    for (int nButton : { kExplain, (int)IDOK, (int)IDCANCEL })
    {
        // A real click, as a user makes it: the dialog picks cells with the
        // mouse too.
        RECT rc;
        GetWindowRect(GetDlgItem(hDialog, nButton), &rc);
        SetCursorPos((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
        for (DWORD dwFlags : { (DWORD)MOUSEEVENTF_MOVE, (DWORD)MOUSEEVENTF_LEFTDOWN, (DWORD)MOUSEEVENTF_LEFTUP })
        {
            INPUT input = {};
            input.type = INPUT_MOUSE;
            input.mi.dwFlags = dwFlags;
            SendInput(1, &input, sizeof(input));
            Sleep(100);
        }
        DWORD dwStart = GetTickCount();
        while (GetTickCount() - dwStart < 1500)
        {
            for (HWND hWnd : m_pDesigner->TopLevelWindows())
            {
                if (hWnd == hDialog || !IsWindowVisible(hWnd) || CDesignerProcess::MessageText(hWnd).IsEmpty())
                    continue;
                said.push_back((LPCSTR)CDesignerProcess::MessageText(hWnd));
                CDesignerProcess::Press(hWnd, IDOK);
                CDesignerProcess::WaitGone(hWnd, kWaitMs);
            }
            Sleep(50);
        }
        if (nButton != IDCANCEL)
        {
            EXPECT_TRUE(IsWindow(hDialog));
        }
    }
    EXPECT_TRUE(CDesignerProcess::WaitGone(hDialog, kWaitMs));
    EXPECT_EQ((std::vector<std::string>{ "Invalid cell name.", "Invalid cell name." }), said);
    // The cell keeps its formula.
    hDialog = OpenFormulaOfC1();
    ASSERT_NE(nullptr, hDialog);
    EXPECT_TRUE(CRunModeDriver::WaitForText(GetDlgItem(hDialog, kExplainFormula), "A1", kWaitMs));
    CDesignerProcess::Press(hDialog, IDCANCEL);
    EXPECT_TRUE(CDesignerProcess::WaitGone(hDialog, kWaitMs));
}

TEST_F(DesignCommandsTest, DialogsKeysAndClicksOfTheDesignRoad)
{
    // Labels over a row of figures, no border between B1 and C1.  Every
    // dialog opens in the middle of the main window.
    WriteGrid(2, 3, [](CSheet& sheet) {
        sheet.m_cells[2].m_nLeftEdge = CELL_LINE_NONE;
        for (int i = 3; i < 6; ++i)
        {
            sheet.m_cells[i].SetType(CELL_NUMERIC);
            sheet.m_cells[i].m_nValueType = 0;
            sheet.m_cells[i].m_strValue.Format("%d", i * 10);
        }
        // Stored against reading order, as templates may come.
        for (int i = 0, j = (int)sheet.m_cells.GetSize() - 1; i < j; ++i, --j)
        {
            CCell cell = sheet.m_cells[i];
            sheet.m_cells[i] = sheet.m_cells[j];
            sheet.m_cells[j] = cell;
        }
    });
    ASSERT_NO_FATAL_FAILURE(Start());
    CDesignDriver& design = *m_pDesign;
    const HWND hMain = m_pDriver->MainWindow();
    auto shot = [&](const char* name) {
        RECT rc;
        GetWindowRect(hMain, &rc);
        Sleep(300);
        SaveRootAreaBitmap(rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                           (std::string(DESIGNER_SCREENSHOT_DIR "/road-") + name + ".bmp").c_str());
    };

    // View > Cell Border adds a dotted guide where no border lies, between
    // B1 and C1, and leaves every real line as it was.
    auto sheetPixels = [&]() {
        RECT rc = { 0, 0, 3 * kCellWidth + 1, 2 * kCellHeight + 1 };
        MapWindowPoints(m_pDriver->View(), NULL, (POINT*)&rc, 2);
        std::vector<unsigned int> pixels((size_t)(rc.right - rc.left) * (rc.bottom - rc.top));
        Sleep(300);
        EXPECT_TRUE(ReadRootPixels(rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, pixels.data()));
        return pixels;
    };
    const std::vector<unsigned int> plain = sheetPixels();
    ASSERT_TRUE(design.Command(kViewCellBorder));
    shot("cell-border");
    const std::vector<unsigned int> guided = sheetPixels();
    int nGuide = 0, nElsewhere = 0;
    for (size_t i = 0; i < plain.size(); ++i)
    {
        const int x = (int)(i % (3 * kCellWidth + 1)), y = (int)(i / (3 * kCellWidth + 1));
        if (plain[i] != guided[i])
            ++(x == 2 * kCellWidth - 1 && y < kCellHeight ? nGuide : nElsewhere);
    }
    EXPECT_GT(nGuide, kCellHeight / 4);
    EXPECT_LT(nGuide, kCellHeight) << "a guide is dotted";
    EXPECT_EQ(0, nElsewhere) << "a guide beside a border";
    ASSERT_TRUE(design.Command(kViewCellBorder));

    HWND hSplit = design.CommandDialog(kSplitCell, "Split Cell");
    ASSERT_NE(nullptr, hSplit);
    EXPECT_TRUE(CDesignerProcess::IsCentredOn(hSplit, hMain));
    CDesignerProcess::Press(hSplit, IDCANCEL);
    ASSERT_TRUE(CDesignerProcess::WaitGone(hSplit, kWaitMs));

    // Set Display Scale: a refused scale is said, and the dialog stays.
    HWND hScale = design.CommandDialog(kScaleCustom, "Set Display Scale");
    ASSERT_NE(nullptr, hScale);
    EXPECT_TRUE(CDesignerProcess::IsCentredOn(hScale, hMain));
    HWND hScaleEdit = GetDlgItem(hScale, kScaleEdit);
    CDesignDriver::HardwareClickOn(hScaleEdit);
    SendMessageA(hScaleEdit, WM_SETTEXT, 0, (LPARAM)"500");
    CDesignDriver::HardwareClickOn(GetDlgItem(hScale, IDOK));
    // Leaving the edit by a click on OK refuses 500 once; the dialog stays
    // modal on top, and Enter on 500 again says nothing more.
    ASSERT_EQ("Must between 10-400", AnswerOneMessage());
    shot("scale-refused");
    EXPECT_TRUE(IsWindowVisible(hScale));
    EXPECT_EQ(hScale, GetForegroundWindow());
    EXPECT_FALSE(IsWindowEnabled(hMain)) << "the dialog stays modal";
    CDesignDriver::HardwareKey(VK_RETURN);
    EXPECT_TRUE(AnswerOneMessage().empty());
    EXPECT_TRUE(IsWindowVisible(hScale));
    // 150 and Enter: applied without a word, and the dialog closes.
    SendMessageA(hScaleEdit, WM_SETTEXT, 0, (LPARAM)"150");
    CDesignDriver::HardwareKey(VK_RETURN);
    ASSERT_TRUE(CDesignerProcess::WaitGone(hScale, kWaitMs));
    hScale = design.CommandDialog(kScaleCustom, "Set Display Scale");
    ASSERT_NE(nullptr, hScale);
    hScaleEdit = GetDlgItem(hScale, kScaleEdit);
    EXPECT_TRUE(CRunModeDriver::WaitForText(hScaleEdit, "150%", kWaitMs));
    // Back to 100 % for the clicks below.
    SendMessageA(hScaleEdit, WM_SETTEXT, 0, (LPARAM)"100");
    CDesignerProcess::Press(hScale, IDOK);
    ASSERT_TRUE(CDesignerProcess::WaitGone(hScale, kWaitMs));

    // A double click on a label runs Cell Properties.
    design.HardwareDoubleClick(CDesignDriver::CellCentre(0, 1, kCellWidth, kCellHeight));
    HWND hProperties = m_pDesigner->WaitForDialog("Cell Properties", kWaitMs);
    ASSERT_NE(nullptr, hProperties);
    EXPECT_TRUE(CDesignerProcess::IsCentredOn(hProperties, hMain));
    PostMessageA(hProperties, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    ASSERT_TRUE(CDesignerProcess::WaitGone(hProperties, kWaitMs));

    // Arrange Tab Index on cells stored against reading order: the label
    // typed into C1 stays in C1, and C1 stays the selected cell.
    design.HardwareClick(CDesignDriver::CellCentre(0, 2, kCellWidth, kCellHeight));
    HWND hLabel = m_pDriver->WaitForEditor(NULL, kWaitMs);
    ASSERT_NE(nullptr, hLabel);
    SendMessageA(hLabel, EM_SETSEL, 0, -1);
    CRunModeDriver::TypeChars(hLabel, "Total");
    ASSERT_TRUE(CRunModeDriver::WaitForText(hLabel, "Total", kWaitMs));
    ASSERT_TRUE(design.Command(kArrangeTabIndex));
    hProperties = design.CommandDialog(kCellProperties, "Cell Properties");
    ASSERT_NE(nullptr, hProperties);
    HWND hGeneral = (HWND)SendMessageA(hProperties, PSM_GETCURRENTPAGEHWND, 0, 0);
    EXPECT_TRUE(CRunModeDriver::WaitForText(GetDlgItem(hGeneral, kCellName), "C1", kWaitMs));
    EXPECT_TRUE(CRunModeDriver::WaitForText(GetDlgItem(hGeneral, kCellTabIndex), "3", kWaitMs));
    PostMessageA(hProperties, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    ASSERT_TRUE(CDesignerProcess::WaitGone(hProperties, kWaitMs));
    design.SaveTemplate(m_strTemplate);
    {
        CTallyformDoc saved;
        ASSERT_NO_FATAL_FAILURE(LoadSaved(saved));
        const CCellArray& cells = saved.m_sheet.m_cells;
        ASSERT_EQ(6, cells.GetSize());
        const char* const names[] = { "A1", "B1", "C1", "A2", "B2", "C2" };
        for (int i = 0; i < 6; ++i)
        {
            SCOPED_TRACE(names[i]);
            EXPECT_STREQ(names[i], cells[i].m_strName);
            EXPECT_EQ(i + 1, cells[i].m_nTabIndex);
            EXPECT_EQ(i == 2, cells[i].m_strValue == "Total");
        }
    }

    // F2 typed into a run-mode editor goes back to design mode (the template
    // is saved: no question on the way in).
    ASSERT_TRUE(design.Command(kRunMode));
    ASSERT_TRUE(m_pDriver->WaitForCaption("Tallyform [Run Mode] - ", kWaitMs));
    CRunModeDriver::PressKey(m_pDriver->View(), VK_TAB);
    HWND hEditor = m_pDriver->WaitForEditor(NULL, kWaitMs);
    ASSERT_NE(nullptr, hEditor);
    CRunModeDriver::PressKey(hEditor, VK_F2);
    EXPECT_TRUE(m_pDriver->WaitForCaption("Tallyform[Design Mode] - ", kWaitMs))
        << (LPCSTR)m_pDriver->MainCaption();
    EXPECT_TRUE(CDesignerProcess::WaitGone(hEditor, kWaitMs));
    EXPECT_TRUE(m_pDesigner->Seen().empty()) << JoinedTexts(m_pDesigner->Seen());
}

TEST_F(DesignCommandsTest, ShiftClickSelectsTheBandWithOrWithoutTheLabelEditor)
{
    // Labels, with figures down the first column below them.
    WriteGrid(3, 3, [](CSheet& sheet) {
        for (int i : { 3, 6 })
        {
            sheet.m_cells[i].SetType(CELL_NUMERIC);
            sheet.m_cells[i].m_nValueType = 0;
        }
    });
    ASSERT_NO_FATAL_FAILURE(Start());
    CDesignDriver& design = *m_pDesign;
    const HWND hView = m_pDriver->View();
    // Clicks of the X server's mouse, with its Shift key held when asked,
    // as a user makes them: the designer reads the keys' state itself.
    auto click = [&](int row, int col, int nModifier) {
        POINT pt = CDesignDriver::CellCentre(row, col, kCellWidth, kCellHeight);
        ClientToScreen(hView, &pt);
        ASSERT_TRUE(XServerClick(pt.x, pt.y, nModifier)) << "no X test extension";
        m_pDriver->Settle();
    };
    // Whether the cells of a row show inverted, as selected cells do
    // beside the framed current one: a point inside each, off its text.
    auto shownSelected = [&](int row, int nFirstCol, int nCount, const char* name) {
        RECT rc = { 0, row * kCellHeight, 3 * kCellWidth, (row + 1) * kCellHeight };
        MapWindowPoints(hView, NULL, (POINT*)&rc, 2);
        std::vector<unsigned int> pixels((size_t)(rc.right - rc.left) * (rc.bottom - rc.top));
        SaveRootAreaBitmap(rc.left, rc.top, rc.right - rc.left, 3 * kCellHeight,
                           (std::string(DESIGNER_SCREENSHOT_DIR "/shift-click-") + name + ".bmp").c_str());
        EXPECT_TRUE(ReadRootPixels(rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, pixels.data()));
        std::string shown;
        for (int col = nFirstCol; col < nFirstCol + nCount; ++col)
            shown += pixels[(size_t)8 * (rc.right - rc.left) + col * kCellWidth + 8] == 0 ? '#' : '.';
        return shown;
    };

    // A label opens its editor; Shift+click on C1 in the same row spans it.
    click(0, 0, XINPUT_NO_MODIFIER);
    ASSERT_NE(nullptr, m_pDriver->WaitForEditor(NULL, kWaitMs));
    click(0, 2, XINPUT_SHIFT);
    EXPECT_EQ("##", shownSelected(0, 1, 2, "row-from-label"));
    ASSERT_TRUE(design.Command(kMergeCells));
    // A figure opens none; Shift+click on A3 below it spans the column.
    click(1, 0, XINPUT_NO_MODIFIER);
    ASSERT_EQ(nullptr, m_pDriver->WaitForEditor(NULL, 500));
    click(2, 0, XINPUT_SHIFT);
    EXPECT_EQ("#", shownSelected(2, 0, 1, "column-from-figure"));
    ASSERT_TRUE(design.Command(kMergeCells));

    design.SaveTemplate(m_strTemplate);
    CTallyformDoc saved;
    ASSERT_NO_FATAL_FAILURE(LoadSaved(saved));
    const CCellArray& cells = saved.m_sheet.m_cells;
    std::vector<std::string> spans;
    for (INT_PTR i = 0; i < cells.GetSize(); ++i)
    {
        const RECT& rc = cells[i].m_rect;
        spans.push_back(std::to_string(rc.left) + "," + std::to_string(rc.top) + " " +
                        std::to_string(rc.right - rc.left) + "x" + std::to_string(rc.bottom - rc.top));
    }
    std::sort(spans.begin(), spans.end());
    EXPECT_EQ((std::vector<std::string>{ "0,0 240x30", "0,30 80x60", "160,30 80x30", "160,60 80x30",
                                         "80,30 80x30", "80,60 80x30" }),
              spans);
}
