#include "engines/dao/DAORecordset.h"

#include "engines/common/DataSourceType.h"
#include "engines/dao/DAODatabase.h"
#include "engines/dao/DaoWildcards.h"
#include "framework/core/MessageSink.h"

IMPLEMENT_DYNAMIC(CDAORecordset, CKemRecordset)

CDAORecordset::CDAORecordset(CDAODatabase* pDatabase)
    : CKemRecordset(pDatabase), m_pDaoRecordset(new CDaoRecordset(pDatabase->m_pDaoDatabase)),
      m_nType(pDatabase->m_nType)
{
}

CDAORecordset::~CDAORecordset()
{
    if (m_pDaoRecordset->IsOpen())
    {
        try
        {
            m_pDaoRecordset->Close();
        }
        catch (CException* e)
        {
            e->ReportError();
            e->Delete();
        }
    }
    delete m_pDaoRecordset;
}

CDAODatabase* CDAORecordset::DaoDatabase() const
{
    return static_cast<CDAODatabase*>(m_pDatabase);
}

void CDAORecordset::CopyFilterAndSort()
{
    m_pDaoRecordset->m_strSort = m_strSort;
    CString strFilter(m_strFilter);
    ModiFilter(strFilter);
    m_pDaoRecordset->m_strFilter = strFilter;
}

void CDAORecordset::Open(const char* lpszSQL, BOOL bReadOnly)
{
    Open(AFX_DAO_USE_DEFAULT_TYPE, lpszSQL, bReadOnly ? dbReadOnly : 0);
}

void CDAORecordset::Open(int nOpenType, const char* lpszSQL, int nOptions)
{
    CopyFilterAndSort();
    CString strSQL(lpszSQL);
    ModiFilter(strSQL);
    m_pDaoRecordset->Open(nOpenType, strSQL, nOptions);
}

void CDAORecordset::Requery()
{
    CopyFilterAndSort();
    m_pDaoRecordset->Requery();
}

long CDAORecordset::GetRecordCount()
{
    CDaoRecordset* pCounter = NULL;
    long lCount = -1;
    try
    {
        pCounter = new CDaoRecordset(m_pDaoRecordset->m_pDatabase);
        pCounter->Open(m_pDaoRecordset->GetType(), m_pDaoRecordset->GetSQL(), dbReadOnly);
        lCount = 0;
        if (!(pCounter->IsBOF() && pCounter->IsEOF()))
        {
            pCounter->MoveLast();
            lCount = pCounter->GetRecordCount();
        }
        pCounter->Close();
    }
    catch (CException* e)
    {
        e->Delete();
        lCount = -1;
    }
    delete pCounter;
    return lCount;
}

// A change made outside a transaction is committed at once, and so goes
// to the source's files at once.
void CDAORecordset::Update()
{
    DaoDatabase()->m_bModified = TRUE;
    m_pDaoRecordset->Update();
    DaoDatabase()->WriteBackChanges();
}

void CDAORecordset::Delete()
{
    DaoDatabase()->m_bModified = TRUE;
    m_pDaoRecordset->Delete();
    DaoDatabase()->WriteBackChanges();
}

void CDAORecordset::Close() { m_pDaoRecordset->Close(); }
short CDAORecordset::GetFieldCount() { return m_pDaoRecordset->GetFieldCount(); }
BOOL CDAORecordset::IsOpen() const { return m_pDaoRecordset->IsOpen(); }
BOOL CDAORecordset::IsBOF() const { return m_pDaoRecordset->IsBOF(); }
BOOL CDAORecordset::IsEOF() const { return m_pDaoRecordset->IsEOF(); }
BOOL CDAORecordset::IsDeleted() const { return m_pDaoRecordset->IsDeleted(); }
void CDAORecordset::MoveNext() { m_pDaoRecordset->MoveNext(); }
void CDAORecordset::MovePrev() { m_pDaoRecordset->MovePrev(); }
void CDAORecordset::MoveFirst() { m_pDaoRecordset->MoveFirst(); }
void CDAORecordset::MoveLast() { m_pDaoRecordset->MoveLast(); }
void CDAORecordset::Move(long lRows) { m_pDaoRecordset->Move(lRows); }
BOOL CDAORecordset::FindNext(const char* lpszCriteria) { return m_pDaoRecordset->FindNext(lpszCriteria); }
BOOL CDAORecordset::FindPrev(const char* lpszCriteria) { return m_pDaoRecordset->FindPrev(lpszCriteria); }
BOOL CDAORecordset::FindFirst(const char* lpszCriteria) { return m_pDaoRecordset->FindFirst(lpszCriteria); }
BOOL CDAORecordset::FindLast(const char* lpszCriteria) { return m_pDaoRecordset->FindLast(lpszCriteria); }
BOOL CDAORecordset::Find(long lFindType, const char* lpszCriteria)
{
    return m_pDaoRecordset->Find(lFindType, lpszCriteria);
}
void CDAORecordset::AddNew() { m_pDaoRecordset->AddNew(); }
void CDAORecordset::Edit() { m_pDaoRecordset->Edit(); }
void CDAORecordset::CancelUpdate() { m_pDaoRecordset->CancelUpdate(); }
COleVariant CDAORecordset::GetFieldValue(int nIndex) { return m_pDaoRecordset->GetFieldValue(nIndex); }
COleVariant CDAORecordset::GetFieldValue(const char* lpszName) { return m_pDaoRecordset->GetFieldValue(lpszName); }
void CDAORecordset::GetFieldValue(int nIndex, COleVariant& varValue)
{
    m_pDaoRecordset->GetFieldValue(nIndex, varValue);
}
void CDAORecordset::GetFieldValue(const char* lpszName, COleVariant& varValue)
{
    m_pDaoRecordset->GetFieldValue(lpszName, varValue);
}
void CDAORecordset::SetFieldValue(const char* lpszName, const char* lpszValue)
{
    m_pDaoRecordset->SetFieldValue(lpszName, lpszValue);
}
void CDAORecordset::SetFieldValue(int nIndex, const char* lpszValue)
{
    m_pDaoRecordset->SetFieldValue(nIndex, lpszValue);
}
void CDAORecordset::SetFieldValue(int nIndex, const COleVariant& varValue)
{
    m_pDaoRecordset->SetFieldValue(nIndex, varValue);
}
void CDAORecordset::SetFieldValue(const char* lpszName, const COleVariant& varValue)
{
    m_pDaoRecordset->SetFieldValue(lpszName, varValue);
}
void CDAORecordset::SetFieldValueNull(int nIndex) { m_pDaoRecordset->SetFieldValueNull(nIndex); }
void CDAORecordset::SetFieldValueNull(const char* lpszName) { m_pDaoRecordset->SetFieldValueNull(lpszName); }

// The names the installable drivers gave a source's tables.
static BOOL DriverTableName(const CString& strName, int nType, CString& strTable)
{
    if (nType == DSTYPE_ACCESS95 || nType == DSTYPE_ACCESS97 || nType == DSTYPE_TEXT || nType == DSTYPE_HTML)
        strTable = strName;
    else if (nType >= DSTYPE_DBASE3 && nType <= DSTYPE_PARADOX5)
        strTable = strName.Left(8);
    else if (IsExcelType(nType))
        strTable = strName + "$";
    else if (nType == DSTYPE_LOTUS_WKS_FOLDER)
        strTable = strName + "#wks";
    else if (nType == DSTYPE_LOTUS_WK1_FOLDER)
        strTable = strName + "#wk1";
    else if (nType == DSTYPE_LOTUS_WKS_FILE || nType == DSTYPE_LOTUS_WKS_FILE2)
        strTable = strName + ":";
    else
        return FALSE;
    return TRUE;
}

BOOL DaoTableNameOfType(const CString& strName, int nType, CString& strTable)
{
    strTable = strName;
    return IsDaoEngineType(nType);
}

CString CDAORecordset::GetTableName(CString strName, int nType)
{
    if (nType == -1)
        nType = m_nType;
    CString strTable;
    if (nType > DSTYPE_TEXT || !DriverTableName(strName, nType, strTable))
    {
        AfxMessageBox("Invalid data source.");
        return CString();
    }
    return strTable;
}
