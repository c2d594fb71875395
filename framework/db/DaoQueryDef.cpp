#include "framework/db/DaoQueryDef.h"

#include "framework/db/DBText.h"
#include "framework/db/DaoSql.h"
#include "framework/db/DaoStatement.h"

IMPLEMENT_DYNAMIC(CDaoQueryDef, CObject)

CString DaoViewSelect(LPCSTR lpszCreateView)
{
    CString text(lpszCreateView);
    int nAs = DaoFindKeyword(text, "AS");
    if (nAs < 0)
        return CString();
    CString select = text.Mid(nAs + 2);
    select.TrimLeft();
    select.TrimRight();
    return select;
}

CDaoQueryDef::CDaoQueryDef(CDaoDatabase* pDatabase)
    : m_pDatabase(pDatabase), m_bOpen(FALSE), m_bCreating(FALSE)
{
}

CDaoQueryDef::~CDaoQueryDef()
{
}

void CDaoQueryDef::Create(LPCSTR lpszName, LPCSTR lpszSQL)
{
    Close();
    if (lpszName == NULL || *lpszName == '\0')
        AfxThrowDaoException(DAOERR_SYNTAX, "A query definition needs a name.");
    m_strName = lpszName;
    m_strSQL = lpszSQL;
    m_bCreating = TRUE;
}

void CDaoQueryDef::Append()
{
    if (!m_bCreating)
        AfxThrowDaoException(DAOERR_NOT_OPEN, "The query definition is not being created.");
    if (m_pDatabase == NULL)
        AfxThrowDaoException(DAOERR_NOT_OPEN, "The query definition has no database.");
    m_pDatabase->Execute("CREATE VIEW " + DaoQuoteName(m_strName) + " AS " + DaoLikeToSqlite(m_strSQL));
    m_bCreating = FALSE;
    m_bOpen = TRUE;
}

void CDaoQueryDef::Open(LPCSTR lpszName)
{
    Close();
    if (m_pDatabase == NULL)
        AfxThrowDaoException(DAOERR_NOT_OPEN, "The query definition has no database.");
    sqlite3* pDb = m_pDatabase->RequireHandle();
    CDaoStatement stmt;
    stmt.Prepare(pDb, "SELECT name, sql FROM sqlite_master WHERE type='view' AND name=? COLLATE NOCASE");
    CString strStoredName = DBTextToDriver(lpszName);
    sqlite3_bind_text(stmt, 1, strStoredName, strStoredName.GetLength(), SQLITE_TRANSIENT);
    if (!stmt.Step(pDb))
    {
        CString message;
        message.Format("Item '%s' not found in this collection.", lpszName != NULL ? lpszName : "");
        AfxThrowDaoException(DAOERR_NOT_FOUND, message);
    }
    m_strName = DBTextFromDriver((LPCSTR)sqlite3_column_text(stmt, 0));
    m_strSQL = DBTextFromDriver(DaoViewSelect((LPCSTR)sqlite3_column_text(stmt, 1)));
    m_bOpen = TRUE;
}

void CDaoQueryDef::Close()
{
    m_bOpen = FALSE;
    m_bCreating = FALSE;
    m_strName.Empty();
    m_strSQL.Empty();
}
