// Text and HTML data sources through the loader and the DAO library: the
// source is worked on in a temporary database and written back on Close.
#include <sqlite3.h>
#include <stdio.h>

#include <algorithm>
#include <functional>
#include <random>
#include <string>

#include "tests/support/Gtest.h"
#include "tests/support/MessageBoxRecorder.h"
#include "tests/support/NativeTool.h"

#include "engines/common/EngineExports.h"
#include "engines/dao/DAODatabase.h"
#include "engines/dao/DbfTable.h"
#include "engines/dao/HtmlTable.h"
#include "engines/dao/ParadoxTable.h"
#include "engines/dao/SourceFiles.h"
#include "engines/dao/SourceTable.h"
#include "engines/dao/spreadsheet/LotusWorksheetFile.h"
#include "engines/dao/spreadsheet/SheetCellGrid.h"
#include "engines/dao/spreadsheet/XlsWorkbookFile.h"
#include "tests/engines/dao/SpreadsheetTables.h"
#include "tests/support/ReportDataCell.h"
#include "tests/support/UpdateConfirmDriver.h"
#include "tests/support/WorkbookTools.h"
#include "framework/core/File.h"
#include "framework/db/DaoRecordset.h"
#include "reporting/CyValueList.h"
#include "reporting/EngineLoader.h"
#include "tests/reporting/ReportingDatabase.h"

namespace {

const char kDatalistText[] =
    "FD_Time,FD_OrgCode,FD_RowItemCode,FD_ColItemCode,FD_Line,FD_CurType,FD_Value\r\n"
    "2005000300000,O'1,R1,========,1,0,5\r\n";
const char kOrganText[] = "FD_Code,FD_Name,FD_SearchCode\r\nO'1,\"Smith, Jones\",SJ\r\n";
// A name in code page 1252, as the files of a Western system hold it.
const char kCodePageOrgan[] = "O2,Caf\xE9 M\xFCller,CM\r\n";
// A reporting database as one HTML document, with two tables whose
// captions the Western code page cannot hold.
const char kHtmlText[] =
    "<html><head><meta charset=\"utf-8\"><title>Reporting &amp; more</title></head><body>"
    "<h1>Items \xe4\xb8\xad</h1><p>Kept as it is.</p>"
    "<table><caption>ss_item</caption><tr><th>FD_Code</th><th>FD_Name</th><th>FD_SearchCode</th>"
    "<th>FD_Type</th></tr><tr><td>R1</td><td>Sales &#20013; &amp;#1;</td><td>S</td><td>0</td></tr></table>"
    "<table><caption>ss_colitem</caption><tr><th>FD_Code</th><th>FD_Name</th><th>FD_SearchCode</th></tr>"
    "<tr><td>C1</td><td>This period</td><td>T</td></tr>"
    "<tr><td>C2</td><td>\xe4\xb8\xad\xe6\x96\x87\xe5\x85\xac\xe5\x8f\xb8</td><td>Z</td></tr></table>"
    "<table><caption>\xe9\x94\x80\xe5\x94\xae</caption><tr><th>Region</th><th>Amount</th></tr>"
    "<tr><td>North</td><td>5</td></tr></table>"
    "<table><caption>\xe5\xba\x93\xe5\xad\x98</caption><tr><th>Item</th></tr><tr><td>Bolts</td></tr></table>"
    "<table><caption>ss_datalist</caption><tr><th>FD_Time</th><th>FD_OrgCode</th><th>FD_RowItemCode</th>"
    "<th>FD_ColItemCode</th><th>FD_Line</th><th>FD_CurType</th><th>FD_Value</th></tr></table>"
    "<table><caption>ss_Organ</caption><tr><th>FD_Code</th><th>FD_Name</th><th>FD_SearchCode</th></tr></table>"
    "<table><caption>ss_Attribute</caption><tr><th>FD_AttrTypeCode</th><th>FD_AttrTypeName</th><th>FD_ValCode</th>"
    "<th>FD_ValName</th></tr></table>"
    "<table><caption>ss_OrgAttr</caption><tr><th>FD_OrgCode</th><th>FD_AttrTypeCode</th><th>FD_ValCode</th></tr>"
    "</table>"
    "<table><caption>ss_reportlog</caption><tr><th>FD_TemplateCode</th><th>FD_OrgCode</th><th>FD_ReportType</th>"
    "<th>FD_StartDate</th><th>FD_EndDate</th></tr></table></body></html>";
// The captions of the two tables above, in UTF-8.
const char kSalesCaption[] = "\xe9\x94\x80\xe5\x94\xae";
const char kStockCaption[] = "\xe5\xba\x93\xe5\xad\x98";

// The tables of an HTML document as python3's own HTML parser reads them:
// "caption: cell|cell" a row, one line each.
std::string HtmlTablesByPython(const CString& strFolder, const std::string& file)
{
    return RunNativeTool(strFolder, "python3 - '" + file + "' <<'PYTHON'\n"
                                    "import sys\n"
                                    "from html.parser import HTMLParser\n"
                                    "class Tables(HTMLParser):\n"
                                    "    def __init__(self):\n"
                                    "        super().__init__(); self.caption = ''; self.row = None; self.text = None\n"
                                    "    def handle_starttag(self, tag, attrs):\n"
                                    "        if tag == 'caption': self.text = ''\n"
                                    "        if tag == 'tr': self.row = []\n"
                                    "        if tag in ('td', 'th'): self.text = ''\n"
                                    "    def handle_endtag(self, tag):\n"
                                    "        if tag == 'caption': self.caption = self.text; self.text = None\n"
                                    "        if tag in ('td', 'th'): self.row.append(self.text); self.text = None\n"
                                    "        if tag == 'tr': print(self.caption + ': ' + '|'.join(self.row))\n"
                                    "    def handle_data(self, data):\n"
                                    "        if self.text is not None: self.text += data\n"
                                    "Tables().feed(open(sys.argv[1], encoding='utf-8').read())\n"
                                    "PYTHON\n");
}

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

void AddReportCells(CCellArray& cells, LPCSTR lpszSales, LPCSTR lpszText);

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

    // The figures stored for O1's row item R1 and column item C1 in
    // February and March, summed as Data > Sum Data From Databases sums
    // a cell.
    CString SumOfSales()
    {
        CString strSum;
        WithRecordset("Select * From ss_datalist Where FD_OrgCode In ('O1') And FD_Time In "
                      "('2005020000000','2005030000000') And FD_RowItemCode='R1' And FD_ColItemCode='C1'",
                      [&](CKemRecordset* p) {
                          CCyValueList values;
                          strSum = p->IsEOF() || values.LoadFromRecordset(p, "FD_Value") ? values.FormatValues()
                                                                                         : CString("not summed");
                      });
        return strSum;
    }

    // Loads back the report that saved 1250.5 and a quoted text, then
    // saves it with the figure cleared (0 in the zero mode), the question
    // about the stored figure answered Update; what the question showed.
    std::string LoadAndClearTheSavedFigure(CCellArray& cells)
    {
        AddReportCells(cells, "", "");
        EXPECT_EQ(1, m_loader.LoadReportData(&cells, m_pDatabase, "ss_datalist"));
        EXPECT_STREQ("1250.5", cells[0].m_strValue);
        EXPECT_STREQ("it's \"quoted\"", cells[1].m_strValue);
        AddReportCells(cells, "0", "it's \"quoted\"");
        return SaveUpdatingStored(cells);
    }

    // Saves the cells, the question about the stored figures answered
    // Update for all of them; what the question showed.
    std::string SaveUpdatingStored(CCellArray& cells)
    {
        CUpdateConfirmDriver confirm;
        confirm.Queue(CUpdateConfirmDriver::updateAll);
        EXPECT_EQ(1, m_loader.SaveReportData(&cells, m_pDatabase, "ss_datalist"));
        EXPECT_EQ(1u, confirm.Asked().size());
        return confirm.Asked().empty() ? std::string() : confirm.Asked()[0];
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
    WriteText(m_folder.Path("ss_Organ.csv"), CString(kOrganText) + kCodePageOrgan);
    // Another program's working copy under the old fixed name stays alone.
    WriteText(m_folder.Path("KemTempDB.mdb"), "in use");

    ASSERT_TRUE(OpenSource(23, m_folder.Path("ss_datalist.txt"))) << m_recorder.LastText();
    EXPECT_EQ(1, CountFiles(m_folder.m_strFolder, "Kem*.tmp"));
    WithRecordset("Select * From ss_Organ Where FD_Code='O''1'", [](CKemRecordset* p) {
        ASSERT_FALSE(p->IsEOF());
        COleVariant name = p->GetFieldValue("FD_Name");
        EXPECT_STREQ("Smith, Jones", AfxStringFromBstrBytes(V_BSTR(&name)));
    });
    // The file's code-page text reads, and is found, as the program's; a
    // name changed in the program goes back to the file in the code page.
    WithRecordset("Select * From ss_Organ Where FD_Name='Caf\xE9 M\xFCller'", [](CKemRecordset* p) {
        ASSERT_FALSE(p->IsEOF());
        COleVariant code = p->GetFieldValue("FD_Code");
        EXPECT_STREQ("O2", AfxStringFromBstrBytes(V_BSTR(&code)));
        p->Edit();
        p->SetFieldValue("FD_SearchCode", "Gr\xFC\xDF");
        p->Update();
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
    CSourceTable organs = ReadCsv(m_folder.Path("ss_Organ.csv"));
    ASSERT_EQ(2u, organs.m_rows.size());
    EXPECT_EQ((std::vector<CString>{"O'1", "Smith, Jones", "SJ"}), Values(organs.m_rows[0]));
    EXPECT_EQ((std::vector<CString>{"O2", "Caf\xE9 M\xFCller", "Gr\xFC\xDF"}), Values(organs.m_rows[1]));
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
    ASSERT_EQ(9u, tables.size());
    EXPECT_STREQ("ss_item", tables[0].m_strName);
    EXPECT_EQ((std::vector<CString>{"R1", "Sales & <other> income", "S", "0"}), Values(tables[0].m_rows[0]));
    EXPECT_STREQ("ss_colitem", tables[1].m_strName);
    EXPECT_EQ((std::vector<CString>{"C1", "This period", "T"}), Values(tables[1].m_rows[0]));
    EXPECT_STREQ(kHtmlText, ReadFileText(m_folder.Path("reporting.bak")));
    // Only the tables' rows were replaced: the rest and the encoding stay.
    CString strWritten = ReadFileText(strDocument);
    for (LPCSTR lpszKept : {"<title>Reporting &amp; more</title>", "<h1>Items \xe4\xb8\xad</h1>",
                            "<p>Kept as it is.</p>", "charset=\"utf-8\"", "<td>This period</td>"})
        EXPECT_GE(strWritten.Find(lpszKept), 0) << lpszKept << " in " << (LPCSTR)strWritten;
    EXPECT_LT(strWritten.Find("&amp;amp;"), 0) << (LPCSTR)strWritten;

    // A second session keeps the first backup: the original document.
    // Captions the code page lacks keep their names, so two of them of one
    // length are two tables, and a change to one goes back under its own.
    ASSERT_TRUE(OpenSource(24, strDocument)) << m_recorder.LastText();
    WithRecordset("Select * From ss_colitem", [](CKemRecordset* p) {
        p->Edit();
        p->SetFieldValue("FD_Name", "Next period");
        p->Update();
    });
    sqlite3* pCopy = static_cast<CDAODatabase*>(m_pDatabase)->m_pDaoDatabase->GetHandle();
    ASSERT_EQ(SQLITE_OK, sqlite3_exec(pCopy, (std::string("UPDATE \"") + kSalesCaption + "\" SET Amount='6'").c_str(),
                                      NULL, NULL, NULL))
        << sqlite3_errmsg(pCopy);
    EXPECT_TRUE(static_cast<CDAODatabase*>(m_pDatabase)->WriteBackChanges()) << m_recorder.LastText();
    CloseSource();
    EXPECT_TRUE(m_recorder.Messages().empty()) << m_recorder.LastText();
    EXPECT_STREQ(kHtmlText, ReadFileText(m_folder.Path("reporting.bak")));
    // As python3's own HTML parser reads the document: a name this system's
    // code page lacks goes back as it was, in a table written again for
    // another row's change.
    std::string read = HtmlTablesByPython(m_folder.m_strFolder, "reporting.html");
    for (const std::string& line :
         {std::string("ss_colitem: C1|Next period|T\n"),
          std::string("ss_colitem: C2|\xe4\xb8\xad\xe6\x96\x87\xe5\x85\xac\xe5\x8f\xb8|Z\n"),
          std::string(kSalesCaption) + ": Region|Amount\n" + kSalesCaption + ": North|6\n",
          std::string(kStockCaption) + ": Bolts\n"})
        EXPECT_NE(std::string::npos, read.find(line)) << line << " in " << read;
}

TEST_F(DaoImportExportTest, FailedWriteBackKeepsTheChangesAndSaysWhere)
{
    WriteText(m_folder.Path("ss_datalist.txt"), kDatalistText);
    ASSERT_TRUE(OpenSource(23, m_folder.Path("ss_datalist.txt"))) << m_recorder.LastText();
    // The file turns read-only while the source is open.
    ASSERT_TRUE(SetFileAttributesA(m_folder.Path("ss_datalist.txt"), FILE_ATTRIBUTE_READONLY));
    WithRecordset("Select * From ss_datalist", [](CKemRecordset* p) {
        p->Edit();
        p->SetFieldValue("FD_Value", "7");
        p->Update();
    });
    // A report saved now is kept there too, which the save answers and
    // says once; a save that fails says nothing of the changes waiting.
    CCellArray cells;
    AddReportCells(cells, "8", "kept");
    EXPECT_EQ(KEM_REPORT_SAVED_NOT_WRITTEN, m_loader.SaveReportData(&cells, m_pDatabase, "ss_datalist"));
    struct CFailingStep : CKemSaveStep
    {
        BOOL Run() override { return FALSE; }
    } failing;
    m_pDatabase->m_pSaveStep = &failing;
    EXPECT_EQ(0, m_loader.SaveReportData(&cells, m_pDatabase, "ss_datalist"));
    m_pDatabase->m_pSaveStep = NULL;
    EXPECT_EQ(2u, m_recorder.Messages().size()) << m_recorder.LastText();
    CloseSource();
    SetFileAttributesA(m_folder.Path("ss_datalist.txt"), FILE_ATTRIBUTE_NORMAL);

    // Said when each change was committed and again at Close.
    ASSERT_EQ(3u, m_recorder.Messages().size());
    EXPECT_EQ(0u, m_recorder.Messages()[0].text.find(std::string(m_folder.Path("ss_datalist.txt")) + " is read-only."))
        << m_recorder.Messages()[0].text;
    EXPECT_NE(std::string::npos, m_recorder.LastText().find("The changes are kept in " + std::string(m_folder.m_strFolder)));
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
    rs.Open(dbOpenSnapshot, "Select FD_Value From ss_datalist Where FD_OrgCode='O1' And FD_RowItemCode='R1'");
    value = rs.GetFieldValue(0);
    EXPECT_STREQ("8", AfxStringFromBstrBytes(V_BSTR(&value)));
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
              m_recorder.Texts());
    EXPECT_EQ(0, CountFiles(m_folder.m_strFolder, "Kem*.tmp"));
    m_loader.ReleaseDatabase(m_pDatabase);
    m_pDatabase = NULL;

    m_recorder.Clear();
    EXPECT_FALSE(OpenSource(24, m_folder.Path("missing.html")));
    EXPECT_EQ((std::vector<std::string>{std::string(m_folder.Path("missing.html")) + " was not found.",
                                        "Failed to import."}),
              m_recorder.Texts());
    m_loader.ReleaseDatabase(m_pDatabase);
    m_pDatabase = NULL;

    // A document cut short: inside a tag the parser has to repair, between
    // two tables (where it reads without a fault, the reporting tables
    // after the cut missing), inside a cell.  Each is refused and left as
    // it is.
    const std::string whole = kHtmlText;
    const size_t nColitemEnd = whole.find("</table>", whole.find("ss_colitem")) + 8;
    const size_t nSalesCell = whole.find("<td>North</td><td>5") + 18;
    const std::string document(m_folder.Path("cut.html"));
    const std::pair<std::string, std::string> cuts[] = {
        {whole.substr(0, whole.find("<td>This period") + 3),
         "cannot be read: it is damaged or cut short (line 1: Couldn't find end of Start Tag td)."},
        {whole.substr(0, nColitemEnd), "holds no table ss_datalist."},
        {whole.substr(0, nSalesCell), "cannot be read: it is cut short or damaged: a table has no end tag </table>."},
    };
    for (const auto& cut : cuts)
    {
        SCOPED_TRACE(cut.second);
        WriteText(document.c_str(), cut.first.c_str());
        m_recorder.Clear();
        EXPECT_FALSE(OpenSource(24, document.c_str()));
        EXPECT_EQ((std::vector<std::string>{"The HTML document " + document + " " + cut.second, "Failed to import."}),
                  m_recorder.Texts());
        m_loader.ReleaseDatabase(m_pDatabase);
        m_pDatabase = NULL;
        EXPECT_EQ(cut.first, std::string(ReadFileText(document.c_str())));
        EXPECT_EQ(0, CountFiles(m_folder.m_strFolder, "Kem*.tmp"));
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

namespace {

// The text with each run of blanks made one and no blank ending a line.
std::string Collapsed(const std::string& text)
{
    std::string out;
    for (char c : text)
    {
        if (c == ' ' && (out.empty() || out.back() == ' ' || out.back() == '\n'))
            continue;
        if (c == '\n' && !out.empty() && out.back() == ' ')
            out.pop_back();
        out += c;
    }
    return out;
}

// The report's two data cells and their keys in the sample tables.
void AddReportCells(CCellArray& cells, LPCSTR lpszSales, LPCSTR lpszText)
{
    CCell sales = ReportDataCell("O1", "2005030000000", "R1", "C1", 1, 0, lpszSales);
    CCell text = ReportDataCell("O1", "2005030000000", "R2", "", 2, 1, lpszText);
    cells.RemoveAll();
    cells.Add(sales);
    cells.Add(text);
}

} // namespace

// A dBase folder as a user's older tools made it: 10-character field names,
// typed fields.  A report saved to it is in the files as soon as the save
// returns, with every field's definition kept and the file readable by
// shapelib's own dumper; loading gives the figures back.
TEST_F(DaoImportExportTest, DbaseFolderTakesTheSavedReportAndKeepsItsFields)
{
    std::string made = RunNativeTool(m_folder.m_strFolder,
        "dbfcreate ss_datalist -s FD_Time 13 -s FD_OrgCode 8 -s FD_RowItem 8 -s FD_ColItem 8 -n FD_Line 10 0 "
        "-n FD_CurType 3 0 -s FD_Value 40"
        " && dbfadd ss_datalist 2005020000000 O1 R1 C1 1 0 17"
        " && dbfcreate ss_Organ -s FD_Code 8 -s FD_Name 50 -s FD_SearchC 8 && dbfadd ss_Organ O1 'Smith, Jones' SJ");
    ASSERT_TRUE(Exists(m_folder.Path("ss_Organ.dbf"))) << made;
    CString strOrganBefore = ReadFileText(m_folder.Path("ss_Organ.dbf"));

    ASSERT_TRUE(OpenSource(4, m_folder.m_strFolder)) << m_recorder.LastText();
    WithRecordset("Select FD_Name From ss_Organ Where FD_SearchCode='SJ'", [](CKemRecordset* p) {
        ASSERT_FALSE(p->IsEOF());
        COleVariant name = p->GetFieldValue("FD_Name");
        EXPECT_STREQ("Smith, Jones", AfxStringFromBstrBytes(V_BSTR(&name)));
    });
    CCellArray cells;
    AddReportCells(cells, "1250.5", "it's \"quoted\"");
    EXPECT_EQ(1, m_loader.SaveReportData(&cells, m_pDatabase, "ss_datalist"));
    EXPECT_TRUE(m_recorder.Messages().empty()) << m_recorder.LastText();

    // On disk before Close, in the fields as they were made.
    std::string dumped = Collapsed(RunNativeTool(m_folder.m_strFolder, "dbfdump -h ss_datalist.dbf"));
    for (const char* pszExpected : {"Type=C/String, Title=`FD_RowItem', Width=8,",
                                    "Type=N/Double, Title=`FD_Line', Width=10, Decimals=0",
                                    "Title=`FD_Value', Width=40,", "\n2005020000000 O1 R1 C1 1 0 17\n",
                                    "\n2005030000000 O1 R1 C1 1 0 1250.5\n",
                                    "\n2005030000000 O1 R2 ======== 2 0 it's \"quoted\"\n"})
        EXPECT_NE(std::string::npos, dumped.find(pszExpected)) << pszExpected << " in\n" << dumped;
    EXPECT_NE(std::string::npos, dumped.find("2005020000000")) << dumped;
    // A table the save did not touch is not rewritten.
    EXPECT_FALSE(Exists(m_folder.Path("ss_Organ.bak")));
    EXPECT_STREQ(strOrganBefore, ReadFileText(m_folder.Path("ss_Organ.dbf")));
    EXPECT_TRUE(Exists(m_folder.Path("ss_datalist.bak")));

    // Changed and saved again, then loaded back in a new session.
    AddReportCells(cells, "1300", "it's \"quoted\"");
    SaveUpdatingStored(cells);
    CloseSource();
    ASSERT_TRUE(OpenSource(4, m_folder.Path("ss_datalist.dbf"))) << m_recorder.LastText();
    AddReportCells(cells, "", "");
    EXPECT_EQ(1, m_loader.LoadReportData(&cells, m_pDatabase, "ss_datalist"));
    EXPECT_STREQ("1300", cells[0].m_strValue);
    EXPECT_STREQ("it's \"quoted\"", cells[1].m_strValue);

    // A value wider than its field stops the write-back at its row: the
    // file stays as it was, no half-written file is left beside it, and
    // the change waits in the working copy until a value that fits goes
    // out with the next save.
    CString strFile = m_folder.Path("ss_datalist.dbf");
    CString strBefore = ReadFileText(strFile);
    CString strWide('w', 41);
    AddReportCells(cells, "1300", strWide);
    m_recorder.Clear();
    {
        CUpdateConfirmDriver confirm;
        confirm.Queue(CUpdateConfirmDriver::updateAll);
        EXPECT_EQ(KEM_REPORT_SAVED_NOT_WRITTEN, m_loader.SaveReportData(&cells, m_pDatabase, "ss_datalist"));
    }
    // (The question's look-ups of names tell that this folder has no
    // item tables; the write-back's message comes last.)
    std::string told = m_recorder.LastText();
    EXPECT_EQ(0u, told.find("Cannot write " + std::string(strFile) + ": the value \"" + std::string(strWide)
                            + "\" does not fit the 40 characters of field FD_Value (row 3).\n"))
        << told;
    EXPECT_TRUE(ReadFileText(strFile) == strBefore);
    EXPECT_EQ(1, CountFiles(m_folder.m_strFolder, "Kem*"));
    m_recorder.Clear();
    AddReportCells(cells, "1300", "fits again");
    SaveUpdatingStored(cells);
    EXPECT_EQ(std::string::npos, m_recorder.LastText().find("Cannot write")) << m_recorder.LastText();
    dumped = Collapsed(RunNativeTool(m_folder.m_strFolder, "dbfdump -h ss_datalist.dbf"));
    EXPECT_NE(std::string::npos, dumped.find("\n2005030000000 O1 R2 ======== 2 0 fits again\n")) << dumped;
    CloseSource();
    EXPECT_EQ(0, CountFiles(m_folder.m_strFolder, "Kem*"));
}

// The record count, header length and record length of a .dbf file's
// bytes, and one record's bytes.
struct DbfBytes
{
    explicit DbfBytes(const CString& strPath)
    {
        CString strBytes = ReadFileText(strPath);
        m_bytes.assign(strBytes, strBytes.GetLength());
    }
    int Word(int nAt, int nBytes) const
    {
        int n = 0;
        for (int i = nBytes - 1; i >= 0; --i)
            n = n * 256 + (unsigned char)m_bytes.at(nAt + i);
        return n;
    }
    int Records() const { return Word(4, 4); }
    std::string Header() const { return m_bytes.substr(8, Word(8, 2) - 8); }
    std::string Record(int n) const { return m_bytes.substr(Word(8, 2) + n * Word(10, 2), Word(10, 2)); }
    std::string m_bytes;
};

void PatchFile(const CString& strPath, LONGLONG nAt, const char* pszBytes)
{
    CFile file(strPath, CFile::modeReadWrite);
    file.Seek(nAt, CFile::begin);
    file.Write(pszBytes, (UINT)strlen(pszBytes));
}

// A save that only adds rows to a dBase table appends them to its file:
// the records there stay byte for byte as another program wrote them.
// Once the file has changed behind the session, or holds a deleted record,
// the table is written whole from the working copy, as any other change.
TEST_F(DaoImportExportTest, DbaseRowsOnlyAddedAreAppendedToTheRecordsAsTheyWere)
{
    std::string made = RunNativeTool(m_folder.m_strFolder,
        "dbfcreate ss_datalist -s FD_Time 13 -s FD_OrgCode 8 -s FD_RowItem 8 -s FD_ColItem 8 -n FD_Line 10 0 "
        "-n FD_CurType 3 0 -s FD_Value 40"
        " && dbfadd ss_datalist 2005020000000 O1 R1 C1 1 0 17 && dbfadd ss_datalist 2005020000000 O1 R5 C1 1 0 8");
    CString strFile = m_folder.Path("ss_datalist.dbf");
    ASSERT_TRUE(Exists(strFile)) << made;
    // The first record's line as a writer that pads numbers with zeros
    // leaves it.
    const int kLineAt = 1 + 13 + 8 + 8 + 8;
    DbfBytes original(strFile);
    PatchFile(strFile, original.Word(8, 2) + kLineAt, "0000000001");
    original = DbfBytes(strFile);

    ASSERT_TRUE(OpenSource(4, m_folder.m_strFolder)) << m_recorder.LastText();
    auto save = [&](LPCSTR lpszPeriod, LPCSTR lpszValue, int nSaved = KEM_REPORT_SAVED) {
        CCellArray cells;
        CCell sales = ReportDataCell("O1", lpszPeriod, "R1", "C1", 1, 0, lpszValue);
        CCell other = ReportDataCell("O1", lpszPeriod, "R2", "C1", 1, 0, "5.25");
        cells.Add(sales);
        cells.Add(other);
        EXPECT_EQ(nSaved, m_loader.SaveReportData(&cells, m_pDatabase, "ss_datalist"));
    };
    auto rowsOnDisk = [&] {
        CSourceTable table;
        CString strError;
        EXPECT_TRUE(ReadDbfTable(strFile, table, strError)) << strError;
        std::vector<std::string> rows;
        for (const std::vector<CSourceValue>& row : table.m_rows)
            rows.push_back(std::string(row[0].m_strText).substr(0, 6) + " " + std::string(row[2].m_strText) + " "
                           + std::string(row[4].m_strText) + " " + std::string(row[6].m_strText));
        return rows;
    };
    save("2005030000000", "1250.5");
    save("2005040000000", "-3");
    EXPECT_TRUE(m_recorder.Messages().empty()) << m_recorder.LastText();
    DbfBytes appended(strFile);
    ASSERT_EQ(6, appended.Records());
    EXPECT_EQ(original.Header().substr(4), appended.Header().substr(4));
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(original.Record(i), appended.Record(i)) << "record " << i + 1;
    EXPECT_EQ((std::vector<std::string>{"200502 R1 0000000001 17", "200502 R5 1 8", "200503 R1 1 1250.5",
                                        "200503 R2 1 5.25", "200504 R1 1 -3", "200504 R2 1 5.25"}),
              rowsOnDisk());
    EXPECT_EQ('\x1a', appended.m_bytes.back());
    // The header dates the change today, where the original said 1995.
    SYSTEMTIME today;
    GetLocalTime(&today);
    EXPECT_EQ(std::string({'\x5f', '\x07', '\x1a'}), original.m_bytes.substr(1, 3));
    EXPECT_EQ(std::string({(char)(today.wYear - 1900), (char)today.wMonth, (char)today.wDay}),
              appended.m_bytes.substr(1, 3));
    EXPECT_TRUE(ReadFileText(m_folder.Path("ss_datalist.bak")) == CString(original.m_bytes.c_str(),
                                                                             (int)original.m_bytes.size()));

    // Another program marks the second record deleted: the next save does
    // not write over its change.  The user is told, at the save and again
    // at Close, and the report waits in the working copy.
    PatchFile(strFile, appended.Word(8, 2) + appended.Word(10, 2), "*");
    CString strPatched = ReadFileText(strFile);
    save("2005050000000", "7", KEM_REPORT_SAVED_NOT_WRITTEN);
    CloseSource();
    ASSERT_EQ(2u, m_recorder.Messages().size()) << m_recorder.LastText();
    for (const auto& message : m_recorder.Messages())
        EXPECT_EQ(0u, message.text.find(std::string(strFile) + " was changed by another program since this session "
                                                               "read it, and is not written over."))
            << message.text;
    EXPECT_NE(std::string::npos, m_recorder.LastText().find("The changes of this session are kept in "
                                                            + std::string(m_folder.m_strFolder) + "\\Kem"));
    EXPECT_TRUE(ReadFileText(strFile) == strPatched);
    EXPECT_EQ(1, CountFiles(m_folder.m_strFolder, "Kem*.tmp"));
    m_recorder.Clear();

    // Opened with records marked deleted (the kept report discarded), the
    // table is written whole: the deleted records go, and the file counts
    // only the rows it holds.
    PatchFile(strFile, DbfBytes(strFile).Word(8, 2), "*");
    m_recorder.QueueAnswer(IDNO);
    ASSERT_TRUE(OpenSource(4, m_folder.m_strFolder)) << m_recorder.LastText();
    ASSERT_EQ(1u, m_recorder.Messages().size());
    EXPECT_NE(std::string::npos, m_recorder.LastText().find("left changes that never reached its files"));
    m_recorder.Clear();
    save("2005060000000", "9");
    EXPECT_EQ(6, DbfBytes(strFile).Records());
    EXPECT_EQ("200503 R1 1 1250.5", rowsOnDisk().at(0));
    CloseSource();
    EXPECT_TRUE(m_recorder.Messages().empty()) << m_recorder.LastText();
    EXPECT_EQ(0, CountFiles(m_folder.m_strFolder, "Kem*"));
}

// What pxlib alone (a native program) reads of a Paradox table: whether
// it is keyed and what its primary index covers, then its field names
// and rows in file order.
std::string ParadoxDump(const CString& strFolder, const std::string& table)
{
    return RunNativeTool(strFolder, std::string(PARADOX_TOOL) + " dump " + table);
}

const char kDatalistFields[] = "FD_Time:A13,FD_OrgCode:A8,FD_RowItemCode:A8,FD_ColItemCode:A8,FD_Line:L,"
                               "FD_CurType:S,FD_Value:A40";

// A keyed Paradox folder made by pxlib alone, with a primary index on the
// six key fields and two secondary index files: the saved report goes back
// keyed, its records in key order and its primary index rebuilt so that
// pxlib reads it back whole; the stale secondary indexes and the old
// primary index are moved aside beside the backup.  A row that repeats a
// key is refused at the write-back, with the file left as it was.
TEST_F(DaoImportExportTest, ParadoxFolderTakesTheSavedReport)
{
    std::string made;
    ASSERT_TRUE(NativeToolSucceeds(m_folder.m_strFolder,
                                   "printf '2005030000000|O1|R1|C1|1|0|5\\n2005030000000|O2|R1|C1|1|0|7\\n' | " +
                                       std::string(PARADOX_TOOL) + " make ss_datalist.db 6 " + kDatalistFields +
                                       " && " + PARADOX_TOOL + " secondary ss_datalist.X02 && " + PARADOX_TOOL +
                                       " secondary ss_datalist.Y02 && echo 'O1|North|N' | " + PARADOX_TOOL +
                                       " make ss_Organ.db 1 FD_Code:A8,FD_Name:A50,FD_SearchCode:A8 && echo "
                                       "'R1|Sales|S|0' | " + PARADOX_TOOL +
                                       " make ss_item.db 1 FD_Code:A8,FD_Name:A50,FD_SearchCode:A8,FD_Type:S && echo "
                                       "'C1|This year|T' | " + PARADOX_TOOL +
                                       " make ss_colitem.db 1 FD_Code:A8,FD_Name:A50,FD_SearchCode:A8",
                                   &made))
        << made;
    const CString strOldIndex = ReadFileText(m_folder.Path("ss_datalist.PX"));
    const CString strOldTable = ReadFileText(m_folder.Path("ss_datalist.db"));
    const CString strSecondary = ReadFileText(m_folder.Path("ss_datalist.X02"));

    ASSERT_TRUE(OpenSource(13, m_folder.m_strFolder)) << m_recorder.LastText();
    CCellArray cells;
    AddReportCells(cells, "99.25", "O'Neil");
    std::string asked = SaveUpdatingStored(cells);
    EXPECT_NE(std::string::npos, asked.find("Report Organ: North\nColumn Item: This year\nRow Item: Sales\n"
                                            "At Line: 1\nOld Data: 5\n"))
        << asked;
    EXPECT_TRUE(m_recorder.Messages().empty()) << m_recorder.LastText();

    // Keyed as it was, the new rows in key order between the old ones.
    EXPECT_EQ("keyed 1 keys 6 index of 6 fields covers 3 of 3 records\n"
              "FD_Time|FD_OrgCode|FD_RowItemCode|FD_ColItemCode|FD_Line|FD_CurType|FD_Value\n"
              "2005030000000|O1|R1|C1|1|0|99.25\n"
              "2005030000000|O1|R2|========|2|0|O'Neil\n"
              "2005030000000|O2|R1|C1|1|0|7\n",
              ParadoxDump(m_folder.m_strFolder, "ss_datalist.db"));
    CString strError;
    CSourceTable back;
    ASSERT_TRUE(ReadParadoxTable(m_folder.Path("ss_datalist.db"), back, strError)) << strError;
    EXPECT_EQ(6, back.m_nKeyFields);
    EXPECT_TRUE(back.m_rows[0][4].m_bNumber);
    // The files as they were stay beside the backup; no stale index is left.
    EXPECT_EQ(strOldTable, ReadFileText(m_folder.Path("ss_datalist.bak")));
    EXPECT_EQ(strOldIndex, ReadFileText(m_folder.Path("ss_datalist.PX.bak")));
    EXPECT_EQ(strSecondary, ReadFileText(m_folder.Path("ss_datalist.X02.bak")));
    EXPECT_TRUE(Exists(m_folder.Path("ss_datalist.Y02.bak")));
    EXPECT_FALSE(Exists(m_folder.Path("ss_datalist.X02")));
    EXPECT_FALSE(Exists(m_folder.Path("ss_datalist.Y02")));

    // A second save rewrites the index; the first backups stay.
    AddReportCells(cells, "12", "O'Neil");
    EXPECT_NE(std::string::npos, SaveUpdatingStored(cells).find("99.25"));
    EXPECT_NE(std::string::npos, ParadoxDump(m_folder.m_strFolder, "ss_datalist.db").find("|O1|R1|C1|1|0|12\n"));
    EXPECT_NE(std::string::npos,
              ParadoxDump(m_folder.m_strFolder, "ss_datalist.db").find("index of 6 fields covers 3 of 3 records"));
    EXPECT_EQ(strOldIndex, ReadFileText(m_folder.Path("ss_datalist.PX.bak")));

    // A row whose key is taken cannot go to a keyed table.
    const CString strBefore = ReadFileText(m_folder.Path("ss_datalist.db"));
    m_recorder.Clear();
    WithRecordset("Select * From ss_datalist", [](CKemRecordset* p) {
        p->AddNew();
        p->SetFieldValue("FD_Time", "2005030000000");
        p->SetFieldValue("FD_OrgCode", "O2");
        p->SetFieldValue("FD_RowItemCode", "R1");
        p->SetFieldValue("FD_ColItemCode", "C1");
        p->SetFieldValue("FD_Line", COleVariant((LONG)1));
        p->SetFieldValue("FD_CurType", COleVariant((BYTE)0));
        p->SetFieldValue("FD_Value", "8");
        p->Update();
    });
    ASSERT_EQ(1u, m_recorder.Messages().size());
    EXPECT_EQ(0u, m_recorder.LastText().find("Cannot write " + std::string(m_folder.Path("ss_datalist.db")) +
                                             ": two of its rows have the same primary key (2005030000000, O2, R1, "
                                             "C1, 1, 0), which a keyed table holds once."))
        << m_recorder.LastText();
    EXPECT_EQ(strBefore, ReadFileText(m_folder.Path("ss_datalist.db")));
    EXPECT_EQ(0, CountFiles(m_folder.m_strFolder, "Kem*.tmp.db") + CountFiles(m_folder.m_strFolder, "Kem*.tmp.PX"));
    CloseSource();

    // A table whose wide key outgrows the index blocks pxlib picks for it
    // (two levels of 22 entries reach 484 blocks of 22 rows) is indexed in
    // larger blocks, which pxlib reads back whole.
    CSourceTable wide;
    wide.m_strName = "wide";
    wide.m_columns = {"Code", "Note"};
    wide.m_fields = {{"Code", 1, 130, 0}, {"Note", 1, 9, 0}};
    wide.m_nKeyFields = 1;
    for (int i = 12000; i > 0; --i)
    {
        CString strCode;
        strCode.Format("K%06d", i);
        wide.m_rows.push_back({CSourceValue(), CSourceValue()});
        wide.m_rows.back()[0].m_strText = strCode;
        wide.m_rows.back()[0].m_bNull = false;
    }
    ASSERT_TRUE(WriteParadoxTable(m_folder.Path("wide.db"), wide, strError)) << strError;
    std::string dumped = ParadoxDump(m_folder.m_strFolder, "wide.db");
    EXPECT_EQ(0u, dumped.find("keyed 1 keys 1 index of 1 fields covers 12000 of 12000 records\nCode|Note\nK000001|\n"
                              "K000002|\n"))
        << dumped.substr(0, 200);
}

// Saved means on disk: each save writes the changed tables at once, values
// keep a '\0' inside them, untouched tables are not rewritten, and a
// working copy that a dead session left is offered (with changes) or
// removed (without) at the next open.
TEST_F(DaoImportExportTest, SavesReachTheFilesAndLeftoversAreDealtWith)
{
    CString strWithNul = CString(kDatalistText) + CString("2005000300000,O1,R9,========,1,0,Sales\0revenue\r\n", 48);
    {
        CFile file(m_folder.Path("ss_datalist.txt"), CFile::modeCreate | CFile::modeWrite);
        file.Write(strWithNul, strWithNul.GetLength());
    }
    WriteText(m_folder.Path("ss_Organ.txt"), kOrganText);
    ASSERT_TRUE(OpenSource(23, m_folder.m_strFolder)) << m_recorder.LastText();
    CCellArray cells;
    AddReportCells(cells, "12", "text");
    EXPECT_EQ(1, m_loader.SaveReportData(&cells, m_pDatabase, "ss_datalist"));
    CSourceTable datalist = ReadCsv(m_folder.Path("ss_datalist.txt"));
    ASSERT_EQ(4u, datalist.m_rows.size());
    EXPECT_EQ(CString("Sales\0revenue", 13), datalist.m_rows[1][6].m_strText);
    EXPECT_STREQ("12", datalist.m_rows[2][6].m_strText);
    EXPECT_STREQ(kOrganText, ReadFileText(m_folder.Path("ss_Organ.txt")));
    EXPECT_FALSE(Exists(m_folder.Path("ss_Organ.bak")));

    // The session dies here: its working copy stays, held by nobody.
    WIN32_FIND_DATAA data;
    HANDLE hFind = FindFirstFileA(m_folder.Path("Kem*.tmp"), &data);
    ASSERT_NE(INVALID_HANDLE_VALUE, hFind);
    FindClose(hFind);
    CString strLeft = m_folder.Path(data.cFileName);
    CString strKept = m_folder.Path("left.keep");
    static_cast<CDAODatabase*>(m_pDatabase)->m_pDaoDatabase->Close();
    ASSERT_TRUE(CopyFileA(strLeft, strKept, FALSE));
    m_loader.ReleaseDatabase(m_pDatabase);
    m_pDatabase = NULL;
    ASSERT_TRUE(CopyFileA(strKept, strLeft, FALSE));

    // Without unwritten changes it is removed without a question.
    ASSERT_TRUE(OpenSource(23, m_folder.m_strFolder)) << m_recorder.LastText();
    EXPECT_TRUE(m_recorder.Messages().empty()) << m_recorder.LastText();
    EXPECT_FALSE(Exists(strLeft));
    CloseSource();

    // With a change that never reached the files, the user is asked.
    {
        CDaoDatabase left;
        left.Open(strKept);
        left.Execute("UPDATE ss_Organ SET FD_Name='Smith & Sons'");
        left.Close();
    }
    ASSERT_TRUE(CopyFileA(strKept, strLeft, FALSE));
    m_recorder.QueueAnswer(IDYES);
    ASSERT_TRUE(OpenSource(23, m_folder.m_strFolder)) << m_recorder.LastText();
    ASSERT_EQ(1u, m_recorder.Messages().size());
    EXPECT_NE(std::string::npos, m_recorder.LastText().find(std::string(strLeft))) << m_recorder.LastText();
    EXPECT_FALSE(Exists(strLeft));
    WithRecordset("Select FD_Name From ss_Organ", [](CKemRecordset* p) {
        COleVariant name = p->GetFieldValue("FD_Name");
        EXPECT_STREQ("Smith & Sons", AfxStringFromBstrBytes(V_BSTR(&name)));
    });
    CloseSource();
    EXPECT_EQ("Smith & Sons", std::string(ReadCsv(m_folder.Path("ss_Organ.txt")).m_rows[0][1].m_strText));
}

// Damaged and incomplete tables are refused with their file named, and
// nothing is left behind.
TEST_F(DaoImportExportTest, DamagedTablesAreRefusedByName)
{
    RunNativeTool(m_folder.m_strFolder, "dbfcreate ss_Organ -s FD_Code 8 -s FD_Name 50 -s FD_SearchC 8"
                                  " && dbfadd ss_Organ O1 A SA && dbfadd ss_Organ O2 B SB");
    CString strOrgan = m_folder.Path("ss_Organ.dbf");
    CString strWhole = ReadFileText(strOrgan);
    WriteText(strOrgan, CString(strWhole).Left(strWhole.GetLength() - 40));
    EXPECT_FALSE(OpenSource(2, m_folder.m_strFolder));
    EXPECT_EQ(0u, m_recorder.Messages()[0].text.find("The dBase table " + std::string(strOrgan) + " cannot be read: it "))
        << m_recorder.Messages()[0].text;
    m_loader.ReleaseDatabase(m_pDatabase);
    m_pDatabase = NULL;

    m_recorder.Clear();
    DeleteFileA(strOrgan);
    RunNativeTool(m_folder.m_strFolder, "dbfcreate ss_Organ -s FD_Code 8 -s FD_Name 50");
    EXPECT_FALSE(OpenSource(2, m_folder.m_strFolder));
    EXPECT_EQ("The table ss_Organ in " + std::string(strOrgan) + " has no field FD_SearchCode.",
              m_recorder.Messages()[0].text);
    m_loader.ReleaseDatabase(m_pDatabase);
    m_pDatabase = NULL;

    m_recorder.Clear();
    WriteText(m_folder.Path("ss_item.db"), "not a Paradox table at all, just text");
    EXPECT_FALSE(OpenSource(11, m_folder.m_strFolder));
    EXPECT_EQ("The Paradox table " + std::string(m_folder.Path("ss_item.db")) +
                  " cannot be read: it is no Paradox table, or its header is damaged.",
              m_recorder.Messages()[0].text);
    m_loader.ReleaseDatabase(m_pDatabase);
    m_pDatabase = NULL;

    // A workbook and a worksheet cut short.
    CString strError;
    CString strBook = m_folder.Path("reporting.xls");
    CString strSheet = m_folder.Path("ss_item.wk1");
    const CSourceTable items = spreadsheettest::TableOf("ss_item", {"FD_Code|FD_Name|FD_SearchCode|FD_Type", "t:R1|t:Sales|t:S|n:0"});
    ASSERT_TRUE(WriteXlsWorkbook(strBook, {items}, 8, strError)) << strError;
    ASSERT_TRUE(WriteLotusFile(strSheet, items, LOTUS_WK1, strError)) << strError;
    for (const CString& strFile : {strBook, strSheet})
    {
        CString strWhole = ReadFileText(strFile);
        CFile file(strFile, CFile::modeCreate | CFile::modeWrite);
        file.Write(strWhole, (std::min)(1024, strWhole.GetLength() * 2 / 3));
    }
    m_recorder.Clear();
    EXPECT_FALSE(OpenSource(18, strBook));
    EXPECT_EQ((std::vector<std::string>{std::string(strBook) + " is damaged or cut short and cannot be read.",
                                        "Failed to import."}),
              m_recorder.Texts());
    m_loader.ReleaseDatabase(m_pDatabase);
    m_pDatabase = NULL;
    m_recorder.Clear();
    EXPECT_FALSE(OpenSource(20, m_folder.m_strFolder));
    EXPECT_EQ((std::vector<std::string>{std::string(strSheet) + " is damaged or cut short and cannot be read.",
                                        "Failed to import."}),
              m_recorder.Texts());
    EXPECT_EQ(0, CountFiles(m_folder.m_strFolder, "Kem*"));
}

namespace {

// A small file system of its own mounted on a folder, so that a test can
// fill it; unmounted when the test ends.
class CSmallDisk
{
public:
    CSmallDisk(const CString& strFolder, LPCSTR lpszSize) : m_strFolder(strFolder)
    {
        CreateDirectoryA(strFolder, NULL);
        m_bMounted = NativeToolSucceeds(strFolder, std::string("mount -t tmpfs -o size=") + lpszSize + " tmpfs .",
                                        &m_strOutput);
    }
    ~CSmallDisk()
    {
        if (m_bMounted)
            RunNativeTool(m_strFolder, "cd / && umount -l '" + std::string(DaoUnixPath(m_strFolder)) + "'");
        RemoveDirectoryA(m_strFolder);
    }
    bool IsMounted() const { return m_bMounted; }
    const std::string& Output() const { return m_strOutput; }

    // Fills the disk with one file until only about nLeft bytes are free.
    BOOL FillLeaving(LPCSTR lpszFile, ULONGLONG nLeft)
    {
        ULARGE_INTEGER available;
        if (!GetDiskFreeSpaceExA(m_strFolder, &available, NULL, NULL) || available.QuadPart <= nLeft)
            return FALSE;
        std::string block(4096, 'x');
        CFile file(m_strFolder + "\\" + lpszFile, CFile::modeCreate | CFile::modeWrite);
        for (ULONGLONG n = 0; n + block.size() <= available.QuadPart - nLeft; n += block.size())
            file.Write(block.data(), (UINT)block.size());
        return TRUE;
    }

private:
    CString m_strFolder;
    bool m_bMounted;
    std::string m_strOutput;
};

// A report table of many rows, so that writing it back needs more room
// than its changes need in the temporary database.
CSourceTable LargeDatalist(int nRows)
{
    CSourceTable table;
    table.m_strName = "ss_datalist";
    table.m_columns = {"FD_Time", "FD_OrgCode", "FD_RowItemCode", "FD_ColItemCode", "FD_Line", "FD_CurType",
                       "FD_Value"};
    table.m_fields = {{"FD_Time", 'C', 13, 0},   {"FD_OrgCode", 'C', 8, 0}, {"FD_RowItem", 'C', 8, 0},
                      {"FD_ColItem", 'C', 8, 0}, {"FD_Line", 'N', 10, 0},   {"FD_CurType", 'N', 3, 0},
                      {"FD_Value", 'C', 40, 0}};
    for (int i = 0; i < nRows; ++i)
    {
        CString strLine, strValue;
        strLine.Format("%d", i + 1);
        strValue.Format("%d.25", i * 7);
        std::vector<CSourceValue> row;
        for (LPCSTR lpszText : {"2004010000000", "O9", "R1", "C1", (LPCSTR)strLine, "0", (LPCSTR)strValue})
        {
            CSourceValue value;
            value.m_strText = lpszText;
            value.m_bNull = false;
            row.push_back(value);
        }
        table.m_rows.push_back(row);
    }
    return table;
}

} // namespace

// The disk fills up between two saves: the second save fails with the
// file and the cause named, the file keeps the first save whole, its
// backup and the temporary database stay, and once there is room again
// Close writes the kept change.  For text tables (written through the
// program's own files) and dBase tables (written through shapelib).
TEST_F(DaoImportExportTest, AFullDiskAtWriteBackLosesNothing)
{
    CSmallDisk disk(m_folder.Path("disk"), "6m");
    if (!disk.IsMounted())
        GTEST_SKIP() << "no small file system can be mounted here (mount needs root): " << disk.Output();
    CString strDisk = m_folder.Path("disk");
    struct Source
    {
        int nType;
        LPCSTR lpszFile;
    };
    for (const Source& source : {Source{23, "ss_datalist.txt"}, Source{4, "ss_datalist.dbf"}})
    {
        SCOPED_TRACE(source.lpszFile);
        CString strFile = strDisk + "\\" + source.lpszFile;
        CString strError;
        CSourceTable datalist = LargeDatalist(8000);
        if (source.nType == 23)
            WriteText(strFile, CsvTableText(datalist));
        else
            ASSERT_TRUE(WriteDbfTable(strFile, datalist, strError)) << strError;
        CString strOriginal = ReadFileText(strFile);

        ASSERT_TRUE(OpenSource(source.nType, strDisk)) << m_recorder.LastText();
        // Room for the new file but not for the backup beside it: the copy
        // of the backup is cut short, and no cut copy is left to be taken
        // for the backup.
        ASSERT_TRUE(disk.FillLeaving("filler", strOriginal.GetLength() * 3 / 2));
        CCellArray cells;
        AddReportCells(cells, "1250.5", "first");
        EXPECT_EQ(KEM_REPORT_SAVED_NOT_WRITTEN, m_loader.SaveReportData(&cells, m_pDatabase, "ss_datalist"));
        ASSERT_EQ(1u, m_recorder.Messages().size()) << m_recorder.LastText();
        EXPECT_EQ(0u, m_recorder.LastText().find("Cannot keep a backup of " + std::string(strFile) + "."))
            << m_recorder.LastText();
        EXPECT_TRUE(ReadFileText(strFile) == strOriginal);
        EXPECT_FALSE(Exists(BackupPath(strFile)));
        EXPECT_EQ(1, CountFiles(strDisk, "Kem*"));
        // Room again: the next write-back takes the report and a whole backup.
        ASSERT_TRUE(DeleteFileA(strDisk + "\\filler"));
        m_recorder.Clear();
        EXPECT_TRUE(static_cast<CDAODatabase*>(m_pDatabase)->WriteBackChanges());
        EXPECT_TRUE(m_recorder.Messages().empty()) << m_recorder.LastText();
        CString strSaved = ReadFileText(strFile);
        ASSERT_NE(strOriginal, strSaved);

        ASSERT_TRUE(disk.FillLeaving("filler", 96 * 1024));
        CCell later = ReportDataCell("O2", "2005030000000", "R1", "C1", 1, 0, "77");
        cells.RemoveAll();
        cells.Add(later);
        EXPECT_EQ(KEM_REPORT_SAVED_NOT_WRITTEN, m_loader.SaveReportData(&cells, m_pDatabase, "ss_datalist"));
        ASSERT_EQ(1u, m_recorder.Messages().size()) << m_recorder.LastText();
        std::string told = m_recorder.LastText();
        EXPECT_EQ(0u, told.find("Cannot write " + std::string(strFile) + ": the disk is full.")) << told;
        EXPECT_NE(std::string::npos, told.find("The changes are kept in " + std::string(strDisk) + "\\Kem")) << told;
        // Nothing half-written: the file as the first save left it, the
        // first backup, and no temporary file but the database.
        EXPECT_TRUE(ReadFileText(strFile) == strSaved);
        EXPECT_TRUE(ReadFileText(BackupPath(strFile)) == strOriginal);
        EXPECT_EQ(1, CountFiles(strDisk, "Kem*"));
        EXPECT_EQ(1, CountFiles(strDisk, "Kem*.tmp"));

        // Room again: Close writes the kept change.
        ASSERT_TRUE(DeleteFileA(strDisk + "\\filler"));
        m_recorder.Clear();
        CloseSource();
        EXPECT_TRUE(m_recorder.Messages().empty()) << m_recorder.LastText();
        CSourceTable back;
        if (source.nType == 23)
            back = ReadCsv(strFile);
        else
            ASSERT_TRUE(ReadDbfTable(strFile, back, strError)) << strError;
        ASSERT_EQ(8003u, back.m_rows.size());
        EXPECT_EQ((std::vector<CString>{"2005030000000", "O2", "R1", "C1", "1", "0", "77"}),
                  Values(back.m_rows[8002]));
        EXPECT_EQ(0, CountFiles(strDisk, "Kem*"));
        for (LPCSTR lpszName : {source.lpszFile, "ss_datalist.bak"})
            DeleteFileA(strDisk + "\\" + lpszName);
        m_recorder.Clear();
    }
}

namespace {

const char kDatalistHeader[] = "FD_Time|FD_OrgCode|FD_RowItemCode|FD_ColItemCode|FD_Line|FD_CurType|FD_Value";

// The tables of a reporting workbook as python3-xlwt writes them, a blank
// sheet among them, a sheet of figures with a formula, fonts, number formats
// and a column width, and two sheets whose Chinese names code page 1252
// cannot show.
const std::string kWorkbookSheets = std::string("sheet ss_datalist\nwidth 0 5000\n") +
    "s:FD_Time~font: bold on|s:FD_OrgCode|s:FD_RowItemCode|s:FD_ColItemCode|s:FD_Line|s:FD_CurType|s:FD_Value\n"
    "s:2005020000000|s:O1|s:R1|s:C1|n:1|n:0|n:17\n"
    "sheet Notes\n"
    "sheet ss_Organ\ns:FD_Code|s:FD_Name|s:FD_SearchCode\ns:O1|s:Smith, Jones|s:SJ\n"
    "sheet ss_item\ns:FD_Code|s:FD_Name|s:FD_SearchCode|s:FD_Type\ns:R1|s:Sales|s:S|n:0\n"
    "sheet ss_colitem\ns:FD_Code|s:FD_Name|s:FD_SearchCode\ns:C1|s:This period|s:T\n"
    "sheet Figures\nwidth 1 6000\ns:Item~font: bold on|s:Figure\n"
    "s:Sales|n:1234.5~font: name Courier New, height 240@#,##0.00\ns:Double|f:B2*2~@0.0%\n"
    "r:Note: ^bold words\n"
    "sheet \xE6\x9C\xBA\xE6\x9E\x84\ns:Code|s:Name\ns:O1|s:\xE4\xB8\xAD\xE6\x96\x87\n"
    "sheet \xE9\xA1\xB9\xE7\x9B\xAE\ns:Code\ns:R1\n";

// The rows of a sheet in an xlrd dump, below its row of field names.
std::vector<std::string> SheetRows(const std::string& dump, const std::string& name)
{
    std::vector<std::string> rows = workbooktest::SheetLines(dump, name);
    if (!rows.empty() && rows[0].compare(0, 9, "no sheet ") != 0)
        rows.erase(rows.begin());
    return rows;
}

// The sheet names of an xlrd dump, after its BIFF version.
std::string SheetNames(const std::string& dump)
{
    std::string names = dump.substr(0, dump.find('\n'));
    for (size_t n = dump.find("\nsheet "); n != std::string::npos; n = dump.find("\nsheet ", n + 1))
        names += "," + dump.substr(n + 7, dump.find('\n', n + 1) - n - 7);
    return names;
}

} // namespace

// A workbook that python3-xlwt made is the reporting database: each save
// is in the workbook (as xlrd reads it) when it returns; a figure cleared
// keeps its row with an empty value, and the next new figure takes that
// row; the sums follow; the blank sheet, the sheets' order and names and
// the version stay; the sheets no save touched keep their formulas, fonts,
// number formats and column widths, and the saved sheet its column widths
// and the look of its field names.
TEST_F(DaoImportExportTest, ExcelWorkbookKeepsClearedRowsForNewFigures)
{
    CString strBook = m_folder.Path("reporting.xls");
    ASSERT_EQ("", workbooktest::XlwtWrite(strBook, kWorkbookSheets));
    CString strOriginal = ReadFileText(strBook);
    const std::string strFigures = workbooktest::XlrdLooks(strBook, "Figures");
    ASSERT_NE(std::string::npos, strFigures.find("formula 2,1 ")) << strFigures;
    ASSERT_NE(std::string::npos, strFigures.find("font=Courier New,240,0 format=#,##0.00")) << strFigures;
    ASSERT_NE(std::string::npos, strFigures.find("'Note: bold words' font=Arial,200,0 format=General runs=")) << strFigures;
    const std::string strFebruary = "s:2005020000000|s:O1|s:R1|s:C1|n:1.0|n:0.0|n:17.0";
    const std::string strText = "s:2005030000000|s:O1|s:R2|s:========|n:2.0|n:0.0|s:it's \"quoted\"";

    ASSERT_TRUE(OpenSource(18, strBook)) << m_recorder.LastText();
    CCellArray cells;
    AddReportCells(cells, "1250.5", "it's \"quoted\"");
    EXPECT_EQ(1, m_loader.SaveReportData(&cells, m_pDatabase, "ss_datalist"));
    EXPECT_TRUE(m_recorder.Messages().empty()) << m_recorder.LastText();
    EXPECT_EQ((std::vector<std::string>{strFebruary, "s:2005030000000|s:O1|s:R1|s:C1|n:1.0|n:0.0|n:1250.5", strText}),
              SheetRows(workbooktest::XlrdDump(strBook), "ss_datalist"));
    EXPECT_STREQ("1267.5", SumOfSales());
    CloseSource();

    // Loaded back in a new session; the figure is cleared (zero in the
    // zero mode), and its row stays with an empty value.
    ASSERT_TRUE(OpenSource(16, strBook)) << m_recorder.LastText();
    // Asked first, with the names from the other sheets.
    const std::string asked = LoadAndClearTheSavedFigure(cells);
    for (const char* pszShown : {"Report Organ: Smith, Jones", "Row Item: Sales", "Old Data: 1250.5"})
        EXPECT_NE(std::string::npos, asked.find(pszShown)) << asked;
    EXPECT_TRUE(m_recorder.Messages().empty()) << m_recorder.LastText();
    EXPECT_EQ((std::vector<std::string>{strFebruary, "s:2005030000000|s:O1|s:R1|s:C1|n:1.0|n:0.0|-", strText}),
              SheetRows(workbooktest::XlrdDump(strBook), "ss_datalist"));
    EXPECT_STREQ("17", SumOfSales());

    // A new figure takes the row whose value is empty.
    cells.RemoveAll();
    CCell added = ReportDataCell("O1", "2005030000000", "R3", "C1", 3, 0, "8");
    cells.Add(added);
    EXPECT_EQ(1, m_loader.SaveReportData(&cells, m_pDatabase, "ss_datalist"));
    CloseSource();
    std::string dump = workbooktest::XlrdDump(strBook);
    EXPECT_EQ((std::vector<std::string>{strFebruary, "s:2005030000000|s:O1|s:R3|s:C1|n:3.0|n:0.0|n:8.0", strText}),
              SheetRows(dump, "ss_datalist"));
    EXPECT_EQ("biff 80,ss_datalist,Notes,ss_Organ,ss_item,ss_colitem,Figures,\xE6\x9C\xBA\xE6\x9E\x84,"
              "\xE9\xA1\xB9\xE7\x9B\xAE",
              SheetNames(dump));
    EXPECT_EQ((std::vector<std::string>{"s:O1|s:Smith, Jones|s:SJ"}), SheetRows(dump, "ss_Organ"));
    EXPECT_EQ((std::vector<std::string>{"s:O1|s:\xE4\xB8\xAD\xE6\x96\x87"}), SheetRows(dump, "\xE6\x9C\xBA\xE6\x9E\x84"));
    EXPECT_EQ(strFigures, workbooktest::XlrdLooks(strBook, "Figures"));
    const std::string strDatalist = workbooktest::XlrdLooks(strBook, "ss_datalist");
    EXPECT_EQ(0u, strDatalist.find("width 0 5000\n0,0 'FD_Time' font=Arial,200,1 ")) << strDatalist;
    EXPECT_TRUE(ReadFileText(m_folder.Path("reporting.bak")) == strOriginal);
    EXPECT_TRUE(m_recorder.Messages().empty()) << m_recorder.LastText();
    EXPECT_EQ(0, CountFiles(m_folder.m_strFolder, "Kem*"));
}

// An Excel 3.0 worksheet and an Excel 5.0 workbook are written back in
// their own version while the report fits it, the period code of a new
// row as a text cell, as Excel 97 once a text
// outgrows their 255 characters; a text longer than an Excel 97 cell is
// refused with the workbook named, and the change kept, also where the
// workbook was an Excel 97 one from the start (its rows go to the file as
// they are read).
TEST_F(DaoImportExportTest, ExcelVersionsAreKeptWhileTheReportFitsThem)
{
    for (int nVersion : {3, 5, 8})
    {
        SCOPED_TRACE(nVersion);
        CString strFolder = m_folder.Path(nVersion == 3 ? "excel3" : nVersion == 5 ? "excel5" : "excel8");
        ASSERT_TRUE(CreateDirectoryA(strFolder, NULL));
        CString strBook = strFolder + "\\ss_datalist.xls";
        CString strError;
        ASSERT_TRUE(WriteXlsWorkbook(strBook, {spreadsheettest::TableOf("ss_datalist", {kDatalistHeader})}, nVersion,
                                     strError))
            << strError;
        ASSERT_TRUE(OpenSource(nVersion == 3 ? 14 : nVersion == 5 ? 16 : 18, strBook)) << m_recorder.LastText();
        CCellArray cells;
        AddReportCells(cells, "5", "short");
        EXPECT_EQ(1, m_loader.SaveReportData(&cells, m_pDatabase, "ss_datalist"));
        std::string dump = workbooktest::XlrdDump(strBook);
        EXPECT_EQ(0u, dump.find("biff " + std::to_string(nVersion * 10) + "\n")) << dump;
        // The columns held no value: the codes are texts, all digits or not,
        // and what reads back as the same number is one.
        EXPECT_EQ("s:2005030000000|s:O1|s:R2|s:========|n:2.0|n:0.0|s:short",
                  SheetRows(dump, nVersion == 3 ? "Sheet 1" : "ss_datalist").at(1));

        std::string strLong(300, 'x');
        // The question (its names are in no sheet here) answered Update:
        // the value is overwritten.
        AddReportCells(cells, "5", strLong.c_str());
        SaveUpdatingStored(cells);
        m_recorder.Clear();
        dump = workbooktest::XlrdDump(strBook);
        EXPECT_EQ(0u, dump.find("biff 80\nsheet ss_datalist\n")) << dump;
        EXPECT_NE(std::string::npos, dump.find("|s:" + strLong + "\n"));

        AddReportCells(cells, "5", std::string(9000, 'y').c_str());
        {
            CUpdateConfirmDriver confirm;
            confirm.Queue(CUpdateConfirmDriver::updateAll);
            EXPECT_EQ(KEM_REPORT_SAVED_NOT_WRITTEN, m_loader.SaveReportData(&cells, m_pDatabase, "ss_datalist"));
        }
        std::string told = m_recorder.LastText();
        EXPECT_EQ(0u, told.find("Cannot write " + std::string(strBook) + ": a value of table 'ss_datalist' has more "
                                "than the 8000 characters written to an Excel 97 cell.\n\nThe changes are kept in " +
                                std::string(strFolder) + "\\Kem"))
            << told;
        EXPECT_NE(std::string::npos, workbooktest::XlrdDump(strBook).find("|s:" + strLong + "\n"));
        CloseSource();
        EXPECT_EQ(1, CountFiles(strFolder, "Kem*.tmp"));
        m_recorder.Clear();
    }
}

// A folder of Lotus WK1 worksheets and a single Lotus WKS file as the
// reporting database: the saved report is in the files as wks2csv reads
// them; a figure cleared loses its row (only Excel sources keep it); the
// sums follow; each file keeps its format.
TEST_F(DaoImportExportTest, LotusWorksheetsTakeTheReportInTheirOwnFormat)
{
    CString strFolder = m_folder.Path("lotus");
    ASSERT_TRUE(CreateDirectoryA(strFolder, NULL));
    CString strError;
    CSourceTable datalist =
        spreadsheettest::TableOf("ss_datalist", {kDatalistHeader, "t:2005020000000|t:O1|t:R1|t:C1|n:1|n:0|n:17"});
    ASSERT_TRUE(WriteLotusFile(strFolder + "\\ss_datalist.wk1", datalist, LOTUS_WK1, strError)) << strError;
    ASSERT_TRUE(WriteLotusFile(strFolder + "\\ss_item.wk1",
                               spreadsheettest::TableOf("ss_item", {"FD_Code|FD_Name|FD_SearchCode|FD_Type"}),
                               LOTUS_WK1, strError))
        << strError;
    const std::string strHeader = "Col1,Col2,Col3,Col4,Col5,Col6,Col7\n\"FD_Time\",\"FD_OrgCode\",\"FD_RowItemCode\","
                                  "\"FD_ColItemCode\",\"FD_Line\",\"FD_CurType\",\"FD_Value\"\n";
    const std::string strFebruary = "\"2005020000000\",\"O1\",\"R1\",\"C1\",\"1\",\"0\",\"17\"\n";
    const std::string strText = "\"2005030000000\",\"O1\",\"R2\",\"========\",\"2\",\"0\",\"it's \"\"quoted\"\"\"\n";
    const std::string strRead = "wks2csv ss_datalist.wk1 2>/dev/null";

    ASSERT_TRUE(OpenSource(20, strFolder)) << m_recorder.LastText();
    CCellArray cells;
    AddReportCells(cells, "1250.5", "it's \"quoted\"");
    EXPECT_EQ(1, m_loader.SaveReportData(&cells, m_pDatabase, "ss_datalist"));
    EXPECT_EQ(strHeader + strFebruary + "\"2005030000000\",\"O1\",\"R1\",\"C1\",\"1\",\"0\",\"1250.5\"\n" + strText + "\n",
              RunNativeTool(strFolder, strRead));
    EXPECT_STREQ("1267.5", SumOfSales());
    CloseSource();

    ASSERT_TRUE(OpenSource(20, strFolder + "\\ss_datalist.wk1")) << m_recorder.LastText();
    const std::string asked = LoadAndClearTheSavedFigure(cells);
    EXPECT_NE(std::string::npos, asked.find("Old Data: 1250.5")) << asked;
    m_recorder.Clear();
    EXPECT_EQ(strHeader + strFebruary + strText + "\n", RunNativeTool(strFolder, strRead));
    EXPECT_STREQ("17", SumOfSales());
    CloseSource();
    // The first record names the format: 0x0406 is release 2 (WK1).
    EXPECT_TRUE(ReadFileText(strFolder + "\\ss_datalist.wk1").Left(6) == CString("\0\0\2\0\6\4", 6));
    EXPECT_FALSE(Exists(strFolder + "\\ss_item.bak"));

    // One WKS file is a source of one table, and stays a WKS file.
    CString strSheet = m_folder.Path("ss_datalist.wks");
    ASSERT_TRUE(WriteLotusFile(strSheet, datalist, LOTUS_WKS, strError)) << strError;
    ASSERT_TRUE(OpenSource(21, strSheet)) << m_recorder.LastText();
    cells.RemoveAll();
    CCell added = ReportDataCell("O1", "2005030000000", "R3", "C1", 3, 0, "8");
    cells.Add(added);
    EXPECT_EQ(1, m_loader.SaveReportData(&cells, m_pDatabase, "ss_datalist"));
    CloseSource();
    EXPECT_EQ(strHeader + strFebruary + "\"2005030000000\",\"O1\",\"R3\",\"C1\",\"3\",\"0\",\"8\"\n\n",
              RunNativeTool(m_folder.m_strFolder, "wks2csv ss_datalist.wks 2>/dev/null"));
    EXPECT_TRUE(ReadFileText(strSheet).Left(6) == CString("\0\0\2\0\4\4", 6));
    EXPECT_TRUE(m_recorder.Messages().empty()) << m_recorder.LastText();
    EXPECT_EQ(0, CountFiles(m_folder.m_strFolder, "Kem*"));
}

namespace {

uint32_t Le32(const std::string& bytes, size_t nAt)
{
    return nAt + 4 > bytes.size() ? 0xFFFFFFFF
                                  : (uint32_t)(BYTE)bytes[nAt] | (uint32_t)(BYTE)bytes[nAt + 1] << 8 |
                                        (uint32_t)(BYTE)bytes[nAt + 2] << 16 | (uint32_t)(BYTE)bytes[nAt + 3] << 24;
}

// Where the parts of a compound file stand in it (512-byte sectors): the
// first sector of its allocation table, of its directory, and the places
// of the BIFF records in the sectors of the workbook stream that follow
// each other from its start.
struct CWorkbookParts
{
    size_t nFat = 0;
    size_t nDirectory = 0;
    std::vector<size_t> records;

    explicit CWorkbookParts(const std::string& bytes)
    {
        auto sectorAt = [](uint32_t nSector) { return (size_t)(nSector + 1) * 512; };
        nFat = sectorAt(Le32(bytes, 0x4C));
        nDirectory = sectorAt(Le32(bytes, 0x30));
        uint32_t nStart = 0, nSize = 0;
        for (size_t nEntry = nDirectory; nEntry < nDirectory + 512; nEntry += 128)
            if (bytes.compare(nEntry, 18, std::string("W\0o\0r\0k\0b\0o\0o\0k\0\0\0", 18)) == 0)
                nStart = Le32(bytes, nEntry + 116), nSize = Le32(bytes, nEntry + 120);
        uint32_t nLast = nStart;
        while (Le32(bytes, nFat + nLast * 4) == nLast + 1)
            ++nLast;
        size_t nEnd = (std::min)(sectorAt(nLast + 1), sectorAt(nStart) + nSize);
        for (size_t nAt = sectorAt(nStart); nAt + 4 <= nEnd; nAt += 4 + (BYTE)bytes[nAt + 2] + 256 * (BYTE)bytes[nAt + 3])
            records.push_back(nAt);
    }
};

// The workbook damaged as the seed says: a byte of the compound file's
// header, allocation table or directory set, a BIFF record's length made
// larger, bytes of its record flipped, the file cut short, or 40 bytes
// flipped anywhere.
std::string Damaged(const std::string& whole, unsigned nSeed)
{
    std::mt19937 random(nSeed);
    auto below = [&random](size_t n) { return (size_t)(random() % (n > 0 ? n : 1)); };
    const CWorkbookParts parts(whole);
    std::string bytes = whole;
    switch (nSeed / 2 % 6)
    {
    case 0:
        bytes[below(512)] = (char)random();
        break;
    case 1:
        bytes[parts.nFat + below(512)] = (char)random();
        break;
    case 2:
        bytes[parts.nDirectory + below(512)] = (char)random();
        break;
    case 3:
    {
        // A few bytes more (FreeXL alone dies of some), or whole pages.
        size_t nAt = parts.records[below(parts.records.size())] + 2 + below(2);
        bytes[nAt] = (char)((BYTE)bytes[nAt] + 1 + below(8));
        break;
    }
    case 4:
    {
        size_t nAt = parts.records[below(parts.records.size())];
        for (int i = 0; i < 3; ++i)
            bytes[nAt + below(12)] ^= (char)(1 << below(8));
        break;
    }
    default:
        if (nSeed % 4 == 1)
            bytes.resize(below(bytes.size()));
        else
            for (int i = 0; i < 40; ++i)
                bytes[below(bytes.size())] ^= (char)(1 << below(8));
    }
    return bytes;
}

std::vector<std::string> DumpLines(const std::string& dump)
{
    std::vector<std::string> lines;
    for (size_t nAt = 0, nEnd; (nEnd = dump.find('\n', nAt)) != std::string::npos; nAt = nEnd + 1)
        lines.push_back(dump.substr(nAt, nEnd - nAt));
    return lines;
}

// The workbook's tables as xlrd read them (its dump), made as the
// engine's readers make tables of cells.
std::vector<std::vector<std::string>> XlrdTables(const std::string& dump)
{
    std::vector<std::vector<std::string>> tables;
    std::vector<std::string> lines = DumpLines(dump);
    for (size_t i = 1; i < lines.size(); ++i)
    {
        CSheetCellGrid grid;
        std::string name = lines[i].substr(6);
        unsigned nRow = 0;
        for (; i + 1 < lines.size() && lines[i + 1].compare(0, 6, "sheet ") != 0; ++i, ++nRow)
        {
            std::vector<std::string> cells = spreadsheettest::SplitBars(lines[i + 1]);
            // A formula that xlwt wrote has no result: xlrd gives the empty
            // text, FreeXL nothing.
            for (unsigned nColumn = 0; nColumn < cells.size(); ++nColumn)
                if (cells[nColumn].compare(0, 2, "s:") == 0 && cells[nColumn].size() > 2)
                    grid.SetText(nRow, nColumn, cells[nColumn].c_str() + 2);
                else if (cells[nColumn].compare(0, 2, "n:") == 0)
                    grid.SetNumber(nRow, nColumn, atof(cells[nColumn].c_str() + 2));
        }
        tables.push_back(spreadsheettest::LinesOf(grid.TakeTable(name.c_str())));
        tables.back().insert(tables.back().begin(), name);
    }
    return tables;
}

} // namespace

// Workbooks damaged in every part, a few hundred of them (FreeXL alone
// dies of some): each is read with the cells that xlrd, a reader of its
// own, finds in it or with those it held before, or refused with a message
// naming it, and the program lives on.  Through the engine a refused
// workbook leaves its file as it was and no working copy.
TEST_F(DaoImportExportTest, DamagedWorkbooksAreReadRightOrRefusedByName)
{
    std::vector<std::string> originals(2);
    CString strXlwt = m_folder.Path("xlwt.xls"), strOurs = m_folder.Path("ours.xls");
    ASSERT_EQ("", workbooktest::XlwtWrite(strXlwt, kWorkbookSheets));
    CString strError;
    std::vector<CSourceTable> written{
        spreadsheettest::TableOf("ss_datalist", {kDatalistHeader, "t:2005020000000|t:O1|t:R1|t:C1|n:1|n:0|n:17.5",
                                                 "t:2005030000000|t:O2|t:R\xE4\xB8\xAD|t:========|n:2|n:0|t:note"}),
        spreadsheettest::TableOf("ss_item", {"FD_Code|FD_Name", "t:R1|t:" + std::string(300, 's')})};
    ASSERT_TRUE(WriteXlsWorkbook(strOurs, written, 8, strError)) << strError;
    originals[0] = std::string(ReadFileText(strXlwt), ReadFileText(strXlwt).GetLength());
    originals[1] = std::string(ReadFileText(strOurs), ReadFileText(strOurs).GetLength());
    for (const std::string& original : originals)
        ASSERT_LT(20u, CWorkbookParts(original).records.size());
    const std::vector<std::string> originalDumps = workbooktest::XlrdDumps({strXlwt, strOurs});

    const unsigned kCases = 300;
    std::vector<CString> books;
    for (unsigned nSeed = 0; nSeed < kCases; ++nSeed)
    {
        books.push_back(m_folder.Path(("damaged" + std::to_string(nSeed) + ".xls").c_str()));
        std::string damaged = Damaged(originals[nSeed % 2], nSeed);
        CFile(books.back(), CFile::modeCreate | CFile::modeWrite).Write(damaged.data(), (UINT)damaged.size());
    }
    std::vector<std::string> dumps = workbooktest::XlrdDumps(books);
    int nRead = 0;
    for (unsigned nSeed = 0; nSeed < kCases; ++nSeed)
    {
        SCOPED_TRACE("seed " + std::to_string(nSeed));
        std::vector<CSourceTable> tables;
        int nVersion = 0;
        CString strWhy;
        if (!ReadXlsWorkbook(books[nSeed], tables, nVersion, strWhy))
        {
            EXPECT_EQ(0, strWhy.Find(books[nSeed] + " is ")) << strWhy;
            continue;
        }
        ++nRead;
        std::vector<std::vector<std::string>> read;
        for (const CSourceTable& table : tables)
        {
            read.push_back(spreadsheettest::LinesOf(table));
            read.back().insert(read.back().begin(), std::string(table.m_strName));
        }
        // Right are the cells xlrd finds in it, or those of the workbook
        // before the damage (where xlrd is stricter than need be).
        if (read != XlrdTables(originalDumps[nSeed % 2]))
        {
            EXPECT_EQ(XlrdTables(dumps[nSeed]), read) << dumps[nSeed];
        }
    }
    EXPECT_GT(nRead, 0);

    // Through the engine, every tenth one.
    for (unsigned nSeed = 0; nSeed < kCases; nSeed += 10)
    {
        SCOPED_TRACE("seed " + std::to_string(nSeed));
        CString strBefore = ReadFileText(books[nSeed]);
        m_recorder.Clear();
        if (OpenSource(18, books[nSeed]))
            CloseSource();
        else
        {
            ASSERT_EQ(2u, m_recorder.Texts().size());
            // Damage the reader lets pass may leave a table without a field
            // of the reporting database, also told by the file's name.
            EXPECT_NE(std::string::npos, m_recorder.Texts()[0].find(std::string(books[nSeed]))) << m_recorder.Texts()[0];
            EXPECT_EQ("Failed to import.", m_recorder.Texts()[1]);
            m_loader.ReleaseDatabase(m_pDatabase);
            m_pDatabase = NULL;
        }
        EXPECT_TRUE(ReadFileText(books[nSeed]) == strBefore);
        EXPECT_EQ(0, CountFiles(m_folder.m_strFolder, "Kem*"));
    }
}
