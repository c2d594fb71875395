#include "engines/dao/SourceFiles.h"

#include "engines/common/DataSourceType.h"
#include "engines/common/KemDatabase.h"
#include "framework/core/File.h"

namespace {

BOOL IsFolder(const CString& strPath)
{
    DWORD dwAttributes = GetFileAttributesA(strPath);
    return dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

CString TextFolder(const CString& strDatabase)
{
    CString strFolder = IsFolder(strDatabase) ? strDatabase : DatabaseFolder(strDatabase);
    strFolder.TrimRight('\\');
    return strFolder;
}

BOOL ReadWholeFile(const CString& strPath, CString& strText, CString& strError)
{
    try
    {
        CFile file(strPath, CFile::modeRead | CFile::shareDenyWrite);
        ULONGLONG nLength = file.GetLength();
        if (nLength > 0x7fffffff)
        {
            strError = strPath + " is too large to read.";
            return FALSE;
        }
        UINT nRead = file.Read(strText.GetBuffer((int)nLength), (UINT)nLength);
        strText.ReleaseBuffer((int)nRead);
        return TRUE;
    }
    catch (CException* e)
    {
        e->Delete();
        strError = "Cannot read " + strPath + ".";
        return FALSE;
    }
}

// NAME.bak beside NAME.ext.
CString BackupPath(const CString& strPath)
{
    int nDot = strPath.ReverseFind('.');
    int nSlash = strPath.ReverseFind('\\');
    return (nDot > nSlash ? strPath.Left(nDot) : strPath) + ".bak";
}

// Writes the text to a new file beside strPath, keeps the old contents as
// the backup and swaps the new file in.
BOOL ReplaceFile(const CString& strPath, const CString& strText, CString& strError)
{
    CString strFolder = DatabaseFolder(strPath);
    CString strTemp = UniqueFileBeside(strFolder);
    strError = "Cannot write " + strPath + ".";
    if (strTemp.IsEmpty())
        return FALSE;
    try
    {
        CFile file(strTemp, CFile::modeCreate | CFile::modeWrite);
        file.Write(strText, strText.GetLength());
        file.Close();
    }
    catch (CException* e)
    {
        e->Delete();
        DeleteFileA(strTemp);
        return FALSE;
    }
    if (GetFileAttributesA(strPath) != INVALID_FILE_ATTRIBUTES && !CopyFileA(strPath, BackupPath(strPath), FALSE))
    {
        DeleteFileA(strTemp);
        strError = "Cannot keep a backup of " + strPath + ".";
        return FALSE;
    }
    if (!MoveFileExA(strTemp, strPath, MOVEFILE_REPLACE_EXISTING))
    {
        DeleteFileA(strTemp);
        return FALSE;
    }
    strError.Empty();
    return TRUE;
}

// The file of a text table: its existing NAME.txt or NAME.csv.
CString TextTableFile(const CString& strFolder, const CString& strName)
{
    CString strCsv = strFolder + "\\" + strName + ".csv";
    if (GetFileAttributesA(strCsv) != INVALID_FILE_ATTRIBUTES)
        return strCsv;
    return strFolder + "\\" + strName + ".txt";
}

}

CString SourceFolder(int nType, const CString& strDatabase)
{
    return nType == DSTYPE_TEXT ? TextFolder(strDatabase) : DatabaseFolder(strDatabase);
}

CString UniqueFileBeside(const CString& strFolder)
{
    char szPath[MAX_PATH];
    if (GetTempFileNameA(strFolder.IsEmpty() ? "." : (LPCSTR)strFolder, "Kem", 0, szPath) == 0)
        return CString();
    // The name is reserved by the empty file; the callers create it anew.
    DeleteFileA(szPath);
    return szPath;
}

BOOL ReadTextSource(const CString& strDatabase, std::vector<CSourceTable>& tables, CString& strError)
{
    CString strFolder = TextFolder(strDatabase);
    tables.clear();
    for (LPCSTR lpszPattern : {"\\*.txt", "\\*.csv"})
    {
        WIN32_FIND_DATAA data;
        HANDLE hFind = FindFirstFileA(strFolder + lpszPattern, &data);
        if (hFind == INVALID_HANDLE_VALUE)
            continue;
        BOOL bOk = TRUE;
        do
        {
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                continue;
            CString strFile = strFolder + "\\" + data.cFileName;
            CSourceTable table;
            CString strName(data.cFileName);
            table.m_strName = strName.Left(strName.ReverseFind('.'));
            for (const CSourceTable& other : tables)
                if (other.m_strName.CompareNoCase(table.m_strName) == 0)
                {
                    strError = "Two files hold the text table " + table.m_strName + " in " + strFolder + ".";
                    bOk = FALSE;
                }
            CString strText;
            CString strReason;
            if (bOk && !ReadWholeFile(strFile, strText, strError))
                bOk = FALSE;
            else if (bOk && !ParseCsvTable(strText, table, strReason))
            {
                strError = "The text table " + strFile + " cannot be read: " + strReason + ".";
                bOk = FALSE;
            }
            if (bOk)
                tables.push_back(table);
        } while (bOk && FindNextFileA(hFind, &data));
        FindClose(hFind);
        if (!bOk)
            return FALSE;
    }
    if (tables.empty())
    {
        strError = "There is no text table (.txt or .csv file) in " + strFolder + ".";
        return FALSE;
    }
    return TRUE;
}

BOOL WriteTextSource(const CString& strDatabase, const std::vector<CSourceTable>& tables, CString& strError)
{
    CString strFolder = TextFolder(strDatabase);
    for (const CSourceTable& table : tables)
        if (!ReplaceFile(TextTableFile(strFolder, table.m_strName), CsvTableText(table), strError))
            return FALSE;
    return TRUE;
}

BOOL ReadHtmlSource(const CString& strDatabase, std::vector<CSourceTable>& tables, CString& strError)
{
    CString strText;
    if (!ReadWholeFile(strDatabase, strText, strError))
        return FALSE;
    CString strReason;
    if (!ParseHtmlTables(strText, tables, strReason))
    {
        strError = "The HTML document " + strDatabase + " cannot be read: " + strReason + ".";
        return FALSE;
    }
    return TRUE;
}

BOOL WriteHtmlSource(const CString& strDatabase, const std::vector<CSourceTable>& tables, CString& strError)
{
    return ReplaceFile(strDatabase, HtmlDocumentText(tables), strError);
}
