// The DAO engine's database: the engine interface over the framework's DAO
// database.  Access sources are opened directly; every file source (dBase,
// FoxPro, Paradox, Excel, Lotus, text, HTML) is worked on in a temporary
// database imported at Open, and the tables a change touched are written
// back to their files each time a change is committed.
#pragma once

#include <string>
#include <vector>

#include "engines/common/KemDatabase.h"
#include "engines/dao/SourceLock.h"
#include "framework/db/DaoDatabase.h"

struct CSourceTable;
struct CSourceLayout;

class CDAODatabase : public CKemDatabase
{
    DECLARE_DYNAMIC(CDAODatabase)
public:
    CDAODatabase();
    ~CDAODatabase() override;

    void Open(const char* lpszName, BOOL bExclusive, BOOL bReadOnly, const char* lpszConnect) override;
    void Close() override;
    BOOL IsOpen() const override;
    BOOL BeginTrans() override;
    void CommitTrans() override;
    void Rollback() override;

    // Writes the tables changed since their last write-back to the source's
    // files, unless a transaction is still open.  Called when a change is
    // committed; TRUE when the files hold every committed change (always
    // for an Access source), FALSE after telling the user which file failed
    // and where the changes are kept.
    BOOL WriteBackChanges();

    CString m_strConnect;
    // The temporary database of an imported source; "" otherwise.
    CString m_strTempPath;
    // Owned; created closed on the default workspace.
    CDaoDatabase* m_pDaoDatabase;
    // A change went through a recordset or a report-data save since Open.
    BOOL m_bModified;

private:
    // Copies the source into a new temporary database beside it and opens
    // it there; FALSE when the source could not be read.
    BOOL ImportDatabase();
    // Makes the temporary database m_strTempPath hold the source's tables;
    // FALSE with the message when a table's rows cannot be read from its
    // file.
    BOOL CopyDatabase(const std::vector<CSourceTable>& tables, const CSourceLayout& layout, CString& strError);
    BOOL CopyTable(const CSourceTable& table, const CString& strFile, CString& strError);
    // The write-backs of the changed tables: text files, HTML documents,
    // and every other file format.
    BOOL UpdateDatabase(const std::vector<CString>& names, CString& strError);
    BOOL ExportHTML(const std::vector<CString>& names, CString& strError);
    BOOL ExportDatabase(const std::vector<CString>& names, CString& strError);
    BOOL ExportTables(const std::vector<CString>& names, CString& strError);
    // Deals with temporary databases and files that sessions which ended
    // without cleaning up left beside the source: a copy holding changes
    // that never reached the files is offered for writing back, anything
    // else left over is removed.  Called with the source folder held, so
    // no live session owns any of them.
    void HandleLeftovers(const CString& strFolder);
    BOOL RecoverLeftover(const CString& strPath);
    void CloseImported();

    // Held from the import to Close: the one session that works on the
    // source's folder, whose working copy no other session touches.
    CSourceLock m_sourceLock;
};
