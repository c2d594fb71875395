// The callers of Find Item on both engines, with the real dialog driven
// from a second thread: Cell > Item Setup and Item Column Setup (enabled
// only for numeric selections with the item list open; the item chosen
// reaches every selected numeric cell) and Browse in Set Report
// Information (the organization chosen fills code and name), with the
// name that goes out with a typed code.
#include <cstring>
#include <functional>

#include "tests/sheet/document/database/DatabaseTestDoc.h"
#include "tests/support/RecordingCmdUI.h"

#include "engines/common/KemRecordset.h"
#include "view/ReportInfoDlg.h"

namespace
{
const UINT kItemSetup = 33047;
const UINT kColItemSetup = 33049;

// A Win32 thread (Wine gives a library thread no Windows state) that runs
// the work; joined by the destructor.
class CDriverThread
{
public:
    explicit CDriverThread(std::function<void()> work) : m_work(std::move(work))
    {
        m_hThread = CreateThread(NULL, 0, Run, this, 0, NULL);
    }
    ~CDriverThread() { join(); }
    void join()
    {
        if (m_hThread == NULL)
            return;
        WaitForSingleObject(m_hThread, INFINITE);
        CloseHandle(m_hThread);
        m_hThread = NULL;
    }

private:
    static DWORD WINAPI Run(LPVOID pParam)
    {
        static_cast<CDriverThread*>(pParam)->m_work();
        return 0;
    }
    std::function<void()> m_work;
    HANDLE m_hThread;
};

// Waits for a top-level dialog of this process with the caption, shown
// (so its initialisation has run).
HWND WaitForCaption(LPCSTR lpszCaption)
{
    for (int i = 0; i < 400; ++i)
    {
        HWND hDlg = FindWindowA("#32770", lpszCaption);
        if (hDlg != NULL && IsWindowVisible(hDlg))
            return hDlg;
        Sleep(50);
    }
    return NULL;
}

// Types the text into the Find Item dialog, waits for one entry and takes
// it; the entry.
std::string TakeOnlyEntry(HWND hFind, LPCSTR lpszText)
{
    SetDlgItemTextA(hFind, 32803, lpszText);
    HWND hList = GetDlgItem(hFind, 1145);
    for (int i = 0; i < 400 && SendMessageA(hList, LB_GETCOUNT, 0, 0) != 1; ++i)
        Sleep(50);
    char szEntry[256] = "";
    SendMessageA(hList, LB_GETTEXT, 0, (LPARAM)szEntry);
    PostMessageA(hFind, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    return szEntry;
}

class ItemSetup : public ReportDatabaseTest
{
protected:
    void SetUp() override
    {
        ReportDatabaseTest::SetUp();
        m_backend->Exec("INSERT INTO ss_item (FD_Code, FD_Name, FD_SearchCode, FD_Type) VALUES"
                        " ('R1', 'Sales', 'S', 0), ('R9', 'Nine''s', 'N', 0)");
        m_backend->Exec("INSERT INTO ss_colitem (FD_Code, FD_Name, FD_SearchCode) VALUES ('C7', 'Seven', 'S')");
        for (CKemRecordset** ppList : { &m_doc.m_connection.m_pItemRecordset, &m_doc.m_connection.m_pColItemRecordset,
                                        &m_doc.m_connection.m_pOrganRecordset })
        {
            *ppList = m_loader.GetRecordset(m_pDatabase);
            ASSERT_NE(nullptr, *ppList);
        }
        m_doc.m_connection.m_pItemRecordset->Open("select * from ss_item", FALSE);
        m_doc.m_connection.m_pColItemRecordset->Open("select * from ss_colitem", FALSE);
        m_doc.m_connection.m_pOrganRecordset->Open("select * from ss_Organ", FALSE);
        // The Find Item dialog reads the program's connection.
        GetReportConnection() = m_doc.m_connection;
    }

    void TearDown() override
    {
        GetReportConnection() = CReportConnection();
        for (CKemRecordset* pList : { m_doc.m_connection.m_pItemRecordset, m_doc.m_connection.m_pColItemRecordset,
                                      m_doc.m_connection.m_pOrganRecordset })
            if (pList != NULL)
                m_loader.ReleaseRecordset(pList);
        ReportDatabaseTest::TearDown();
    }

    void Select(std::initializer_list<int> cells)
    {
        m_doc.m_sheet.m_arrSel.RemoveAll();
        for (int nCell : cells)
            m_doc.m_sheet.m_arrSel.Add(nCell);
    }

    // Runs the command while a second thread types the text into the Find
    // Item dialog with the caption and takes the entry listed; the entries
    // the dialog listed.
    std::vector<std::string> RunWithFind(UINT nCommand, LPCSTR lpszCaption, LPCSTR lpszText)
    {
        std::vector<std::string> listed;
        CDriverThread driver([&] {
            HWND hFind = WaitForCaption(lpszCaption);
            if (hFind != NULL)
                listed.push_back(TakeOnlyEntry(hFind, lpszText));
        });
        m_doc.OnCmdMsg(nCommand, CN_COMMAND, NULL, NULL);
        driver.join();
        return listed;
    }
};

TEST_P(ItemSetup, TheChosenItemReachesEverySelectedNumericCell)
{
    Select({ FORM_SALES, FORM_STAFF });
    EXPECT_EQ(1, CRecordingCmdUI::Update(&m_doc, kItemSetup).m_nEnabled);
    EXPECT_EQ(1, CRecordingCmdUI::Update(&m_doc, kColItemSetup).m_nEnabled);
    EXPECT_EQ(std::vector<std::string>{ "R9\tNine's" }, RunWithFind(kItemSetup, "Find Row Item", "R9"));
    EXPECT_STREQ("R9", m_doc.m_sheet.m_cells[FORM_SALES].m_szRowItemCode);
    EXPECT_STREQ("R9", m_doc.m_sheet.m_cells[FORM_STAFF].m_szRowItemCode);
    EXPECT_STREQ("R1", m_doc.m_sheet.m_cells[FORM_COSTS].m_szRowItemCode);
    EXPECT_TRUE(m_doc.IsModified());

    Select({ FORM_COSTS });
    EXPECT_EQ(std::vector<std::string>{ "C7\tSeven" }, RunWithFind(kColItemSetup, "Find Column Item", "C"));
    EXPECT_STREQ("C7", m_doc.m_sheet.m_cells[FORM_COSTS].m_szColItemCode);
    EXPECT_STREQ("C1", m_doc.m_sheet.m_cells[FORM_SALES].m_szColItemCode);
    EXPECT_EQ(std::vector<std::string>(), MessageTexts());
}

// An item whose code is a Chinese character and a digit reads "?1" here:
// chosen, it is refused and the cells keep their item.
TEST_P(ItemSetup, AnItemWhoseCodeThisSystemCannotShowIsNotTaken)
{
    m_backend->Exec("DELETE FROM ss_item");
    m_backend->Exec(CString("INSERT INTO ss_item (FD_Code, FD_Name, FD_SearchCode, FD_Type) VALUES (") +
                    (GetParam() == BACKEND_DAO_SQLITE ? "char(20013)" : "chr(20013)") + " || '1', 'Beijing', 'B', 0)");
    Select({ FORM_SALES });
    std::string strEntry;
    CDriverThread driver([&] {
        HWND hFind = WaitForCaption("Find Row Item");
        if (hFind == NULL)
            return;
        strEntry = TakeOnlyEntry(hFind, "_");
        // Refused, the dialog stays until it is cancelled.
        for (int i = 0; i < 400 && m_messages.Messages().empty(); ++i)
            Sleep(50);
        PostMessageA(hFind, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });
    m_doc.OnCmdMsg(kItemSetup, CN_COMMAND, NULL, NULL);
    driver.join();
    EXPECT_EQ("?1\tBeijing", strEntry);
    EXPECT_EQ(std::vector<std::string>{ "The row item code \"?1\" holds characters that this system cannot show, so "
                                        "it cannot be used here." },
              MessageTexts());
    EXPECT_STREQ("R1", m_doc.m_sheet.m_cells[FORM_SALES].m_szRowItemCode);
}

TEST_P(ItemSetup, DisabledUnlessEverySelectedCellIsNumericAndTheListIsOpen)
{
    Select({});
    EXPECT_EQ(0, CRecordingCmdUI::Update(&m_doc, kItemSetup).m_nEnabled);
    Select({ FORM_SALES, FORM_TOTAL });
    EXPECT_EQ(0, CRecordingCmdUI::Update(&m_doc, kItemSetup).m_nEnabled);
    Select({ FORM_SALES });
    m_doc.m_connection.m_pColItemRecordset->Close();
    EXPECT_EQ(1, CRecordingCmdUI::Update(&m_doc, kItemSetup).m_nEnabled);
    EXPECT_EQ(0, CRecordingCmdUI::Update(&m_doc, kColItemSetup).m_nEnabled);
}

TEST_P(ItemSetup, BrowseInReportInformationTakesTheOrganizationFound)
{
    CReportInfoDlg dlg(NULL);
    dlg.m_strPeriod = MonthCode(2026, 3);
    std::string strEntry, strCode, strName;
    BOOL bBrowseEnabled = FALSE;
    CDriverThread driver([&] {
        HWND hInfo = WaitForCaption("Set Report Information");
        if (hInfo == NULL)
            return;
        bBrowseEnabled = IsWindowEnabled(GetDlgItem(hInfo, 1237));
        PostMessageA(hInfo, WM_COMMAND, MAKEWPARAM(1237, BN_CLICKED), (LPARAM)GetDlgItem(hInfo, 1237));
        HWND hFind = WaitForCaption("Find Organization");
        if (hFind != NULL)
            strEntry = TakeOnlyEntry(hFind, "B");
        for (int i = 0; i < 400 && IsWindow(hFind); ++i)
            Sleep(50);
        char szText[64] = "";
        GetDlgItemTextA(hInfo, 1232, szText, sizeof(szText));
        strCode = szText;
        GetDlgItemTextA(hInfo, 1234, szText, sizeof(szText));
        strName = szText;
        PostMessageA(hInfo, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    EXPECT_EQ(IDOK, dlg.DoModal());
    driver.join();
    EXPECT_TRUE(bBrowseEnabled);
    EXPECT_EQ("B02\tO'Brien & Co", strEntry);
    EXPECT_EQ("B02", strCode);
    EXPECT_EQ("O'Brien & Co", strName);
    EXPECT_STREQ("B02", dlg.m_strOrganCode);
    EXPECT_TRUE(dlg.m_bChanged);
}

TEST_P(ItemSetup, ReportInformationKeepsTheNameWithTheCode)
{
    struct Case { const char* what; const char* code; const char* name; int nResult; const char* outName; const char* message; };
    const Case cases[] = {
        {"code typed over, name left", "C03", NULL, IDOK, "Cedar", NULL},
        {"unknown code beside another's name", "Z99", NULL, IDCANCEL, NULL,
         "No organization has the code \"Z99\"; \"Alder\" is the organization \"A01\"."},
        {"known code, another's name typed", "C03", "O'Brien & Co", IDCANCEL, NULL,
         "The organization code \"C03\" belongs to \"Cedar\", not to \"O'Brien & Co\"."},
        {"both new", "Z99", "Newcomer", IDOK, "Newcomer", NULL},
        {"the pair as opened", NULL, NULL, IDOK, "Alder", NULL},
        {"a code read with '?' that names no row", "?1", "", IDCANCEL, NULL,
         "The organization code \"?1\" holds characters that this system cannot show, so it cannot be used here."},
        {"name emptied", NULL, "", IDOK, "Alder", NULL},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        m_messages.Clear();
        CReportInfoDlg dlg(NULL);
        dlg.m_strOrganCode = "A01";
        dlg.m_strOrganName = "Alder";
        dlg.m_strPeriod = MonthCode(2026, 3);
        CDriverThread driver([&] {
            HWND hInfo = WaitForCaption("Set Report Information");
            if (hInfo == NULL)
                return;
            if (c.code != NULL)
                SetDlgItemTextA(hInfo, 1232, c.code);
            if (c.name != NULL)
                SetDlgItemTextA(hInfo, 1234, c.name);
            SendMessageA(hInfo, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            // A refused pair keeps the dialog open.
            if (!m_messages.Messages().empty())
                PostMessageA(hInfo, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        });
        EXPECT_EQ(c.nResult, dlg.DoModal());
        driver.join();
        EXPECT_EQ(c.message == NULL ? std::vector<std::string>() : std::vector<std::string>{ c.message },
                  MessageTexts());
        if (c.nResult == IDOK)
        {
            EXPECT_STREQ(c.outName, dlg.m_strOrganName);
            EXPECT_STREQ(c.code != NULL ? c.code : "A01", dlg.m_strOrganCode);
            const BOOL bChanged = (c.code != NULL && strcmp(c.code, "A01") != 0) || strcmp(c.outName, "Alder") != 0;
            EXPECT_EQ(bChanged, dlg.m_bChanged);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Engines, ItemSetup, testing::Values(BACKEND_DAO_SQLITE, BACKEND_ODBC_POSTGRESQL),
                         ReportBackendName);

} // namespace
