// File sources: the tables a committed change touched go back to their
// files at once, so that a saved report is on disk.
#include "engines/dao/DAODatabase.h"

#include "engines/common/DataSourceType.h"
#include "engines/dao/SourceCopy.h"
#include "engines/dao/SourceFiles.h"
#include "engines/dao/SourceTable.h"
#include "framework/core/MessageSink.h"

#include <memory>

#include <sqlite3.h>

static BOOL IsAmong(const CString& strName, const std::vector<CString>& names)
{
    for (const CString& strOther : names)
        if (strOther == strName)
            return TRUE;
    return FALSE;
}

BOOL CDAODatabase::WriteBackChanges()
{
    if (!IsImportedType(m_nType) || m_strTempPath.IsEmpty() || !m_pDaoDatabase->IsOpen())
        return TRUE;
    // Inside a transaction nothing is committed yet; its commit writes back.
    if (!sqlite3_get_autocommit(m_pDaoDatabase->GetHandle()))
        return TRUE;
    CString strError;
    try
    {
        CSourceCopy copy(*m_pDaoDatabase);
        std::vector<CString> changed = copy.ChangedTables();
        if (changed.empty())
            return TRUE;
        // A file another program wrote since this session read or last
        // wrote it is not written over: its changes would be lost.
        CString strChangedFile = copy.FileChangedBehind(changed);
        if (!strChangedFile.IsEmpty())
        {
            AfxMessageBox(strChangedFile + " was changed by another program since this session read it, and is not "
                                           "written over.\n\nThe changes of this session are kept in "
                              + m_strTempPath + ". Connect to the data source again to work on the files as "
                                                "they are now.",
                          MB_ICONEXCLAMATION);
            return FALSE;
        }
        BOOL bWritten = m_nType == DSTYPE_TEXT   ? UpdateDatabase(changed, strError)
                        : m_nType == DSTYPE_HTML ? ExportHTML(changed, strError)
                                                 : ExportDatabase(changed, strError);
        if (bWritten)
        {
            copy.MarkWritten(changed, AppendsAddedRows(m_nType));
            return TRUE;
        }
    }
    catch (CDaoException* e)
    {
        strError = "The changed tables cannot be read from " + m_strTempPath + ": "
                   + (e->m_pErrorInfo != NULL ? e->m_pErrorInfo->m_strDescription : CString("database error")) + ".";
        e->Delete();
    }
    AfxMessageBox(strError + "\n\nThe changes are kept in " + m_strTempPath
                      + " and are written to the data source at the next save or when it is closed. The files as "
                        "they were before this program first changed them are kept beside them as .bak files.",
                  MB_ICONEXCLAMATION);
    return FALSE;
}

BOOL CDAODatabase::UpdateDatabase(const std::vector<CString>& names, CString& strError)
{
    return ExportTables(names, strError);
}

BOOL CDAODatabase::ExportHTML(const std::vector<CString>& names, CString& strError)
{
    return ExportTables(names, strError);
}

BOOL CDAODatabase::ExportDatabase(const std::vector<CString>& names, CString& strError)
{
    return ExportTables(names, strError);
}

BOOL CDAODatabase::ExportTables(const std::vector<CString>& names, CString& strError)
{
    CSourceCopy copy(*m_pDaoDatabase);
    int nType = m_nType;
    CString strDatabase = m_strDatabase;
    copy.ReadOrigin(nType, strDatabase);
    // A workbook is written whole: its unchanged sheets go with it.
    std::vector<CString> written = IsDocumentSource(m_nType) && m_nType != DSTYPE_HTML ? copy.AllTables() : names;
    // Where the writer can, a table goes to its file as its rows are read,
    // not held whole.
    BOOL bStream = WritesRowsAsRead(m_nType);
    std::vector<std::unique_ptr<CSourceCopyRows>> readers;
    std::vector<CSourceTable> tables;
    std::vector<CString> files;
    for (const CString& strName : written)
    {
        CString strFile;
        if (bStream)
            readers.emplace_back(new CSourceCopyRows);
        // A table that only gained rows gets them appended to its file,
        // while that file is as the last read or write left it.
        CSourceAddedRows added;
        BOOL bAppend = bStream && AppendsAddedRows(m_nType) && copy.RowsOnlyAdded(strName, added);
        tables.push_back(copy.ReadTable(strName, strFile, bStream ? readers.back().get() : NULL,
                                        bAppend ? added.m_nLastRow : 0));
        if (bAppend && !KeepFileRecords(m_nType, strFile, added.m_nFileRecords, added.m_strStamp, tables.back()))
        {
            readers.back().reset(new CSourceCopyRows);
            tables.back() = copy.ReadTable(strName, strFile, readers.back().get());
        }
        tables.back().m_bAsInFile = !IsAmong(strName, names);
        files.push_back(strFile);
    }
    BOOL bWritten = WriteSource(m_nType, strDatabase, tables, files, strError);
    // A table the copy could not give is told as the copy's failure.
    for (std::unique_ptr<CSourceCopyRows>& pReader : readers)
        pReader->ThrowFailure();
    return bWritten;
}
