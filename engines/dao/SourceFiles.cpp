#include <functional>

#include "engines/dao/SourceFiles.h"

#include "engines/common/DataSourceType.h"
#include "engines/common/KemDatabase.h"
#include "engines/dao/DbfTable.h"
#include "engines/dao/FileLength.h"
#include "engines/dao/HtmlTable.h"
#include "engines/dao/ParadoxIndexFiles.h"
#include "engines/dao/ParadoxTable.h"
#include "engines/dao/ReportingNames.h"
#include "engines/dao/spreadsheet/LotusWorksheetFile.h"
#include "engines/dao/spreadsheet/XlsWorkbookFile.h"
#include "framework/core/File.h"


namespace
{

typedef BOOL (*ReadTableFile)(const CString& strPath, CSourceTable& table, CString& strReason);
typedef BOOL (*WriteTableFile)(const CString& strPath, const CSourceTable& table, CString& strReason);
typedef std::unique_ptr<CSourceRowReader> (*OpenTableFile)(const CString& strPath, CSourceTable& table,
                                                           CString& strReason);

// Files that belong to a table's file and are written with it (a
// Paradox table's indexes): refused, swapped in and dropped with it.
struct CCompanionFiles
{
    CString (*refusal)(const CString& strTarget);
    BOOL (*swapIn)(const CString& strWritten, const CString& strTarget, CString& strError);
    void (*drop)(const CString& strWritten);
};

// A folder format: the files that hold its tables and how one is read
// and written.
struct CFolderFormat
{
    LPCSTR lpszKind;                   // "dBase table", for messages
    std::vector<LPCSTR> extensions;    // ".dbf"; the first one names new files
    ReadTableFile read;
    WriteTableFile write;
    BOOL bShortNames;                  // names cut to 8.3 and fields to 10 characters
    BOOL bWholeMessages;               // read and write fail with a message naming the file, not a reason
    OpenTableFile open = NULL;         // where set, reads a table leaving its rows in the file
    const CCompanionFiles* pCompanions = NULL;  // files that go with a table's file
};

BOOL ReadCsvFile(const CString& strPath, CSourceTable& table, CString& strReason);
BOOL WriteCsvFile(const CString& strPath, const CSourceTable& table, CString& strReason);

// A Lotus worksheet keeps the format it was read in.
BOOL ReadLotusTable(const CString& strPath, CSourceTable& table, CString& strError)
{
    LotusFormat nFormat = LOTUS_WK1;
    if (!ReadLotusFile(strPath, table, nFormat, strError))
        return FALSE;
    table.m_nVersion = nFormat;
    return TRUE;
}

BOOL WriteLotusTable(const CString& strPath, const CSourceTable& table, CString& strError)
{
    return WriteLotusFile(strPath, table, table.m_nVersion == LOTUS_WKS ? LOTUS_WKS : LOTUS_WK1, strError);
}

const CFolderFormat* FolderFormat(int nType)
{
    static const CFolderFormat kText{"text table", {".txt", ".csv"}, ReadCsvFile, WriteCsvFile, FALSE, FALSE};
    static const CFolderFormat kDbf{"dBase table", {".dbf"}, ReadDbfTable, WriteDbfTable, TRUE, FALSE, OpenDbfTable};
    static const CCompanionFiles kParadoxIndexes{ParadoxIndexRefusal, SwapInParadoxIndexes, DeleteParadoxIndex};
    static const CFolderFormat kParadox{"Paradox table", {".db"}, ReadParadoxTable, WriteParadoxTable, FALSE, FALSE,
                                        NULL, &kParadoxIndexes};
    static const CFolderFormat kWks{"Lotus worksheet", {".wks"}, ReadLotusTable, WriteLotusTable, FALSE, TRUE};
    static const CFolderFormat kWk1{"Lotus worksheet", {".wk1"}, ReadLotusTable, WriteLotusTable, FALSE, TRUE};
    if (nType == DSTYPE_TEXT)
        return &kText;
    if (nType >= DSTYPE_DBASE3 && nType <= DSTYPE_FOXPRO26)
        return &kDbf;
    if (nType >= DSTYPE_PARADOX3 && nType <= DSTYPE_PARADOX5)
        return &kParadox;
    if (nType == DSTYPE_LOTUS_WKS_FOLDER)
        return &kWks;
    if (nType == DSTYPE_LOTUS_WK1_FOLDER)
        return &kWk1;
    return NULL;
}

BOOL IsLotusFileType(int nType)
{
    return nType == DSTYPE_LOTUS_WKS_FILE || nType == DSTYPE_LOTUS_WKS_FILE2;
}

BOOL IsFolder(const CString& strPath)
{
    DWORD dwAttributes = GetFileAttributesA(strPath);
    return dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

CString FileNameOf(const CString& strPath)
{
    return strPath.Mid(strPath.ReverseFind('\\') + 1);
}

CString ExtensionOf(const CString& strPath)
{
    CString strName = FileNameOf(strPath);
    int nDot = strName.ReverseFind('.');
    return nDot >= 0 ? strName.Mid(nDot) : CString();
}

// The reason a file cannot be opened, in words; "" when it can.
CString OpenFailure(const CString& strPath, DWORD dwAccess, DWORD dwShare)
{
    HANDLE hFile = CreateFileA(strPath, dwAccess, dwShare, NULL, OPEN_EXISTING, 0, NULL);
    if (hFile != INVALID_HANDLE_VALUE)
    {
        CloseHandle(hFile);
        return CString();
    }
    switch (GetLastError())
    {
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return strPath + " is in use by another program.";
    case ERROR_ACCESS_DENIED:
        return "You may not " + CString(dwAccess & GENERIC_WRITE ? "change " : "read ") + strPath + ".";
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return strPath + " was not found.";
    default:
        return "Cannot open " + strPath + ".";
    }
}

BOOL ReadWholeFile(const CString& strPath, CString& strText, CString& strError)
{
    strError = OpenFailure(strPath, GENERIC_READ, FILE_SHARE_READ);
    if (!strError.IsEmpty())
        return FALSE;
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

BOOL WriteWholeFile(const CString& strPath, const CString& strText, CString& strReason)
{
    try
    {
        CFile file(strPath, CFile::modeCreate | CFile::modeWrite);
        file.Write(strText, strText.GetLength());
        file.Close();
        return TRUE;
    }
    catch (CFileException* e)
    {
        strReason = e->m_cause == CFileException::diskFull ? "the disk is full" : "the file cannot be written";
        e->Delete();
        return FALSE;
    }
}

BOOL ReadCsvFile(const CString& strPath, CSourceTable& table, CString& strReason)
{
    CString strText;
    if (!ReadWholeFile(strPath, strText, strReason))
        return FALSE;
    return ParseCsvTable(strText, table, strReason);
}

BOOL WriteCsvFile(const CString& strPath, const CSourceTable& table, CString& strReason)
{
    return WriteWholeFile(strPath, CsvTableText(table), strReason);
}

// TRUE when the volume that holds the file has next to no room left, as
// a write that ran out of disk leaves it.  The format libraries report
// only that a file came out short; this says why.
BOOL IsVolumeFull(const CString& strPath)
{
    const ULONGLONG kNoRoom = 64 * 1024;
    ULARGE_INTEGER available;
    return GetDiskFreeSpaceExA(DatabaseFolder(strPath), &available, NULL, NULL) && available.QuadPart < kNoRoom;
}

// The message of a writer that gives only the reason it failed.
CString WriteFailure(const CString& strPath, const CString& strReason)
{
    return "Cannot write " + strPath + ": " + strReason + ".";
}

} // namespace

// It is copied under a name of its own and named a backup only when whole,
// so a copy cut short (a full disk, a killed program) is never taken for
// the backup.
BOOL KeepFirstBackup(const CString& strTarget, const CString& strBackup)
{
    if (GetFileAttributesA(strBackup) != INVALID_FILE_ATTRIBUTES)
        return TRUE;
    CString strTemp = UniqueFileBeside(DatabaseFolder(strTarget));
    if (strTemp.IsEmpty())
        return FALSE;
    strTemp += ".bak";
    if (CopyFileA(strTarget, strTemp, TRUE) && MoveFileExA(strTemp, strBackup, 0))
        return TRUE;
    DeleteFileA(strTemp);
    return GetFileAttributesA(strBackup) != INVALID_FILE_ATTRIBUTES;
}

CString ReplaceRefusal(const CString& strPath)
{
    DWORD dwAttributes = GetFileAttributesA(strPath);
    if (dwAttributes == INVALID_FILE_ATTRIBUTES)
        return CString();
    if (dwAttributes & FILE_ATTRIBUTE_READONLY)
        return strPath + " is read-only.";
    return OpenFailure(strPath, GENERIC_READ | GENERIC_WRITE, 0);
}

namespace
{

// Writes a new file beside strTarget through write, keeps the target's
// first backup and swaps the new file in, with its companion files when
// given.  A read-only or locked target (or companion) is refused before
// anything is written.  write makes the file it is given, or fails with a
// message naming that file, which the user is told of as the target.
BOOL ReplaceFile(const CString& strTarget, const std::function<BOOL(const CString&, CString&)>& write,
                 CString& strError, const CCompanionFiles* pCompanions = NULL)
{
    BOOL bExists = GetFileAttributesA(strTarget) != INVALID_FILE_ATTRIBUTES;
    strError = ReplaceRefusal(strTarget);
    if (strError.IsEmpty() && pCompanions != NULL)
        strError = pCompanions->refusal(strTarget);
    if (!strError.IsEmpty())
        return FALSE;
    CString strTemp = UniqueFileBeside(DatabaseFolder(strTarget));
    if (strTemp.IsEmpty())
    {
        strError = "No new file can be made beside " + strTarget + ".";
        return FALSE;
    }
    // The libraries name their files by the extension.
    strTemp += ExtensionOf(strTarget);
    auto discard = [&] {
        DeleteFileA(strTemp);
        if (pCompanions != NULL)
            pCompanions->drop(strTemp);
    };
    if (!write(strTemp, strError))
    {
        if (IsVolumeFull(strTemp))
            strError = WriteFailure(strTarget, "the disk is full");
        strError.Replace(strTemp, strTarget);
        discard();
        return FALSE;
    }
    if (bExists && !KeepFirstBackup(strTarget, BackupPath(strTarget)))
    {
        discard();
        strError = "Cannot keep a backup of " + strTarget + ".";
        return FALSE;
    }
    if (!MoveFileExA(strTemp, strTarget, MOVEFILE_REPLACE_EXISTING))
    {
        DWORD dwError = GetLastError();
        discard();
        strError = dwError == ERROR_SHARING_VIOLATION ? strTarget + " is in use by another program."
                   : dwError == ERROR_ACCESS_DENIED   ? "You may not change " + strTarget + "."
                                                      : "Cannot replace " + strTarget + ".";
        return FALSE;
    }
    if (pCompanions != NULL && !pCompanions->swapIn(strTemp, strTarget, strError))
    {
        pCompanions->drop(strTemp);
        return FALSE;
    }
    strError.Empty();
    return TRUE;
}

CString SourceFolderOf(const CString& strDatabase)
{
    CString strFolder = IsFolder(strDatabase) ? strDatabase : DatabaseFolder(strDatabase);
    strFolder.TrimRight('\\');
    return strFolder;
}

CString ReadFailure(const CFolderFormat& format, const CString& strFile, const CString& strReason)
{
    return format.bWholeMessages ? strReason
                                 : "The " + CString(format.lpszKind) + " " + strFile + " cannot be read: " + strReason
                                       + ".";
}

// Reads the table of the file; a format that can leaves the rows in the
// file, for the table's row reader, which the layout keeps.
BOOL ReadFolderTable(const CFolderFormat& format, const CString& strFile, CSourceTable& table, CSourceLayout& layout,
                     CString& strReason)
{
    if (format.open == NULL)
        return format.read(strFile, table, strReason);
    std::unique_ptr<CSourceRowReader> pRows = format.open(strFile, table, strReason);
    if (pRows == nullptr)
        return FALSE;
    table.m_pRowReader = pRows.get();
    layout.m_readers.push_back(std::move(pRows));
    return TRUE;
}

BOOL ReadFolderSource(const CFolderFormat& format, const CString& strFolder, std::vector<CSourceTable>& tables,
                      CSourceLayout& layout, CString& strError)
{
    for (LPCSTR lpszExtension : format.extensions)
    {
        WIN32_FIND_DATAA data;
        HANDLE hFind = FindFirstFileA(strFolder + "\\*" + lpszExtension, &data);
        if (hFind == INVALID_HANDLE_VALUE)
            continue;
        BOOL bOk = TRUE;
        do
        {
            CString strName(data.cFileName);
            // "*.db" also finds "x.dbf" on some file systems.
            if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || ExtensionOf(strName).CompareNoCase(lpszExtension) != 0
                || strName.Left(3).CompareNoCase("Kem") == 0)
                continue;
            CString strFile = strFolder + "\\" + strName;
            CSourceTable table;
            table.m_strName = strName.Left(strName.ReverseFind('.'));
            if (format.bShortNames)
                table.m_strName = FullReportingTableName(table.m_strName);
            for (const CSourceTable& other : tables)
                if (other.m_strName.CompareNoCase(table.m_strName) == 0)
                {
                    strError = "Two files hold the " + CString(format.lpszKind) + " " + table.m_strName + " in "
                               + strFolder + ".";
                    bOk = FALSE;
                }
            CString strReason;
            if (bOk)
            {
                strError = OpenFailure(strFile, GENERIC_READ, FILE_SHARE_READ);
                bOk = strError.IsEmpty();
            }
            if (bOk && !ReadFolderTable(format, strFile, table, layout, strReason))
            {
                strError = ReadFailure(format, strFile, strReason);
                bOk = FALSE;
            }
            if (bOk && format.bShortNames)
                RestoreReportingColumns(table.m_strName, table.m_columns);
            if (bOk)
            {
                tables.push_back(std::move(table));
                layout.m_files.push_back(strFile);
            }
        } while (bOk && FindNextFileA(hFind, &data));
        FindClose(hFind);
        if (!bOk)
            return FALSE;
    }
    if (tables.empty())
    {
        strError = "There is no " + CString(format.lpszKind) + " (" + format.extensions[0] + " file) in " + strFolder + ".";
        return FALSE;
    }
    return TRUE;
}

// The file a table of a folder source is written to: its own, or a new
// one named after it.
CString TableFile(const CFolderFormat& format, const CString& strFolder, const CString& strName,
                  const CString& strKnownFile)
{
    return strKnownFile.IsEmpty() ? strFolder + "\\" + strName + format.extensions[0] : strKnownFile;
}

} // namespace

CString SourceFolder(int nType, const CString& strDatabase)
{
    return IsDocumentSource(nType) ? DatabaseFolder(strDatabase) : SourceFolderOf(strDatabase);
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

CString BackupPath(const CString& strPath)
{
    int nDot = strPath.ReverseFind('.');
    int nSlash = strPath.ReverseFind('\\');
    return (nDot > nSlash ? strPath.Left(nDot) : strPath) + ".bak";
}

BOOL IsDocumentSource(int nType)
{
    return FolderFormat(nType) == NULL;
}

CString SourceReadFailure(int nType, const CString& strFile, const CString& strReason)
{
    const CFolderFormat* pFormat = FolderFormat(nType);
    return pFormat != NULL ? ReadFailure(*pFormat, strFile, strReason) : strReason;
}

// A reporting table that lacks a column the programs read is refused
// here, with its file, rather than failing later in some query.
static BOOL CheckReportingColumns(const std::vector<CSourceTable>& tables, const CSourceLayout& layout, CString& strError)
{
    for (size_t i = 0; i < tables.size(); ++i)
    {
        CString strMissing = MissingReportingColumn(tables[i].m_strName, tables[i].m_columns);
        if (!strMissing.IsEmpty())
        {
            strError = "The table " + tables[i].m_strName + " in " + layout.m_files[i] + " has no field " + strMissing
                       + ".";
            return FALSE;
        }
    }
    return TRUE;
}

static BOOL ReadTables(int nType, const CString& strDatabase, std::vector<CSourceTable>& tables, CSourceLayout& layout,
                CString& strError)
{
    tables.clear();
    layout = CSourceLayout();
    const CFolderFormat* pFormat = FolderFormat(nType);
    if (pFormat != NULL)
        return ReadFolderSource(*pFormat, SourceFolderOf(strDatabase), tables, layout, strError);
    // A document that is missing or locked is named before any reader tries it.
    strError = OpenFailure(strDatabase, GENERIC_READ, FILE_SHARE_READ);
    if (!strError.IsEmpty())
        return FALSE;
    if (nType == DSTYPE_HTML)
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
        // A document cut short between two tables reads without a fault:
        // the tables after the cut are missing.
        std::vector<CString> names;
        for (const CSourceTable& table : tables)
            names.push_back(table.m_strName);
        CString strMissing = MissingReportingTable(names);
        if (!strMissing.IsEmpty())
        {
            strError = "The HTML document " + strDatabase + " holds no table " + strMissing + ".";
            return FALSE;
        }
    }
    else if (IsExcelType(nType))
    {
        int nBiffVersion = 0;
        if (!OpenXlsWorkbook(strDatabase, tables, layout.m_readers, nBiffVersion, strError))
            return FALSE;
        for (CSourceTable& table : tables)
            table.m_nVersion = nBiffVersion;
    }
    else if (IsLotusFileType(nType))
    {
        tables.resize(1);
        if (!ReadLotusTable(strDatabase, tables[0], strError))
            return FALSE;
    }
    else
    {
        strError.Format("The sources of type %d cannot be read here.", nType);
        return FALSE;
    }
    layout.m_files.assign(tables.size(), strDatabase);
    return TRUE;
}

BOOL ReadSource(int nType, const CString& strDatabase, std::vector<CSourceTable>& tables, CSourceLayout& layout,
                CString& strError)
{
    return ReadTables(nType, strDatabase, tables, layout, strError) && CheckReportingColumns(tables, layout, strError);
}

BOOL WriteSource(int nType, const CString& strDatabase, const std::vector<CSourceTable>& tables,
                 const std::vector<CString>& files, CString& strError)
{
    const CFolderFormat* pFormat = FolderFormat(nType);
    if (pFormat != NULL)
    {
        CString strFolder = SourceFolderOf(strDatabase);
        for (size_t i = 0; i < tables.size(); ++i)
        {
            const CSourceTable& table = tables[i];
            CString strFile = TableFile(*pFormat, strFolder, table.m_strName, i < files.size() ? files[i] : CString());
            auto write = [&](const CString& strTemp, CString& strMessage) {
                if (pFormat->write(strTemp, table, strMessage))
                    return TRUE;
                if (!pFormat->bWholeMessages)
                    strMessage = WriteFailure(strTemp, strMessage);
                return FALSE;
            };
            if (!ReplaceFile(strFile, write, strError, pFormat->pCompanions))
                return FALSE;
        }
        return TRUE;
    }
    if (nType == DSTYPE_HTML)
    {
        CString strDocument;
        if (!ReadWholeFile(strDatabase, strDocument, strError))
            return FALSE;
        auto write = [&](const CString& strTemp, CString& strMessage) {
            CString strText, strReason;
            if (ReplaceHtmlTables(strDocument, tables, strText, strReason)
                && WriteWholeFile(strTemp, strText, strReason))
                return TRUE;
            strMessage = WriteFailure(strTemp, strReason);
            return FALSE;
        };
        return ReplaceFile(strDatabase, write, strError);
    }
    if (IsExcelType(nType) && !tables.empty())
    {
        // A workbook keeps the version it was read in while it fits it.  An
        // Excel 97 workbook goes to its file as its rows are read; for the
        // older versions, which hold less, the rows are read first to judge.
        std::vector<CSourceTable> heldTables;
        const int nReadVersion = tables[0].m_nVersion;
        if (nReadVersion != 8)
        {
            heldTables = tables;
            CString strReason;
            if (!HoldSourceRows(heldTables, strReason))
            {
                strError = WriteFailure(strDatabase, strReason);
                return FALSE;
            }
        }
        const std::vector<CSourceTable>& written = nReadVersion != 8 ? heldTables : tables;
        auto write = [&](const CString& strTemp, CString& strMessage) {
            return WriteXlsWorkbookAsRead(strTemp, written, nReadVersion, strDatabase, strMessage);
        };
        return ReplaceFile(strDatabase, write, strError);
    }
    if (IsLotusFileType(nType) && tables.size() == 1)
    {
        auto write = [&](const CString& strTemp, CString& strMessage) {
            return WriteLotusTable(strTemp, tables[0], strMessage);
        };
        return ReplaceFile(strDatabase, write, strError);
    }
    strError.Format("The sources of type %d cannot be written here.", nType);
    return FALSE;
}

BOOL WritesRowsAsRead(int nType)
{
    return FolderFormat(nType) == FolderFormat(DSTYPE_DBASE3) || IsExcelType(nType);
}

BOOL AppendsAddedRows(int nType)
{
    return FolderFormat(nType) == FolderFormat(DSTYPE_DBASE3);
}

BOOL KeepFileRecords(int nType, const CString& strFile, int nRecords, const CString& strStamp, CSourceTable& table)
{
    // Another program's change to the file, or a column the table gained,
    // is written whole, as any other change.
    if (!AppendsAddedRows(nType) || strFile.IsEmpty() || strStamp != FileStamp(strFile)
        || table.m_columns.size() != table.m_fields.size() || !DbfFileHolds(strFile, table.m_fields, nRecords))
        return FALSE;
    table.m_strKeptFile = strFile;
    table.m_nKeptRecords = nRecords;
    return TRUE;
}
