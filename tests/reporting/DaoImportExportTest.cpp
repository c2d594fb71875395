// Text and HTML data sources through the loader and the DAO library: the
// source is worked on in a temporary database and written back on Close.
#include <functional>

#include "tests/support/Gtest.h"
#include "tests/support/MessageBoxRecorder.h"

#include "engines/common/EngineExports.h"
#include "engines/dao/SourceTable.h"
#include "framework/core/File.h"
#include "framework/db/DaoRecordset.h"
#include "reporting/EngineLoader.h"
#include "tests/reporting/ReportingDatabase.h"

namespace {

const char kDatalistText[] =
    "FD_Time,FD_OrgCode,FD_RowItemCode,FD_ColItemCode,FD_Line,FD_CurType,FD_Value\r\n"
    "2005000300000,O'1,R1,========,1,0,5\r\n";
const char kOrganText[] = "FD_Code,FD_Name,FD_SearchCode\r\nO'1,\"Smith, Jones\",SJ\r\n";
const char kHtmlText[] =
    "<html><body><table><caption>ss_item</caption><tr><th>FD_Code</th><th>FD_Name</th></tr>"
    "<tr><td>R1</td><td>Sales</td></tr></table>"
    "<table><caption>ss_colitem</caption><tr><th>FD_Code</th><th>FD_Name</th></tr>"
    "<tr><td>C1</td><td>This period</td></tr></table></body></html>";

void WriteText(const CString& strPath, LPCSTR lpszText)
{
    CFile file(strPath, CFile::modeCreate | CFile::modeWrite);
    file.Write(lpszText, (UINT)strlen(lpszText));
}

BOOL Exists(const CString& strPath)
{
    return GetFileAttributesA(strPath) != INVALID_FILE_ATTRIBUTES;
}

// Files of the folder matching the pattern ("Kem*.tmp").
int CountFiles(const CString& strFolder, LPCSTR lpszPattern)
{
    int n = 0;
    WIN32_FIND_DATAA data;
    HANDLE hFind = FindFirstFileA(strFolder + "\\" + lpszPattern, &data);
    if (hFind == INVALID_HANDLE_VALUE)
        return 0;
    do
        ++n;
    while (FindNextFileA(hFind, &data));
    FindClose(hFind);
    return n;
}

CSourceTable ReadCsv(const CString& strPath)
{
    CSourceTable table;
    CString strError;
    EXPECT_TRUE(ParseCsvTable(ReadFileText(strPath), table, strError)) << strError;
    return table;
}

std::vector<CString> Values(const std::vector<CSourceValue>& row)
{
    std::vector<CString> values;
    for (const CSourceValue& value : row)
        values.push_back(value.m_bNull ? CString("<null>") : value.m_strText);
    return values;
}

std::vector<std::string> Texts(const MessageBoxRecorder& recorder)
{
    std::vector<std::string> texts;
    for (const RecordedMessage& message : recorder.Messages())
        texts.push_back(message.text);
    return texts;
}

class DaoImportExportTest : public ::testing::Test
{
protected:
    ~DaoImportExportTest() override
    {
        if (m_pDatabase != NULL)
            m_loader.ReleaseDatabase(m_pDatabase);
    }

    // Opens the source as a database of the type; FALSE when it stays closed.
    BOOL OpenSource(int nType, const CString& strPath)
    {
        m_pDatabase = m_loader.GetDatabase(nType);
        if (m_pDatabase == NULL)
            return FALSE;
        m_pDatabase->m_strDatabase = strPath;
        m_pDatabase->Reopen(FALSE);
        return m_pDatabase->IsOpen();
    }

    // Runs the steps on a recordset of the open source.
    void WithRecordset(LPCSTR lpszSQL, const std::function<void(CKemRecordset*)>& steps)
    {
        CKemRecordset* pRecordset = m_loader.GetRecordset(m_pDatabase);
        ASSERT_NE(nullptr, pRecordset);
        try
        {
            pRecordset->Open(lpszSQL, FALSE);
            steps(pRecordset);
            pRecordset->Close();
        }
        catch (CException* e)
        {
            ADD_FAILURE() << "database exception on " << lpszSQL;
            e->Delete();
        }
        m_loader.ReleaseRecordset(pRecordset);
    }

    void CloseSource()
    {
        m_pDatabase->Close();
        m_loader.ReleaseDatabase(m_pDatabase);
        m_pDatabase = NULL;
    }

    MessageBoxRecorder m_recorder;
    CReportingTestFolder m_folder;
    CEngineLoader m_loader;
    CKemDatabase* m_pDatabase = NULL;
};

}

TEST_F(DaoImportExportTest, TextTablesAreChangedAndWrittenBack)
{
    WriteText(m_folder.Path("ss_datalist.txt"), kDatalistText);
    WriteText(m_folder.Path("ss_Organ.csv"), kOrganText);
    // Another program's working copy under the old fixed name stays alone.
    WriteText(m_folder.Path("KemTempDB.mdb"), "in use");

    ASSERT_TRUE(OpenSource(23, m_folder.Path("ss_datalist.txt"))) << m_recorder.LastText();
    EXPECT_EQ(1, CountFiles(m_folder.m_strFolder, "Kem*.tmp"));
    WithRecordset("Select * From ss_Organ Where FD_Code='O''1'", [](CKemRecordset* p) {
        ASSERT_FALSE(p->IsEOF());
        COleVariant name = p->GetFieldValue("FD_Name");
        EXPECT_STREQ("Smith, Jones", AfxStringFromBstrBytes(V_BSTR(&name)));
    });
    WithRecordset("Select * From ss_datalist", [](CKemRecordset* p) {
        // Numbers written by the engines compare with the text read from the file.
        ASSERT_TRUE(p->FindFirst("FD_OrgCode='O''1' And FD_Line=1 And FD_CurType=0"));
        p->Edit();
        p->SetFieldValue("FD_Value", "6.50");
        p->Update();
        p->AddNew();
        p->SetFieldValue("FD_Time", "2005000400000");
        p->SetFieldValue("FD_OrgCode", "O'1");
        p->SetFieldValue("FD_RowItemCode", "R2");
        p->SetFieldValue("FD_ColItemCode", "C1");
        p->SetFieldValue("FD_Line", COleVariant((LONG)2));
        p->SetFieldValue("FD_CurType", COleVariant((BYTE)1));
        p->SetFieldValue("FD_Value", "a, \"quoted\" text");
        p->Update();
    });
    CloseSource();
    EXPECT_TRUE(m_recorder.Messages().empty()) << m_recorder.LastText();

    CSourceTable datalist = ReadCsv(m_folder.Path("ss_datalist.txt"));
    ASSERT_EQ(2u, datalist.m_rows.size());
    EXPECT_EQ((std::vector<CString>{"2005000300000", "O'1", "R1", "========", "1", "0", "6.50"}),
              Values(datalist.m_rows[0]));
    EXPECT_EQ((std::vector<CString>{"2005000400000", "O'1", "R2", "C1", "2", "1", "a, \"quoted\" text"}),
              Values(datalist.m_rows[1]));
    EXPECT_STREQ(kDatalistText, ReadFileText(m_folder.Path("ss_datalist.bak")));
    // The .csv table goes back to its own file.
    EXPECT_FALSE(Exists(m_folder.Path("ss_Organ.txt")));
    EXPECT_EQ((std::vector<CString>{"O'1", "Smith, Jones", "SJ"}), Values(ReadCsv(m_folder.Path("ss_Organ.csv")).m_rows[0]));
    EXPECT_STREQ("in use", ReadFileText(m_folder.Path("KemTempDB.mdb")));
    EXPECT_EQ(0, CountFiles(m_folder.m_strFolder, "Kem*.tmp"));
}

TEST_F(DaoImportExportTest, UnchangedSourceIsNotRewritten)
{
    WriteText(m_folder.Path("ss_Organ.txt"), kOrganText);
    ASSERT_TRUE(OpenSource(23, m_folder.m_strFolder)) << m_recorder.LastText();
    WithRecordset("Select * From ss_Organ", [](CKemRecordset* p) { EXPECT_FALSE(p->IsEOF()); });
    CloseSource();
    EXPECT_FALSE(Exists(m_folder.Path("ss_Organ.bak")));
    EXPECT_STREQ(kOrganText, ReadFileText(m_folder.Path("ss_Organ.txt")));
    EXPECT_EQ(0, CountFiles(m_folder.m_strFolder, "Kem*.tmp"));
}

TEST_F(DaoImportExportTest, HtmlDocumentGetsAllItsTablesBack)
{
    CString strDocument = m_folder.Path("reporting.html");
    WriteText(strDocument, kHtmlText);
    ASSERT_TRUE(OpenSource(24, strDocument)) << m_recorder.LastText();
    WithRecordset("Select * From ss_item", [](CKemRecordset* p) {
        ASSERT_FALSE(p->IsEOF());
        p->Edit();
        p->SetFieldValue("FD_Name", "Sales & <other> income");
        p->Update();
    });
    CloseSource();
    EXPECT_TRUE(m_recorder.Messages().empty()) << m_recorder.LastText();

    std::vector<CSourceTable> tables;
    CString strError;
    ASSERT_TRUE(ParseHtmlTables(ReadFileText(strDocument), tables, strError)) << strError;
    ASSERT_EQ(2u, tables.size());
    EXPECT_STREQ("ss_item", tables[0].m_strName);
    EXPECT_EQ((std::vector<CString>{"R1", "Sales & <other> income"}), Values(tables[0].m_rows[0]));
    EXPECT_STREQ("ss_colitem", tables[1].m_strName);
    EXPECT_EQ((std::vector<CString>{"C1", "This period"}), Values(tables[1].m_rows[0]));
    EXPECT_STREQ(kHtmlText, ReadFileText(m_folder.Path("reporting.bak")));
}

TEST_F(DaoImportExportTest, FailedWriteBackKeepsTheChangesAndSaysWhere)
{
    WriteText(m_folder.Path("ss_datalist.txt"), kDatalistText);
    // The backup cannot be made: a folder stands where it would go.
    ASSERT_TRUE(CreateDirectoryA(m_folder.Path("ss_datalist.bak"), NULL));
    ASSERT_TRUE(OpenSource(23, m_folder.Path("ss_datalist.txt"))) << m_recorder.LastText();
    WithRecordset("Select * From ss_datalist", [](CKemRecordset* p) {
        p->Edit();
        p->SetFieldValue("FD_Value", "7");
        p->Update();
    });
    CloseSource();
    RemoveDirectoryA(m_folder.Path("ss_datalist.bak"));

    ASSERT_EQ(2u, m_recorder.Messages().size());
    EXPECT_EQ("Cannot keep a backup of " + std::string(m_folder.Path("ss_datalist.txt")) + ".",
              m_recorder.Messages()[0].text);
    EXPECT_NE(std::string::npos, m_recorder.LastText().find("could not be written back"));
    EXPECT_STREQ(kDatalistText, ReadFileText(m_folder.Path("ss_datalist.txt")));
    ASSERT_EQ(1, CountFiles(m_folder.m_strFolder, "Kem*.tmp"));

    // The kept copy holds the change.
    WIN32_FIND_DATAA data;
    HANDLE hFind = FindFirstFileA(m_folder.Path("Kem*.tmp"), &data);
    FindClose(hFind);
    CDaoDatabase kept;
    kept.Open(m_folder.Path(data.cFileName));
    CDaoRecordset rs(&kept);
    rs.Open(dbOpenSnapshot, "Select FD_Value From ss_datalist");
    COleVariant value = rs.GetFieldValue(0);
    EXPECT_STREQ("7", AfxStringFromBstrBytes(V_BSTR(&value)));
    rs.Close();
    kept.Close();
}

TEST_F(DaoImportExportTest, UnreadableSourcesStayClosedWithTheirReason)
{
    WriteText(m_folder.Path("bad.txt"), "a,b\r\n1,2,3\r\n");
    EXPECT_FALSE(OpenSource(23, m_folder.m_strFolder));
    EXPECT_EQ((std::vector<std::string>{"The text table " + std::string(m_folder.Path("bad.txt")) +
                                            " cannot be read: line 2 has more fields than the header names.",
                                        "Failed to import."}),
              Texts(m_recorder));
    EXPECT_EQ(0, CountFiles(m_folder.m_strFolder, "Kem*.tmp"));
    m_loader.ReleaseDatabase(m_pDatabase);
    m_pDatabase = NULL;

    m_recorder.Clear();
    EXPECT_FALSE(OpenSource(24, m_folder.Path("missing.html")));
    EXPECT_EQ((std::vector<std::string>{"Cannot read " + std::string(m_folder.Path("missing.html")) + ".",
                                        "Failed to import."}),
              Texts(m_recorder));
}

TEST_F(DaoImportExportTest, FormatsWithoutAnEngineFailClearly)
{
    EXPECT_FALSE(OpenSource(12, m_folder.m_strFolder));
    EXPECT_EQ((std::vector<std::string>{"Paradox tables cannot be opened: there is no Paradox engine here.",
                                        "Failed to import."}),
              Texts(m_recorder));
    m_loader.ReleaseDatabase(m_pDatabase);
    m_pDatabase = NULL;

    for (int nType : {2, 6, 14, 18, 20})
    {
        SCOPED_TRACE(nType);
        m_recorder.Clear();
        EXPECT_FALSE(OpenSource(nType, m_folder.Path("source.dat")));
        ASSERT_EQ(1u, m_recorder.Messages().size());
        EXPECT_NE(std::string::npos, m_recorder.LastText().find("driver is not available")) << m_recorder.LastText();
        m_loader.ReleaseDatabase(m_pDatabase);
        m_pDatabase = NULL;
    }
}

TEST_F(DaoImportExportTest, TableWithoutRowsKeepsItsHeader)
{
    WriteText(m_folder.Path("ss_Organ.txt"), kOrganText);
    WriteText(m_folder.Path("ss_reportlog.txt"),
              "FD_TemplateCode,FD_OrgCode,FD_ReportType,FD_StartDate,FD_EndDate\r\n");
    ASSERT_TRUE(OpenSource(23, m_folder.m_strFolder)) << m_recorder.LastText();
    WithRecordset("Select * From ss_Organ", [](CKemRecordset* p) { p->Delete(); });
    CloseSource();
    EXPECT_TRUE(m_recorder.Messages().empty()) << m_recorder.LastText();
    EXPECT_STREQ("FD_Code,FD_Name,FD_SearchCode\r\n", ReadFileText(m_folder.Path("ss_Organ.txt")));
    EXPECT_STREQ("FD_TemplateCode,FD_OrgCode,FD_ReportType,FD_StartDate,FD_EndDate\r\n",
                 ReadFileText(m_folder.Path("ss_reportlog.txt")));
}
