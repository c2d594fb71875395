// The DAO engine's database: the engine interface over the framework's DAO
// database.  Access sources are opened directly; Paradox, text and HTML
// sources are worked on in a temporary database imported at Open and
// written back at Close after a change.
#pragma once

#include "engines/common/KemDatabase.h"
#include "framework/db/DaoDatabase.h"

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

    CString m_strConnect;
    // The temporary database of an imported source; "" otherwise.
    CString m_strTempPath;
    // Owned; created closed on the default workspace.
    CDaoDatabase* m_pDaoDatabase;
    // A change went through a recordset or a report-data save since Open.
    BOOL m_bModified;

private:
    // Copies an imported source into m_strTempPath and opens it there;
    // FALSE when the source could not be imported.
    BOOL ImportDatabase();
    // Writes the tables of the temporary database back to the source;
    // FALSE when the source could not be written.
    BOOL WriteBackDatabase();
    void CloseImported();
};
