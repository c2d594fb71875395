// Folders of text, dBase and Lotus tables and an Excel workbook as the
// reporting database of the real designer, with the program killed (kill
// -9) right after its saves: the report typed and saved is in the files at
// once; a working copy the dead session left is removed at the next start
// when the files hold everything, and offered for writing back when they do
// not (here because the table was read-only when the save came).  What is
// on disk is read without the program: the text tables directly, the dBase
// tables with shapelib's dbfdump, the workbook with python3-xlrd, the Lotus
// worksheets with libwps's wks2raw, the Paradox tables with pxlib alone.
#include <math.h>
#include <stdlib.h>

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "tests/support/Gtest.h"
#include "tests/app/DesignerProcess.h"
#include "tests/app/EntryTemplate.h"
#include "tests/app/RunModeDriver.h"
#include "tests/app/ScreenCapture.h"
#include "tests/support/NativeTool.h"
#include "tests/support/ScratchFolder.h"
#include "tests/support/WorkbookTools.h"

#include "engines/dao/spreadsheet/LotusWorksheetFile.h"

#include "sheet/PeriodCode.h"
#include "sheet/ReportPeriod.h"

namespace
{
const DWORD kWaitMs = 20000;
const UINT kSaveToDatabase = 32827;
const int kConnectName = 1004;
const int kConnectType = 1128;
const int kMarchCell = 2;
const char kLeftoverQuestion[] = "left changes that never reached its files";

// The tables of a reporting database as text files, the first line naming
// the columns.
const std::pair<const char*, const char*> kTables[] = {
    {"ss_Organ.csv", "FD_Code,FD_Name,FD_SearchCode\r\nA01,Alder,A\r\nB02,O'Brien & Co,B\r\nC03,Cedar,C\r\n"},
    {"ss_item.csv", "FD_Code,FD_Name,FD_SearchCode,FD_Type\r\nR1,Sales,S,0\r\nR2,Staff,T,0\r\n"},
    {"ss_colitem.csv", "FD_Code,FD_Name,FD_SearchCode\r\nC1,This year,T\r\nC2,Last year,L\r\n"},
    {"ss_Attribute.csv", "FD_AttrTypeCode,FD_AttrTypeName,FD_ValCode,FD_ValName\r\n"},
    {"ss_OrgAttr.csv", "FD_OrgCode,FD_AttrTypeCode,FD_ValCode\r\n"},
    {"ss_reportlog.csv", "FD_TemplateCode,FD_OrgCode,FD_ReportType,FD_StartDate,FD_EndDate\r\n"},
    {"ss_datalist.csv", "FD_Time,FD_OrgCode,FD_RowItemCode,FD_ColItemCode,FD_Line,FD_CurType,FD_Value\r\n"},
};

// The dBase tables of the same database, made by shapelib's own tools
// with the format's 10-character field names.
const char kDbaseTables[] =
    "dbfcreate ss_Organ -s FD_Code 8 -s FD_Name 50 -s FD_SearchC 8"
    " && dbfadd ss_Organ A01 Alder A && dbfadd ss_Organ B02 \"O'Brien & Co\" B && dbfadd ss_Organ C03 Cedar C"
    " && dbfcreate ss_item -s FD_Code 8 -s FD_Name 50 -s FD_SearchC 8 -n FD_Type 3 0"
    " && dbfadd ss_item R1 Sales S 0 && dbfadd ss_item R2 Staff T 0"
    " && dbfcreate ss_colitem -s FD_Code 8 -s FD_Name 50 -s FD_SearchC 8"
    " && dbfadd ss_colitem C1 'This year' T && dbfadd ss_colitem C2 'Last year' L"
    " && dbfcreate ss_reportlog -s FD_Templat 8 -s FD_OrgCode 8 -n FD_ReportT 10 0 -s FD_StartDa 13 -s FD_EndDate 13"
    " && dbfcreate ss_datalist -s FD_Time 13 -s FD_OrgCode 8 -s FD_RowItem 8 -s FD_ColItem 8 -n FD_Line 10 0"
    " -n FD_CurType 3 0 -s FD_Value 40";

// The fields of a line: split at the separator, or at runs of blanks
// when it is ' '.
std::vector<std::string> Split(const std::string& text, char cSeparator)
{
    std::vector<std::string> parts(1);
    for (char c : text)
    {
        if (c == cSeparator)
        {
            if (cSeparator != ' ' || !parts.back().empty())
                parts.emplace_back();
        }
        else if (c != '\r')
            parts.back() += c;
    }
    if (cSeparator == ' ' && parts.back().empty())
        parts.pop_back();
    return parts;
}

typedef std::vector<std::pair<std::string, std::string>> TableRow;

// A row's value of the field; dBase fields are the name cut to 10 characters.
std::string FieldOf(const TableRow& row, const std::string& name)
{
    for (const auto& field : row)
        if (name.compare(0, field.first.size(), field.first) == 0)
            return field.second;
    return "<none>";
}

// The rows of a table as text whose first line names the fields: a text
// table (no quoted values here) or what dbfdump prints.
std::vector<TableRow> TableRows(const std::string& text, char cSeparator)
{
    std::vector<std::string> lines = Split(text, '\n');
    std::vector<TableRow> rows;
    std::vector<std::string> columns = Split(lines[0], cSeparator);
    for (size_t i = 1; i < lines.size(); ++i)
    {
        std::vector<std::string> values = Split(lines[i], cSeparator);
        if (values.empty() || (values.size() == 1 && values[0].empty()))
            continue;
        TableRow row;
        for (size_t c = 0; c < columns.size() && c < values.size(); ++c)
            row.emplace_back(columns[c], values[c]);
        rows.push_back(row);
    }
    return rows;
}

// A report's data rows as "org|period|row item|column item|value", the
// value as a number so that "12" and "12.0" read alike.
std::vector<std::string> ReportRows(const std::string& datalist, char cSeparator)
{
    std::vector<std::string> rows;
    for (const TableRow& row : TableRows(datalist, cSeparator))
    {
        char szValue[64];
        snprintf(szValue, sizeof(szValue), "%g", atof(FieldOf(row, "FD_Value").c_str()));
        rows.push_back(FieldOf(row, "FD_OrgCode") + "|" + FieldOf(row, "FD_Time") + "|" +
                       FieldOf(row, "FD_RowItemCode") + "|" + FieldOf(row, "FD_ColItemCode") + "|" + szValue);
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

const std::vector<LPCSTR> kFigures = {"1250.5", "310.25", "12"};

std::vector<std::string> Sorted(std::vector<std::string> rows)
{
    std::sort(rows.begin(), rows.end());
    return rows;
}

class FileSourceRoadTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_strSource = m_folder.PathOf("reporting");
        m_strConnectName = m_strSource;
        ASSERT_TRUE(CreateDirectoryA(m_strSource, NULL));
        m_strTemplate = m_folder.PathOf("Monthly.kvm");
        ASSERT_TRUE(SaveEntryTemplate(m_strTemplate));
        // As the set-up leaves it: the embedded database, asked at start.
        WriteWholeFile(m_folder.PathOf("Tallyform.INI"),
                       "[DataSource]\r\nStart=1\r\nType=1\r\nName=" + std::string(m_folder.PathOf("Reporting.mdb")) +
                           "\r\n");
        SYSTEMTIME now;
        GetLocalTime(&now);
        m_strPeriod = (LPCSTR)CReportPeriod::GetCodeForDate(PERIOD_MONTH, now.wYear, 3, 1);
    }

    CString SourcePath(LPCSTR lpszName) const { return m_strSource + "\\" + lpszName; }
    std::string Datalist() const { return ReadWholeFile(SourcePath("ss_datalist.csv")); }
    bool Holds(LPCSTR lpszName, const std::string& bytes) const
    {
        return ReadWholeFile(SourcePath(lpszName)).find(bytes) != std::string::npos;
    }

    // The working copies in the source folder.
    std::vector<std::string> WorkingCopies() const
    {
        std::vector<std::string> names;
        WIN32_FIND_DATAA data;
        HANDLE hFind = FindFirstFileA(SourcePath("Kem*"), &data);
        if (hFind == INVALID_HANDLE_VALUE)
            return names;
        do
            names.push_back(data.cFileName);
        while (FindNextFileA(hFind, &data));
        FindClose(hFind);
        return names;
    }

    // Answers the connect dialog of the start with m_strConnectName and
    // the type lpszType, chosen in its list when bChoose (else as offered),
    // then waits for the document's view.  A question about a left-over
    // working copy on the way is answered with nLeftoverAnswer and its text
    // kept.
    void Connect(CDesignerProcess& designer, CRunModeDriver& driver, LPCSTR lpszType, bool bChoose,
                 int nLeftoverAnswer = 0)
    {
        ASSERT_NO_FATAL_FAILURE(AnswerConnectDialog(designer, lpszType, bChoose));
        m_strQuestion.clear();
        if (nLeftoverAnswer != 0)
        {
            HWND hBox = NULL;
            for (DWORD dwStart = GetTickCount(); hBox == NULL && GetTickCount() - dwStart < kWaitMs; Sleep(50))
            {
                hBox = designer.WaitForDialog(NULL, 50);
                if (hBox != NULL && CDesignerProcess::MessageText(hBox).Find(kLeftoverQuestion) < 0)
                    hBox = NULL;
            }
            ASSERT_NE(hBox, nullptr) << "no question about the left-over copy";
            m_strQuestion = (LPCSTR)CDesignerProcess::MessageText(hBox);
            CDesignerProcess::Press(hBox, nLeftoverAnswer);
            ASSERT_TRUE(CDesignerProcess::WaitGone(hBox, kWaitMs));
        }
        ASSERT_TRUE(driver.FindView(kWaitMs)) << JoinedTexts(designer.Seen());
        ASSERT_TRUE(driver.WaitForSplashGone(kWaitMs));
    }

    // Answers the connect dialog of the start as Connect does.
    void AnswerConnectDialog(CDesignerProcess& designer, LPCSTR lpszType, bool bChoose)
    {
        ASSERT_TRUE(designer.IsStarted()) << "start error " << designer.StartError();
        HWND hDlg = designer.WaitForDialog("Connect to Database", kWaitMs);
        ASSERT_NE(hDlg, nullptr);
        HWND hType = GetDlgItem(hDlg, kConnectType);
        if (bChoose)
        {
            LRESULT nItem = SendMessageA(hType, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)lpszType);
            ASSERT_NE(CB_ERR, nItem);
            SendMessageA(hType, CB_SETCURSEL, nItem, 0);
            SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(kConnectType, CBN_SELCHANGE), (LPARAM)hType);
            SetDlgItemTextA(hDlg, kConnectName, m_strConnectName);
        }
        char szType[64] = "";
        SendMessageA(hType, WM_GETTEXT, sizeof(szType), (LPARAM)szType);
        EXPECT_STREQ(lpszType, szType);
        CDesignerProcess::Press(hDlg, IDOK);
        ASSERT_TRUE(CDesignerProcess::WaitGone(hDlg, kWaitMs));
    }

    // Run mode, the keys of the organization, the three figures, and Save
    // Data to Database with its report information confirmed.
    void TypeAndSave(CRunModeDriver& driver, LPCSTR lpszCodeStart, LPCSTR lpszCode, LPCSTR lpszName,
                     const std::vector<LPCSTR>& figures)
    {
        HWND hEditor = driver.EnterKeys(PERIOD_MONTH, kMarchCell, lpszCodeStart, lpszCode, lpszName, kWaitMs);
        ASSERT_NE(hEditor, nullptr) << driver.Failure() << " " << JoinedTexts(driver.Answered());
        for (LPCSTR lpszFigure : figures)
        {
            hEditor = driver.EnterFigure(hEditor, lpszFigure, kWaitMs);
            ASSERT_NE(hEditor, nullptr) << driver.Failure() << " " << JoinedTexts(driver.Answered());
        }
        PostMessageA(driver.MainWindow(), WM_COMMAND, MAKEWPARAM(kSaveToDatabase, 0), 0);
        EXPECT_EQ(std::string("[report] ") + lpszCode + "|" + lpszName, driver.ConfirmReportInformation(kWaitMs));
    }

    // Waits until the save command has run to its end: the window answers
    // again, and every message it showed on the way was answered.
    void WaitForSaveEnd(CRunModeDriver& driver, const std::function<bool()>& done)
    {
        DWORD dwStart = GetTickCount();
        while (!done() && GetTickCount() - dwStart < kWaitMs)
        {
            driver.AnswerDialogs();
            Sleep(50);
        }
        DWORD_PTR nResult = 0;
        SendMessageTimeoutA(driver.MainWindow(), WM_NULL, 0, 0, SMTO_NORMAL, kWaitMs, &nResult);
    }

    // Connects to the source as lpszType, chosen in the connect dialog's
    // list, types and saves B02's report, and kills the designer (kill -9
    // of its Unix process) once saved() is true; readBack() then checks the
    // files without the program.  The next start, connecting again as
    // offered, removes the dead session's copy without a question (the
    // files hold all it had), and its normal end leaves nothing behind.
    void SaveKillAndRestart(LPCSTR lpszType, const std::function<bool()>& saved, const std::function<void()>& readBack)
    {
        const std::string arguments = "\"" + std::string(m_strTemplate) + "\"";
        {
            CDesignerProcess designer(m_folder.GetPath(), arguments.c_str());
            CRunModeDriver driver(designer);
            ASSERT_NO_FATAL_FAILURE(Connect(designer, driver, lpszType, true));
            ASSERT_NO_FATAL_FAILURE(TypeAndSave(driver, "B", "B02", "O'Brien & Co", kFigures));
            WaitForSaveEnd(driver, saved);
            ASSERT_TRUE(designer.KillAtOnce()) << "the designer's Unix process was not found";
            std::string told = JoinedTexts(driver.Answered());
            EXPECT_EQ(std::string::npos, told.find("Failed")) << told;
        }
        readBack();
        ASSERT_EQ(1u, WorkingCopies().size());
        std::string leftBehind = WorkingCopies()[0];
        {
            CDesignerProcess designer(m_folder.GetPath(), arguments.c_str());
            CRunModeDriver driver(designer);
            ASSERT_NO_FATAL_FAILURE(Connect(designer, driver, lpszType, false));
            std::vector<std::string> copies = WorkingCopies();
            ASSERT_EQ(1u, copies.size());
            EXPECT_NE(leftBehind, copies[0]);
            EXPECT_TRUE(driver.CloseDiscarding(kWaitMs));
        }
        EXPECT_EQ(std::vector<std::string>{}, WorkingCopies());
    }

    // The report table and the fill-in log as read without the program,
    // each as text whose first line names the fields.
    void ExpectSavedReport(const std::string& datalist, const std::string& reportlog, char cSeparator)
    {
        EXPECT_EQ(Sorted(Expected("B02", kFigures)), ReportRows(datalist, cSeparator)) << datalist;
        auto log = TableRows(reportlog, cSeparator);
        ASSERT_EQ(1u, log.size()) << reportlog;
        EXPECT_EQ("TPL01", FieldOf(log[0], "FD_TemplateCode"));
        EXPECT_EQ("B02", FieldOf(log[0], "FD_OrgCode"));
    }

    std::vector<std::string> Expected(LPCSTR lpszCode, const std::vector<LPCSTR>& figures) const
    {
        const char* const items[] = {"R1|C1", "R1|C2", "R2|C1"};
        std::vector<std::string> rows;
        for (size_t i = 0; i < figures.size(); ++i)
            rows.push_back(std::string(lpszCode) + "|" + m_strPeriod + "|" + items[i] + "|" + figures[i]);
        return rows;
    }

    CScratchFolder m_folder;
    CString m_strSource;
    CString m_strConnectName;  // the source folder, or a document in it
    CString m_strTemplate;
    std::string m_strPeriod;
    std::string m_strQuestion;
};

} // namespace

TEST_F(FileSourceRoadTest, TextTableSavesSurviveAKillAndLeftCopiesAreDealtWithAtTheNextStart)
{
    for (const auto& table : kTables)
        WriteWholeFile(SourcePath(table.first), table.second);
    const std::vector<LPCSTR> first = {"1250.5", "310.25", "12"};
    const std::vector<LPCSTR> second = {"500", "20", "3"};
    const std::string arguments = "\"" + std::string(m_strTemplate) + "\"";
    std::vector<std::string> leftBehind;
    {
        CDesignerProcess designer(m_folder.GetPath(), arguments.c_str());
        CRunModeDriver driver(designer);
        ASSERT_NO_FATAL_FAILURE(Connect(designer, driver, "Text Files", true));
        EXPECT_EQ(1u, WorkingCopies().size());
        ASSERT_NO_FATAL_FAILURE(TypeAndSave(driver, "B", "B02", "O'Brien & Co", first));
        WaitForSaveEnd(driver, [&] { return Holds("ss_reportlog.csv", "TPL01,B02"); });
        ASSERT_TRUE(designer.KillAtOnce()) << "the designer's Unix process was not found";
        std::string told = JoinedTexts(driver.Answered());
        EXPECT_EQ(std::string::npos, told.find("Failed")) << told;
    }
    // Saved means on disk: the figures and the fill-in log are in the files.
    EXPECT_EQ(Sorted(Expected("B02", first)), ReportRows(Datalist(), ',')) << Datalist();
    auto log = TableRows(ReadWholeFile(SourcePath("ss_reportlog.csv")), ',');
    ASSERT_EQ(1u, log.size());
    EXPECT_EQ("B02", FieldOf(log[0], "FD_OrgCode"));
    leftBehind = WorkingCopies();
    ASSERT_EQ(1u, leftBehind.size());
    std::string savedDatalist = Datalist();

    // The next start removes the dead session's copy without a question:
    // the files hold all it had.  The report table is read-only now, so
    // this session's save cannot reach it.
    ASSERT_TRUE(SetFileAttributesA(SourcePath("ss_datalist.csv"), FILE_ATTRIBUTE_READONLY));
    {
        CDesignerProcess designer(m_folder.GetPath(), arguments.c_str());
        CRunModeDriver driver(designer);
        ASSERT_NO_FATAL_FAILURE(Connect(designer, driver, "Text Files", false));
        std::vector<std::string> copies = WorkingCopies();
        ASSERT_EQ(1u, copies.size());
        EXPECT_NE(leftBehind[0], copies[0]);
        ASSERT_NO_FATAL_FAILURE(TypeAndSave(driver, "A", "A01", "Alder", second));
        // One message: the report is saved, in the working copy.
        auto kept = [&] { return JoinedTexts(driver.Answered()).find("The changes are kept in") != std::string::npos; };
        WaitForSaveEnd(driver, kept);
        ASSERT_TRUE(kept()) << JoinedTexts(driver.Answered());
        std::string told = JoinedTexts(driver.Answered());
        EXPECT_EQ(std::string::npos, told.find("Failed to save data.")) << told;
        EXPECT_EQ(1, std::count_if(driver.Answered().begin(), driver.Answered().end(),
                                   [](const std::string& text) { return text.compare(0, 8, "[report]") != 0; }))
            << told;
        EXPECT_NE(std::string::npos, told.find(std::string(SourcePath("ss_datalist.csv")) + " is read-only.")) << told;
        // The status bar does not claim the files were written.
        EXPECT_EQ("The report of Alder for March," + m_strPeriod.substr(0, 4) +
                      " is saved in the working copy; the data source's files are not written.",
                  driver.WaitForStatus("The report", kWaitMs));
        EXPECT_NE(std::string::npos, told.find("The changes are kept in " + std::string(m_strSource) + "\\" + copies[0]))
            << told;
        ASSERT_TRUE(designer.KillAtOnce());
        leftBehind = copies;
    }
    EXPECT_EQ(savedDatalist, Datalist());

    // Writable again: the next start offers the kept changes, and Yes
    // writes them to the table.
    ASSERT_TRUE(SetFileAttributesA(SourcePath("ss_datalist.csv"), FILE_ATTRIBUTE_NORMAL));
    {
        CDesignerProcess designer(m_folder.GetPath(), arguments.c_str());
        CRunModeDriver driver(designer);
        ASSERT_NO_FATAL_FAILURE(Connect(designer, driver, "Text Files", false, IDYES));
        EXPECT_NE(std::string::npos, m_strQuestion.find(std::string(m_strSource) + "\\" + leftBehind[0]))
            << m_strQuestion;
        std::vector<std::string> expected = Expected("B02", first);
        for (const std::string& row : Expected("A01", second))
            expected.push_back(row);
        EXPECT_EQ(Sorted(expected), ReportRows(Datalist(), ',')) << Datalist();
        std::vector<std::string> copies = WorkingCopies();
        ASSERT_EQ(1u, copies.size());
        EXPECT_NE(leftBehind[0], copies[0]);
        EXPECT_TRUE(driver.CloseDiscarding(kWaitMs));
    }
    // A session that ends normally leaves nothing behind, and the first
    // backup is the table as it was before the program changed it.
    EXPECT_EQ(std::vector<std::string>{}, WorkingCopies());
    EXPECT_EQ(std::string(kTables[6].second), ReadWholeFile(SourcePath("ss_datalist.bak")));
}

// Two designers on one text folder, as two users on a shared folder: the
// second is refused while the first holds the folder; a table another
// program changed behind the first is not written over, and the user is
// told; once the first is killed, the second takes its lock over, removes
// the new file a killed write-back left, and saves beside the first one's
// report, which survives.
TEST_F(FileSourceRoadTest, TwoDesignersOnOneFolderNeverEraseEachOthersReports)
{
    for (const auto& table : kTables)
        WriteWholeFile(SourcePath(table.first), table.second);
    CString strSecondTemplate = m_folder.PathOf("Monthly second.kvm");
    ASSERT_TRUE(SaveEntryTemplate(strSecondTemplate));
    const std::string first = "\"" + std::string(m_strTemplate) + "\"";
    const std::string second = "\"" + std::string(strSecondTemplate) + "\"";
    const std::vector<LPCSTR> theirs = {"500", "20", "3"};
    CDesignerProcess designerA(m_folder.GetPath(), first.c_str());
    CRunModeDriver driverA(designerA);
    ASSERT_NO_FATAL_FAILURE(Connect(designerA, driverA, "Text Files", true));
    ASSERT_NO_FATAL_FAILURE(TypeAndSave(driverA, "B", "B02", "O'Brien & Co", kFigures));
    WaitForSaveEnd(driverA, [&] { return Holds("ss_reportlog.csv", "TPL01,B02"); });
    ASSERT_EQ(1u, WorkingCopies().size());
    const std::string copyA = WorkingCopies()[0];
    // The kernel holds A's lock: any process sees it, whatever wineserver
    // (Wine prefix) it runs under, util-linux's flock here.
    const std::string probe = "flock -n ./~KemSource.lck true && echo free || echo held";
    EXPECT_EQ("held\n", RunNativeTool(m_strSource, probe));

    CDesignerProcess designerB(m_folder.GetPath(), second.c_str());
    CRunModeDriver driverB(designerB);
    ASSERT_NO_FATAL_FAILURE(AnswerConnectDialog(designerB, "Text Files", true));
    HWND hFailed = designerB.WaitForMessage("Initialize database failed.", kWaitMs);
    ASSERT_NE(nullptr, hFailed) << JoinedTexts(designerB.Seen());
    std::string told = JoinedTexts(designerB.Seen());
    EXPECT_NE(std::string::npos,
              told.find("[The data source " + std::string(m_strSource) + " is in use by another session ("))
        << told;
    EXPECT_EQ(std::vector<std::string>{copyA}, WorkingCopies());

    // Another program adds a row to the report table behind A: A's next
    // save does not write over it, and says so once.
    std::string datalist = Datalist() + m_strPeriod + ",A01,R1,C1,1,0,77\r\n";
    WriteWholeFile(SourcePath("ss_datalist.csv"), datalist);
    ASSERT_NO_FATAL_FAILURE(TypeAndSave(driverA, "C", "C03", "Cedar", theirs));
    const std::string changed = std::string(SourcePath("ss_datalist.csv")) + " was changed by another program";
    auto refused = [&] { return JoinedTexts(driverA.Answered()).find(changed) != std::string::npos; };
    WaitForSaveEnd(driverA, refused);
    told = JoinedTexts(driverA.Answered());
    EXPECT_TRUE(refused()) << told;
    EXPECT_EQ(std::string::npos, told.find("Failed to save data.")) << told;
    EXPECT_EQ(datalist, Datalist());

    // A dies, with its lock file and a write-back's new file left behind.
    WriteWholeFile(SourcePath("Kem9F9F.tmp.csv"), "FD_Time,FD_OrgCode\r\n");
    ASSERT_TRUE(designerA.KillAtOnce()) << "the designer's Unix process was not found";
    EXPECT_TRUE(Holds("~KemSource.lck", "process "));
    EXPECT_EQ("free\n", RunNativeTool(m_strSource, probe));
    CDesignerProcess::Press(hFailed, IDRETRY);
    // A's kept report (C03) is offered; the table changed since, so No.
    ASSERT_NO_FATAL_FAILURE(Connect(designerB, driverB, "Text Files", true, IDNO));
    EXPECT_NE(std::string::npos, m_strQuestion.find(copyA)) << m_strQuestion;
    std::vector<std::string> copies = WorkingCopies();
    ASSERT_EQ(1u, copies.size()) << JoinedTexts(copies);
    EXPECT_NE(copyA, copies[0]);
    ASSERT_NO_FATAL_FAILURE(TypeAndSave(driverB, "C", "C03", "Cedar", theirs));
    WaitForSaveEnd(driverB, [&] { return Holds("ss_reportlog.csv", "TPL01,C03"); });
    std::vector<std::string> expected = Expected("B02", kFigures);
    for (const std::string& row : Expected("C03", theirs))
        expected.push_back(row);
    expected.push_back("A01|" + m_strPeriod + "|R1|C1|77");
    EXPECT_EQ(Sorted(expected), ReportRows(Datalist(), ',')) << Datalist();
    EXPECT_TRUE(driverB.CloseDiscarding(kWaitMs));
    EXPECT_EQ(std::vector<std::string>{}, WorkingCopies());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(SourcePath("~KemSource.lck")));
}

// A dBase folder made by shapelib's tools: the report is in the tables as
// dbfdump reads them.
TEST_F(FileSourceRoadTest, DbaseTablesTakeTheReportBeforeAKill)
{
    std::string made;
    ASSERT_TRUE(NativeToolSucceeds(m_strSource, kDbaseTables, &made)) << made;
    SaveKillAndRestart(
        "dBase 5.0", [&] { return Holds("ss_reportlog.dbf", "TPL01   B02"); },
        [&] {
            ExpectSavedReport(RunNativeTool(m_strSource, "dbfdump ss_datalist.dbf"),
                              RunNativeTool(m_strSource, "dbfdump ss_reportlog.dbf"), ' ');
        });
}

namespace
{

// The reporting tables as keyed Paradox tables made by pxlib alone (the
// tests' paradox-tool), with a secondary index beside the report table:
// each is "file keys fields", then its rows.
const char* const kParadoxTables[] = {
    "ss_Organ.db 1 FD_Code:A8,FD_Name:A50,FD_SearchCode:A8\nA01|Alder|A\nB02|O'Brien & Co|B\nC03|Cedar|C\n",
    "ss_item.db 1 FD_Code:A8,FD_Name:A50,FD_SearchCode:A8,FD_Type:S\nR1|Sales|S|0\nR2|Staff|T|0\n",
    "ss_colitem.db 1 FD_Code:A8,FD_Name:A50,FD_SearchCode:A8\nC1|This year|T\nC2|Last year|L\n",
    "ss_Attribute.db 0 FD_AttrTypeCode:A8,FD_AttrTypeName:A50,FD_ValCode:A8,FD_ValName:A50\n",
    "ss_OrgAttr.db 0 FD_OrgCode:A8,FD_AttrTypeCode:A8,FD_ValCode:A8\n",
    "ss_reportlog.db 4 FD_TemplateCode:A8,FD_OrgCode:A8,FD_ReportType:L,FD_StartDate:A13,FD_EndDate:A13\n",
    "ss_datalist.db 6 FD_Time:A13,FD_OrgCode:A8,FD_RowItemCode:A8,FD_ColItemCode:A8,FD_Line:L,FD_CurType:S,"
    "FD_Value:A40\n",
};

// A Paradox table as pxlib alone reads it: its first line tells whether it
// is keyed and what its primary index covers, the rest names the fields
// and holds the rows, '|' between the values.
std::string ParadoxDump(const CString& strFolder, const char* pszFile)
{
    return RunNativeTool(strFolder, std::string(PARADOX_TOOL) + " dump " + pszFile);
}

std::string FirstLine(const std::string& text)
{
    return text.substr(0, text.find('\n'));
}

std::string AfterFirstLine(const std::string& text)
{
    return text.substr(text.find('\n') + 1);
}

} // namespace

// A folder of keyed Paradox tables that pxlib made, chosen in the connect
// dialog: the report is in them as pxlib reads them, the tables still
// keyed and their primary indexes covering every row; the report table's
// secondary index, stale now, is moved aside beside its backup.
TEST_F(FileSourceRoadTest, KeyedParadoxTablesTakeTheReportBeforeAKill)
{
    std::string commands;
    for (const char* pszTable : kParadoxTables)
    {
        std::string table(pszTable);
        size_t nEnd = table.find('\n');
        commands += std::string(PARADOX_TOOL) + " make " + table.substr(0, nEnd) + " <<'ROWS'\n" +
                    table.substr(nEnd + 1) + "ROWS\n";
    }
    commands += std::string(PARADOX_TOOL) + " secondary ss_datalist.X02";
    std::string made;
    ASSERT_TRUE(NativeToolSucceeds(m_strSource, commands, &made)) << made;
    SaveKillAndRestart(
        "Paradox 5.X", [&] { return Holds("ss_reportlog.db", "TPL01"); },
        [&] {
            std::string datalist = ParadoxDump(m_strSource, "ss_datalist.db");
            std::string reportlog = ParadoxDump(m_strSource, "ss_reportlog.db");
            EXPECT_EQ("keyed 1 keys 6 index of 6 fields covers 3 of 3 records", FirstLine(datalist));
            EXPECT_EQ("keyed 1 keys 4 index of 4 fields covers 1 of 1 records", FirstLine(reportlog));
            ExpectSavedReport(AfterFirstLine(datalist), AfterFirstLine(reportlog), '|');
            EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(SourcePath("ss_datalist.X02")));
            EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(SourcePath("ss_datalist.X02.bak")));
            EXPECT_EQ("keyed 1 keys 1 index of 1 fields covers 3 of 3 records",
                      FirstLine(ParadoxDump(m_strSource, "ss_Organ.db")));
        });
}

namespace
{

// A sheet of an xlrd dump as text whose first line names the fields, '|'
// between the values: texts as they are, numbers as the program writes
// them, empty cells empty.
std::string SheetText(const std::string& dump, const char* pszSheet)
{
    std::string text;
    for (const std::string& line : workbooktest::SheetLines(dump, pszSheet))
    {
        for (const std::string& cell : Split(line, '|'))
        {
            char szNumber[64] = "";
            if (cell.compare(0, 2, "n:") == 0)
                snprintf(szNumber, sizeof(szNumber), "%.15g", atof(cell.c_str() + 2));
            text += (cell.compare(0, 2, "s:") == 0 ? cell.substr(2) : std::string(szNumber)) + "|";
        }
        text.back() = '\n';
    }
    return text;
}

// The name of a text table without its extension.
std::string TableName(const char* pszFile)
{
    return std::string(pszFile, strchr(pszFile, '.'));
}

// The tables as the sheets of a workbook for XlwtWrite, all texts, with
// an organization whose name the system's code page cannot show.
std::string WorkbookSheets()
{
    std::string sheets;
    for (const auto& table : kTables)
    {
        sheets += "sheet " + TableName(table.first) + "\n";
        for (const std::string& line : Split(table.second, '\n'))
        {
            if (line.empty())
                continue;
            for (const std::string& field : Split(line, ','))
                sheets += "s:" + field + "|";
            sheets.back() = '\n';
        }
        if (TableName(table.first) == "ss_Organ")
            sheets += "s:D04|s:\xE4\xB8\xAD\xE6\x96\x87\xE5\x85\xAC\xE5\x8F\xB8|s:D\n";
    }
    return sheets;
}

} // namespace

// A workbook that python3-xlwt made, one sheet a table, chosen in the
// connect dialog: the report is in the workbook as xlrd reads it, the
// period codes as text cells, and the sheets the save did not touch are as
// they were, names that the system's code page cannot show included, in
// their texts and as sheet names, and a sheet of figures keeps its
// formula, fonts, formats and column width.
TEST_F(FileSourceRoadTest, ExcelWorkbookTakesTheReportBeforeAKill)
{
    std::string sheets = WorkbookSheets();
    sheets += "sheet \xE8\xAF\xB4\xE6\x98\x8E\ns:Code|s:Note\ns:A01|s:\xE5\xA4\x87\xE6\xB3\xA8\n"
              "sheet Figures\nwidth 1 6000\ns:Item~font: bold on|s:Figure\n"
              "s:Sales|n:1234.5~font: name Courier New, height 240@#,##0.00\ns:Double|f:B2*2~@0.0%\n";
    m_strConnectName = SourcePath("reporting.xls");
    ASSERT_EQ("", workbooktest::XlwtWrite(m_strConnectName, sheets));
    const std::string strFigures = workbooktest::XlrdLooks(m_strConnectName, "Figures");
    SaveKillAndRestart(
        "Microsoft Excel 97", [&] { return Holds("reporting.xls", "TPL01"); },
        [&] {
            std::string dump = workbooktest::XlrdDump(m_strConnectName);
            ExpectSavedReport(SheetText(dump, "ss_datalist"), SheetText(dump, "ss_reportlog"), '|');
            // The period codes are text cells, as other programs show them.
            std::vector<std::string> rows = workbooktest::SheetLines(dump, "ss_datalist");
            ASSERT_EQ(4u, rows.size()) << dump;
            for (size_t i = 1; i < rows.size(); ++i)
                EXPECT_EQ(0u, rows[i].find("s:" + m_strPeriod + "|s:B02|")) << rows[i];
            EXPECT_EQ("FD_Code|FD_Name|FD_SearchCode\nA01|Alder|A\nB02|O'Brien & Co|B\nC03|Cedar|C\n"
                      "D04|\xE4\xB8\xAD\xE6\x96\x87\xE5\x85\xAC\xE5\x8F\xB8|D\n",
                      SheetText(dump, "ss_Organ"));
            EXPECT_EQ("Code|Note\nA01|\xE5\xA4\x87\xE6\xB3\xA8\n", SheetText(dump, "\xE8\xAF\xB4\xE6\x98\x8E"));
            EXPECT_EQ(strFigures, workbooktest::XlrdLooks(m_strConnectName, "Figures"));
        });
}

// A workbook whose page footer record claims a byte more than it holds,
// on which FreeXL alone dies of a segmentation fault: connecting to it is
// refused with the workbook named, the designer runs on and connects once
// the workbook is whole again (Retry); the damaged file stays as it was,
// and no working copy is left to be offered as kept changes.
TEST_F(FileSourceRoadTest, DamagedWorkbookIsRefusedByNameAndTheDesignerRunsOn)
{
    m_strConnectName = SourcePath("reporting.xls");
    ASSERT_EQ("", workbooktest::XlwtWrite(m_strConnectName, WorkbookSheets()));
    const std::string whole = ReadWholeFile(m_strConnectName);
    std::string damaged = whole;
    size_t nFooter = damaged.find(std::string("\x15\x00\x05\x00", 4));
    ASSERT_NE(std::string::npos, nFooter);
    damaged[nFooter + 2] = '\x06';
    WriteWholeFile(m_strConnectName, damaged);

    const std::string arguments = "\"" + std::string(m_strTemplate) + "\"";
    CDesignerProcess designer(m_folder.GetPath(), arguments.c_str());
    CRunModeDriver driver(designer);
    ASSERT_NO_FATAL_FAILURE(AnswerConnectDialog(designer, "Microsoft Excel 97", true));
    const std::string told = std::string(m_strConnectName) + " is damaged or cut short and cannot be read.";
    HWND hBox = designer.WaitForMessage(told.c_str(), kWaitMs);
    ASSERT_NE(nullptr, hBox) << JoinedTexts(designer.Seen());
    RECT rc;
    GetWindowRect(hBox, &rc);
    EXPECT_TRUE(SaveRootAreaBitmap(rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                                   DESIGNER_SCREENSHOT_DIR "/damaged-workbook.bmp"));
    // Answered in turn on the way to the start-up's question.
    HWND hFailed = designer.WaitForMessage("Initialize database failed.", kWaitMs);
    ASSERT_NE(nullptr, hFailed) << JoinedTexts(designer.Seen());
    EXPECT_EQ("[" + told + "] [Failed to import.] ", JoinedTexts(designer.Seen()));
    EXPECT_TRUE(ReadWholeFile(m_strConnectName) == damaged);
    EXPECT_EQ(std::vector<std::string>{}, WorkingCopies());

    WriteWholeFile(m_strConnectName, whole);
    CDesignerProcess::Press(hFailed, IDRETRY);
    ASSERT_NO_FATAL_FAILURE(Connect(designer, driver, "Microsoft Excel 97", true));
    EXPECT_EQ(1u, WorkingCopies().size());
    EXPECT_TRUE(driver.CloseDiscarding(kWaitMs));
    EXPECT_EQ(std::vector<std::string>{}, WorkingCopies());
    EXPECT_TRUE(ReadWholeFile(m_strConnectName) == whole);
}

// The worksheet as libwps reads it (wks2raw's calls, whose numbers keep
// all their digits), as text whose first line names the fields, ','
// between the values, numbers as the program writes them.
std::string WorksheetText(const CString& strFolder, const std::string& file)
{
    std::vector<std::vector<std::string>> rows;
    size_t nColumn = 0;
    for (const std::string& line : Split(RunNativeTool(strFolder, "wks2raw " + file + " 2>/dev/null"), '\n'))
    {
        size_t nAt;
        if (line.find("openSheetRow(") != std::string::npos)
            rows.emplace_back();
        else if (!rows.empty() && (nAt = line.find("openSheetCell(")) != std::string::npos)
        {
            nColumn = atoi(line.c_str() + line.find("librevenge:column: ") + 19);
            rows.back().resize((std::max)(rows.back().size(), nColumn + 1));
            if ((nAt = line.find("librevenge:value: ")) != std::string::npos)
            {
                char szNumber[64];
                snprintf(szNumber, sizeof(szNumber), "%.15g", atof(line.c_str() + nAt + 18));
                rows.back()[nColumn] = szNumber;
            }
        }
        else if (!rows.empty() && (nAt = line.find("insertText(text: ")) != std::string::npos)
            rows.back()[nColumn] = line.substr(nAt + 17, line.rfind(')') - nAt - 17);
    }
    std::string text;
    for (const std::vector<std::string>& row : rows)
    {
        for (size_t i = 0; i < row.size(); ++i)
            text += (i == 0 ? "" : ",") + row[i];
        text += '\n';
    }
    return text;
}

// A folder of Lotus WK1 worksheets, one a table, chosen in the connect
// dialog: the report is in them as libwps's wks2raw reads them.
TEST_F(FileSourceRoadTest, LotusWorksheetsTakeTheReportBeforeAKill)
{
    for (const auto& table : kTables)
    {
        CSourceTable sheet;
        sheet.m_strName = TableName(table.first).c_str();
        for (const std::string& line : Split(table.second, '\n'))
        {
            std::vector<CSourceValue> row;
            for (const std::string& field : Split(line, ','))
            {
                if (line.empty())
                    break;
                CSourceValue value;
                value.m_strText = field.c_str();
                value.m_bNull = false;
                row.push_back(value);
            }
            if (sheet.m_columns.empty())
                for (const CSourceValue& value : row)
                    sheet.m_columns.push_back(value.m_strText);
            else if (!row.empty())
                sheet.m_rows.push_back(row);
        }
        CString strError;
        ASSERT_TRUE(WriteLotusFile(SourcePath((TableName(table.first) + ".wk1").c_str()), sheet, LOTUS_WK1, strError))
            << strError;
    }
    SaveKillAndRestart(
        "Lotus WK1 Folder", [&] { return Holds("ss_reportlog.wk1", "TPL01"); },
        [&] {
            ExpectSavedReport(WorksheetText(m_strSource, "ss_datalist.wk1"),
                              WorksheetText(m_strSource, "ss_reportlog.wk1"), ',');
            EXPECT_EQ("FD_Code,FD_Name,FD_SearchCode\nA01,Alder,A\nB02,O'Brien & Co,B\nC03,Cedar,C\n",
                      WorksheetText(m_strSource, "ss_Organ.wk1"));
        });
}
