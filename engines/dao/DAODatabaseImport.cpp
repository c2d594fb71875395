// File sources: copied into a temporary database at Open, after what
// earlier sessions left behind has been dealt with.
#include "engines/dao/DAODatabase.h"

#include "engines/common/DataSourceType.h"
#include "engines/dao/DaoErrorReport.h"
#include "engines/dao/SourceCopy.h"
#include "engines/dao/SourceFiles.h"
#include "engines/dao/SourceTable.h"
#include "framework/core/MessageSink.h"
#include "framework/db/DaoStatement.h"

namespace
{

// A .tmp file that is no working copy (one whose making was cut short)
// is removed once it is older than this.
const ULONGLONG kLeftoverAge = 60ULL * 10000000ULL;

BOOL EndsWith(const CString& strText, LPCSTR lpszEnd)
{
    int n = (int)strlen(lpszEnd);
    return strText.GetLength() >= n && strText.Right(n).CompareNoCase(lpszEnd) == 0;
}

BOOL IsOld(const CString& strPath)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(strPath, GetFileExInfoStandard, &data))
        return FALSE;
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER written, current;
    written.LowPart = data.ftLastWriteTime.dwLowDateTime;
    written.HighPart = data.ftLastWriteTime.dwHighDateTime;
    current.LowPart = now.dwLowDateTime;
    current.HighPart = now.dwHighDateTime;
    return current.QuadPart > written.QuadPart + kLeftoverAge;
}

void DeleteCopy(const CString& strPath)
{
    DeleteFileA(strPath);
    DeleteFileA(strPath + "-journal");
}

// The file format of a type: the dBase and FoxPro types share one, as do
// the Paradox, the Excel and the single Lotus file types.
int SourceFormat(int nType)
{
    if (nType >= DSTYPE_DBASE3 && nType <= DSTYPE_FOXPRO26)
        return DSTYPE_DBASE3;
    if (nType >= DSTYPE_PARADOX3 && nType <= DSTYPE_PARADOX5)
        return DSTYPE_PARADOX3;
    if (IsExcelType(nType))
        return DSTYPE_EXCEL3;
    if (nType == DSTYPE_LOTUS_WKS_FILE2)
        return DSTYPE_LOTUS_WKS_FILE;
    return nType;
}

// TRUE when both name the same files: the same kind of source in the same
// folder, or the same document.
BOOL IsSameSource(int nType, const CString& strDatabase, int nOtherType, const CString& strOther)
{
    if (SourceFormat(nType) != SourceFormat(nOtherType))
        return FALSE;
    if (IsDocumentSource(nType))
        return strDatabase.CompareNoCase(strOther) == 0;
    return SourceFolder(nType, strDatabase).CompareNoCase(SourceFolder(nOtherType, strOther)) == 0;
}

// How the database waits for the disk at a commit (PRAGMA synchronous).
int SynchronousMode(CDaoDatabase& db)
{
    CDaoStatement stmt;
    stmt.Prepare(db.RequireHandle(), "PRAGMA synchronous");
    return stmt.Step(db.GetHandle()) ? sqlite3_column_int(stmt, 0) : 2;
}

} // namespace

BOOL CDAODatabase::ImportDatabase()
{
    m_strTempPath.Empty();
    CString strFolder = SourceFolder(m_nType, m_strDatabase);
    CString strError;
    if (!m_sourceLock.Acquire(strFolder, m_strDatabase, strError))
    {
        AfxMessageBox(strError);
        return FALSE;
    }
    HandleLeftovers(strFolder);
    std::vector<CSourceTable> tables;
    CSourceLayout layout;
    if (!ReadSource(m_nType, m_strDatabase, tables, layout, strError))
    {
        AfxMessageBox(strError);
        m_sourceLock.Release();
        return FALSE;
    }
    // A name of its own, so that two programs on one source never share
    // (or delete) each other's working copy.
    CString strTemp = UniqueFileBeside(strFolder);
    if (strTemp.IsEmpty())
    {
        AfxMessageBox("No temporary database can be made beside " + m_strDatabase + ".");
        m_sourceLock.Release();
        return FALSE;
    }
    strError.Empty();
    try
    {
        m_pDaoDatabase->Create(strTemp);
        // The copy keeps its pages in memory rather than spilling them
        // half-way through the import.
        m_pDaoDatabase->Execute("PRAGMA cache_size=-65536");
        // Until the copy is whole it holds nothing that the source files
        // lack, so it need not wait for the disk: the commit of the first
        // change syncs the file, rows of the copy included.
        int nSynchronous = SynchronousMode(*m_pDaoDatabase);
        m_pDaoDatabase->Execute("PRAGMA synchronous=OFF");
        CDaoTransaction transaction(*m_pDaoDatabase);
        // A table file that fails while its rows are read is told as when
        // it is opened.
        if (!CopyDatabase(tables, layout, strError))
            AfxThrowDaoException(DAOERR_GENERIC, strError);
        transaction.Commit();
        CString strRestore;
        strRestore.Format("PRAGMA synchronous=%d", nSynchronous);
        m_pDaoDatabase->Execute(strRestore);
    }
    catch (CDaoException* e)
    {
        if (strError.IsEmpty())
            ReportDaoException(e);
        else
            AfxMessageBox(strError);
        e->Delete();
        if (m_pDaoDatabase->IsOpen())
            m_pDaoDatabase->Close();
        DeleteCopy(strTemp);
        m_sourceLock.Release();
        return FALSE;
    }
    m_strTempPath = strTemp;
    m_bModified = FALSE;
    return TRUE;
}

BOOL CDAODatabase::CopyDatabase(const std::vector<CSourceTable>& tables, const CSourceLayout& layout,
                                CString& strError)
{
    CSourceCopy(*m_pDaoDatabase).Create(m_nType, m_strDatabase);
    for (size_t i = 0; i < tables.size(); ++i)
        if (!CopyTable(tables[i], layout.m_files[i], strError))
            return FALSE;
    return TRUE;
}

BOOL CDAODatabase::CopyTable(const CSourceTable& table, const CString& strFile, CString& strError)
{
    // Worksheet cells carry their own kind; other formats type by field.
    BOOL bCellKinds = m_nType >= DSTYPE_EXCEL3 && m_nType <= DSTYPE_LOTUS_WKS_FILE2;
    CString strReason;
    if (CSourceCopy(*m_pDaoDatabase).AddTable(table, strFile, bCellKinds, strReason))
        return TRUE;
    strError = SourceReadFailure(m_nType, strFile, strReason);
    return FALSE;
}

void CDAODatabase::HandleLeftovers(const CString& strFolder)
{
    std::vector<CString> names;
    WIN32_FIND_DATAA data;
    HANDLE hFind = FindFirstFileA(strFolder + "\\Kem*", &data);
    if (hFind == INVALID_HANDLE_VALUE)
        return;
    do
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(data.cFileName);
    while (FindNextFileA(hFind, &data));
    FindClose(hFind);
    for (const CString& strName : names)
    {
        CString strPath = strFolder + "\\" + strName;
        if (strName.Find(".tmp") < 0 || GetFileAttributesA(strPath) == INVALID_FILE_ATTRIBUTES)
            continue;
        if (EndsWith(strName, "-journal"))
        {
            // A journal whose database is gone can roll nothing back.
            if (GetFileAttributesA(strPath.Left(strPath.GetLength() - 8)) == INVALID_FILE_ATTRIBUTES)
                DeleteFileA(strPath);
            continue;
        }
        // A write-back's new file or a backup being copied (KemNNNN.tmp.ext)
        // belongs to a session that died while writing.
        if (!EndsWith(strName, ".tmp"))
            DeleteFileA(strPath);
        else if (!RecoverLeftover(strPath) && IsOld(strPath))
            DeleteFileA(strPath);
    }
}

BOOL CDAODatabase::RecoverLeftover(const CString& strPath)
{
    int nType = 0;
    CString strDatabase;
    std::vector<CString> changed;
    try
    {
        CDaoDatabase copy;
        copy.Open(strPath);
        CSourceCopy source(copy);
        BOOL bCopy = source.ReadOrigin(nType, strDatabase);
        if (bCopy)
            changed = source.ChangedTables();
        copy.Close();
        if (!bCopy)
            return FALSE;
    }
    catch (CDaoException* e)
    {
        e->Delete();
        return FALSE;
    }
    // Another source's copy in the same folder is that source's business.
    if (!IsSameSource(m_nType, m_strDatabase, nType, strDatabase))
        return TRUE;
    if (changed.empty())
    {
        DeleteCopy(strPath);
        return TRUE;
    }
    int nAnswer = AfxMessageBox("A session that ended without closing " + m_strDatabase
                                    + " left changes that never reached its files. They are kept in " + strPath
                                    + ".\n\nWrite them to the data source now? (No discards them; Cancel keeps the "
                                      "file as it is.)",
                                MB_YESNOCANCEL | MB_ICONQUESTION);
    if (nAnswer == IDNO)
        DeleteCopy(strPath);
    else if (nAnswer == IDYES)
    {
        try
        {
            m_pDaoDatabase->Open(strPath);
            m_strTempPath = strPath;
            BOOL bWritten = WriteBackChanges();
            m_pDaoDatabase->Close();
            if (bWritten)
                DeleteCopy(strPath);
        }
        catch (CDaoException* e)
        {
            ReportDaoException(e);
            e->Delete();
            if (m_pDaoDatabase->IsOpen())
                m_pDaoDatabase->Close();
        }
        m_strTempPath.Empty();
    }
    return TRUE;
}
