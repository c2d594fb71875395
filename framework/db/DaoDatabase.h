// A DAO-style database over a SQLite 3 file.  An Access data source is a
// SQLite database at the path named by the name or by the DATABASE part of
// the connect string; other drivers of the connect string fail to open.
#pragma once

#include "framework/core/Array.h"
#include "framework/core/Object.h"
#include "framework/core/String.h"
#include "framework/db/DaoException.h"
#include "framework/db/DaoWorkspace.h"

struct sqlite3;
struct CDaoQueryDefInfo;

// Locale argument of Create; SQLite stores text as given, so it is unused.
#define dbLangGeneral ";LANGID=0x0409;CP=1252;COUNTRY=0"

// Execute options.
enum { dbFailOnError = 128 };

struct CDaoTableDefInfo
{
    CString m_strName;
    LONG m_lAttributes;
};

class CDaoDatabase : public CObject
{
    DECLARE_DYNAMIC(CDaoDatabase)
public:
    explicit CDaoDatabase(CDaoWorkspace* pWorkspace = NULL);
    ~CDaoDatabase() override;

    // Opens an existing file; a connect string ";DATABASE=path" names it
    // when lpszName is empty.  A missing file, a foreign driver ("dBASE
    // III;...") or a file that is no SQLite database throws CDaoException.
    virtual void Open(LPCSTR lpszName, BOOL bExclusive = FALSE, BOOL bReadOnly = FALSE,
                      LPCSTR lpszConnect = "");
    // Creates a new, empty database file; an existing file is an error.
    virtual void Create(LPCSTR lpszName, LPCSTR lpszLocale = dbLangGeneral, int dwOptions = 0);
    virtual void Close();

    BOOL IsOpen() const { return m_pDb != NULL; }
    BOOL CanUpdate() const { return IsOpen() && !m_bReadOnly; }
    BOOL CanTransact() const { return IsOpen(); }
    // The file path as given (Windows form).
    CString GetName() const { return m_strName; }
    CString GetConnect() const { return m_strConnect; }

    // Runs one or more statements; a failure throws CDaoException with
    // SQLite's message.
    void Execute(LPCSTR lpszSQL, int nOptions = dbFailOnError);
    // Rows changed by the last Execute.
    LONG GetRecordsAffected() const { return m_lRecordsAffected; }

    // A write transaction: it waits (up to the busy timeout) for another
    // writer to finish before it starts.
    void BeginTrans();
    // A transaction that only reads: one consistent state, one file lock.
    void BeginReadTrans();
    void CommitTrans();
    void Rollback();

    // User tables (SQLite's own tables are left out), in name order.
    short GetTableDefCount();
    void GetTableDefInfo(int nIndex, CDaoTableDefInfo& info);
    void DeleteTableDef(LPCSTR lpszName);

    // Query definitions (SQLite views), in name order.
    short GetQueryDefCount();
    void GetQueryDefInfo(int nIndex, CDaoQueryDefInfo& info);
    void DeleteQueryDef(LPCSTR lpszName);

    // The SQLite handle for the recordsets and table definitions.
    sqlite3* GetHandle() const { return m_pDb; }
    // Throws when the database is not open.
    sqlite3* RequireHandle() const;

    CDaoWorkspace* m_pWorkspace;

private:
    void OpenFile(LPCSTR lpszPath, int nFlags);
    void LoadNames(LPCSTR lpszType, CStringArray& names);

    sqlite3* m_pDb;
    CString m_strName;
    CString m_strConnect;
    BOOL m_bReadOnly;
    LONG m_lRecordsAffected;
};

// A transaction that rolls back unless committed, so an exception on the
// way leaves the file as it was.
class CDaoTransaction
{
public:
    enum Kind
    {
        write,
        readOnly
    };
    explicit CDaoTransaction(CDaoDatabase& db, Kind kind = write) : m_db(db), m_bActive(FALSE)
    {
        if (kind == readOnly)
            m_db.BeginReadTrans();
        else
            m_db.BeginTrans();
        m_bActive = TRUE;
    }
    ~CDaoTransaction();
    void Commit()
    {
        m_db.CommitTrans();
        m_bActive = FALSE;
    }

private:
    CDaoTransaction(const CDaoTransaction&) = delete;
    CDaoTransaction& operator=(const CDaoTransaction&) = delete;
    CDaoDatabase& m_db;
    BOOL m_bActive;
};

// The Unix form of a Windows path, as SQLite (a native library) opens it;
// "" when Wine cannot map it.
CString DaoUnixPath(LPCSTR lpszPath);
// The path of a connect string's DATABASE part, "" when it has none.
CString DaoConnectDatabasePath(LPCSTR lpszConnect);
// The driver part of a connect string (before the first ';'); "" is Access.
CString DaoConnectDriver(LPCSTR lpszConnect);
// An identifier in double quotes, inner quotes doubled.
CString DaoQuoteName(LPCSTR lpszName);
// Throws CDaoException for a SQLite failure code, with SQLite's message.
[[noreturn]] void DaoThrowSqliteError(sqlite3* pDb, int nResult, LPCSTR lpszContext = NULL);
