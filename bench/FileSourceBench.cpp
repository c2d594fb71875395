// Times a file source through the DAO engine: opening a source whose
// ss_datalist holds 100,000 rows and saving a 5,000-cell report into it
// (the save writes the table back), for dBase (.dbf) and Paradox (.db),
// each beside the format's library alone reading and writing the same
// rows, with their ratio.  The load average is shown at the start and end.
#include <stdio.h>

#include <string>
#include <vector>

#include "bench/BenchClock.h"
#include "tests/engines/dao/BrasslockLibrary.h"
#include "engines/dao/DbfTable.h"
#include "engines/dao/ParadoxTable.h"

namespace
{

const int EXISTING_ROWS = 100000;
const int REPORT_CELLS = 5000;
const double GOAL_RATIO = 1.5;

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

CSourceTable DataList(char chText, char chLong, int nLongWidth, char chShort, int nShortWidth)
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
    for (int i = 0; i < EXISTING_ROWS; ++i)
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

// The small reporting tables the programs open with the data table.
void WriteOrgan(const CString& strFolder, BOOL bDbf)
{
    CSourceTable organ;
    organ.m_strName = "ss_Organ";
    organ.m_columns = {"FD_Code", "FD_Name", "FD_SearchCode"};
    char chText = bDbf ? 'C' : 1;
    organ.m_fields = {Field("FD_Code", chText, 8), Field("FD_Name", chText, 50),
                      Field(bDbf ? "FD_SearchC" : "FD_SearchCode", chText, 8)};
    CString strError;
    CString strPath = strFolder + (bDbf ? "\\ss_Organ.dbf" : "\\ss_Organ.db");
    if (!(bDbf ? WriteDbfTable(strPath, organ, strError) : WriteParadoxTable(strPath, organ, strError)))
        printf("ss_Organ: %s\n", (LPCSTR)strError);
}

void Run(const char* pszFormat, int nType, const CString& strFolder, const CSourceTable& table, BOOL bDbf)
{
    CreateDirectoryA(strFolder, NULL);
    CString strPath = strFolder + (bDbf ? "\\ss_datalist.dbf" : "\\ss_datalist.db");
    CString strError;
    WriteOrgan(strFolder, bDbf);
    if (!(bDbf ? WriteDbfTable(strPath, table, strError) : WriteParadoxTable(strPath, table, strError)))
    {
        printf("%s: %s\n", pszFormat, (LPCSTR)strError);
        return;
    }
    // The library alone: the rows read and the same rows written.
    CString strCopy = strFolder + (bDbf ? "\\copy.dbf" : "\\copy.db");
    double dLibrary = BenchBestOf(3, [&] {
        CSourceTable back;
        CString strReason;
        if (bDbf)
            ReadDbfTable(strPath, back, strReason) && WriteDbfTable(strCopy, back, strReason);
        else
            ReadParadoxTable(strPath, back, strReason) && WriteParadoxTable(strCopy, back, strReason);
        DeleteFileA(strCopy);
    });

    BrasslockLibrary library;
    CCellArray cells;
    for (int i = 0; i < REPORT_CELLS; ++i)
    {
        char szRow[16];
        snprintf(szRow, sizeof(szRow), "X%04d", i);
        CCell cell = DataCell("N001", "2024030000000", szRow, "C1", 1, 0, "42.5");
        cells.Add(cell);
    }
    double dEngine = BenchBestOf(3, [&] {
        CKemDatabase* pDb = library.GetDatabase(nType);
        pDb->m_strDatabase = strFolder;
        pDb->Reopen(FALSE);
        if (library.SaveKemReportData(&cells, pDb, "ss_datalist") != 1)
            printf("%s: the save failed\n", pszFormat);
        pDb->Close();
        library.ReleaseDatabase(pDb);
        // The next run starts from the same 100,000 rows.
        CopyFileA(strPath.Left(strPath.ReverseFind('.')) + ".bak", strPath, FALSE);
        DeleteFileA(strPath.Left(strPath.ReverseFind('.')) + ".bak");
    });
    double dRatio = dEngine / dLibrary;
    printf("%-8s open %d rows + save %d cells: %8.1f ms   library read + write: %8.1f ms   ratio %.2f (goal %.1f)\n",
           pszFormat, EXISTING_ROWS, REPORT_CELLS, dEngine, dLibrary, dRatio, GOAL_RATIO);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
    {
        printf("usage: file_source_bench FOLDER (Windows path of an empty scratch folder)\n");
        return 2;
    }
    CString strFolder(argv[1]);
    ShowLoad("start");
    Run(".dbf", 4, strFolder + "\\dbf", DataList('C', 'N', 10, 'N', 3), TRUE);
    Run(".db", 13, strFolder + "\\db", DataList(1, 4, 4, 3, 2), FALSE);
    printf(".xls     waits for the workbook reader and writer\n");
    ShowLoad("end");
    return 0;
}
