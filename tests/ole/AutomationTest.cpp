// The designer as an automation server, driven by a client of our own: COM
// starts the real program by the ProgID, the methods are found by name and
// called on templates loaded into the object, and the saved results are
// read back here.
#include <stdio.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/support/Gtest.h"
#include "tests/app/DesignerProcess.h"
#include "tests/ole/ServerClient.h"
#include "tests/sheet/SheetGrid.h"
#include "tests/support/ScratchFolder.h"
#include "sheet/document/TallyformDoc.h"

using oletest::CallMethod;

namespace
{

const char* const kMethods[] = { "DeleteColumn", "AddColumn", "AddRow",
                                 "DeleteRow",    "MergeUnit", "SplitUnit" };

// Cell names and rectangles of a saved template, in array order.
std::vector<std::string> CellsOf(LPCSTR lpszPath)
{
    CTallyformDoc doc;
    doc.LoadFromFile(lpszPath);
    std::vector<std::string> cells;
    for (INT_PTR i = 0; i < doc.m_sheet.m_cells.GetSize(); ++i)
    {
        const CCell& cell = doc.m_sheet.m_cells[i];
        char sz[128];
        wsprintfA(sz, "%s(%d,%d,%d,%d)", (LPCSTR)cell.m_strName, (int)cell.m_rect.left,
                  (int)cell.m_rect.top, (int)cell.m_rect.right, (int)cell.m_rect.bottom);
        cells.push_back(sz);
    }
    return cells;
}

class AutomationTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        CoInitialize(NULL);
        s_bRegistered = oletest::RegisterDesigner();
    }
    static void TearDownTestSuite() { CoUninitialize(); }

    void SetUp() override
    {
        ASSERT_TRUE(s_bRegistered) << "the designer did not run to register itself";
        // A 2 x 3 grid of 80 x 30 cells; loading selects its first cell.
        CTallyformDoc doc;
        sheettest::MakeGrid(doc.m_sheet, 2, 3);
        m_strTemplate = m_folder.PathOf("Grid.kvm");
        doc.SaveToFile(m_strTemplate);
    }

    // The next test's object must not meet a server on its way out.
    void TearDown() override { EXPECT_TRUE(oletest::WaitForNoServer()); }

    // Loads the grid into the object, calls the method and saves a copy.
    std::vector<std::string> CallOnGrid(IDispatch* pDispatch, LPCSTR lpszMethod, BOOL bExpected)
    {
        SCOPED_TRACE(lpszMethod);
        EXPECT_EQ(S_OK, oletest::LoadInto(pDispatch, m_strTemplate));
        EXPECT_EQ(S_FALSE, oletest::IsDirty(pDispatch));
        HRESULT hr = E_FAIL;
        EXPECT_EQ(bExpected, CallMethod(pDispatch, lpszMethod, &hr));
        EXPECT_EQ(S_OK, hr);
        EXPECT_EQ(bExpected ? S_OK : S_FALSE, oletest::IsDirty(pDispatch));
        CString strCopy = m_folder.PathOf(CString(lpszMethod) + ".kvm");
        EXPECT_EQ(S_OK, oletest::SaveCopy(pDispatch, strCopy));
        return CellsOf(strCopy);
    }

    static BOOL s_bRegistered;
    CScratchFolder m_folder;
    CString m_strTemplate;
};

BOOL AutomationTest::s_bRegistered = FALSE;

TEST_F(AutomationTest, RegistrationNamesTheProgramThatExists)
{
    char szValue[MAX_PATH * 2] = "";
    LONG cb = sizeof(szValue);
    ASSERT_EQ(ERROR_SUCCESS, RegQueryValueA(HKEY_CLASSES_ROOT, "Tallyform.Sheet\\CLSID", szValue, &cb));
    std::string strClsid = szValue;
    cb = sizeof(szValue);
    ASSERT_EQ(ERROR_SUCCESS, RegQueryValueA(HKEY_CLASSES_ROOT,
                                            ("CLSID\\" + strClsid + "\\LocalServer32").c_str(),
                                            szValue, &cb));
    std::string strServer = szValue;
    ASSERT_GE(strServer.size(), 2u);
    ASSERT_EQ('"', strServer[0]);
    std::string strProgram = strServer.substr(1, strServer.find('"', 1) - 1);
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(strProgram.c_str())) << strProgram;
    EXPECT_EQ(lstrcmpiA((CDesignerProcess::ProgramFolder() + "\\Tallyform.exe.so"), strProgram.c_str()), 0)
        << strProgram;

    // The template files open in the designer.
    cb = sizeof(szValue);
    ASSERT_EQ(ERROR_SUCCESS, RegQueryValueA(HKEY_CLASSES_ROOT, ".kvm", szValue, &cb));
    EXPECT_STREQ("Tallyform.Sheet", szValue);
    cb = sizeof(szValue);
    ASSERT_EQ(ERROR_SUCCESS, RegQueryValueA(HKEY_CLASSES_ROOT, "Tallyform.Sheet\\shell\\open\\command",
                                            szValue, &cb));
    EXPECT_EQ("\"" + strProgram + "\" \"%1\"", std::string(szValue));
}

TEST_F(AutomationTest, FindsTheSixMethodsByNameInDispatchOrder)
{
    CScopedInterface<IDispatch> sheet;
    ASSERT_EQ(S_OK, oletest::CreateSheetObject(sheet));
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(i + 1, oletest::MethodId(sheet, kMethods[i])) << kMethods[i];
    // Names are found without regard to case; others are unknown.
    EXPECT_EQ(3, oletest::MethodId(sheet, "addrow"));
    EXPECT_EQ(DISPID_UNKNOWN, oletest::MethodId(sheet, "AddRows"));

    // The methods take no arguments.
    VARIANT arg;
    VariantInit(&arg);
    V_VT(&arg) = VT_I4;
    V_I4(&arg) = 1;
    DISPPARAMS params = { &arg, NULL, 1, 0 };
    VARIANT result;
    VariantInit(&result);
    EXPECT_EQ(DISP_E_BADPARAMCOUNT, sheet->Invoke(3, IID_NULL, LOCALE_USER_DEFAULT,
                                                  DISPATCH_METHOD, &params, &result, NULL, NULL));
    DISPPARAMS none = { NULL, NULL, 0, 0 };
    EXPECT_EQ(DISP_E_MEMBERNOTFOUND, sheet->Invoke(7, IID_NULL, LOCALE_USER_DEFAULT,
                                                   DISPATCH_METHOD, &none, &result, NULL, NULL));
}

TEST_F(AutomationTest, EachMethodChangesTheLoadedTemplate)
{
    CScopedInterface<IDispatch> sheet;
    ASSERT_EQ(S_OK, oletest::CreateSheetObject(sheet));
    std::vector<std::string> grid = CellsOf(m_strTemplate);
    ASSERT_EQ(6u, grid.size());

    // A row below A1's row: three cells more, the sheet 90 high.
    std::vector<std::string> cells = CallOnGrid(sheet, "AddRow", TRUE);
    ASSERT_EQ(9u, cells.size());
    EXPECT_NE(cells.end(), std::find_if(cells.begin(), cells.end(), [](const std::string& s) {
        return s.find(",90)") != std::string::npos; }));

    cells = CallOnGrid(sheet, "AddColumn", TRUE);
    ASSERT_EQ(8u, cells.size());
    EXPECT_NE(cells.end(), std::find_if(cells.begin(), cells.end(), [](const std::string& s) {
        return s.find(",320,") != std::string::npos; }));

    // A1's row goes: B2 and C2 are left, moved up.
    cells = CallOnGrid(sheet, "DeleteRow", TRUE);
    ASSERT_EQ(3u, cells.size());
    EXPECT_EQ("A2(0,0,80,30)", cells[0]);

    // A1's column goes: B and C move left.
    cells = CallOnGrid(sheet, "DeleteColumn", TRUE);
    ASSERT_EQ(4u, cells.size());
    EXPECT_EQ("B1(0,0,80,30)", cells[0]);

    // A1 becomes 3 x 5 cells inside its own rectangle.
    cells = CallOnGrid(sheet, "SplitUnit", TRUE);
    ASSERT_EQ(20u, cells.size());
    int nInsideA1 = 0;
    for (const std::string& s : cells)
    {
        int l, t, r, b;
        std::string strRect = s.substr(s.find('(') + 1);
        if (sscanf(strRect.c_str(), "%d,%d,%d,%d", &l, &t, &r, &b) == 4 && r <= 80 && b <= 30)
            ++nInsideA1;
    }
    EXPECT_EQ(15, nInsideA1);

    // One selected cell: nothing needs merging, the template stays.
    cells = CallOnGrid(sheet, "MergeUnit", TRUE);
    EXPECT_EQ(grid, cells);
}

TEST_F(AutomationTest, RefusalsChangeNothing)
{
    CScopedInterface<IDispatch> sheet;
    ASSERT_EQ(S_OK, oletest::CreateSheetObject(sheet));
    // A new object holds no template: every method refuses.
    for (LPCSTR lpszMethod : kMethods)
        EXPECT_FALSE(CallMethod(sheet, lpszMethod)) << lpszMethod;
    EXPECT_EQ(S_FALSE, oletest::IsDirty(sheet));

    // After AddRow the selection is empty: the split refuses and the sheet
    // stays as AddRow left it.
    std::vector<std::string> afterAdd = CallOnGrid(sheet, "AddRow", TRUE);
    EXPECT_FALSE(CallMethod(sheet, "SplitUnit"));
    CString strCopy = m_folder.PathOf("Refused.kvm");
    ASSERT_EQ(S_OK, oletest::SaveCopy(sheet, strCopy));
    EXPECT_EQ(afterAdd, CellsOf(strCopy));
}

TEST_F(AutomationTest, ServerEndsWhenItsLastClientLetsGo)
{
    CScopedInterface<IDispatch> first, second;
    ASSERT_EQ(S_OK, oletest::CreateSheetObject(first));
    ASSERT_EQ(S_OK, oletest::CreateSheetObject(second));
    // Both objects come from the one running program, which shows no window.
    std::vector<DWORD> servers = oletest::FindServerProcesses();
    ASSERT_EQ(1u, servers.size());
    HANDLE hServer = OpenProcess(SYNCHRONIZE, FALSE, servers[0]);
    ASSERT_NE(nullptr, hServer);

    first.Release();
    EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(hServer, 1000));
    HRESULT hr = E_FAIL;
    CallMethod(second, "AddRow", &hr);
    EXPECT_EQ(S_OK, hr) << "the second object still answers";
    second.Release();
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(hServer, 30000));
    CloseHandle(hServer);
}

} // namespace
