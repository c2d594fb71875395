#include <deque>

#include "tests/engines/dao/ReportDatabaseFile.h"
#include "tests/engines/dao/BrasslockLibrary.h"
#include "tests/support/MessageBoxRecorder.h"
#include "tests/support/Utf8.h"

#include "framework/core/Exception.h"

namespace
{

class Brasslock : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_library.IsLoaded());
        m_file.Exec("INSERT INTO ss_Organ VALUES ('O''K', 'O''Keefe & Sons', 'OK');"
                    "INSERT INTO ss_Organ VALUES ('B1', 'Branch One', 'B1');"
                    "INSERT INTO ss_Organ VALUES ('B2', 'Branch_Two', 'B2');"
                    "INSERT INTO ss_Organ VALUES ('X9', '100% Subsidiary', 'X9');");
    }

    CKemDatabase* OpenDatabase()
    {
        CKemDatabase* pDb = m_library.GetDatabase(1);
        if (pDb != NULL)
        {
            pDb->m_strDatabase = m_file.WindowsPath();
            pDb->Reopen(FALSE);
        }
        return pDb;
    }

    // The FD_Code of each row of an open recordset, from the first row on.
    std::vector<std::string> Codes(CKemRecordset* pRs)
    {
        std::vector<std::string> codes;
        if (pRs->IsBOF() && pRs->IsEOF())
            return codes;
        for (pRs->MoveFirst(); !pRs->IsEOF(); pRs->MoveNext())
        {
            COleVariant value = pRs->GetFieldValue("fd_code");
            codes.push_back(V_VT(&value) == VT_BSTR ? (LPCSTR)AfxStringFromBstrBytes(V_BSTR(&value)) : "?");
        }
        return codes;
    }

    BrasslockLibrary m_library;
    ReportDatabaseFile m_file;
};

} // namespace

TEST_F(Brasslock, ExportsAllSixFunctions)
{
    for (LPCSTR lpszName : {ENGINE_EXPORT_GET_DATABASE, ENGINE_EXPORT_GET_RECORDSET, ENGINE_EXPORT_RELEASE_DATABASE,
                            ENGINE_EXPORT_RELEASE_RECORDSET, ENGINE_EXPORT_LOAD_REPORT_DATA,
                            ENGINE_EXPORT_SAVE_REPORT_DATA})
        EXPECT_NE(nullptr, m_library.Proc(lpszName)) << lpszName;
    m_library.ReleaseDatabase(NULL);
    m_library.ReleaseRecordset(NULL);
}

TEST_F(Brasslock, ATypeOutsideTheLibraryGetsNoConnectionAndNoReportData)
{
    CKemDatabase* pDb = m_library.GetDatabase(40);
    ASSERT_NE(nullptr, pDb);
    EXPECT_EQ(40, pDb->m_nType);
    EXPECT_TRUE(pDb->IsKindOf(RUNTIME_CLASS(CKemDatabase)));
    EXPECT_STREQ("", pDb->GetConnectString());
    pDb->m_strDatabase = m_file.WindowsPath();
    CCellArray cells;
    CCell cell = DataCell("B1", "2005030000000", "R2", "", 1, 1, "v");
    cells.Add(cell);
    MessageBoxRecorder recorder;
    EXPECT_EQ(0, m_library.SaveKemReportData(&cells, pDb, "ss_datalist"));
    EXPECT_EQ(0, m_library.LoadKemReportData(&cells, pDb, "ss_datalist"));
    EXPECT_TRUE(recorder.Messages().empty());
    EXPECT_STREQ("v", cells[0].m_strValue);
    m_library.ReleaseDatabase(pDb);

    // A database of another library is not this library's to use.
    CKemDatabase foreign;
    foreign.m_nType = 1;
    EXPECT_EQ(nullptr, m_library.GetRecordset(&foreign));
    EXPECT_EQ(0, m_library.SaveKemReportData(&cells, &foreign, "ss_datalist"));
}

TEST_F(Brasslock, SourcesThatCannotBeReadStayClosedWithAMessage)
{
    MessageBoxRecorder recorder;
    CString strFolder = m_file.WindowsPath().Left(m_file.WindowsPath().ReverseFind('\\'));
    CKemDatabase* pParadox = m_library.GetDatabase(12);
    pParadox->m_strDatabase = strFolder;
    pParadox->Reopen(FALSE);
    EXPECT_FALSE(pParadox->IsOpen());
    EXPECT_EQ((std::vector<std::string>{"There is no Paradox table (.db file) in " + std::string(strFolder) + ".",
                                        "Failed to import."}),
              recorder.Texts());
    pParadox->Close();
    ASSERT_EQ(2u, recorder.Messages().size());
    // The stand-in's errors have no help to offer.
    for (const auto& message : recorder.Messages())
        EXPECT_EQ((UINT)MB_OK, message.type & MB_TYPEMASK);
    EXPECT_EQ(std::string::npos, recorder.Texts()[0].find("help")) << recorder.Texts()[0];
    m_library.ReleaseDatabase(pParadox);

    recorder.Clear();
    CKemDatabase* pText = m_library.GetDatabase(23);
    pText->m_strDatabase = m_file.WindowsPath();
    pText->Reopen(FALSE);
    EXPECT_FALSE(pText->IsOpen());
    EXPECT_EQ("Failed to import.", recorder.LastText());
    pText->Close();
    m_library.ReleaseDatabase(pText);

    recorder.Clear();
    CKemDatabase* pMissing = m_library.GetDatabase(1);
    pMissing->m_strDatabase = "C:\\no\\such\\kem.mdb";
    recorder.QueueAnswer(IDNO);
    pMissing->Reopen(FALSE);
    EXPECT_FALSE(pMissing->IsOpen());
    EXPECT_EQ(1u, recorder.Messages().size());
    m_library.ReleaseDatabase(pMissing);
}

TEST_F(Brasslock, RecordsetFiltersTakeSqlWildcards)
{
    CKemDatabase* pDb = OpenDatabase();
    ASSERT_TRUE(pDb != NULL && pDb->IsOpen());
    CKemRecordset* pRs = m_library.GetRecordset(pDb);
    ASSERT_NE(nullptr, pRs);
    EXPECT_TRUE(pRs->IsKindOf(RUNTIME_CLASS(CKemRecordset)));
    pRs->m_strSort = "FD_Code";
    pRs->Open("select * from ss_Organ where FD_Name like 'O''K%'", TRUE);
    EXPECT_EQ((std::vector<std::string>{"O'K"}), Codes(pRs));
    pRs->Close();

    pRs->m_strFilter = "FD_Name LIKE 'Branch_T%'";
    pRs->Open("select * from ss_Organ", FALSE);
    EXPECT_EQ((std::vector<std::string>{"B2"}), Codes(pRs));
    // The wildcards of lower-case like too; text outside the pattern stays.
    pRs->m_strFilter = "FD_Name like 'Branch%' and FD_SearchCode <> 'B_'";
    pRs->Requery();
    EXPECT_EQ((std::vector<std::string>{"B1", "B2"}), Codes(pRs));
    pRs->m_strFilter.Empty();
    pRs->Requery();
    EXPECT_EQ(4, pRs->GetRecordCount());
    pRs->MoveLast();
    EXPECT_EQ(4, pRs->GetRecordCount());
    EXPECT_TRUE(pRs->FindFirst("FD_Code='O''K'"));
    COleVariant name = pRs->GetFieldValue("FD_Name");
    EXPECT_STREQ("O'Keefe & Sons", AfxStringFromBstrBytes(V_BSTR(&name)));
    EXPECT_FALSE(pRs->FindNext("FD_Code='O''K'"));
    EXPECT_EQ(3, pRs->GetFieldCount());
    pRs->m_strFilter = "FD_Code='none'";
    pRs->Requery();
    EXPECT_EQ(0, pRs->GetRecordCount());
    m_library.ReleaseRecordset(pRs);
    pDb->Close();
    m_library.ReleaseDatabase(pDb);
}

TEST_F(Brasslock, RecordsetChangesReachTheFileAndErrorsReachTheCaller)
{
    CKemDatabase* pDb = OpenDatabase();
    ASSERT_TRUE(pDb != NULL && pDb->IsOpen());
    CKemRecordset* pRs = m_library.GetRecordset(pDb);
    pRs->Open("select * from ss_Organ", FALSE);
    pRs->AddNew();
    pRs->SetFieldValue("FD_Code", "N'1");
    pRs->SetFieldValue(1, COleVariant("New 'one'", VT_BSTRT));
    pRs->SetFieldValueNull("FD_SearchCode");
    pRs->Update();
    ASSERT_TRUE(pRs->FindFirst("FD_Code='B1'"));
    pRs->Delete();
    EXPECT_TRUE(pRs->IsDeleted());
    EXPECT_EQ((std::vector<std::string>{"N'1|New 'one'|<null>", "O'K|O'Keefe & Sons|OK"}),
              m_file.Rows("SELECT * FROM ss_Organ WHERE FD_Code NOT IN ('B2','X9') ORDER BY FD_Code"));

    bool bCaught = false;
    try
    {
        pRs->MoveFirst();
        pRs->GetFieldValue("FD_NoSuchColumn");
    }
    catch (CException* e)
    {
        bCaught = true;
        EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CDatabaseException)));
        e->Delete();
    }
    EXPECT_TRUE(bCaught);
    bCaught = false;
    try
    {
        pRs->Open("select * from ss_nosuch", FALSE);
    }
    catch (CException* e)
    {
        bCaught = true;
        char szMessage[256];
        e->GetErrorMessage(szMessage, sizeof(szMessage));
        EXPECT_NE(nullptr, strstr(szMessage, "ss_nosuch")) << szMessage;
        e->Delete();
    }
    EXPECT_TRUE(bCaught);
    EXPECT_EQ(-1, pRs->GetRecordCount());
    m_library.ReleaseRecordset(pRs);
    m_library.ReleaseDatabase(pDb);
}

// The file holds UTF-8, as the ODBC driver writes it, whatever the code
// page of the program: names typed in it are stored, found and read back
// through it; a text stored in the code page by earlier versions still
// reads as it was written; one whose characters the code page lacks reads
// with '?' for them, and a change to another field of its row leaves it.
TEST_F(Brasslock, TextsAreKeptAsUtf8AndReadInTheProgramsCodePage)
{
    const char kAccents[] = "Café Zürich";
    const char kChinese[] = "中文公司";
    CString strAccents = CodePageText(kAccents);
    ASSERT_FALSE(strAccents.IsEmpty());
    m_file.Exec("INSERT INTO ss_Organ VALUES ('L1', CAST(X'436166E9' AS TEXT), 'L1');"
                "INSERT INTO ss_Organ VALUES ('U1', '中文公司', 'U1')");
    CKemDatabase* pDb = OpenDatabase();
    ASSERT_TRUE(pDb != NULL && pDb->IsOpen());
    CKemRecordset* pRs = m_library.GetRecordset(pDb);
    try
    {
        pRs->Open("select * from ss_Organ", FALSE);
        pRs->AddNew();
        pRs->SetFieldValue("FD_Code", "A1");
        pRs->SetFieldValue("FD_Name", COleVariant(strAccents, VT_BSTRT));
        pRs->SetFieldValue("FD_SearchCode", (LPCSTR)strAccents);
        pRs->Update();
        EXPECT_EQ((std::vector<std::string>{HexOf(kAccents) + "|" + HexOf(kAccents)}),
                  m_file.Rows("SELECT lower(hex(FD_Name)), lower(hex(FD_SearchCode)) FROM ss_Organ WHERE FD_Code='A1'"));
        // Found by a literal in a filter and in a find.
        pRs->m_strFilter = "FD_Name='" + strAccents + "' Or FD_SearchCode Like '" + strAccents.Left(3) + "*'";
        pRs->Requery();
        EXPECT_EQ((std::vector<std::string>{"A1"}), Codes(pRs));
        pRs->m_strFilter.Empty();
        pRs->Requery();
        ASSERT_TRUE(pRs->FindFirst("FD_Name='" + strAccents + "'"));
        COleVariant name = pRs->GetFieldValue("FD_Name");
        EXPECT_STREQ(strAccents, AfxStringFromBstrBytes(V_BSTR(&name)));

        ASSERT_TRUE(pRs->FindFirst("FD_Code='L1'"));
        name = pRs->GetFieldValue("FD_Name");
        EXPECT_STREQ("Caf\xE9", AfxStringFromBstrBytes(V_BSTR(&name)));
        ASSERT_TRUE(pRs->FindFirst("FD_Code='U1'"));
        name = pRs->GetFieldValue("FD_Name");
        CString strChinese = CodePageText(kChinese);
        EXPECT_STREQ(strChinese.IsEmpty() ? CString("????") : strChinese, AfxStringFromBstrBytes(V_BSTR(&name)));
        pRs->Edit();
        pRs->SetFieldValue("FD_SearchCode", "U2");
        pRs->Update();
        pRs->Close();
    }
    catch (CException* e)
    {
        ADD_FAILURE() << TakeExceptionText(e);
    }
    EXPECT_EQ((std::vector<std::string>{HexOf(kChinese) + "|U2"}),
              m_file.Rows("SELECT lower(hex(FD_Name)), FD_SearchCode FROM ss_Organ WHERE FD_Code='U1'"));
    m_library.ReleaseRecordset(pRs);
    m_library.ReleaseDatabase(pDb);
}
