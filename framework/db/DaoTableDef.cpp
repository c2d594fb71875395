#include "framework/db/DaoTableDef.h"

#include <sqlite3.h>

#include "framework/db/DBText.h"

IMPLEMENT_DYNAMIC(CDaoTableDef, CObject)

CDaoTableDef::CDaoTableDef(CDaoDatabase* pDatabase)
    : m_pDatabase(pDatabase), m_bCreating(FALSE), m_bOpen(FALSE)
{
}

CDaoTableDef::~CDaoTableDef()
{
}

void CDaoTableDef::Open(LPCSTR lpszName)
{
    Close();
    if (m_pDatabase == NULL)
        AfxThrowDaoException(DAOERR_NOT_OPEN, "The table definition has no database.");
    sqlite3* pDb = m_pDatabase->RequireHandle();
    sqlite3_stmt* pStmt = NULL;
    int nResult = sqlite3_prepare_v2(pDb,
        "SELECT name, type, \"notnull\", dflt_value FROM pragma_table_info(?) ORDER BY cid", -1, &pStmt, NULL);
    if (nResult != SQLITE_OK)
        DaoThrowSqliteError(pDb, nResult);
    CString strStoredName = DBTextToDriver(lpszName);
    sqlite3_bind_text(pStmt, 1, strStoredName, strStoredName.GetLength(), SQLITE_TRANSIENT);
    CArray<CDaoFieldInfo, const CDaoFieldInfo&> fields;
    while ((nResult = sqlite3_step(pStmt)) == SQLITE_ROW)
    {
        CDaoFieldInfo info;
        info.m_strName = DBTextFromDriver((LPCSTR)sqlite3_column_text(pStmt, 0));
        info.m_nType = DaoFieldTypeOfDecl((LPCSTR)sqlite3_column_text(pStmt, 1), &info.m_lSize);
        info.m_lAttributes = 0;
        info.m_nOrdinalPosition = (short)fields.GetSize();
        info.m_bRequired = sqlite3_column_int(pStmt, 2) != 0;
        info.m_strSourceTable = lpszName;
        info.m_strSourceField = info.m_strName;
        info.m_strDefaultValue = DBTextFromDriver((LPCSTR)sqlite3_column_text(pStmt, 3));
        fields.Add(info);
    }
    sqlite3_finalize(pStmt);
    if (nResult != SQLITE_DONE)
        DaoThrowSqliteError(pDb, nResult);
    if (fields.GetSize() == 0)
    {
        CString message;
        message.Format("Item '%s' not found in this collection.", lpszName != NULL ? lpszName : "");
        AfxThrowDaoException(DAOERR_NOT_FOUND, message);
    }
    m_fields.Copy(fields);
    m_strName = lpszName;
    m_bOpen = TRUE;
}

void CDaoTableDef::Create(LPCSTR lpszName, LONG lAttributes, LPCSTR lpszSrcTable, LPCSTR lpszConnect)
{
    Close();
    if (lpszName == NULL || *lpszName == '\0')
        AfxThrowDaoException(DAOERR_SYNTAX, "A table definition needs a name.");
    if ((lpszSrcTable != NULL && *lpszSrcTable != '\0') || (lpszConnect != NULL && *lpszConnect != '\0'))
        AfxThrowDaoException(DAOERR_NO_ISAM, "Attached tables are not supported.");
    m_strName = lpszName;
    m_bCreating = TRUE;
}

void CDaoTableDef::CreateField(LPCSTR lpszName, short nType, LONG lSize, LONG lAttributes)
{
    if (!m_bCreating)
        AfxThrowDaoException(DAOERR_NOT_OPEN, "The table definition is not being created.");
    for (INT_PTR i = 0; i < m_fields.GetSize(); ++i)
        if (m_fields[i].m_strName.CompareNoCase(lpszName) == 0)
            AfxThrowDaoException(DAOERR_DUPLICATE, "The field already exists.");
    CDaoFieldInfo info;
    info.m_strName = lpszName;
    info.m_nType = nType;
    info.m_lSize = lSize;
    info.m_lAttributes = lAttributes;
    info.m_nOrdinalPosition = (short)m_fields.GetSize();
    info.m_bRequired = FALSE;
    m_fields.Add(info);
}

void CDaoTableDef::Append()
{
    if (!m_bCreating)
        AfxThrowDaoException(DAOERR_NOT_OPEN, "The table definition is not being created.");
    if (m_fields.GetSize() == 0)
        AfxThrowDaoException(DAOERR_SYNTAX, "A table definition needs at least one field.");
    CString sql = "CREATE TABLE " + DaoQuoteName(m_strName) + " (";
    for (INT_PTR i = 0; i < m_fields.GetSize(); ++i)
    {
        sql += (i > 0 ? ", " : "") + DaoQuoteName(m_fields[i].m_strName) + " "
            + DaoDeclOfFieldType(m_fields[i].m_nType, m_fields[i].m_lSize);
    }
    sql += ")";
    if (m_pDatabase == NULL)
        AfxThrowDaoException(DAOERR_NOT_OPEN, "The table definition has no database.");
    m_pDatabase->Execute(sql);
    CString name = m_strName;
    Open(name);
}

void CDaoTableDef::Close()
{
    m_bCreating = FALSE;
    m_bOpen = FALSE;
    m_strName.Empty();
    m_fields.RemoveAll();
}

void CDaoTableDef::CheckOpen() const
{
    if (!m_bOpen)
        AfxThrowDaoException(DAOERR_NOT_OPEN, "The table definition is not open.");
}

short CDaoTableDef::GetFieldCount() const
{
    CheckOpen();
    return (short)m_fields.GetSize();
}

void CDaoTableDef::GetFieldInfo(int nIndex, CDaoFieldInfo& info, DWORD dwInfoOptions)
{
    CheckOpen();
    if (nIndex < 0 || nIndex >= m_fields.GetSize())
        AfxThrowDaoException(DAOERR_NOT_FOUND, "Item not found in this collection.");
    info = m_fields[nIndex];
}

void CDaoTableDef::GetFieldInfo(LPCSTR lpszName, CDaoFieldInfo& info, DWORD dwInfoOptions)
{
    CheckOpen();
    for (INT_PTR i = 0; i < m_fields.GetSize(); ++i)
    {
        if (m_fields[i].m_strName.CompareNoCase(lpszName) == 0)
        {
            info = m_fields[i];
            return;
        }
    }
    AfxThrowDaoException(DAOERR_NOT_FOUND, "Item not found in this collection.");
}
