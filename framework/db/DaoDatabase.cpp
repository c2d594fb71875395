#include "framework/db/DaoDatabase.h"

#include "framework/db/DBText.h"
#include "framework/db/DaoQueryDef.h"

#include <sqlite3.h>
#include <string.h>

IMPLEMENT_DYNAMIC(CDaoDatabase, CObject)

namespace
{

LONG DaoCodeOfSqlite(int nResult, LPCSTR lpszMessage)
{
    CString message(lpszMessage);
    if ((nResult & 0xFF) == SQLITE_CONSTRAINT)
        return DAOERR_DUPLICATE;
    if (message.Find("no such table") >= 0)
        return DAOERR_NO_TABLE;
    if (message.Find("syntax error") >= 0 || message.Find("unrecognized token") >= 0)
        return DAOERR_SYNTAX;
    if ((nResult & 0xFF) == SQLITE_READONLY)
        return DAOERR_READ_ONLY;
    if ((nResult & 0xFF) == SQLITE_BUSY || (nResult & 0xFF) == SQLITE_LOCKED)
        return DAOERR_LOCKED;
    return DAOERR_GENERIC;
}

// The library's message, or for a database another connection holds, the
// situation in words.
CString DaoMessageOfSqlite(int nResult, LPCSTR lpszMessage)
{
    if (DaoCodeOfSqlite(nResult, lpszMessage) == DAOERR_LOCKED)
        return "The database is busy: another user or program is writing to it. Try again in a moment.";
    return lpszMessage;
}

// Jet and ACE files begin with a fixed signature at offset 4.
BOOL IsJetFile(LPCSTR lpszPath)
{
    HANDLE hFile = CreateFileA(lpszPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                               OPEN_EXISTING, 0, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return FALSE;
    char header[20] = {0};
    DWORD nRead = 0;
    BOOL bOk = ReadFile(hFile, header, sizeof(header), &nRead, NULL);
    CloseHandle(hFile);
    return bOk && nRead >= 19 &&
        (memcmp(header + 4, "Standard Jet DB", 15) == 0 || memcmp(header + 4, "Standard ACE DB", 15) == 0);
}

// SQLite counts every allocation under a process-wide lock unless told
// otherwise before it starts; nothing here reads those counts.  Once SQLite
// has started (another module opened a database first) the call is refused
// and nothing changes.
void SkipSqliteMemoryCounts()
{
    static const int s_nResult = sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
    (void)s_nResult;
}

} // namespace

CString DaoUnixPath(LPCSTR lpszPath)
{
    int nWide = MultiByteToWideChar(CP_ACP, 0, lpszPath, -1, NULL, 0);
    if (nWide <= 0)
        return CString();
    CArray<WCHAR, WCHAR> wide;
    wide.SetSize(nWide);
    MultiByteToWideChar(CP_ACP, 0, lpszPath, -1, wide.GetData(), nWide);
    char* pUnix = wine_get_unix_file_name(wide.GetData());
    if (pUnix == NULL)
        return CString();
    CString result(pUnix);
    HeapFree(GetProcessHeap(), 0, pUnix);
    return result;
}

void DaoThrowSqliteError(sqlite3* pDb, int nResult, LPCSTR lpszContext)
{
    CString message = DaoMessageOfSqlite(nResult, pDb != NULL ? sqlite3_errmsg(pDb) : sqlite3_errstr(nResult));
    LONG lCode = DaoCodeOfSqlite(nResult, message);
    if (lpszContext != NULL && *lpszContext != '\0')
        message = CString(lpszContext) + ": " + message;
    AfxThrowDaoException(lCode, message, E_FAIL);
}

CString DaoQuoteName(LPCSTR lpszName)
{
    CString name(lpszName);
    name.Replace("\"", "\"\"");
    return "\"" + name + "\"";
}

CString DaoConnectDriver(LPCSTR lpszConnect)
{
    CString connect(lpszConnect);
    int nSemi = connect.Find(';');
    CString driver = nSemi >= 0 ? connect.Left(nSemi) : connect;
    driver.TrimLeft();
    driver.TrimRight();
    return driver;
}

CString DaoConnectDatabasePath(LPCSTR lpszConnect)
{
    CString connect(lpszConnect);
    CString upper(connect);
    upper.MakeUpper();
    int nStart = 0;
    while ((nStart = upper.Find("DATABASE=", nStart)) >= 0)
    {
        // Only a whole key counts: the start of the text or after a ';'.
        if (nStart == 0 || upper[nStart - 1] == ';')
        {
            int nValue = nStart + 9;
            int nEnd = connect.Find(';', nValue);
            return nEnd >= 0 ? connect.Mid(nValue, nEnd - nValue) : connect.Mid(nValue);
        }
        nStart += 9;
    }
    return CString();
}

CDaoDatabase::CDaoDatabase(CDaoWorkspace* pWorkspace)
    : m_pWorkspace(pWorkspace), m_pDb(NULL), m_bReadOnly(FALSE), m_lRecordsAffected(0)
{
}

CDaoDatabase::~CDaoDatabase()
{
    if (m_pDb != NULL)
        sqlite3_close_v2(m_pDb);
}

void CDaoDatabase::OpenFile(LPCSTR lpszPath, int nFlags)
{
    CString unixPath = DaoUnixPath(lpszPath);
    if (unixPath.IsEmpty())
    {
        CString message;
        message.Format("'%s' is not a valid path.", lpszPath);
        AfxThrowDaoException(DAOERR_FILE_NOT_FOUND, message);
    }
    SkipSqliteMemoryCounts();
    sqlite3* pDb = NULL;
    // A database object is used by one thread at a time, as DAO's are, so
    // the connection needs no lock of its own around every call.
    int nResult = sqlite3_open_v2(unixPath, &pDb, nFlags | SQLITE_OPEN_NOMUTEX, NULL);
    if (nResult == SQLITE_OK)
    {
        // A file that is not a database opens lazily: read it now.
        nResult = sqlite3_exec(pDb, "SELECT count(*) FROM sqlite_master", NULL, NULL, NULL);
    }
    if (nResult != SQLITE_OK)
    {
        CString message;
        message.Format("Cannot open database '%s': %s", lpszPath,
                       pDb != NULL ? sqlite3_errmsg(pDb) : sqlite3_errstr(nResult));
        sqlite3_close_v2(pDb);
        AfxThrowDaoException(DAOERR_UNSUPPORTED_FILE, message);
    }
    sqlite3_busy_timeout(pDb, 2000);
    // Reading pages through a mapping of the file spares a copy and a
    // system call per page: sums over millions of rows read most of it.
    // Without a mapping (the library may refuse one) pages are read as
    // before.
    sqlite3_exec(pDb, "PRAGMA mmap_size=1073741824", NULL, NULL, NULL);
    m_pDb = pDb;
    m_bReadOnly = (nFlags & SQLITE_OPEN_READONLY) != 0;
}

void CDaoDatabase::Open(LPCSTR lpszName, BOOL bExclusive, BOOL bReadOnly, LPCSTR lpszConnect)
{
    if (IsOpen())
        Close();
    CString connect(lpszConnect);
    CString driver = DaoConnectDriver(connect);
    if (!driver.IsEmpty())
    {
        CString message;
        message.Format("The '%s' driver is not available: only Access data sources "
                       "(SQLite database files) can be opened.", (LPCSTR)driver);
        AfxThrowDaoException(DAOERR_NO_ISAM, message);
    }
    CString path(lpszName);
    if (path.IsEmpty())
        path = DaoConnectDatabasePath(connect);
    if (path.IsEmpty())
        AfxThrowDaoException(DAOERR_FILE_NOT_FOUND, "No database file was named.");
    DWORD dwAttributes = GetFileAttributesA(path);
    if (dwAttributes == INVALID_FILE_ATTRIBUTES || (dwAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
    {
        CString message;
        message.Format("Could not find file '%s'.", (LPCSTR)path);
        AfxThrowDaoException(DAOERR_FILE_NOT_FOUND, message);
    }
    if (IsJetFile(path))
    {
        CString message;
        message.Format("'%s' is a Jet (Access) file; only SQLite database files can be opened.",
                       (LPCSTR)path);
        AfxThrowDaoException(DAOERR_UNSUPPORTED_FILE, message);
    }
    OpenFile(path, bReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE);
    m_strName = path;
    m_strConnect = connect;
}

void CDaoDatabase::Create(LPCSTR lpszName, LPCSTR lpszLocale, int dwOptions)
{
    if (IsOpen())
        Close();
    CString path(lpszName);
    if (path.IsEmpty())
        AfxThrowDaoException(DAOERR_FILE_NOT_FOUND, "No database file was named.");
    if (GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES)
    {
        CString message;
        message.Format("Database '%s' already exists.", (LPCSTR)path);
        AfxThrowDaoException(DAOERR_GENERIC, message);
    }
    OpenFile(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    m_strName = path;
    m_strConnect.Empty();
}

void CDaoDatabase::Close()
{
    if (m_pDb != NULL)
    {
        // The _v2 form defers the close until unfinalized statements go.
        sqlite3_close_v2(m_pDb);
        m_pDb = NULL;
    }
    m_strName.Empty();
    m_strConnect.Empty();
    m_bReadOnly = FALSE;
}

sqlite3* CDaoDatabase::RequireHandle() const
{
    if (m_pDb == NULL)
        AfxThrowDaoException(DAOERR_NOT_OPEN, "The database is not open.");
    return m_pDb;
}

void CDaoDatabase::Execute(LPCSTR lpszSQL, int nOptions)
{
    sqlite3* pDb = RequireHandle();
    int nBefore = sqlite3_total_changes(pDb);
    char* pError = NULL;
    int nResult = sqlite3_exec(pDb, DBTextToDriver(lpszSQL), NULL, NULL, &pError);
    if (nResult != SQLITE_OK)
    {
        CString message = DaoMessageOfSqlite(nResult, pError != NULL ? pError : sqlite3_errstr(nResult));
        sqlite3_free(pError);
        AfxThrowDaoException(DaoCodeOfSqlite(nResult, message), message);
    }
    m_lRecordsAffected = (LONG)(sqlite3_total_changes(pDb) - nBefore);
}

void CDaoDatabase::BeginTrans()
{
    // A writer from the start: a transaction that reads first and asks for
    // the write lock later is refused at once while another connection
    // writes, without waiting out the busy timeout.
    Execute("BEGIN IMMEDIATE");
}

void CDaoDatabase::BeginReadTrans()
{
    Execute("BEGIN");
}

void CDaoDatabase::CommitTrans()
{
    Execute("COMMIT");
}

void CDaoDatabase::Rollback()
{
    Execute("ROLLBACK");
}

CDaoTransaction::~CDaoTransaction()
{
    if (!m_bActive)
        return;
    try
    {
        m_db.Rollback();
    }
    catch (CException* e)
    {
        e->Delete();
    }
}

void CDaoDatabase::LoadNames(LPCSTR lpszType, CStringArray& names)
{
    sqlite3* pDb = RequireHandle();
    sqlite3_stmt* pStmt = NULL;
    int nResult = sqlite3_prepare_v2(pDb,
        "SELECT name FROM sqlite_master WHERE type=? AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' "
        "ORDER BY name", -1, &pStmt, NULL);
    if (nResult != SQLITE_OK)
        DaoThrowSqliteError(pDb, nResult);
    sqlite3_bind_text(pStmt, 1, lpszType, -1, SQLITE_STATIC);
    while ((nResult = sqlite3_step(pStmt)) == SQLITE_ROW)
        names.Add(DBTextFromDriver(CString((LPCSTR)sqlite3_column_text(pStmt, 0), sqlite3_column_bytes(pStmt, 0))));
    sqlite3_finalize(pStmt);
    if (nResult != SQLITE_DONE)
        DaoThrowSqliteError(pDb, nResult);
}

short CDaoDatabase::GetTableDefCount()
{
    CStringArray names;
    LoadNames("table", names);
    return (short)names.GetSize();
}

void CDaoDatabase::GetTableDefInfo(int nIndex, CDaoTableDefInfo& info)
{
    CStringArray names;
    LoadNames("table", names);
    if (nIndex < 0 || nIndex >= names.GetSize())
        AfxThrowDaoException(DAOERR_NOT_FOUND, "Item not found in this collection.");
    info.m_strName = names[nIndex];
    info.m_lAttributes = 0;
}

void CDaoDatabase::DeleteTableDef(LPCSTR lpszName)
{
    Execute("DROP TABLE " + DaoQuoteName(lpszName));
}

short CDaoDatabase::GetQueryDefCount()
{
    CStringArray names;
    LoadNames("view", names);
    return (short)names.GetSize();
}

void CDaoDatabase::GetQueryDefInfo(int nIndex, CDaoQueryDefInfo& info)
{
    CStringArray names;
    LoadNames("view", names);
    if (nIndex < 0 || nIndex >= names.GetSize())
        AfxThrowDaoException(DAOERR_NOT_FOUND, "Item not found in this collection.");
    CDaoQueryDef def(this);
    def.Open(names[nIndex]);
    info.m_strName = def.GetName();
    info.m_nType = dbQSelect;
    info.m_strSQL = def.GetSQL();
}

void CDaoDatabase::DeleteQueryDef(LPCSTR lpszName)
{
    Execute("DROP VIEW " + DaoQuoteName(lpszName));
}
