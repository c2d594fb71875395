// Saving a report to the reporting database, changing it and loading it
// back, and the key-cell checks on the way, on both engines.
#include "tests/sheet/document/database/DatabaseTestDoc.h"
#include "tests/support/UpdateConfirmDriver.h"

#include "engines/common/KemRecordset.h"

namespace
{

using SaveLoad = ReportDatabaseTest;

TEST_P(SaveLoad, SavedFiguresReloadAndAChangedFigureReplacesTheStoredOne)
{
    CString strMarch = MonthCode(2026, 3);
    SetKeys("B02", "O'Brien & Co", strMarch);
    SetFigures("12.5", "7", "3", "no remarks");
    m_doc.SaveDataToDatabase();
    EXPECT_EQ(std::vector<std::string>(), MessageTexts());
    std::string strTime = (LPCSTR)strMarch;
    std::vector<std::string> expected = {
        "B02|" + strTime + "|R1|C1|12.5", "B02|" + strTime + "|R1|C2|7",
        "B02|" + strTime + "|R2|C1|3", "B02|" + strTime + "|R2|C2|no remarks",
    };
    EXPECT_EQ(expected, DataRows());

    // The overwrite question of the engine is answered "Update".
    Value(FORM_COSTS) = "8.25";
    CUpdateConfirmDriver confirm;
    confirm.Queue(CUpdateConfirmDriver::update);
    m_doc.SaveDataToDatabase();
    EXPECT_EQ(1u, confirm.Asked().size());
    expected[1] = "B02|" + strTime + "|R1|C2|8.25";
    EXPECT_EQ(expected, DataRows());

    SetFigures("", "", "", "");
    Value(FORM_TOTAL) = "";
    m_messages.Clear();
    m_doc.LoadDataFromDatabase(TRUE);
    EXPECT_EQ(std::vector<std::string>(), MessageTexts());
    EXPECT_STREQ("12.5", Value(FORM_SALES));
    EXPECT_STREQ("8.25", Value(FORM_COSTS));
    EXPECT_STREQ("3", Value(FORM_STAFF));
    EXPECT_STREQ("no remarks", Value(FORM_NOTE));
    // Calculate cells are recomputed from the loaded figures.
    EXPECT_DOUBLE_EQ(20.75, atof(Value(FORM_TOTAL)));
}

TEST_P(SaveLoad, KeyCellsMustNameAKnownMatchingOrganization)
{
    SetFigures("1", "2", "3", "");
    SetKeys("Z99", "Alder", MonthCode(2026, 1));
    m_doc.SaveDataToDatabase();
    EXPECT_EQ(std::vector<std::string>{"Invalid Organ Code."}, MessageTexts());

    m_messages.Clear();
    SetKeys("A01", "Cedar", MonthCode(2026, 1));
    m_doc.SaveDataToDatabase();
    EXPECT_EQ(std::vector<std::string>{"Organ Code and Organ Name is not matching."}, MessageTexts());

    m_messages.Clear();
    SetKeys("A01", "", MonthCode(2026, 1));
    m_doc.SaveDataToDatabase();
    EXPECT_EQ(std::vector<std::string>{"Organ Name cell cannot be empty."}, MessageTexts());
    EXPECT_TRUE(DataRows().empty());
    EXPECT_TRUE(LogRows().empty());

    // A figure that is no number is refused.
    m_messages.Clear();
    SetKeys("A01", "Alder", MonthCode(2026, 1));
    Value(FORM_STAFF) = "1e";
    m_doc.SaveDataToDatabase();
    EXPECT_EQ(std::vector<std::string>{"Invalid 'e' in numeric cells."}, MessageTexts());
    EXPECT_TRUE(DataRows().empty());
}

TEST_P(SaveLoad, LoadingWithoutAnOrganizationCodeSpeaksOnlyFromTheMenu)
{
    SetKeys("", "Alder", MonthCode(2026, 1));
    m_doc.LoadDataFromDatabase(FALSE);
    EXPECT_EQ(std::vector<std::string>(), MessageTexts());
    m_doc.LoadDataFromDatabase(TRUE);
    EXPECT_EQ(std::vector<std::string>{"Organ Code Cell cannot be NULL\n\nFaild to load data!"}, MessageTexts());
}

TEST_P(SaveLoad, ABalanceFormulaOverACalculateCellIsCheckedBeforeSaving)
{
    m_doc.m_sheet.m_lstBalance.AddTail("C2=A3");
    SetKeys("A01", "Alder", MonthCode(2026, 2));
    SetFigures("1", "2", "4", "");
    m_doc.RecalculateAll();
    m_doc.SaveDataToDatabase();
    EXPECT_EQ(std::vector<std::string>{"Invalid data for balance formula 'C2=A3'."}, MessageTexts());
    EXPECT_TRUE(DataRows().empty());
}

INSTANTIATE_TEST_SUITE_P(Engines, SaveLoad, testing::Values(BACKEND_DAO_SQLITE, BACKEND_ODBC_POSTGRESQL),
                         ReportBackendName);

} // namespace

namespace
{

using KeyCells = ReportDatabaseTest;

TEST_P(KeyCells, AnEditedOrganizationNameBringsItsCodeIntoEveryNumericCell)
{
    // A code of a Chinese character and a digit, which reads "?1" here, and
    // one stored as "?1"; a figure stored under "?2", which no
    // organization has.
    const char* pszChar = GetParam() == BACKEND_DAO_SQLITE ? "char(20013)" : "chr(20013)";
    m_backend->Exec(CString("INSERT INTO ss_Organ (FD_Code, FD_Name, FD_SearchCode) VALUES (") + pszChar +
                    " || '1', 'Beijing', 'BJ'), ('?1', 'Question', 'Q')");
    m_backend->Exec("INSERT INTO ss_datalist VALUES ('" + MonthCode(2026, 1) + "', '?2', 'R1', 'C1', 0, 0, '5')");
    CKemRecordset* pOrgans = m_loader.GetRecordset(m_pDatabase);
    ASSERT_NE(nullptr, pOrgans);
    pOrgans->Open("select * from ss_Organ", TRUE);
    m_doc.m_connection.m_pOrganRecordset = pOrgans;
    Value(FORM_NAME) = "O'Brien & Co";
    EXPECT_EQ(1, m_doc.FindOrganization(&m_doc.m_sheet.m_cells[FORM_NAME]));
    EXPECT_STREQ("B02", Value(FORM_CODE));
    for (int i : {FORM_SALES, FORM_COSTS, FORM_STAFF, FORM_NOTE})
        EXPECT_STREQ("B02", m_doc.m_sheet.m_cells[i].m_szOrgCode) << i;
    // An unknown code changes nothing.
    Value(FORM_CODE) = "Q77";
    EXPECT_EQ(0, m_doc.FindOrganization(&m_doc.m_sheet.m_cells[FORM_CODE]));
    EXPECT_STREQ("O'Brien & Co", Value(FORM_NAME));
    EXPECT_STREQ("B02", m_doc.m_sheet.m_cells[FORM_SALES].m_szOrgCode);
    EXPECT_STREQ("", m_doc.SelectSingleValue("ss_Organ", "FD_Name", "FD_Code='Q77'"));
    EXPECT_STREQ("Cedar", m_doc.SelectSingleValue("ss_Organ", "FD_Name", "FD_Code='C03'"));

    // The organization chosen by name whose code only reads "?1" is taken
    // off the report; the one stored as "?1" is taken.  A code that names
    // no row is not loaded.
    Value(FORM_NAME) = "Beijing";
    EXPECT_EQ(0, m_doc.FindOrganization(&m_doc.m_sheet.m_cells[FORM_NAME]));
    const std::string kUnshown =
        "The organization code \"?1\" holds characters that this system cannot show, so it cannot be used here.";
    EXPECT_EQ(std::vector<std::string>{ kUnshown }, MessageTexts());
    EXPECT_STREQ("", Value(FORM_NAME));
    EXPECT_STREQ("", Value(FORM_CODE));
    EXPECT_STREQ("", m_doc.m_sheet.m_cells[FORM_SALES].m_szOrgCode);
    m_messages.Clear();
    Value(FORM_NAME) = "Question";
    EXPECT_EQ(1, m_doc.FindOrganization(&m_doc.m_sheet.m_cells[FORM_NAME]));
    EXPECT_STREQ("?1", m_doc.m_sheet.m_cells[FORM_STAFF].m_szOrgCode);
    EXPECT_EQ(std::vector<std::string>(), MessageTexts());
    // Typed without the organizations at hand.
    m_doc.m_connection.m_pOrganRecordset = NULL;
    SetKeys("?2", "Question", MonthCode(2026, 1));
    Value(FORM_SALES) = "";
    m_messages.Clear();
    m_doc.LoadDataFromDatabase(TRUE);
    EXPECT_EQ(std::vector<std::string>{ "The organization code \"?2\" holds characters that this system cannot "
                                        "show, so it cannot be used here." },
              MessageTexts());
    EXPECT_STREQ("", Value(FORM_SALES));
    pOrgans->Close();
    m_loader.ReleaseRecordset(pOrgans);
}

TEST_P(KeyCells, AnAnalysisSheetNeedsNoKeys)
{
    m_doc.m_sheet.m_nKind = 1;
    EXPECT_EQ(1, m_doc.ValidateKeyCells());
    EXPECT_TRUE(MessageTexts().empty());
    m_doc.m_sheet.m_nKind = 0;
    EXPECT_EQ(0, m_doc.ValidateKeyCells());
    EXPECT_EQ(std::vector<std::string>{"Report Date cell cannot be empty."}, MessageTexts());
}

INSTANTIATE_TEST_SUITE_P(Engines, KeyCells, testing::Values(BACKEND_DAO_SQLITE, BACKEND_ODBC_POSTGRESQL),
                         ReportBackendName);

} // namespace
