// Times a file source through the DAO engine: opening a source whose
// ss_datalist holds 100,000 rows and saving a 5,000-cell report into it
// (the save writes the table back), for dBase (.dbf), Paradox (.db) and an
// Excel 97 workbook (.xls, whose sheet holds 65,536 rows: 60,000 there),
// each beside the format's reader and writer alone reading and writing the
// same rows, with their ratio: the best of several rounds, the two sides
// taking turns; and the best time of each side's two steps (the source
// opened, then the save with its write-back; the rows read, then written)
// to show where the time goes.  The load average is shown at the start and
// end.  A third argument, "program" or "yardstick", runs that side alone,
// once or the number of times a fourth one gives, for a profiler to count
// its work (one round's is the difference between two counts and one).
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <functional>
#include <string>
#include <vector>

#include "bench/BenchClock.h"
#include "tests/engines/dao/BrasslockLibrary.h"
#include "engines/dao/DbfTable.h"
#include "engines/dao/ParadoxTable.h"
#include "engines/dao/spreadsheet/XlsWorkbookFile.h"

namespace
{

const int EXISTING_ROWS = 100000;
const int WORKBOOK_ROWS = 60000;
const int REPORT_CELLS = 5000;
const double GOAL_RATIO = 1.5;

// "program" or "yardstick": the side a profiling run times alone, and how
// many times.
const char* g_pszOnly = "";
int g_nOnlyRuns = 1;

double LoadAverage()
{
    double dLoad = -1;
    FILE* pFile = fopen("/proc/loadavg", "r");
    if (pFile != NULL)
    {
        if (fscanf(pFile, "%lf", &dLoad) != 1)
            dLoad = -1;
        fclose(pFile);
    }
    return dLoad;
}

void ShowLoad(const char* pszWhen)
{
    double dLoad = LoadAverage();
    printf("load average at %s: %.2f%s\n", pszWhen, dLoad, dLoad > 2 ? "  (machine busy)" : "");
}

CSourceField Field(const char* pszName, char chType, int nWidth)
{
    CSourceField field;
    field.m_strName = pszName;
    field.m_chType = chType;
    field.m_nWidth = nWidth;
    return field;
}

CSourceTable DataList(int nRows, char chText, char chLong, int nLongWidth, char chShort, int nShortWidth)
{
    CSourceTable table;
    table.m_strName = "ss_datalist";
    table.m_columns = {"FD_Time", "FD_OrgCode", "FD_RowItemCode", "FD_ColItemCode", "FD_Line", "FD_CurType",
                       "FD_Value"};
    table.m_fields = {Field("FD_Time", chText, 13),      Field("FD_OrgCode", chText, 8),
                      Field("FD_RowItemCode", chText, 8), Field("FD_ColItemCode", chText, 8),
                      Field("FD_Line", chLong, nLongWidth), Field("FD_CurType", chShort, nShortWidth),
                      Field("FD_Value", chText, 30)};
    if (chText == 'C')
        table.m_fields[2].m_strName = "FD_RowItem", table.m_fields[3].m_strName = "FD_ColItem";
    char sz[32];
    for (int i = 0; i < nRows; ++i)
    {
        std::vector<CSourceValue> row(7);
        snprintf(sz, sizeof(sz), "%04d000000000", 1900 + i / 1000);
        row[0].m_strText = sz;
        snprintf(sz, sizeof(sz), "O%03d", i % 1000);
        row[1].m_strText = sz;
        snprintf(sz, sizeof(sz), "R%03d", i / 10 % 100);
        row[2].m_strText = sz;
        row[3].m_strText = "========";
        snprintf(sz, sizeof(sz), "%d", i % 10);
        row[4].m_strText = sz;
        row[5].m_strText = "0";
        snprintf(sz, sizeof(sz), "%d.5", i);
        row[6].m_strText = sz;
        for (CSourceValue& value : row)
            value.m_bNull = false;
        table.m_rows.push_back(row);
    }
    return table;
}

// How a format's tables are read and written by its reader and writer
// alone; its source is a folder of one file a table, or one workbook.
struct FileFormat
{
    const char* pszName;
    int nType;
    const char* pszExtension;
    BOOL bWorkbook;
    std::function<BOOL(const CString&, std::vector<CSourceTable>&, CString&)> read;
    std::function<BOOL(const CString&, const std::vector<CSourceTable>&, CString&)> write;
    // Rounds of each side, the best one counted: more where a round is short.
    int nRounds;
};

// The small reporting table the programs open with the data table.
CSourceTable Organ(const FileFormat& format)
{
    CSourceTable organ;
    organ.m_strName = "ss_Organ";
    organ.m_columns = {"FD_Code", "FD_Name", "FD_SearchCode"};
    BOOL bDbf = format.nType == 4;
    char chText = format.nType == 13 ? 1 : 'C';
    organ.m_fields = {Field("FD_Code", chText, 8), Field("FD_Name", chText, 50),
                      Field(bDbf ? "FD_SearchC" : "FD_SearchCode", chText, 8)};
    return organ;
}

// The best time of each of a round's two steps over the rounds, to show
// where a round's time goes.
struct CStepTimes
{
    double dFirst = 1e30;
    double dSecond = 1e30;

    void Note(double dStart, double dBetween, double dEnd)
    {
        if (dBetween - dStart < dFirst)
            dFirst = dBetween - dStart;
        if (dEnd - dBetween < dSecond)
            dSecond = dEnd - dBetween;
    }
};

// The reader and writer alone: the rows read and the same rows written.
void LibraryRound(const FileFormat& format, const CString& strPath, const CString& strCopy, CStepTimes& steps)
{
    std::vector<CSourceTable> back;
    CString strReason;
    double dStart = BenchNowMs();
    BOOL bRead = format.read(strPath, back, strReason);
    double dRead = BenchNowMs();
    if (!bRead || !format.write(strCopy, back, strReason))
        printf("%s: the library alone failed: %s\n", format.pszName, (LPCSTR)strReason);
    steps.Note(dStart, dRead, BenchNowMs());
    DeleteFileA(strCopy);
}

// The program: the source opened, the report saved into it (written back
// to its files) and closed.
void ProgramRound(const FileFormat& format, BrasslockLibrary& library, CCellArray& cells, const CString& strDatabase,
                  CStepTimes& steps)
{
    CKemDatabase* pDb = library.GetDatabase(format.nType);
    pDb->m_strDatabase = strDatabase;
    double dStart = BenchNowMs();
    pDb->Reopen(FALSE);
    double dOpen = BenchNowMs();
    if (library.SaveKemReportData(&cells, pDb, "ss_datalist") != 1)
        printf("%s: the save failed\n", format.pszName);
    pDb->Close();
    steps.Note(dStart, dOpen, BenchNowMs());
    library.ReleaseDatabase(pDb);
}

void Run(const FileFormat& format, const CString& strFolder, const CSourceTable& table)
{
    CreateDirectoryA(strFolder, NULL);
    CString strPath = strFolder + "\\" + (format.bWorkbook ? "reporting" : "ss_datalist") + format.pszExtension;
    CString strError;
    BOOL bWritten = format.bWorkbook ? format.write(strPath, {table, Organ(format)}, strError)
                                     : format.write(strFolder + "\\ss_Organ" + format.pszExtension, {Organ(format)},
                                                    strError) &&
                                           format.write(strPath, {table}, strError);
    if (!bWritten)
    {
        printf("%s: %s\n", format.pszName, (LPCSTR)strError);
        return;
    }
    BOOL bProgram = strcmp(g_pszOnly, "yardstick") != 0, bYardstick = strcmp(g_pszOnly, "program") != 0;
    int nRuns = g_pszOnly[0] != '\0' ? g_nOnlyRuns : format.nRounds;
    CString strCopy = strFolder + "\\copy" + format.pszExtension;
    CStepTimes programSteps, librarySteps;
    auto libraryRound = [&] { LibraryRound(format, strPath, strCopy, librarySteps); };

    BrasslockLibrary library;
    CCellArray cells;
    for (int i = 0; i < REPORT_CELLS; ++i)
    {
        char szRow[16];
        snprintf(szRow, sizeof(szRow), "X%04d", i);
        CCell cell = DataCell("N001", "2024030000000", szRow, "C1", 1, 0, "42.5");
        cells.Add(cell);
    }
    auto programRound = [&] {
        ProgramRound(format, library, cells, format.bWorkbook ? strPath : strFolder, programSteps);
        // The next run starts from the same rows.
        CopyFileA(strPath.Left(strPath.ReverseFind('.')) + ".bak", strPath, FALSE);
        DeleteFileA(strPath.Left(strPath.ReverseFind('.')) + ".bak");
    };
    // Both sides alternate round by round, so that a busy spell of the
    // machine slows both alike.
    double dEngine = 0, dLibrary = 0;
    if (bProgram && bYardstick)
        BenchBestOfPair(nRuns, programRound, libraryRound, dEngine, dLibrary);
    else if (bProgram)
        dEngine = BenchBestOf(nRuns, programRound);
    else
        dLibrary = BenchBestOf(nRuns, libraryRound);
    if (!bProgram || !bYardstick)
    {
        printf("%-8s %s alone: %.1f ms\n", format.pszName, g_pszOnly, bProgram ? dEngine : dLibrary);
        return;
    }
    double dRatio = dEngine / dLibrary;
    printf("%-8s open %d rows + save %d cells: %8.1f ms   library read + write: %8.1f ms   ratio %.2f (goal %.1f)\n",
           format.pszName, (int)table.m_rows.size(), REPORT_CELLS, dEngine, dLibrary, dRatio, GOAL_RATIO);
    printf("%-8s   best steps: open %.1f ms, save with write-back %.1f ms   read %.1f ms, write %.1f ms\n", "",
           programSteps.dFirst, programSteps.dSecond, librarySteps.dFirst, librarySteps.dSecond);
}

// A reader or writer of one table a file as one of a list of tables.
template <typename Read>
std::function<BOOL(const CString&, std::vector<CSourceTable>&, CString&)> OneTableReader(Read read)
{
    return [read](const CString& strPath, std::vector<CSourceTable>& tables, CString& strError) {
        tables.resize(1);
        // Named after its file, as the engine names a folder's tables: a
        // Paradox file keeps its table's name.
        CString strName = strPath.Mid(strPath.ReverseFind('\\') + 1);
        tables[0].m_strName = strName.Left(strName.ReverseFind('.'));
        return read(strPath, tables[0], strError);
    };
}

template <typename Write>
std::function<BOOL(const CString&, const std::vector<CSourceTable>&, CString&)> OneTableWriter(Write write)
{
    return [write](const CString& strPath, const std::vector<CSourceTable>& tables, CString& strError) {
        return write(strPath, tables.at(0), strError);
    };
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
    {
        printf("usage: file_source_bench FOLDER [.dbf|.db|.xls|all] [program|yardstick [ROUNDS]] (Windows path of an "
               "empty scratch folder; one format or all; one side alone, once or ROUNDS times)\n");
        return 2;
    }
    CString strFolder(argv[1]);
    ShowLoad("start");
    const FileFormat dbf = {".dbf", 4, ".dbf", FALSE, OneTableReader(ReadDbfTable), OneTableWriter(WriteDbfTable), 9};
    const FileFormat db = {".db", 13, ".db", FALSE, OneTableReader(ReadParadoxTable), OneTableWriter(WriteParadoxTable),
                           3};
    const FileFormat xls = {".xls", 18, ".xls", TRUE,
                            [](const CString& strPath, std::vector<CSourceTable>& tables, CString& strError) {
                                int nVersion = 0;
                                return ReadXlsWorkbook(strPath, tables, nVersion, strError);
                            },
                            [](const CString& strPath, const std::vector<CSourceTable>& tables, CString& strError) {
                                return WriteXlsWorkbook(strPath, tables, 8, strError);
                            },
                            15};
    CString strOnly = argc > 2 && strcmp(argv[2], "all") != 0 ? argv[2] : "";
    g_pszOnly = argc > 3 ? argv[3] : "";
    g_nOnlyRuns = argc > 4 ? atoi(argv[4]) : 1;
    if ((g_pszOnly[0] != '\0' && strcmp(g_pszOnly, "program") != 0 && strcmp(g_pszOnly, "yardstick") != 0)
        || g_nOnlyRuns < 1)
    {
        printf("the side is \"program\" or \"yardstick\", run at least once\n");
        return 2;
    }
    if (strOnly.IsEmpty() || strOnly == dbf.pszName)
        Run(dbf, strFolder + "\\dbf", DataList(EXISTING_ROWS, 'C', 'N', 10, 'N', 3));
    if (strOnly.IsEmpty() || strOnly == db.pszName)
        Run(db, strFolder + "\\db", DataList(EXISTING_ROWS, 1, 4, 4, 3, 2));
    if (strOnly.IsEmpty() || strOnly == xls.pszName)
        Run(xls, strFolder + "\\xls", DataList(WORKBOOK_ROWS, 'C', 'N', 10, 'N', 3));
    ShowLoad("end");
    return 0;
}
